// The program attached to its host by automation, as real users run it on Windows: the
// stand-in server (brindlepath-host.dll) serves a temporary host database through the host's
// program ids. What the user sees when the host is missing, when it fails in the middle of a
// run, and when it closes while the main window is open.

#include <gtest/gtest.h>

#include <windows.h>

#include <nlohmann/json.hpp>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "act/automation/AutomationHost.h"
#include "act/sim/DatasetJson.h"
#include "app/AutomationHostFactory.h"
#include "app/FrmMain.h"
#include "app/Module1.h"
#include "criteria/HostFixture.h"
#include "platform/SingleInstance.h"
#include "platform/TestSupport.h"
#include "support/ProgramFiles.h"
#include "support/ReleaseHost.h"
#include "support/RunProgram.h"

namespace bp::app {
namespace {

namespace fs = std::filesystem;
using platform::test::readFile;
using platform::test::ScopedEnv;

const std::string kAppData = std::string(BRINDLEPATH_TEST_SOURCE_DIR) + "/tests/app/data/";

bp::test::ProgramResult hostTool(const std::vector<std::string>& args) {
    return bp::test::runProgram(bp::test::builtProgram("brindlepath-host"), args);
}

class AutomationStartTest : public bp::test::HostFixture {
protected:
    void SetUp() override {
        HostFixture::SetUp();
        auto registered = hostTool({"register"});
        ASSERT_EQ(registered.exitCode, 0) << registered.output;
    }
    void TearDown() override {
        bp::test::releaseHost(session);
        automation_.reset();
        // Other tests of this build find the stand-in registered, as they left it.
        hostTool({"register"});
    }

    // The session's host becomes the automation host; the in-process server opens the
    // database BRINDLEPATH_HOST names, the one the fixture imported.
    void attachByAutomation() {
        automation_ = AutomationHostFactory().open();
        session.host = automation_.get();
    }
    bp::test::ProgramResult brindlepath(const std::vector<std::string>& args) {
        return bp::test::runProgram(bp::test::builtProgram("brindlepath"), args);
    }
    bp::test::ProgramResult hostToolOnOurs(std::vector<std::string> args) {
        args.insert(args.begin(), {"--db", file("host.db")});
        return hostTool(args);
    }

    ScopedEnv attach_{"BRINDLEPATH_ATTACH", "automation"};
    ScopedEnv runtime_{"XDG_RUNTIME_DIR", folder()};
    std::unique_ptr<act::Host> automation_;
};

TEST_F(AutomationStartTest, AProgramIdNobodyRegistersIsTheHostNotInstalled) {
    ASSERT_EQ(hostTool({"unregister"}).exitCode, 0);
    try {
        AutomationHostFactory().open();
        FAIL() << "a host was opened with nothing registered";
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), kErrCannotCreateObject);
        EXPECT_NE(e.description().find("ACT! is not installed"), std::string::npos)
            << e.description();
    }
    // The batch run ends at start-up with those words and writes nothing.
    const std::string out = file("export.csv");
    auto run = brindlepath({"--run", kAppData + "export-all.ini", "--out", out});
    EXPECT_EQ(run.exitCode, 2) << run.output;
    EXPECT_NE(run.output.find("ACT! is not installed"), std::string::npos) << run.output;
    EXPECT_FALSE(fs::exists(out));
}

TEST_F(AutomationStartTest, TheAboutBoxTextSaysTheHostIsReachedByAutomation) {
    attachByAutomation();
    EXPECT_NE(session.host->describe().find("automation"), std::string::npos)
        << session.host->describe();
}

// A member that fails in the middle of the walk over the sales: the user reads the host's own
// words, and nothing half-made is left behind: no file, no changed lookup, no changed setting.
class AutomationFaultTest : public AutomationStartTest {
protected:
    void SetUp() override {
        AutomationStartTest::SetUp();
        bp::test::copyProgramFiles(BRINDLEPATH_TEST_BIN_DIR, folder());
        auto dataset = nlohmann::json::parse(readFile(kAppData + "same-output.json"));
        dataset["faults"] = {{"Sales.Data",
                              {{"after", 40},
                               {"number", 3021},
                               {"description", "The sales table is being reorganised"}}}};
        importHost(dataset.dump());
        platform::test::writeFile(file("settings.ini"), kSettingsBefore);
    }
    void expectTheHostsWordsAndNothingChanged(const bp::test::ProgramResult& run) {
        EXPECT_EQ(run.exitCode, 1) << run.output;
        EXPECT_NE(run.output.find("The sales table is being reorganised"), std::string::npos)
            << run.output;
        EXPECT_NE(run.output.find("3021"), std::string::npos) << run.output;
        // Every run loads its definition into the store's [Report] section before it
        // selects; the user's own settings, and what only a finished run records, stay.
        const std::string after = readFile(file("settings.ini"));
        EXPECT_EQ(after.substr(0, after.find("[Report]")), kSettingsBefore);
    }

    static constexpr const char* kSettingsBefore = "[Settings]\nLookup=0\n";
};

TEST_F(AutomationFaultTest, AnExportStopsWithTheHostsMessageAndWritesNoFile) {
    const std::string out = file("export.csv");
    auto run = brindlepath({"--run", kAppData + "export-all.ini", "--out", out});
    expectTheHostsWordsAndNothingChanged(run);
    EXPECT_FALSE(fs::exists(out));
}

TEST_F(AutomationFaultTest, AReportStopsWithTheHostsMessageAndWritesNoDataFile) {
    auto run = brindlepath({"--run", kAppData + "report-all.ini"});
    expectTheHostsWordsAndNothingChanged(run);
    EXPECT_FALSE(fs::exists(folder() + "/data.CSV"));
}

TEST_F(AutomationFaultTest, ALookupStopsWithTheHostsMessageAndLeavesTheHostsLookup) {
    const std::string before = hostToolOnOurs({"lookup"}).output;
    auto run = brindlepath({"--run", kAppData + "lookup-replace.ini"});
    expectTheHostsWordsAndNothingChanged(run);
    EXPECT_EQ(hostToolOnOurs({"lookup"}).output, before);
}

TEST_F(AutomationStartTest, TheHostClosingEndsTheOpenMainWindow) {
    attachByAutomation();
    platform::SingleInstance instance(file("brindlepath.lock"));
    auto window = Sub_Main(session, instance);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(window->loaded());
    window->tmrActEvent().tick();
    ASSERT_TRUE(window->loaded()) << "the window closed before the host did";

    auto closed = hostToolOnOurs({"close"});
    ASSERT_EQ(closed.exitCode, 0) << closed.output;
    // The event travels as a message of this thread; the window's timer lets it through.
    for (int tick = 0; tick < 100 && window->loaded(); ++tick) {
        ::Sleep(50);
        window->tmrActEvent().tick();
    }
    EXPECT_FALSE(window->loaded());
    EXPECT_TRUE(ui.messages().empty());
    EXPECT_EQ(session.objActApp, nullptr);
}

}  // namespace
}  // namespace bp::app
