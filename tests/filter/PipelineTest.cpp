// The filter pipeline on a small host: condition checks, scopes, manager, date and status
// filters, conditions combined per sales record, "No Sales Opportunities", and stages that
// fail.

#include <gtest/gtest.h>

#include "FilterFixture.h"
#include "filter/SalesFilter.h"
#include "filter/StageFailed.h"
#include "forms/ScriptedUi.h"

namespace bp::filter::test {
namespace {

class PipelineTest : public FilterFixture {
protected:
    void SetUp() override {
        FilterFixture::SetUp();
        json people = json::array(
            {contact(1, 1), contact(2, 2), contact(3, 1), contact(4, 3), contact(5, 2)});
        json records = json::array({
            sale(1, 1, {{"200", "Widget"}, {"34", "100"}}),
            sale(2, 2,
                 {{"6", userId(2)},
                  {"27", "Closed/Won Sale"},
                  {"35", "1/2/2025 10:00:00 AM"},
                  {"200", "Gadget"},
                  {"34", "50"}}),
            sale(3, 1,
                 {{"6", ""},
                  {"27", "Lost Sale"},
                  {"35", "3/15/2026 8:00:00 AM"},
                  {"200", "Gadget"},
                  {"34", "50"}}),
            sale(4, 3, {{"6", userId(2)}, {"27", "Potenzieller Auftrag"}}),
            sale(5, 4, {{"6", userId(3)}, {"27", "Sales"}}),
            sale(6, 4, {{"6", userId(3)}, {"27", ""}}),
            sale(7, 1, {{"25", ""}}),
        });
        json data = dataset(people, records);
        data["currentLookup"] = contacts({2, 3});
        data["currentContact"] = contactId(1);
        load(data);
        criteria_.chkSales = {true, true, true, false};
    }

    std::vector<std::string> run() {
        SalesFilter filter(session_, criteria_);
        EXPECT_TRUE(filter.Sales_Filter_Dispatch());
        lastContacts_ = ids(filter.sContactIDs());
        lastScope_ = filter.iScope();
        return ids(filter.sSalesIDs());
    }

