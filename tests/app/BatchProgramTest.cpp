// The built brindlepath program started from the command line: mistakes on the command line
// and a build without windows. What its runs produce is checked by SameOutputTest.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/TestSupport.h"
#include "support/ProgramFiles.h"
#include "support/RunProgram.h"

namespace bp::app {
namespace {

namespace fs = std::filesystem;
using platform::test::ScopedEnv;
using platform::test::TempFolder;

class BatchProgramTest : public testing::Test {
protected:
    BatchProgramTest() { bp::test::copyProgramFiles(BRINDLEPATH_TEST_BIN_DIR, program_); }

    bp::test::ProgramResult brindlepath(const std::vector<std::string>& args) {
        return bp::test::runProgram(bp::test::builtProgram("brindlepath"), args);
    }

    TempFolder folder_;
    std::string program_ = folder_.file("program");
    std::string hostDb_ = folder_.file("host.db");
    ScopedEnv home_{"BRINDLEPATH_HOME", program_};
    ScopedEnv hostEnv_{"BRINDLEPATH_HOST", hostDb_};
    ScopedEnv settings_{"BRINDLEPATH_SETTINGS", folder_.file("settings.ini")};
    ScopedEnv locale_{"BRINDLEPATH_LOCALE", "en_US"};
    ScopedEnv noLaunch_{"BRINDLEPATH_NO_LAUNCH", "1"};
    ScopedEnv runtime_{"XDG_RUNTIME_DIR", folder_.path().string()};
};

// Words after --run that are not understood are echoed back as the user typed them, letters
// outside ASCII included, and the run does not start.
TEST_F(BatchProgramTest, AMistakeAfterRunIsNamedAndTheUsageShown) {
    const struct {
        std::vector<std::string> args;
        const char* says;
    } cases[] = {
        {{"--run", "--bogüs"}, "brindlepath: unexpected --bogüs after --run"},
        {{"--run", "a.ini", "b.ini"}, "brindlepath: unexpected b.ini after --run"},
        {{"--run", "--out"}, "brindlepath: --out needs a file"},
    };
    for (const auto& c : cases) {
        auto run = brindlepath(c.args);
        EXPECT_EQ(run.exitCode, 2) << c.says;
        EXPECT_NE(run.output.find(c.says), std::string::npos) << run.output;
        EXPECT_NE(run.output.find("usage: brindlepath --run [SELECTION.ini] [--out FILE | --count]"),
                  std::string::npos)
            << run.output;
    }
}

TEST_F(BatchProgramTest, ABuildWithoutWindowsRefusesEverythingButTheBatchRun) {
#ifndef BRINDLEPATH_TEST_BATCH_ONLY
    GTEST_SKIP() << "this build opens its windows when started without --run";
#endif
    const std::vector<std::vector<std::string>> commands = {
        {},
        {"--screenshots", folder_.file("shots")},
        {"--integrate"},
        {"--frobnicate"},
        {"Zoë.ini"}};
    for (const auto& args : commands) {
        auto run = brindlepath(args);
        EXPECT_EQ(run.exitCode, 2) << run.output;
        EXPECT_NE(run.output.find("brindlepath: this build has no windows yet"), std::string::npos)
            << run.output;
        EXPECT_NE(run.output.find("usage: brindlepath --run [SELECTION.ini] [--out FILE | --count]"),
                  std::string::npos)
            << run.output;
    }
    EXPECT_FALSE(fs::exists(folder_.file("shots")));
    auto unknown = brindlepath({"Zoë.ini"});
    EXPECT_NE(unknown.output.find("unknown option Zoë.ini"), std::string::npos) << unknown.output;
}

// Words the program does not understand open no window: the program names them, shows every
// way it is called and ends, even though it is a program with windows.
TEST_F(BatchProgramTest, AMistakeOnTheCommandLineOpensNoWindow) {
#ifdef BRINDLEPATH_TEST_BATCH_ONLY
    GTEST_SKIP() << "this build has no windows";
#endif
    const struct {
        std::vector<std::string> args;
        const char* says;
    } cases[] = {
        {{"--frobnicate"}, "brindlepath: unknown option --frobnicate"},
        {{"Zoë.ini"}, "brindlepath: unknown option Zoë.ini"},
        {{"--integrate", "now"}, "brindlepath: unexpected now after --integrate"},
        {{"--screenshots"}, "brindlepath: --screenshots needs one folder"},
    };
    for (const auto& c : cases) {
        auto run = brindlepath(c.args);
        EXPECT_EQ(run.exitCode, 2) << run.output;
        EXPECT_NE(run.output.find(c.says), std::string::npos) << run.output;
        EXPECT_NE(run.output.find("usage: brindlepath [--integrate | --screenshots DIR | --run "
                                  "[SELECTION.ini] [--out FILE | --count]]"),
                  std::string::npos)
            << run.output;
    }
}

}  // namespace
}  // namespace bp::app
