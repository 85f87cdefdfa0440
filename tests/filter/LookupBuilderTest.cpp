// Lookup building: what the host is asked and the lookup it ends up showing, for replacing,
// adding to and narrowing the lookup, with and without "No Sales Opportunities".

#include <gtest/gtest.h>

#include "FilterFixture.h"
#include "filter/LookupBuilder.h"
#include "filter/SalesFilter.h"

namespace bp::filter::test {
namespace {

class LookupBuilderTest : public FilterFixture {
protected:
    void SetUp() override {
        FilterFixture::SetUp();
        json people = json::array({contact(1), contact(2), contact(3), contact(4)});
        json records = json::array({
            sale(1, 3, {{"200", "Widget"}}),
            sale(2, 1, {{"200", "Widget"}}),
            sale(3, 3, {{"200", "Widget"}}),
            sale(4, 2, {{"200", "Gadget"}}),
            sale(5, 4, {{"27", "Lost Sale"}}),
            sale(6, 1, {{"200", "Gizmo"}, {"25", ""}}),
        });
        json data = dataset(people, records);
        data["currentLookup"] = contacts({4, 2});
        load(data);  // the start-up lookup: C2, C4
    }

    LookupOutcome runLookup(std::array<bool, 3> mode) {
        criteria_.reportOutput = false;
        criteria_.optLookup = mode;
        SalesFilter filter(session_, criteria_);
        EXPECT_TRUE(filter.Sales_Filter_Dispatch());
        LookupBuilder builder(filter);
        resetCalls();
        return builder.makeLookup();
    }

    std::vector<std::string> hostLookup() {
        return store().currentLookup().value_or(std::vector<std::string>{});
    }

    static constexpr std::array<bool, 3> kReplace{true, false, false};
    static constexpr std::array<bool, 3> kAdd{false, true, false};
    static constexpr std::array<bool, 3> kNarrow{false, false, true};
};

TEST_F(LookupBuilderTest, ReplaceShowsEachOwnerOnceOnTheSalesTab) {
    selectCondition(0, criteria::kProducts, {"Widget"});
    EXPECT_EQ(runLookup(kReplace), LookupOutcome::Created);
    // C3 owns two matching sales and comes first in the walked list.
    EXPECT_EQ(hostLookup(), contacts({3, 1}));
    EXPECT_EQ(calls("App.Command"), 1u);
    EXPECT_EQ(store().commands().back(), 701);
    EXPECT_EQ(calls("Views.Create"), 1u);
    EXPECT_EQ(calls("ContactView.CreateLookup"), 1u);
    EXPECT_EQ(store().meta("activeTab", ""), "Sales/Opportunities");
}

TEST_F(LookupBuilderTest, AddAppendsTheStartupLookupOnce) {
    selectCondition(0, criteria::kProducts, {"Widget", "Gadget"});
    EXPECT_EQ(runLookup(kAdd), LookupOutcome::Created);
    EXPECT_EQ(hostLookup(), contacts({3, 1, 2, 4}));
    EXPECT_EQ(calls("Contact.LoadLookupQuery"), 1u);
}

TEST_F(LookupBuilderTest, NarrowNeverLeavesTheCurrentLookup) {
    selectCondition(0, criteria::kProducts, {"Widget", "Gadget"});
    EXPECT_EQ(runLookup(kNarrow), LookupOutcome::Created);
    EXPECT_EQ(hostLookup(), contacts({2}));
}

TEST_F(LookupBuilderTest, AddWithNoSalesOpportunitiesAddsTheStartupLookup) {
    criteria_.chkSales = {false, false, false, true};
    EXPECT_EQ(runLookup(kAdd), LookupOutcome::Created);
    // Every contact but C4 has an open opportunity; C2 comes from the start-up lookup.
    EXPECT_EQ(hostLookup(), contacts({4, 2}));
}

TEST_F(LookupBuilderTest, SaleWithNoContactAddsNoContact) {
    selectCondition(0, criteria::kProducts, {"Gizmo"});
    EXPECT_EQ(runLookup(kReplace), LookupOutcome::NothingFound);
    EXPECT_EQ(calls("ContactView.CreateLookup") + calls("App.Command"), 0u);
    selectCondition(0, criteria::kProducts, {"Gizmo", "Gadget"});
    EXPECT_EQ(runLookup(kReplace), LookupOutcome::Created);
    EXPECT_EQ(hostLookup(), contacts({2}));
}

TEST_F(LookupBuilderTest, NothingFoundAsksTheHostNothing) {
    selectCondition(0, criteria::kProducts, {"Nothing"});
    EXPECT_EQ(runLookup(kReplace), LookupOutcome::NothingFound);
    EXPECT_EQ(calls("App.Command") + calls("Views.Create"), 0u);
    EXPECT_EQ(hostLookup(), contacts({4, 2}));
}

TEST_F(LookupBuilderTest, HostFailureIsReportedAndLeavesTheLookup) {
    selectCondition(0, criteria::kProducts, {"Widget"});
    host_->failAt("ContactView.CreateLookup", 0, 57, "Device I/O error");
    EXPECT_EQ(runLookup(kReplace), LookupOutcome::Failed);
    ASSERT_EQ(ui_.messages().size(), 1u);
    EXPECT_NE(ui_.messages()[0].request.text.find("in frmMain: Sub Create_Lookup"),
              std::string::npos);
    EXPECT_EQ(hostLookup(), contacts({4, 2}));
}

TEST_F(LookupBuilderTest, CrossLookupKeepsTheOrderOfTheWalkedList) {
    SalesFilter filter(session_, criteria_);  // no run yet: no sales records
    LookupBuilder builder(filter);
    IdList a = IdList::fromPacked(contactId(3) + contactId(1) + contactId(2));
    IdList b = IdList::fromPacked(contactId(2) + contactId(4) + contactId(3));
    EXPECT_EQ(ids(builder.Cross_Lookup(a, b)), contacts({3, 2}));
    ASSERT_TRUE(filter.Sales_Filter_Dispatch());  // six sales records: more than B holds
    EXPECT_EQ(ids(builder.Cross_Lookup(a, b)), contacts({2, 3}));
}

TEST_F(LookupBuilderTest, ConvertListsEachContactOnceInOrderOfFirstSale) {
    SalesFilter filter(session_, criteria_);
    LookupBuilder builder(filter);
    IdList sold = IdList::fromPacked(saleId(6) + saleId(1) + saleId(2) + saleId(3));
    EXPECT_EQ(ids(builder.Convert(sold)), contacts({3, 1}));
}

}  // namespace
}  // namespace bp::filter::test
