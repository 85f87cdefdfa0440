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

TEST(IdList, IdsAppendedAsDistinctAreFoundOnceSearched) {
    IdList list;
    list.add("S00000000001");
    list.appendDistinct("S00000000002");
    list.appendDistinct("");          // no ID: never collected
    list.appendDistinct("S0000002");  // no ID either
    list.appendDistinct("S00000000003");
    EXPECT_EQ(list.toVector(),
              (std::vector<std::string>{"S00000000001", "S00000000002", "S00000000003"}));
    EXPECT_EQ(list.indexOf("S00000000003"), 2u);
    EXPECT_TRUE(list.contains("S00000000002"));
    EXPECT_FALSE(list.contains("S00000000004"));
    // add() still refuses an ID that only an append put in.
    EXPECT_FALSE(list.add("S00000000002"));
    list.appendDistinct("S00000000004");
    EXPECT_FALSE(list.add("S00000000004"));
    EXPECT_TRUE(list.add("S00000000005"));
    EXPECT_EQ(list.size(), 5u);
}

TEST(IdList, AnIndexGrowingPastManyAppendsKeepsEveryPosition) {
    IdList list;
    auto id = [](int i) {
        std::string digits = std::to_string(i);
        return "S" + std::string(11 - digits.size(), '0') + digits;
    };
    for (int i = 0; i < 30000; ++i) {
        if (i % 3 == 0) {
            list.add(id(i));
        } else {
            list.appendDistinct(id(i));
        }
        if (i % 7000 == 0) {
            EXPECT_EQ(list.indexOf(id(i)), static_cast<std::size_t>(i));  // indexes all so far
        }
    }
    for (int i = 0; i < 30000; i += 997) {
        EXPECT_EQ(list.indexOf(id(i)), static_cast<std::size_t>(i)) << id(i);
    }
    list.clear();
    EXPECT_FALSE(list.contains(id(0)));
    EXPECT_TRUE(list.add(id(0)));
}

}  // namespace
}  // namespace bp::filter
