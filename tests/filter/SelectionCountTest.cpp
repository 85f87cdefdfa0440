// Counts against a host snapshot: the same contacts and sales records a run selects on the
// live host, for every scope, status and condition kind, with no host call per count; a
// snapshot read in slices, host failures met where a run meets them, incomplete conditions
// told in the run's words, and the live count's worker answering only the newest criteria.

#include <gtest/gtest.h>

#include <chrono>

#include "FilterFixture.h"
#include "filter/HostSnapshot.h"
#include "filter/LiveCount.h"
#include "filter/LookupBuilder.h"
#include "filter/SalesFilter.h"
#include "filter/SelectionCount.h"

namespace bp::filter::test {
namespace {

using Outcome = SelectionCount::Outcome;

class SelectionCountTest : public FilterFixture {
protected:
    void SetUp() override {
        FilterFixture::SetUp();
        json people = json::array(
            {contact(1, 1), contact(2, 2), contact(3, 1), contact(4, 3), contact(5, 2)});
        json records = json::array({
            sale(1, 1, {{"200", "Widget"}, {"34", "100"}, {"31", "5/1/2026"}}),
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
            sale(4, 3, {{"6", userId(2)}, {"27", "Potenzieller Auftrag"}, {"200", "Widget"}}),
            sale(5, 4, {{"6", userId(3)}, {"27", "Sales"}}),
            sale(6, 5, {{"6", userId(3)}, {"200", "Gadget"}, {"34", "75"}}),
            sale(7, 1, {{"25", ""}}),
        });
        json data = dataset(people, records);
        data["currentLookup"] = contacts({2, 3});
        data["currentContact"] = contactId(1);
        load(data);
        criteria_.chkSales = {true, true, true, false};
    }

    SelectionCount count() {
        if (!snapshot_) {
            snapshot_ = readSnapshot(session_);
        }
        return countSelection(snapshot_, session_.programFolder, criteria_);
    }

    // What a run of the criteria selects on the live host, counted the same way.
    std::pair<std::uint64_t, std::uint64_t> runOnHost() {
        SalesFilter filter(session_, criteria_);
        EXPECT_EQ(filter.Check_Conditions(), 0);
        EXPECT_TRUE(filter.Sales_Filter_Dispatch());
        LookupBuilder builder(filter);
        if (criteria_.reportOutput) {
            return {builder.Convert(filter.sSalesIDs()).size(), filter.sSalesIDs().size()};
        }
        if (builder.selectContacts() != LookupOutcome::Created) {
            return {0, filter.sSalesIDs().size()};
        }
        IdList held = builder.sContactIDs();
        if (filter.iScope() == kAllContactsAddToLookup) {
            builder.Add_Lookup(held);
        }
        return {held.size(), filter.sSalesIDs().size()};
    }

    void expectSameAsRun(const std::string& what) {
        SelectionCount counted = count();
        ASSERT_EQ(counted.outcome, Outcome::Counted) << what << ": " << counted.message;
        auto [contacts, opportunities] = runOnHost();
        EXPECT_EQ(counted.contacts, contacts) << what;
        EXPECT_EQ(counted.opportunities, opportunities) << what;
    }

