#include "act/sim/DemoGenerator.h"

#include <gtest/gtest.h>

#include <map>
#include <regex>
#include <set>

#include "act/sim/DatasetJson.h"
#include "act/sim/HostStore.h"
#include "act/sim/HostTestSupport.h"

namespace bp::sim::test {
namespace {

using nlohmann::json;

class DemoGeneratorTest : public TempHostFolder {
protected:
    json generate(const std::string& name, const DemoOptions& options) {
        DemoGenerator::generate(path(name), options);
        HostStore store(path(name));
        return DatasetJson::exportJson(store);
    }
};

TEST_F(DemoGeneratorTest, TheSameSeedGivesTheSameDatabase) {
    DemoOptions options;
    options.contacts = 60;
    options.seed = 7;
    json first = generate("a.db", options);
    EXPECT_EQ(generate("b.db", options), first);
    options.seed = 8;
    EXPECT_NE(generate("c.db", options)["sales"], first["sales"]);
}

TEST_F(DemoGeneratorTest, TheDefaultDemoIsARealisticDatabase) {
    json demo;
    {
        platform::test::ScopedEnv locale("BRINDLEPATH_LOCALE", "en_US");
        demo = generate("demo.db", DemoOptions{});
    }
    ASSERT_EQ(demo["contacts"].size(), 500u);
    EXPECT_EQ(demo["users"].size(), 8u);
    EXPECT_GT(demo["sales"].size(), 1700u);
    EXPECT_LT(demo["sales"].size(), 2500u);

    std::set<std::string> contacts, users, withSales, statuses;
    for (const auto& user : demo["users"]) {
        users.insert(user["id"].get<std::string>());
    }
    for (const auto& contact : demo["contacts"]) {
        contacts.insert(contact["1"].get<std::string>());
        EXPECT_TRUE(users.contains(contact["6"].get<std::string>()));
        EXPECT_FALSE(contact["25"].get<std::string>().empty());
    }
    const std::regex usDate(R"((\d{1,2})/(\d{1,2})/(202[456]) \d{1,2}:\d{2}:00 [AP]M)");
    std::map<int, int> empty;
    for (const auto& sale : demo["sales"]) {
        EXPECT_TRUE(contacts.contains(sale["25"].get<std::string>()));
        withSales.insert(sale["25"].get<std::string>());
        statuses.insert(sale["27"].get<std::string>());
        EXPECT_TRUE(std::regex_match(sale["35"].get<std::string>(), usDate)) << sale["35"];
        for (int field : {26, 31, 39, 200, 202, 34}) {
            empty[field] += sale.contains(std::to_string(field)) ? 0 : 1;
        }
        if (sale.contains("34") && sale.contains("32")) {
            double amount = std::stod(sale["34"].get<std::string>());
            double units = std::stod(sale["32"].get<std::string>());
            double price = std::stod(sale["33"].get<std::string>());
            EXPECT_NEAR(amount, units * price, 0.005);
        }
    }
    EXPECT_EQ(statuses,
              (std::set<std::string>{"Sales Opportunity", "Closed/Won Sale", "Lost Sale"}));
    EXPECT_LT(withSales.size(), contacts.size());  // some contacts have no sales at all
    for (const auto& [field, count] : empty) {
        EXPECT_GT(count, 0) << "field " << field << " is never empty";
    }
    EXPECT_EQ(demo["salesFieldTypes"]["35"], 7);
    EXPECT_EQ(demo["lists"]["1"].size(), 8u);
    EXPECT_FALSE(demo["salesStages"].empty());
}

TEST_F(DemoGeneratorTest, ExactSalesPerContactForBenchmarks) {
    DemoOptions options;
    options.contacts = 2000;
    options.salesPerContact = 5;
    options.varySales = false;
    options.contactsWithoutSalesPercent = 0;
    DemoSummary summary = DemoGenerator::generate(path("bench.db"), options);
    EXPECT_EQ(summary.sales, 10000);
    HostStore store(path("bench.db"));
    EXPECT_EQ(store.recordCount(TableKind::Sales), 10000);
    EXPECT_EQ(store.recordCount(TableKind::Contact), 2000);
}

TEST_F(DemoGeneratorTest, DatesAreWrittenByTheGivenLocaleFormat) {
    DemoOptions options;
    options.contacts = 20;
    options.formatDate = [](const DateTime& d) {
        char text[32];
        std::snprintf(text, sizeof text, "%02d.%02d.%04d %02d:%02d:%02d", d.day, d.month, d.year,
                      d.hour, d.minute, d.second);
        return std::string(text);
    };
    json demo = generate("de.db", options);
    const std::regex deDate(R"(\d{2}\.\d{2}\.202[456] \d{2}:\d{2}:00)");
    for (const auto& sale : demo["sales"]) {
        EXPECT_TRUE(std::regex_match(sale["35"].get<std::string>(), deDate)) << sale["35"];
    }
}

// Day and month of a German date: with leading zeros, except in Wine's copy of the Windows
// locale data.
std::string germanDay() {
#ifdef _WIN32
    if (platform::test::underWine()) {
        return R"(\d{1,2}\.\d{1,2})";
    }
#endif
    return R"(\d{2}\.\d{2})";
}

TEST_F(DemoGeneratorTest, WithoutAFormatDatesFollowTheUsersLocale) {
    DemoOptions options;
    options.contacts = 20;
    const std::vector<std::pair<const char*, std::regex>> locales = {
        {"en_US", std::regex(R"(\d{1,2}/\d{1,2}/202[456] \d{1,2}:\d{2}:00 [AP]M)")},
        {"de_DE", std::regex(germanDay() + R"(\.202[456] \d{2}:\d{2}:00)")},
    };
    for (const auto& [name, pattern] : locales) {
        platform::test::ScopedEnv locale("BRINDLEPATH_LOCALE", name);
        json demo = generate(std::string(name) + ".db", options);
        for (const auto& sale : demo["sales"]) {
            EXPECT_TRUE(std::regex_match(sale["35"].get<std::string>(), pattern))
                << name << ": " << sale["35"];
        }
    }
}

}  // namespace
}  // namespace bp::sim::test
