// Injected faults and call counters, which tests of the other layers rely on.
#include <gtest/gtest.h>

#include "act/sim/DatasetJson.h"
#include "act/sim/HostTestSupport.h"
#include "act/sim/SimHost.h"
#include "platform/Error.h"

namespace bp::sim::test {
namespace {

using nlohmann::json;

class SimFaultsTest : public TempHostFolder {
protected:
    void SetUp() override {
        TempHostFolder::SetUp();
        DatasetJson::importText(path("host.db"), kSmallDataset);
    }
    std::unique_ptr<SimHost> hostWithFaults(const json& faults) {
        json dataset = json::parse(kSmallDataset);
        dataset["faults"] = faults;
        DatasetJson::importJson(path("faults.db"), dataset);
        return std::make_unique<SimHost>(path("faults.db"));
    }
};

TEST_F(SimFaultsTest, AMemberFailsAfterTheGivenNumberOfCalls) {
    SimHost host(path("host.db"));
    auto db = host.createDatabase();
    db->OpenEx("");
    auto sales = db->Sales();
    host.failAt("Sales.GoTo", 2, 13, "Type mismatch");
    EXPECT_TRUE(sales->GoTo("S00000000001"));
    EXPECT_TRUE(sales->GoTo("S00000000002"));
    try {
        sales->GoTo("S00000000003");
        FAIL() << "the third GoTo did not fail";
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), 13);
        EXPECT_EQ(e.description(), "Type mismatch");
    }
    EXPECT_THROW(sales->GoTo("S00000000001"), Error);
    EXPECT_EQ(sales->Data(27), "Closed/Won Sale");  // other members keep working
    host.clearFaults();
    EXPECT_TRUE(sales->GoTo("S00000000003"));
}

TEST_F(SimFaultsTest, OneCallOfAnyMemberCanFailAlone) {
    SimHost host(path("host.db"));
    auto db = host.createDatabase();
    db->OpenEx("");
    auto sales = db->Sales();
    host.failOneCall(2, 57, "Device I/O error");
    EXPECT_TRUE(sales->GoTo("S00000000001"));
    EXPECT_NO_THROW(sales->Data(27));
    try {
        sales->GoTo("S00000000002");
        FAIL() << "the third call did not fail";
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), 57);
        EXPECT_EQ(e.description(), "Device I/O error");
    }
    // The calls after it succeed again, the failed one among them.
    EXPECT_TRUE(sales->GoTo("S00000000002"));
    EXPECT_NO_THROW(sales->Data(27));
}

TEST_F(SimFaultsTest, CallsAreCountedPerMember) {
    SimHost host(path("host.db"));
    auto db = host.createDatabase();
    db->OpenEx("");
    auto contacts = db->Contact();
    for (contacts->MoveFirst(); !contacts->isEOF(); contacts->MoveNext()) {
        contacts->Data(1);
    }
    db->Sales()->GoTo("S00000000009");
    auto counts = host.callCounts();
    EXPECT_EQ(counts["Contact.MoveFirst"], 1u);
    EXPECT_EQ(counts["Contact.MoveNext"], 4u);
    EXPECT_EQ(counts["Contact.isEOF"], 5u);
    EXPECT_EQ(counts["Contact.Data"], 4u);
    EXPECT_EQ(counts["Sales.GoTo"], 1u);
    EXPECT_EQ(counts["Database.OpenEx"], 1u);
    EXPECT_FALSE(counts.contains("Sales.Data"));  // never called
}

TEST_F(SimFaultsTest, CountsArePrintedAtExitWhenAsked) {
    std::string printed;
    {
        platform::test::ScopedEnv stats("BRINDLEPATH_HOST_STATS", "1");
        testing::internal::CaptureStderr();
        SimHost host(path("host.db"));
        auto db = host.createDatabase();
        db->OpenEx("");
        db->Sales()->GoTo("S00000000001");
    }
    printed = testing::internal::GetCapturedStderr();
    EXPECT_NE(printed.find("Sales.GoTo 1\n"), std::string::npos) << printed;
    EXPECT_NE(printed.find("Database.OpenEx 1\n"), std::string::npos) << printed;
}

