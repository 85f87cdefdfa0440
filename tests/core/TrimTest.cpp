#include <gtest/gtest.h>

#include "core/Trim.h"

namespace bp::core {
namespace {

TEST(Trim, SpacesAndTabsAroundAValueGo) {
    EXPECT_EQ(trimmed("  \t1,5 \t"), "1,5");
    EXPECT_EQ(trimmed("a b"), "a b");
    EXPECT_EQ(trimmed(" \t "), "");
    EXPECT_EQ(trimmed(""), "");
    EXPECT_EQ(trimmed("\xC2\xA0x"), "\xC2\xA0x");  // a no-break space is part of the value
}

}  // namespace
}  // namespace bp::core
