// The server's calls count as the embedded host's own: one host call per automation call, on
// one host shared by every object of the process and released with the last of them.
#include <gtest/gtest.h>

#include "act/sim/SimHost.h"
#include "act/standin/HostWalk.h"
#include "act/standin/StandinTestSupport.h"
#include "platform/TestSupport.h"

namespace bp::standin::test {
namespace {

class StandinCallsTest : public StandinTest {};

TEST_F(StandinCallsTest, EachAutomationCallIsOneHostCall) {
    std::string report;
    {
        platform::test::ScopedEnv stats("BRINDLEPATH_HOST_STATS", "1");
        CapturedStandardError captured(path("stderr.txt"));
        walkThroughAutomation();
        // Every object is released by now, so the server's host has gone and reported.
        report = captured.text();
    }
    EXPECT_NE(report.find("host calls ("), std::string::npos) << report;
    sim::SimHost host(hostPath());
    walkDirectly(host);
    const auto counts = callCounts(report);
    EXPECT_EQ(counts, host.callCounts());
    EXPECT_EQ(counts.count("Contact.Data"), 1u);
}

TEST_F(StandinCallsTest, ObjectsCreatedTogetherShareOneHost) {
    std::string report;
    {
        platform::test::ScopedEnv stats("BRINDLEPATH_HOST_STATS", "1");
        CapturedStandardError captured(path("stderr.txt"));
        {
            Dispatch app = create("ACTOLE.APPOBJECT");
            Dispatch db = openDatabase();
            app.get("IsDBOpen");
            db.get("CurrentUser");
            db.get("CurrentUser");
        }
        report = captured.text();
    }
    // One report, with the calls of both objects in it.
    EXPECT_EQ(report.find("host calls ("), report.rfind("host calls (")) << report;
    const auto counts = callCounts(report);
    EXPECT_EQ(counts.at("App.IsDBOpen"), 1u) << report;
    EXPECT_EQ(counts.at("Database.CurrentUser"), 2u) << report;
}

}  // namespace
}  // namespace bp::standin::test
