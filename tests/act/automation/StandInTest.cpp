// The adapter against the stand-in server registered in this prefix: the program's own filter
// and lookup runs give what they give on the embedded host, with the same host calls; texts
// beyond ASCII cross the BSTR boundary whole; the host's failures and its closing reach the
// program; and a long walk leaves no memory behind.

// windows.h first: psapi.h relies on what it declares.
#include <windows.h>

#include <psapi.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <nlohmann/json.hpp>

#include "act/Session.h"
#include "act/automation/AutomationHost.h"
#include "act/sim/DatasetJson.h"
#include "act/sim/SimHost.h"
#include "criteria/Criteria.h"
#include "filter/LookupBuilder.h"
#include "filter/SalesFilter.h"
#include "forms/ScriptedUi.h"
#include "platform/TestSupport.h"
#include "support/ReleaseHost.h"
#include "support/RunProgram.h"

namespace bp::automation::test {
namespace {

using nlohmann::json;
namespace fs = std::filesystem;

json sale(const std::string& id, const std::string& owner, json fields) {
    json record = {{"1", id},
                   {"25", owner},
                   {"6", "U00000000001"},
                   {"27", "Sales Opportunity"},
                   {"35", "3/14/2026 9:30:00 AM"}};
    record.update(fields);
    return record;
}

json dataset() {
    return {
        {"users",
         {{{"id", "U00000000001"}, {"name", "Jürgen Ölmann 😀"}},
          {{"id", "U00000000002"}, {"name", "Ben Baker"}}}},
        {"contactFields",
         {{{"id", 25}, {"label", "Company"}, {"type", 1}},
          {{"id", 26}, {"label", "Contact"}, {"type", 1}}}},
        {"contacts",
         {{{"1", "C00000000001"},
           {"6", "U00000000001"},
           {"25", "東京商事"},
           {"26", "Zoë Ångström"}},
          {{"1", "C00000000002"}, {"6", "U00000000002"}, {"25", "Globex"}, {"26", "Sam Jones"}},
          {{"1", "C00000000003"}, {"6", "U00000000001"}, {"25", "Initech"}, {"26", "Pat Lee"}}}},
        {"sales",
         {sale("S00000000001", "C00000000001", {{"200", "Widget"}, {"34", "100"}}),
          sale("S00000000002", "C00000000002",
               {{"6", "U00000000002"}, {"27", "Closed/Won Sale"}, {"200", "Gadget"}}),
          sale("S00000000003", "C00000000003", {{"200", "Widget"}, {"35", "1/2/2025 10:00:00 AM"}}),
          sale("S00000000004", "C00000000001", {{"27", "Lost Sale"}, {"200", "Widget"}})}},
        {"lists", {{"1", {"Widget", "Gadget"}}}},
        {"currentLookup", {"C00000000002", "C00000000003"}},
        {"currentContact", "C00000000001"}};
}

struct RunResult {
    std::vector<std::string> sales;
    std::vector<std::string> contacts;
    std::vector<std::string> lookup;
    std::map<std::string, std::uint64_t> counts;
};

class StandInTest : public ::testing::Test {
protected:
    // Registered once for the suite (ctest's resource lock keeps the prefix's other users
    // out meanwhile).
    static void SetUpTestSuite() {
        const auto result =
            bp::test::runProgram(bp::test::builtProgram("brindlepath-host"), {"register"});
        ASSERT_EQ(result.exitCode, 0) << result.output;
    }
    static void TearDownTestSuite() {
        bp::test::runProgram(bp::test::builtProgram("brindlepath-host"), {"unregister"});
    }

    std::string hostPath() const { return folder_.file("host.db"); }

    void importDataset(const json& data) { sim::DatasetJson::importJson(hostPath(), data); }

