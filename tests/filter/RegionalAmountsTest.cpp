// Amount conditions under regional settings with a decimal comma or a space for grouping: the
// host writes its amounts with a "." before the decimals whatever the region, the user types
// the bounds the regional way, and every region selects what en_US selects.

#include <gtest/gtest.h>

#include "FilterFixture.h"
#include "filter/Library2.h"
#include "filter/SalesFilter.h"
#include "platform/Locale.h"

namespace bp::filter::test {
namespace {

struct Region {
    const char* name;
    const char* lower;  // 1,000 typed the region's way
    const char* upper;  // 5,000.50
};

const Region kRegions[] = {
    {"en_US", "1,000", "5,000.50"},
    {"de_DE", "1.000", "5.000,50"},
    {"fr_FR", "1 000", "5 000,50"},
    {"en_GB", "1,000", "5,000.50"},
};

class RegionalAmountsTest : public FilterFixture {
protected:
    // The host writes its dates in the user's region; its amounts always with a ".".
    void loadIn(const char* region) {
        platform::Locale locale(region);
        std::string created = locale.formatDateTime({2026, 3, 14, 9, 30, 0});
        auto record = [&](int n, int owner, const char* amount) {
            return sale(n, owner, {{"34", amount}, {"35", created}});
        };
        load(dataset(
            json::array({contact(1), contact(2), contact(3), contact(4)}),
            json::array({record(1, 1, "999.99"), record(2, 2, "1000.00"), record(3, 2, "2500.50"),
                         record(4, 3, "5000.49"), record(5, 3, "5000.51"),
                         record(6, 4, "12345678.90"), record(7, 4, "")})));
        criteria_.chkSales = {true, true, true, false};
        criteria_.optDate = {false, true};
        criteria_.createdFrom = {2026, 3, 1, 0, 0, 0};
        criteria_.createdTo = {2026, 3, 31, 0, 0, 0};
    }

    IdList allSales() const {
        std::string packed;
        for (int n = 1; n <= 7; ++n) {
            packed += saleId(n);
        }
        return IdList::fromPacked(packed);
    }
};

TEST_F(RegionalAmountsTest, BetweenReadsHostAmountsWhateverTheRegion) {
    for (const Region& region : kRegions) {
        platform::test::ScopedEnv locale("BRINDLEPATH_LOCALE", std::string(region.name));
        loadIn(region.name);
        Library2 library(session_, criteria_);
        std::string range = std::string(region.lower) + kItemSeparator + region.upper;
        // The bounds are whole numbers: 5,000.50 rounds half to even to 5,000.
        EXPECT_EQ(ids(library.Select_ID(allSales(), 34, "Between", range, kSalesId, false)),
                  sales({2, 3}))
            << region.name;
        EXPECT_EQ(ids(library.Select_ID(allSales(), 34, "Between", range, kSalesId, true)),
                  sales({1, 4, 5, 6}))
            << region.name;
        EXPECT_TRUE(ui_.messages().empty()) << region.name;
    }
}

TEST_F(RegionalAmountsTest, AmountConditionSelectsTheSameSalesInEveryRegion) {
    for (const Region& region : kRegions) {
        platform::test::ScopedEnv locale("BRINDLEPATH_LOCALE", std::string(region.name));
        loadIn(region.name);
        selectCondition(0, criteria::kAmounts);
        criteria_.conditions[0].minText = region.lower;
        criteria_.conditions[0].maxText = "";
        SalesFilter filter(session_, criteria_);
        ASSERT_TRUE(filter.Sales_Filter_Dispatch()) << region.name;
        EXPECT_EQ(ids(filter.sSalesIDs()), sales({2, 3, 4, 5, 6})) << region.name;
    }
}

}  // namespace
}  // namespace bp::filter::test
