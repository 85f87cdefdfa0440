// The filter primitives on a small host: each criterion with and without Reverse, the value
// controls' defaults, "<<Empty>>", whole-item matching, host calls, and errors.

#include <gtest/gtest.h>

#include "FilterFixture.h"
#include "filter/Library2.h"
#include "filter/StageFailed.h"

namespace bp::filter::test {
namespace {

class PrimitivesTest : public FilterFixture {
protected:
    void SetUp() override {
        FilterFixture::SetUp();
        load(dataset(json::array({contact(1), contact(2), contact(3)}),
                     json::array({
                         sale(1, 1, {{"200", "Product"}, {"34", "100"}}),
                         sale(2, 2, {{"200", "Pro"}, {"34", "-5"}}),
                         sale(3, 3, {{"34", ""}}),
                         sale(4, 1, {{"200", "Gadget"}, {"34", "999999999"}}),
                     })));
    }

    IdList all() const { return IdList::fromPacked(saleId(1) + saleId(2) + saleId(3) + saleId(4)); }
    Library2 library() { return Library2(session_, criteria_); }
};

TEST_F(PrimitivesTest, SelectIdCriteriaWithAndWithoutReverse) {
    struct Case {
        const char* name;
        int field;
        std::string criterion;
        std::string value;
        bool reverse;
        std::vector<std::string> expected;
    };
    const std::vector<Case> cases = {
        {"equals one item", 200, "Equals", "Product", false, sales({1})},
        {"equals, reversed", 200, "Equals", "Product", true, sales({2, 3, 4})},
        {"equals the empty item", 200, "Equals", "", false, sales({3})},
        {"includes whole items only", 200, "Includes", "\fProduct\fGadget\f", false, sales({1, 4})},
        {"includes, reversed keeps parts of items", 200, "Includes", "\fProduct\fGadget\f", true,
         sales({2, 3})},
        {"includes the empty item", 200, "Includes", "\f\fGadget\f", false, sales({3, 4})},
        {"includes the empty item, reversed", 200, "Includes", "\f\fGadget\f", true, sales({1, 2})},
        {"a part of the field is no item", 200, "Includes", "\fPr\fduct\f", false, {}},
        {"between, both bounds inclusive", 34, "Between", "-5\f100", false, sales({1, 2})},
        {"between, reversed skips empty fields", 34, "Between", "0\f100", true, sales({2, 4})},
        {"between rounds bounds half to even", 34, "Between", "100.5\f999999998.5", false,
         sales({1})},
        {"an unknown criterion selects nothing", 200, "Contains", "Product", false, {}},
    };
    for (const Case& c : cases) {
        Library2 lib = library();
        EXPECT_EQ(ids(lib.Select_ID(all(), c.field, c.criterion, c.value, kSalesId, c.reverse)),
                  c.expected)
            << c.name;
    }
    EXPECT_TRUE(ui_.messages().empty());
}

TEST_F(PrimitivesTest, EmptyCandidatesMakeNoHostCall) {
    Library2 lib = library();
    selectCondition(0, criteria::kProducts, {"Product", "Gadget"});
    criteria_.conditions[0].atLeastOne = false;
    for (const char* criterion : {"Equals", "Includes", "Between", "BetweenDate"}) {
        EXPECT_TRUE(lib.Select_ID({}, 200, criterion, "x", kSalesId, false).empty());
    }
    EXPECT_TRUE(lib.byDate({}, 35, 0, false).empty());
    EXPECT_TRUE(lib.byNumber({}, 34, 0, true).empty());
    EXPECT_TRUE(lib.byList({}, 200, 0, false).empty());
    EXPECT_EQ(calls("Sales.GoTo") + calls("Sales.Data"), 0u);
}

TEST_F(PrimitivesTest, UnknownCriterionTouchesNoRecord) {
    library().Select_ID(all(), 200, "Like", "Product", kSalesId, false);
    EXPECT_EQ(calls("Sales.GoTo"), 0u);
}

TEST_F(PrimitivesTest, EachCandidateIsPositionedOnceAndReadAtMostTwice) {
    library().Select_ID(all(), 200, "Equals", "Product", 25, false);
    EXPECT_EQ(calls("Sales.GoTo"), 4u);
    EXPECT_LE(calls("Sales.Data"), 8u);
}

TEST_F(PrimitivesTest, ReturnFieldValuesAreCollectedOnceAndNeverEmpty) {
    load(dataset(json::array({contact(1)}),
                 json::array({sale(1, 1, {{"200", "Widget"}}), sale(2, 1, {{"200", "Widget"}}),
                              sale(3, 1, {{"200", "Widget"}, {"25", ""}})})));
    IdList candidates = IdList::fromPacked(saleId(1) + saleId(2) + saleId(3));
    EXPECT_EQ(ids(library().Select_ID(candidates, 200, "Equals", "Widget", 25, false)),
              contacts({1}));
}

TEST_F(PrimitivesTest, EmptyNumberBoxesSelectZeroToTheMaximum) {
    criteria_.conditions[1].minText = "";
    criteria_.conditions[1].maxText = "";
    EXPECT_EQ(ids(library().byNumber(all(), 34, 1, false)), sales({1, 4}));
    criteria_.conditions[1].minText = "-10";
    EXPECT_EQ(ids(library().byNumber(all(), 34, 1, false)), sales({1, 2, 4}));
}

TEST_F(PrimitivesTest, SameDayRangeSelectsThatDayWhateverTheTime) {
    load(dataset(json::array({contact(1)}),
                 json::array({sale(1, 1, {{"31", "3/14/2026 12:00:01 AM"}}),
                              sale(2, 1, {{"31", "3/14/2026 11:59:59 PM"}}),
                              sale(3, 1, {{"31", "3/15/2026 12:00:00 AM"}}),
                              sale(4, 1, {{"31", "3/13/2026 11:59:59 PM"}}), sale(5, 1)})));
    IdList candidates =
        IdList::fromPacked(saleId(1) + saleId(2) + saleId(3) + saleId(4) + saleId(5));
    criteria_.conditions[0].start = {2026, 3, 14, 15, 0, 0};
    criteria_.conditions[0].end = {2026, 3, 14, 8, 0, 0};
    EXPECT_EQ(ids(library().byDate(candidates, 31, 0, false)), sales({1, 2}));
    // Reversed: outside the day, and never a record without a date.
    EXPECT_EQ(ids(library().byDate(candidates, 31, 0, true)), sales({3, 4}));
}

TEST_F(PrimitivesTest, EmptyEntrySelectsEmptyFieldsAndReversedTheFilledOnes) {
    selectCondition(0, criteria::kProducts, {criteria::kEmptyItem});
    EXPECT_EQ(ids(library().byList(all(), 200, 0, false)), sales({3}));
    EXPECT_EQ(ids(library().byList(all(), 200, 0, true)), sales({1, 2, 4}));
    selectCondition(0, criteria::kProducts, {criteria::kEmptyItem, "Gadget"});
    EXPECT_EQ(ids(library().byList(all(), 200, 0, false)), sales({3, 4}));
}

TEST_F(PrimitivesTest, ListItemsAreJoinedInListOrder) {
    selectCondition(1, criteria::kTypes, {"New", criteria::kEmptyItem, "Upgrade"});
    EXPECT_EQ(library().Get_CriteriasFromList(1), "New\f<<Empty>>\fUpgrade\f");
    EXPECT_EQ(library().Get_CriteriasFromList(0), "");
}

TEST_F(PrimitivesTest, BoundThatIsNoNumberShowsTheErrorAndStops) {
    criteria_.conditions[0].minText = "ten";
    Library2 lib = library();
    EXPECT_THROW(lib.byNumber(all(), 34, 0, false), StageFailed);
    ASSERT_EQ(ui_.messages().size(), 1u);
    const auto& shown = ui_.messages().front().request;
    EXPECT_EQ(shown.title, "brindlepath error");
    EXPECT_EQ(shown.text.rfind("Error 13: 'Type mismatch'\rin Library2: Function Select_ID", 0), 0u)
        << shown.text;
}

TEST_F(PrimitivesTest, FieldThatIsNoDateShowsTheErrorAndStops) {
    load(dataset(json::array({contact(1)}), json::array({sale(1, 1, {{"31", "soon"}})})));
    EXPECT_THROW(library().byDate(IdList::fromPacked(saleId(1)), 31, 0, false), StageFailed);
    EXPECT_EQ(ui_.messages().size(), 1u);
}

}  // namespace
}  // namespace bp::filter::test
