// The built brindlepath-launch run as the desktop program runs it for a report: awaited, its
// progress followed, and stopped by a cancel with nothing left behind.

#include <chrono>
#include <string>
#include <vector>

#include "LauncherFixture.h"
#include "forms/ScriptedProgress.h"
#include "platform/ChildProcess.h"
#include "platform/Launcher.h"
#include "support/RunProgram.h"

namespace bp::launcher::test {
namespace {

namespace fs = std::filesystem;
using platform::test::readFile;

class WatchedBuildTest : public LauncherTest {
protected:
    void SetUp() override {
        LauncherTest::SetUp();
        Rows rows;
        for (int i = 0; i < kRows; ++i) {
            rows.push_back({"Company " + std::to_string(i)});
        }
        writeData(rows);
        stage(with(fields({{1025, "Company"}}), {{"Path", starterTemplate()}}));
        storeBefore_ = readFile(settingsPath_);
        progress_.attach(&sink_);
    }
    platform::BuildOutcome build() {
        return platform::runReportBuilder(bp::test::builtProgram("brindlepath-launch"),
                                          workingFolder(), progress_);
    }
    // Not the test's own folder: under Wine a program's working folder stays in use for a
    // moment after its end is seen, and the folder could not be removed after the test.
    static std::string workingFolder() { return testing::TempDir(); }
    // Every file the builds left in the reports folder, temporaries included.
    std::vector<std::string> reportFiles() const { return namesIn(dir_ / "Reports"); }

    // Enough rows for the build to look for a cancel many times.
    static constexpr int kRows = 40000;
    forms::ScriptedProgress sink_;
    core::Progress progress_;
    std::string storeBefore_;
};

TEST_F(WatchedBuildTest, TheBuildReportsProgressAndFinishesWithTheWorkbook) {
    EXPECT_EQ(build(), platform::BuildOutcome::Built);
    EXPECT_EQ(sink_.phases(), std::vector<std::string>{platform::kBuildingPhase});
    EXPECT_GE(sink_.lastFraction(), 0.0);  // the builder's amount of work became known
    std::vector<std::string> files = reportFiles();
    ASSERT_EQ(files.size(), 1u);
    XlsxReader workbook((dir_ / "Reports" / files[0]).string());
    EXPECT_GE(workbook.lastRow(), static_cast<size_t>(kRows));  // every row made it in
    EXPECT_EQ(readFile(settingsPath_), storeBefore_);
}

TEST_F(WatchedBuildTest, ACancelledBuildLeavesNoWorkbookAndNoChangedSetting) {
    sink_.cancelIn(platform::kBuildingPhase);
    EXPECT_THROW(build(), core::Cancelled);
    EXPECT_FALSE(fs::exists(dir_ / "Reports"));  // the folder it made for the report went too
    EXPECT_EQ(readFile(settingsPath_), storeBefore_);
}

TEST_F(WatchedBuildTest, TheBuilderWhoseInputEndsStopsWithItsOwnStatus) {
    platform::ChildProcess builder;
    ASSERT_TRUE(builder.start(bp::test::builtProgram("brindlepath-launch"),
                              {platform::kWatchedBuildOption}, workingFolder()));
    builder.closeInput();
    std::string output;
    while (!builder.exitStatus()) {
        output += builder.read(std::chrono::milliseconds(20));
    }
    EXPECT_EQ(builder.exitStatus(), kExitStopped);
    EXPECT_EQ(output.find(".xlsx"), std::string::npos);  // it named no report
    EXPECT_FALSE(fs::exists(dir_ / "Reports"));
    EXPECT_EQ(readFile(settingsPath_), storeBefore_);
}

TEST_F(WatchedBuildTest, ABuilderThatFailsOrIsMissingIsNotTakenForBuilt) {
    std::ofstream(settingsPath_, std::ios::binary) << "[Report]\nFieldsIncluded=1025%0C\n";
    EXPECT_EQ(build(), platform::BuildOutcome::Failed);  // no data file is named
    EXPECT_EQ(
        platform::runReportBuilder((dir_ / "no-builder").string(), workingFolder(), progress_),
        platform::BuildOutcome::NotStarted);
    EXPECT_EQ(reportFiles(), std::vector<std::string>{});
}

}  // namespace
}  // namespace bp::launcher::test