    std::vector<std::string> lastContacts_;
    int lastScope_ = -1;
};

TEST_F(PipelineTest, CheckConditionsNamesTheConditionWithoutItems) {
    SalesFilter filter(session_, criteria_);
    EXPECT_EQ(filter.Check_Conditions(), 0);
    selectCondition(0, criteria::kSalesStages);
    EXPECT_EQ(filter.Check_Conditions(), 2);
    selectCondition(0, criteria::kAmounts);
    selectCondition(1, criteria::kCompetitors);
    EXPECT_EQ(filter.Check_Conditions(), 3);
    ASSERT_EQ(ui_.messages().size(), 2u);
    const auto& first = ui_.messages()[0].request;
    EXPECT_EQ(first.title, "The first condition is not properly defined!");
    EXPECT_EQ(first.text,
              "You need to choose an item from the list for the 1st condition.\r\n"
              "Or if you don't want to apply a condition, uncheck the 1st Condition checkbox.");
    EXPECT_EQ(first.icon, forms::MsgIcon::None);
    EXPECT_EQ(first.buttons, forms::MsgButtons::OK);
    const auto& second = ui_.messages()[1].request;
    EXPECT_EQ(second.title, "The second condition is not properly defined!");
    EXPECT_EQ(second.text,
              "You need to choose an item from the list for the 2nd condition.\r\n"
              "Or if you don't want to apply a second condition, uncheck the 2nd Condition "
              "checkbox.");
}

TEST_F(PipelineTest, DateAndNumberConditionsPassWhateverTheirValues) {
    selectCondition(0, criteria::kEditDate);
    selectCondition(1, criteria::kUnits);
    criteria_.conditions[1].minText = "not checked here";
    EXPECT_EQ(SalesFilter(session_, criteria_).Check_Conditions(), 0);
    EXPECT_TRUE(ui_.messages().empty());
}

TEST_F(PipelineTest, Scopes) {
    struct Case {
        const char* name;
        bool report;
        std::array<bool, 3> options;
        int scope;
        std::vector<std::string> contacts;
        std::vector<std::string> sales;
    };
    const Case cases[] = {
        {"report, current contact", true, {true, false, false}, 0, contacts({1}), sales({1, 3})},
        {"report, all contacts",
         true,
         {false, false, true},
         2,
         contacts({1, 2, 3, 4, 5}),
         sales({1, 2, 3, 4, 5, 6, 7})},
        {"lookup, replace",
         false,
         {true, false, false},
         2,
         contacts({1, 2, 3, 4, 5}),
         sales({1, 2, 3, 4, 5, 6, 7})},
        {"lookup, add to",
         false,
         {false, true, false},
         3,
         contacts({1, 2, 3, 4, 5}),
         sales({1, 2, 3, 4, 5, 6, 7})},
        {"report, current lookup", true, {false, true, false}, 1, contacts({2, 3}), sales({2, 4})},
        {"lookup, narrow", false, {false, false, true}, 1, contacts({2, 3}), sales({2, 4})},
        // A run on the current lookup restricted the shared contact table; the next run on all
        // contacts in the same start still sees every contact.
        {"report, all contacts after a lookup run",
         true,
         {false, false, true},
         2,
         contacts({1, 2, 3, 4, 5}),
         sales({1, 2, 3, 4, 5, 6, 7})},
    };
    for (const Case& c : cases) {
        criteria_.reportOutput = c.report;
        (c.report ? criteria_.optReport : criteria_.optLookup) = c.options;
        EXPECT_EQ(run(), c.sales) << c.name;
        EXPECT_EQ(lastContacts_, c.contacts) << c.name;
        EXPECT_EQ(lastScope_, c.scope) << c.name;
    }
}

TEST_F(PipelineTest, ScopeStaysWhenNoOptionIsSelected) {
    criteria_.optLookup = {false, false, true};
    SalesFilter filter(session_, criteria_);
    ASSERT_TRUE(filter.Sales_Filter_Dispatch());
    criteria_.optLookup = {false, false, false};
    ASSERT_TRUE(filter.Sales_Filter_Dispatch());
    EXPECT_EQ(filter.iScope(), kCurrentLookup);
}

TEST_F(PipelineTest, ContactManagersRestrictContactsAndTheirSales) {
    criteria_.optManagedby = {false, true};
    criteria_.selectedContactManagers = {2};
    // S7 has no contact: it must not pass the restricted scope.
    EXPECT_EQ(run(), sales({2}));
    EXPECT_EQ(lastContacts_, contacts({2, 5}));
    criteria_.selectedContactManagers = {};
    EXPECT_TRUE(run().empty());
    EXPECT_TRUE(lastContacts_.empty());
}

TEST_F(PipelineTest, CurrentContactKeptWhenItsManagerIsSelected) {
    criteria_.reportOutput = true;
    criteria_.optReport = {true, false, false};
    criteria_.optManagedby = {false, true};
    criteria_.selectedContactManagers = {1};  // C1 is managed by user 1
    EXPECT_EQ(run(), sales({1, 3}));
    EXPECT_EQ(lastContacts_, contacts({1}));
    criteria_.selectedContactManagers = {2, 3};
    EXPECT_TRUE(run().empty());
    EXPECT_TRUE(lastContacts_.empty());
}

TEST_F(PipelineTest, SalesManagersNeverMatchAnEmptyManager) {
    criteria_.optSalesManagedBy = {false, true};
    criteria_.selectedSalesManagers = {1};
    EXPECT_EQ(run(), sales({1, 7}));
    criteria_.selectedSalesManagers = {};
    EXPECT_TRUE(run().empty());
}

TEST_F(PipelineTest, CreationDateRangeIsInclusiveAndIgnoresTime) {
    criteria_.optDate = {false, true};
    criteria_.createdFrom = {2026, 3, 14, 23, 0, 0};
    criteria_.createdTo = {2026, 3, 15, 0, 0, 0};
    EXPECT_EQ(run(), sales({1, 3, 4, 5, 6, 7}));
    criteria_.createdTo = criteria_.createdFrom;
    EXPECT_EQ(run(), sales({1, 4, 5, 6, 7}));
}

TEST_F(PipelineTest, StatusBoxesMatchWholeStatusTexts) {
    struct Case {
        const char* name;
        std::array<bool, 4> boxes;
        std::vector<std::string> sales;
    };
    const Case cases[] = {
        {"no box", {false, false, false, false}, {}},
        // S5 ("Sales") is part of an accepted text and S6 has no status: neither is open.
        {"open, English or German", {true, false, false, false}, sales({1, 4, 7})},
        {"won and lost", {false, true, true, false}, sales({2, 3})},
        {"all three: no status test", {true, true, true, false}, sales({1, 2, 3, 4, 5, 6, 7})},
    };
    for (const Case& c : cases) {
        criteria_.chkSales = c.boxes;
        resetCalls();
        EXPECT_EQ(run(), c.sales) << c.name;
    }
    criteria_.chkSales = {false, false, false, false};
    resetCalls();
    run();
    EXPECT_EQ(calls("Sales.GoTo"), 0u) << "no status box: nothing to position on";
}

TEST_F(PipelineTest, ReverseSecondConditionAppliesPerSalesRecord) {
    selectCondition(0, criteria::kProducts, {"Widget", "Gadget"});
    selectCondition(1, criteria::kAmounts);
    criteria_.conditions[1].minText = "0";
    criteria_.conditions[1].maxText = "60";
    criteria_.reverseSecond = false;
    EXPECT_EQ(run(), sales({2, 3}));
    // C1's S1 meets the first condition only, its S3 both: C1 stays selected through S1.
    criteria_.reverseSecond = true;
    EXPECT_EQ(run(), sales({1}));
}

TEST_F(PipelineTest, ConditionWithoutFieldSelectsNothing) {
    SalesFilter filter(session_, criteria_);
    criteria_.conditions[0].field = -1;
    EXPECT_TRUE(filter.Filter_By_Condition(IdList::fromPacked(saleId(1)), 0, SalesFilter::Join::And)
                    .empty());
}

TEST_F(PipelineTest, NoSalesOpportunitiesLeavesContactsWithoutOpenOnes) {
    criteria_.chkSales = {false, false, false, true};
    EXPECT_TRUE(run().empty());
    EXPECT_EQ(lastContacts_, contacts({2, 4, 5}));
    // No open opportunity in scope: every scope contact.
    selectCondition(0, criteria::kProducts, {"Gizmo"});
    EXPECT_TRUE(run().empty());
    EXPECT_EQ(lastContacts_, contacts({1, 2, 3, 4, 5}));
}

TEST_F(PipelineTest, ReportWithNoSalesStillTickedEndsEmpty) {
    criteria_.reportOutput = true;
    criteria_.optReport = {false, false, true};
    criteria_.chkSales = {false, false, false, true};
    EXPECT_TRUE(run().empty());
}

TEST_F(PipelineTest, HostFailureMidStageStopsTheRun) {
    struct Case {
        const char* member;
        const char* routine;
    };
    const Case cases[] = {
        {"Sales.GoTo", "in frmMain: Function Filter_By_Type - Line # "},
        {"Sales.MoveNext", "in frmMain: Function Filter_By_Lookup - Line # "},
    };
    criteria_.chkSales = {true, false, false, false};
    for (const Case& c : cases) {
        ui_.clearRecords();
        host_->clearFaults();
        host_->failAt(c.member, 2, 57, "Device I/O error");
        SalesFilter filter(session_, criteria_);
        EXPECT_FALSE(filter.Sales_Filter_Dispatch()) << c.member;
        EXPECT_TRUE(filter.sSalesIDs().empty());
        EXPECT_TRUE(filter.sContactIDs().empty());
        ASSERT_EQ(ui_.messages().size(), 1u) << c.member;
        const auto& text = ui_.messages()[0].request.text;
        EXPECT_EQ(text.rfind("Error 57: 'Device I/O error'\r", 0), 0u) << text;
        EXPECT_NE(text.find(c.routine), std::string::npos) << text;
    }
}

TEST_F(PipelineTest, ConditionErrorStopsTheRun) {
    selectCondition(0, criteria::kAmounts);
    criteria_.conditions[0].maxText = "lots";
    SalesFilter filter(session_, criteria_);
    EXPECT_FALSE(filter.Sales_Filter_Dispatch());
    EXPECT_TRUE(filter.sSalesIDs().empty());
    EXPECT_EQ(ui_.messages().size(), 1u);
}

// A cancel is passed out of every stage as it came, with no message and no stage failure.
TEST(StageRoutine, ACancelLeavesTheStageUnannounced) {
    forms::ScriptedUi ui;
    EXPECT_THROW(runRoutine(ui, {"Library1", "Filter_By_Lookup", platform::RoutineKind::Function},
                            []() -> int { throw core::Cancelled(); }),
                 core::Cancelled);
    EXPECT_TRUE(ui.messages().empty());
}

}  // namespace
}  // namespace bp::filter::test
