// Waiting for a report builder: its lines followed as progress, its end told apart, and a
// cancel passed on by closing its standard input. Stand-in builders are shell scripts; the
// real builder is run the same way in tests/launcher.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "TestSupport.h"
#include "forms/ScriptedProgress.h"
#include "platform/Launcher.h"

namespace bp::platform {
namespace {

namespace fs = std::filesystem;
using test::ScopedEnv;
using test::TempFolder;

class ReportBuilderRunTest : public testing::Test {
protected:
    void SetUp() override {
#ifdef _WIN32
        GTEST_SKIP() << "The stand-in builders are shell scripts";
#endif
        progress_.attach(&sink_);
    }
    std::string builder(const std::string& body) {
        std::string path = folder_.file("builder");
        std::ofstream(path) << "#!/bin/sh\n" << body << "\n";
        fs::permissions(path, fs::perms::owner_all);
        return path;
    }
    BuildOutcome run(const std::string& program) {
        return runReportBuilder(program, folder_.path().string(), progress_);
    }

    TempFolder folder_;
    forms::ScriptedProgress sink_;
    core::Progress progress_;
};

TEST_F(ReportBuilderRunTest, TheBuildersLinesAreFollowedToTheEnd) {
    std::string program = builder(
        "[ \"$1\" = --progress ] || exit 9\n"
        "echo 'progress -1 Building the report'\n"
        "echo 'progress 250 Building the report'\n"
        "echo '/somewhere/report.xlsx'\n"
        "echo 'progress 1000 Building the report'");
    EXPECT_EQ(run(program), BuildOutcome::Built);
    EXPECT_EQ(sink_.phases(), std::vector<std::string>{kBuildingPhase});
    EXPECT_DOUBLE_EQ(sink_.lastFraction(), 1.0);
}

TEST_F(ReportBuilderRunTest, ItRunsInTheWorkingFolderGiven) {
    std::string program = builder("[ \"$(pwd)\" = '" + folder_.path().string() + "' ]");
    EXPECT_EQ(run(program), BuildOutcome::Built);
}

struct EndCase {
    const char* body;
    BuildOutcome outcome;
};

class BuilderEndTest : public ReportBuilderRunTest, public testing::WithParamInterface<EndCase> {};

TEST_P(BuilderEndTest, HowTheBuilderEndedIsToldApart) {
    EXPECT_EQ(run(builder(GetParam().body)), GetParam().outcome);
}

INSTANTIATE_TEST_SUITE_P(Ends, BuilderEndTest,
                         testing::Values(EndCase{"exit 0", BuildOutcome::Built},
                                         EndCase{"echo 'could not' >&2; exit 1",
                                                 BuildOutcome::Failed},
                                         EndCase{"exit 2", BuildOutcome::Died},
                                         // stopped though nobody here asked it to
                                         EndCase{"exit 3", BuildOutcome::Died},
                                         EndCase{"kill -9 $$", BuildOutcome::Died}));

TEST_F(ReportBuilderRunTest, AMissingOrUnrunnableBuilderIsNotStarted) {
    EXPECT_EQ(run(folder_.file("missing")), BuildOutcome::NotStarted);
    std::ofstream(folder_.file("plain")) << "not a program";
    EXPECT_EQ(run(folder_.file("plain")), BuildOutcome::NotStarted);
    EXPECT_TRUE(sink_.phases().empty());  // nothing was shown for a build that never began
}

TEST_F(ReportBuilderRunTest, ACancelClosesTheBuildersInputAndWaitsForItsEnd) {
    // The stand-in stops only when its input ends, and notes that it did.
    std::string marker = folder_.file("stopped");
    std::string program = builder(
        "echo 'progress 100 Building the report'\n"
        "cat > /dev/null\n"
        "touch '" +
        marker + "'\nexit 3");
    sink_.cancelIn(kBuildingPhase);
    EXPECT_THROW(run(program), core::Cancelled);
    EXPECT_TRUE(fs::exists(marker));
}

TEST_F(ReportBuilderRunTest, ABuildThatFinishedBeforeTheCancelWasHeardIsBuilt) {
    std::string program = builder("exit 0");
    sink_.cancelIn(kBuildingPhase);
    EXPECT_EQ(run(program), BuildOutcome::Built);
}

TEST_F(ReportBuilderRunTest, TheLauncherIsSuppressedOrFindsNoBuilderInAnEmptyFolder) {
    ReportBuilderLauncher launcher;
    {
        ScopedEnv suppressed("BRINDLEPATH_NO_LAUNCH", "1");
        EXPECT_EQ(launcher.buildReport(folder_.path().string(), progress_),
                  BuildOutcome::Suppressed);
    }
    ScopedEnv allowed("BRINDLEPATH_NO_LAUNCH", std::nullopt);
    EXPECT_EQ(launcher.buildReport(folder_.path().string(), progress_), BuildOutcome::NotStarted);
}

}  // namespace
}  // namespace bp::platform