    // Attaches as start-up does, runs the filter with one condition and builds the lookup.
    RunResult representativeRun(act::Host& host) {
        forms::ScriptedUi ui;
        act::Session session;
        session.ui = &ui;
        session.host = &host;
        session.programFolder = folder_.path().string();
        session.objActApp = host.createAppObject();
        session.objActApp->OpenFile("");
        session.objViews = session.objActApp->GetViews();
        session.objContactView = session.objViews->Create(1, "CV");
        session.objDatabase = host.createDatabase();
        session.objDatabase->OpenEx("");
        session.objContact = session.objDatabase->Contact();
        session.objSales = session.objDatabase->Sales();
        session.objUsers = session.objDatabase->GetUsers();
        session.objActApp->SaveCurrentLookup(session.programFolder + "/~currentLU.lku");
        criteria::Criteria criteria;
        criteria.optLookup = {true, false, false};
        criteria.reportOutput = false;
        criteria.chkSales = {true, true, false, false};
        auto& condition = criteria.conditions.at(0);
        condition.applied = true;
        condition.field = criteria::kProducts;
        condition.selectedItems = {"Widget"};
        filter::SalesFilter filter(session, criteria);
        EXPECT_TRUE(filter.Sales_Filter_Dispatch());
        filter::LookupBuilder builder(filter);
        EXPECT_EQ(builder.makeLookup(), filter::LookupOutcome::Created);
        RunResult result{filter.sSalesIDs().toVector(), filter.sContactIDs().toVector(),
                         hostLookup(), host.callCounts()};
        bp::test::releaseHost(session);
        return result;
    }

    std::vector<std::string> hostLookup() const {
        const auto run = hostTool({"lookup"});
        EXPECT_EQ(run.exitCode, 0) << run.output;
        std::vector<std::string> ids;
        std::string line;
        for (char c : run.output) {
            if (c == '\n' || c == '\r') {
                if (!line.empty()) {
                    ids.push_back(line);
                }
                line.clear();
            } else {
                line += c;
            }
        }
        return ids;
    }

    bp::test::ProgramResult hostTool(std::vector<std::string> args) const {
        args.insert(args.begin(), {"--db", hostPath()});
        return bp::test::runProgram(bp::test::builtProgram("brindlepath-host"), args);
    }

