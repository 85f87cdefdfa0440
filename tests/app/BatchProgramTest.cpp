// The built brindlepath program run on a fixed host dataset, as a user or a scheduled job
// starts it: every output (the host's lookup, the report's data file, a CSV export) must be
// exactly the bytes kept under tests/app/data/expected, on Linux and on Windows alike.
#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "platform/TestSupport.h"
#include "support/RunProgram.h"

namespace bp::app {
namespace {

namespace fs = std::filesystem;
using platform::test::readFile;
using platform::test::ScopedEnv;
using platform::test::TempFolder;

const std::string kData = std::string(BRINDLEPATH_TEST_SOURCE_DIR) + "/tests/app/data/";

enum class Output { Lookup, DataFile, Export };

struct Case {
    const char* name;  // of the selection file and of the expected output
    Output output;
};

void PrintTo(const Case& c, std::ostream* os) {
    *os << c.name;
}

// Files the program reads from its folder: definitions, templates, help; not the programs.
void copyProgramFiles(const fs::path& from, const fs::path& to) {
    fs::create_directories(to);
    for (const auto& entry : fs::directory_iterator(from)) {
        const fs::path name = entry.path().filename();
        if (entry.is_directory()) {
            fs::copy(entry.path(), to / name, fs::copy_options::recursive);
        } else if (name.has_extension() && name.extension() != ".exe") {
            fs::copy_file(entry.path(), to / name);
        }
    }
}

class BatchProgramTest : public testing::Test {
protected:
    BatchProgramTest() { copyProgramFiles(BRINDLEPATH_TEST_BIN_DIR, program_); }

    bp::test::ProgramResult host(std::vector<std::string> args) {
        args.insert(args.begin(), {"--db", hostDb_});
        return bp::test::runProgram(bp::test::builtProgram("brindlepath-host"), args);
    }
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

class SameOutputTest : public BatchProgramTest, public testing::WithParamInterface<Case> {};

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
        EXPECT_NE(run.output.find("usage: brindlepath --run [SELECTION.ini] [--out FILE]"),
                  std::string::npos)
            << run.output;
    }
}

TEST_F(BatchProgramTest, ABuildWithoutWindowsRefusesEverythingButTheBatchRun) {
#ifndef BRINDLEPATH_TEST_BATCH_ONLY
    GTEST_SKIP() << "this build opens its windows when started without --run";
#endif
    const std::vector<std::vector<std::string>> commands = {
        {}, {"--screenshots", folder_.file("shots")}, {"--frobnicate"}, {"Zoë.ini"}};
    for (const auto& args : commands) {
        auto run = brindlepath(args);
        EXPECT_EQ(run.exitCode, 2) << run.output;
        EXPECT_NE(run.output.find("brindlepath: this build has no windows yet"), std::string::npos)
            << run.output;
        EXPECT_NE(run.output.find("usage: brindlepath --run [SELECTION.ini] [--out FILE]"),
                  std::string::npos)
            << run.output;
    }
    EXPECT_FALSE(fs::exists(folder_.file("shots")));
    auto unknown = brindlepath({"Zoë.ini"});
    EXPECT_NE(unknown.output.find("unknown option Zoë.ini"), std::string::npos) << unknown.output;
}

TEST_P(SameOutputTest, GivesTheExpectedBytes) {
    const Case& c = GetParam();
    auto imported = host({"import", kData + "same-output.json"});
    ASSERT_EQ(imported.exitCode, 0) << imported.output;

    const std::string out = folder_.file("export.csv");
    auto run = brindlepath({"--run", kData + c.name + ".ini", "--out", out});
    ASSERT_EQ(run.exitCode, 0) << run.output;

    std::string produced;
    std::string expected = kData + "expected/" + c.name;
    switch (c.output) {
        case Output::Lookup: {
            auto lookup = host({"lookup"});
            ASSERT_EQ(lookup.exitCode, 0) << lookup.output;
            produced = lookup.output;
            expected += ".txt";
            break;
        }
        case Output::DataFile:
            produced = readFile(program_ + "/data.CSV");
            expected += ".data.CSV";
            break;
        case Output::Export:
            produced = readFile(out);
            expected += ".csv";
            break;
    }
    ASSERT_FALSE(produced.empty());
    EXPECT_EQ(produced, readFile(expected)) << expected;
}

INSTANTIATE_TEST_SUITE_P(OnTheFixedDataset, SameOutputTest,
                         testing::Values(Case{"lookup-replace", Output::Lookup},
                                         Case{"lookup-add-amounts", Output::Lookup},
                                         Case{"export-all", Output::Export},
                                         Case{"export-conditions", Output::Export},
                                         Case{"report-all", Output::DataFile},
                                         Case{"report-lookup-probability", Output::DataFile}),
                         [](const testing::TestParamInfo<Case>& param) {
                             std::string name = param.param.name;
                             std::erase(name, '-');
                             return name;
                         });

}  // namespace
}  // namespace bp::app
