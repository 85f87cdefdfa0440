// Starting automation objects by program id.

#include "act/automation/ProgId.h"

#include <gtest/gtest.h>

#include "act/automation/ComApartment.h"
#include "act/automation/ComFailure.h"

namespace bp::automation::test {
namespace {

TEST(ProgId, AnUnregisteredIdRaisesNotRegistered) {
    const ComApartment apartment;
    try {
        createByProgId("Brindlepath.NoSuchObject");
        FAIL() << "an unregistered program id was created";
    } catch (const NotRegisteredError& error) {
        EXPECT_EQ(error.number(), kErrCannotCreateObject);
        EXPECT_NE(error.description().find("Brindlepath.NoSuchObject"), std::string::npos);
    }
}

TEST(ProgId, ApartmentsNestOnOneThread) {
    const ComApartment outer;
    const ComApartment inner;
    EXPECT_THROW(createByProgId("Brindlepath.NoSuchObject"), NotRegisteredError);
}

}  // namespace
}  // namespace bp::automation::test