    platform::test::TempFolder folder_;
    platform::test::ScopedEnv hostEnv_{"BRINDLEPATH_HOST", folder_.file("host.db")};
    platform::test::ScopedEnv locale_{"BRINDLEPATH_LOCALE", std::string("en_US")};
};

TEST_F(StandInTest, ARunThroughAutomationMatchesTheEmbeddedHostCallForCall) {
    importDataset(dataset());
    RunResult automated;
    {
        AutomationHost host;
        automated = representativeRun(host);
    }
    importDataset(dataset());
    RunResult embedded;
    {
        sim::SimHost host(hostPath());
        embedded = representativeRun(host);
    }
    EXPECT_EQ(automated.sales, embedded.sales);
    EXPECT_EQ(automated.contacts, embedded.contacts);
    EXPECT_EQ(automated.lookup, embedded.lookup);
    EXPECT_FALSE(automated.sales.empty());
    EXPECT_EQ(automated.counts, embedded.counts);
}

TEST_F(StandInTest, TextsBeyondAsciiCrossWhole) {
    importDataset(dataset());
    AutomationHost host;
    auto db = host.createDatabase();
    db->OpenEx("");
    auto contact = db->Contact();
    ASSERT_TRUE(contact->GoTo("C00000000001"));
    EXPECT_EQ(contact->Data(26), "Zoë Ångström");
    EXPECT_EQ(contact->Data(25), "東京商事");
    EXPECT_EQ(db->GetUsers()->Name(1), "Jürgen Ölmann 😀");

    auto app = host.createAppObject();
    app->GetViews()->Create(1, "CV")->CreateLookup("C00000000003C00000000001");
    EXPECT_EQ(hostLookup(), (std::vector<std::string>{"C00000000003", "C00000000001"}));
    const std::string saved = folder_.file("Lookups Zoë 東京 😀.lku");
    app->SaveCurrentLookup(saved);
    ASSERT_TRUE(fs::exists(platform::test::utf8Path(saved)));
    contact->LoadLookupQuery(saved);
    contact->MoveFirst();
    std::vector<std::string> walked;
    while (!contact->isEOF()) {
        walked.push_back(contact->Data(1));
        contact->MoveNext();
    }
    EXPECT_EQ(walked.size(), 2u);
}

// A server that cannot make its object says why; the user reads that, not "call failed".
TEST_F(StandInTest, AHostThatCannotStartGivesItsReason) {
    AutomationHost host;
    try {
        host.createAppObject();
        ADD_FAILURE() << "an object was made without a host database";
    } catch (const Error& error) {
        EXPECT_NE(error.description().find("There is no host database at " + hostPath()),
                  std::string::npos)
            << error.description();
    }
}

TEST_F(StandInTest, AHostFailureMidWalkArrivesInTheHostsWords) {
    json data = dataset();
    data["faults"] = {
        {"Sales.Data",
         {{"after", 2}, {"number", 3021}, {"description", "Datensatz gesperrt: Zoë"}}}};
    importDataset(data);
    AutomationHost host;
    auto db = host.createDatabase();
    db->OpenEx("");
    auto sales = db->Sales();
    ASSERT_TRUE(sales->GoTo("S00000000001"));
    sales->Data(27);
    sales->Data(34);
    try {
        sales->Data(200);
        ADD_FAILURE() << "the third Data call did not fail";
    } catch (const Error& error) {
        EXPECT_EQ(error.number(), 3021);
        EXPECT_EQ(error.description(), "Datensatz gesperrt: Zoë");
    }
}

TEST_F(StandInTest, TheHostsClosingReachesTheProgramOnce) {
    importDataset(dataset());
    AutomationHost host;
    auto app = host.createAppObject();  // keeps the server's host alive meanwhile
    auto event = host.createEventControl();
    ASSERT_FALSE(host.eventsByPolling());
    int closes = 0;
    event->OnActUserWantsToClose = [&] { ++closes; };
    ASSERT_GE(event->Register(0), 1);
    const auto closed = hostTool({"close"});
    ASSERT_EQ(closed.exitCode, 0) << closed.output;
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (closes == 0 && std::chrono::steady_clock::now() < giveUp) {
        event->poll();
        ::Sleep(20);
    }
    // Later polls bring nothing new.
    for (int i = 0; i < 30; ++i) {
        event->poll();
        ::Sleep(20);
    }
    EXPECT_EQ(closes, 1);
    event->Unregister();
}

// The process's private committed memory. Wine 8 leaves PrivateUsage at 0 but keeps
// PagefileUsage, which Windows documents as the same commit charge, up to date.
SIZE_T privateBytes() {
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    ::GetProcessMemoryInfo(::GetCurrentProcess(),
                           reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters);
    return counters.PrivateUsage != 0 ? counters.PrivateUsage : counters.PagefileUsage;
}

TEST_F(StandInTest, AHundredThousandCallsLeaveNoMemoryBehind) {
    importDataset(dataset());
    AutomationHost host;
    auto db = host.createDatabase();
    db->OpenEx("");
    auto sales = db->Sales();
    ASSERT_TRUE(sales->GoTo("S00000000001"));
    for (int i = 0; i < 10000; ++i) {
        sales->Data(200);
    }
    const SIZE_T before = privateBytes();
    ASSERT_GT(before, 0u);
    for (int i = 0; i < 100000; ++i) {
        ASSERT_EQ(sales->Data(200), "Widget");
    }
    const SIZE_T after = privateBytes();
    EXPECT_LT(after > before ? after - before : 0, SIZE_T{256} * 1024)
        << "before " << before << ", after " << after;
}

}  // namespace
}  // namespace bp::automation::test