    std::shared_ptr<const HostSnapshot> snapshot_;
};

TEST_F(SelectionCountTest, EveryScopeStatusAndConditionKindCountsWhatTheRunSelects) {
    const std::array<std::array<bool, 4>, 5> statuses{{{true, false, false, false},
                                                       {false, true, true, false},
                                                       {true, true, true, false},
                                                       {true, false, false, true},
                                                       {false, false, false, true}}};
    for (bool report : {false, true}) {
        for (int scope = 0; scope < 3; ++scope) {
            for (const auto& status : statuses) {
                criteria_ = {};
                criteria_.reportOutput = report;
                criteria_.optLookup = {scope == 0, scope == 1, scope == 2};
                criteria_.optReport = {scope == 0, scope == 1, scope == 2};
                criteria_.chkSales = status;
                std::string what = std::string(report ? "report" : "lookup") + " scope " +
                                   std::to_string(scope) + " status " +
                                   std::to_string(status[0]) + std::to_string(status[1]) +
                                   std::to_string(status[2]) + std::to_string(status[3]);
                expectSameAsRun(what);
                selectCondition(0, criteria::kProducts, {"Gadget"});
                expectSameAsRun(what + ", products");
                selectCondition(1, criteria::kAmounts);
                criteria_.conditions[1].minText = "60";
                criteria_.reverseSecond = true;
                expectSameAsRun(what + ", products and not amounts from 60");
                criteria_.optManagedby = {false, true};
                criteria_.selectedContactManagers = {1, 2};
                expectSameAsRun(what + ", contact managers 1 and 2");
            }
        }
    }
}

TEST_F(SelectionCountTest, ManagersDatesAndAllItemsCountAsTheRunSelects) {
    criteria_.optSalesManagedBy = {false, true};
    criteria_.selectedSalesManagers = {2, 3};
    expectSameAsRun("sales managers");
    criteria_.optDate = {false, true};
    criteria_.createdFrom = {2026, 1, 1};
    criteria_.createdTo = {2026, 12, 31};
    expectSameAsRun("created in 2026");
    criteria_ = {};
    criteria_.chkSales = {true, true, true, false};
    selectCondition(0, criteria::kProducts, {"Widget", "Gadget"});
    criteria_.conditions[0].atLeastOne = false;
    expectSameAsRun("all items");
    criteria_.conditions[0] = {};
    selectCondition(0, criteria::kForecastedCloseDates);
    criteria_.conditions[0].start = {2026, 4, 1};
    criteria_.conditions[0].end = {2026, 6, 30};
    expectSameAsRun("forecast dates");
}

TEST_F(SelectionCountTest, ACountAsksTheHostNothing) {
    snapshot_ = readSnapshot(session_);
    resetCalls();
    criteria_.optLookup = {false, false, true};
    selectCondition(0, criteria::kProducts, {"Widget"});
    SelectionCount counted = count();
    EXPECT_EQ(counted.outcome, Outcome::Counted);
    EXPECT_EQ(counted.contacts, 1u);  // contact 3 of the lookup {2, 3} owns a widget
    for (const auto& [member, calls] : host_->callCounts()) {
        EXPECT_EQ(calls, baseline_[member]) << member;
    }
    // Reading it cost the host a fixed number of calls per record.
    EXPECT_GT(snapshot_->hostCalls, 7u * HostSnapshot::kSalesFields.size());
}

TEST_F(SelectionCountTest, ReadingTheSnapshotLeavesTheHostAsARunExpectsIt) {
    criteria_.optLookup = {true, false, false};
    auto before = runOnHost();
    readSnapshot(session_);
    EXPECT_FALSE(session_.bContactLookupLoaded());
    EXPECT_FALSE(std::filesystem::exists(folder_ / "temp.lku"));  // read, then removed
    EXPECT_EQ(runOnHost(), before);
    criteria_.optLookup = {false, false, true};
    auto narrowed = runOnHost();
    readSnapshot(session_);
    EXPECT_EQ(runOnHost(), narrowed);
}

TEST_F(SelectionCountTest, ASnapshotReadInSlicesHoldsEveryRecord) {
    json people = json::array();
    json records = json::array();
    for (int n = 1; n <= 400; ++n) {
        people.push_back(contact(n, 1 + n % 3));
        for (int s = 0; s < 5; ++s) {
            records.push_back(sale(n * 5 + s, n, {{"34", std::to_string(n * 10 + s)}}));
        }
    }
    load(dataset(people, records));
    SnapshotReader reader(session_);
    int slices = 1;
    while (!reader.readFor(std::chrono::microseconds(1))) {
        ++slices;
    }
    EXPECT_GT(slices, 10);
    snapshot_ = reader.snapshot();
    EXPECT_EQ(snapshot_->sales.rows(), 2000u);
    EXPECT_EQ(snapshot_->contacts.rows(), 400u);
    selectCondition(0, criteria::kAmounts);
    criteria_.conditions[0].minText = "1000";
    criteria_.conditions[0].maxText = "1999";
    expectSameAsRun("amounts 1000 to 1999");
    EXPECT_EQ(count().opportunities, 500u);
}

TEST_F(SelectionCountTest, IncompleteConditionsSayWhatIsMissingInTheRunsWords) {
    selectCondition(1, criteria::kCompetitors);
    SelectionCount counted = count();
    EXPECT_EQ(counted.outcome, Outcome::Incomplete);
    EXPECT_EQ(counted.title, "The second condition is not properly defined!");
    EXPECT_EQ(counted.message.rfind("You need to choose an item from the list for the 2nd", 0),
              0u);
    EXPECT_TRUE(ui_.messages().empty());  // told to the count, not the user
}

TEST_F(SelectionCountTest, AHostFailureWhileReadingALookupFailsTheCountWhereARunFails) {
    host_->failAt("App.SaveCurrentLookup", 0, 57, "Device I/O error");
    snapshot_ = readSnapshot(session_);
    host_->clearFaults();
    criteria_.optLookup = {false, false, true};  // narrow the current lookup
    SelectionCount counted = count();
    EXPECT_EQ(counted.outcome, Outcome::Failed);
    EXPECT_EQ(counted.message.rfind("Error 57: 'Device I/O error'\r", 0), 0u) << counted.message;
    EXPECT_NE(counted.message.find("Function GetLookup"), std::string::npos) << counted.message;
    criteria_.optLookup = {true, false, false};  // all contacts need no lookup
    EXPECT_EQ(count().outcome, Outcome::Counted);
}

TEST_F(SelectionCountTest, ABadBoundFailsTheCountWithTheRunsMessage) {
    selectCondition(0, criteria::kAmounts);
    criteria_.conditions[0].maxText = "lots";
    SelectionCount counted = count();
    EXPECT_EQ(counted.outcome, Outcome::Failed);
    EXPECT_FALSE(counted.message.empty());
}

TEST_F(SelectionCountTest, ACountNoLongerWantedEndsCancelled) {
    snapshot_ = readSnapshot(session_);
    SelectionCount counted =
        countSelection(snapshot_, session_.programFolder, criteria_, [] { return true; });
    EXPECT_EQ(counted.outcome, Outcome::Cancelled);
}

TEST_F(SelectionCountTest, TheLiveCountAnswersOnlyTheNewestCriteria) {
    snapshot_ = readSnapshot(session_);
    LiveCount live;
    EXPECT_FALSE(live.counting());
    EXPECT_FALSE(live.take());
    criteria::Criteria all = criteria_;
    criteria::Criteria widgets = criteria_;
    widgets.conditions[0] = {.applied = true, .field = criteria::kProducts,
                             .selectedItems = {"Widget"}};
    for (int n = 0; n < 20; ++n) {
        live.start(snapshot_, session_.programFolder, n % 2 == 0 ? all : widgets);
    }
    live.start(snapshot_, session_.programFolder, widgets);
    std::optional<SelectionCount> counted = live.wait();
    ASSERT_TRUE(counted);
    EXPECT_EQ(counted->outcome, Outcome::Counted);
    EXPECT_EQ(counted->opportunities, 2u);  // sales 1 and 4
    EXPECT_FALSE(live.counting());
    EXPECT_FALSE(live.take());  // handed out once
    EXPECT_FALSE(live.wait());
    live.start(snapshot_, session_.programFolder, all);
    std::optional<SelectionCount> taken;
    for (int n = 0; n < 5000 && !taken; ++n) {
        taken = live.take();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ASSERT_TRUE(taken);
    EXPECT_EQ(taken->opportunities, 7u);
}

}  // namespace
}  // namespace bp::filter::test
