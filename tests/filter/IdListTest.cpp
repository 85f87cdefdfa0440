// ID lists: order of first addition, each ID once, whole-ID membership, packed form.

#include "filter/IdList.h"

#include <gtest/gtest.h>

namespace bp::filter {
namespace {

TEST(IdList, KeepsOrderOfFirstAdditionAndEachIdOnce) {
    IdList list;
    EXPECT_TRUE(list.add("C00000000002"));
    EXPECT_TRUE(list.add("C00000000001"));
    EXPECT_FALSE(list.add("C00000000002"));
    EXPECT_EQ(list.toVector(), (std::vector<std::string>{"C00000000002", "C00000000001"}));
    EXPECT_EQ(list.indexOf("C00000000001"), 1u);
}

TEST(IdList, MembershipIsAWholeIdMatch) {
    IdList list;
    list.add("C00000000012");
    list.add("C00000000345");
    struct Case {
        const char* name;
        std::string value;
        bool found;
    };
    const Case cases[] = {
        {"the ID itself", "C00000000012", true},
        {"empty value (a sale with no contact)", "", false},
        {"a part of one ID", "C0000000001", false},
        {"the end of one ID and the start of the next", "012C00000000", false},
        {"an ID in another case", "c00000000012", false},
        {"an ID with a trailing separator", "C00000000012\x0C", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(list.contains(c.value), c.found) << c.name;
    }
}

TEST(IdList, NeverCollectsAnEmptyOrMalformedValue) {
    IdList list;
    EXPECT_FALSE(list.add(""));
    EXPECT_FALSE(list.add("C0001"));
    EXPECT_FALSE(list.add("C000000000012"));
    EXPECT_TRUE(list.empty());
}

TEST(IdList, PackedFormRoundTripsWithoutSeparators) {
    IdList list = IdList::fromPacked("C00000000001C00000000002C00000000001");
    EXPECT_EQ(list.size(), 2u);
    EXPECT_EQ(list.packed(), "C00000000001C00000000002");
}

TEST(IdList, StaysCorrectPastTheOldSixteenBitLimits) {
    IdList list;
    for (int i = 0; i < 40000; ++i) {
        std::string id = std::to_string(i);
        list.add("S" + std::string(11 - id.size(), '0') + id);
    }
    EXPECT_EQ(list.size(), 40000u);
    EXPECT_EQ(list[32767], "S00000032767");
    EXPECT_EQ(list.indexOf("S00000039999"), 39999u);
    EXPECT_FALSE(list.contains("S00000040000"));
}

}  // namespace
}  // namespace bp::filter