TEST_F(SimFaultsTest, DatasetFaultsRefuseRegisterAndAuxCalls) {
    auto host = hostWithFaults({{"Register", 0},
                                {"hostRunning", false},
                                {"AddAuxCommand", 5},
                                {"AddAuxCommandToToolbar", 3}});
    auto event = host->createEventControl();
    EXPECT_EQ(event->Register(0), 0);
    EXPECT_FALSE(event->IsHostRunning());
    auto aux = host->createAuxCmds();
    EXPECT_EQ(aux->AddAuxCommand("brindlepath", "p", "w", "d", "t", "i", "l", 1), 5);
    EXPECT_EQ(aux->AuxCommandExists("brindlepath"), 0);  // the refused definition made nothing
    EXPECT_EQ(aux->AddAuxCommandToToolbar(1, "brindlepath"), 3);
    EXPECT_NE(aux->AddAuxCommandToToolsMenu(1, "brindlepath"), 0);  // still no such command
}

TEST_F(SimFaultsTest, RegisterCanFailWhileTheHostRuns) {
    auto host = hostWithFaults({{"Register", -2}});
    auto event = host->createEventControl();
    EXPECT_EQ(event->Register(0), -2);
    EXPECT_TRUE(event->IsHostRunning());
}

TEST_F(SimFaultsTest, RegisterAnsweringMinusOneStillDeliversTheEvent) {
    SimHost host(path("host.db"));
    host.forceResult("Register", -1);
    auto event = host.createEventControl();
    int closings = 0;
    event->OnActUserWantsToClose = [&] { ++closings; };
    EXPECT_EQ(event->Register(0), -1);
    host.createAppObject()->Command(150);
    event->poll();
    EXPECT_EQ(closings, 1);
}

TEST_F(SimFaultsTest, DatasetFaultsCanThrowFromAnyMember) {
    auto host = hostWithFaults(
        {{"Sales.Data", {{"after", 1}, {"number", 438}, {"description", "No such property"}}}});
    auto db = host->createDatabase();
    db->OpenEx("");
    auto sales = db->Sales();
    sales->GoTo("S00000000001");
    EXPECT_EQ(sales->Data(27), "Sales Opportunity");
    try {
        sales->Data(27);
        FAIL() << "the second Data did not fail";
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), 438);
        EXPECT_EQ(e.description(), "No such property");
    }
}

TEST_F(SimFaultsTest, BadFaultEntriesAreRefusedAtImport) {
    auto refusal = [&](const json& faults) -> std::string {
        json dataset = json::parse(kSmallDataset);
        dataset["faults"] = faults;
        try {
            DatasetJson::importJson(path("bad.db"), dataset);
        } catch (const Error& e) {
            return e.description();
        }
        return "(accepted)";
    };
    EXPECT_NE(refusal({{"hostRunning", "no"}}), "(accepted)");
    EXPECT_NE(refusal({{"Sales.GoTo", {{"after", 1}}}}), "(accepted)");
    // Faults the host could not read back.
    EXPECT_EQ(refusal({{"Sales.Data", {{"number", 438}, {"description", 5}}}}),
              "faults.Sales.Data.description: expected a text");
    EXPECT_EQ(
        refusal({{"Sales.Data", {{"number", 438}, {"nested", json::array({json::array()})}}}}),
        "faults.Sales.Data.nested: unknown entry");
    EXPECT_FALSE(fs::exists(path("bad.db")));
}

TEST_F(SimFaultsTest, TheSetHostRunningSwitch) {
    SimHost host(path("host.db"));
    auto event = host.createEventControl();
    host.setHostRunning(false);
    EXPECT_FALSE(event->IsHostRunning());
    EXPECT_EQ(event->Register(0), 0);
    host.clearFaults();
    EXPECT_TRUE(event->IsHostRunning());
}

}  // namespace
}  // namespace bp::sim::test
