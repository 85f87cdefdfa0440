// The strings an object allocates to describe its failure belong to the caller once the call
// returns: every one of them must be given back, whatever the caller does with the error.

#include <gtest/gtest.h>

#include "FakeDispatch.h"
#include "TaskMemorySpy.h"
#include "act/automation/Dispatch.h"
#include "platform/Error.h"

namespace bp::automation::test {
namespace {

TEST(ExceptionStringsTest, EveryStringOfAReportedFailureIsFreed) {
    FakeDispatch object;
    Dispatch target(ComPtr<IDispatch>::share(&object));
    target.get("Name");  // the member lookup allocates nothing later
    TaskMemorySpy spy;
    ASSERT_TRUE(spy.watching());
    const long before = spy.live();
    for (int i = 0; i < 50; ++i) {
        EXPECT_THROW(target.call("Raise"), Error);
        EXPECT_THROW(target.call("RaiseLater"), Error);
    }
    // Each failure allocated strings, so the count can only come back by freeing them.
    EXPECT_GE(spy.allocations(), 150);
    EXPECT_EQ(spy.live(), before);
}

}  // namespace
}  // namespace bp::automation::test
