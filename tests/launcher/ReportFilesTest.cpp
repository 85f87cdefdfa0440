// What the report builder reads and leaves on disk: only a regular data file of sensible
// size is read, and a build killed half-way leaves nothing the next build does not remove.

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "LauncherFixture.h"
#include "core/Progress.h"
#include "launcher/DataFile.h"
#include "launcher/ReportBuilder.h"
#include "platform/ProcessId.h"
#include "support/KillDuringSaves.h"
#ifdef _WIN32
#include "support/NamedPipe.h"
#else
#include "support/FifoWatchdog.h"
#endif

namespace bp::launcher::test {
namespace {

namespace fs = std::filesystem;

TEST_F(LauncherTest, ADataFileThatIsAPipeIsRefusedWithoutWaiting) {
#ifdef _WIN32
    bp::test::NamedPipe pipe;
    ASSERT_TRUE(pipe.active());
    dataPath_ = pipe.path();
    stage(kOneColumn);
#else
    stage(kOneColumn);
    ASSERT_EQ(::mkfifo(dataPath_.c_str(), 0600), 0);
    bp::test::FifoWatchdog watchdog(dataPath_);
#endif
    EXPECT_EQ(run(), kExitFailed);
    ASSERT_EQ(desktop_.errors.size(), 1u);
    EXPECT_NE(desktop_.errors[0].find("not a regular file"), std::string::npos)
        << desktop_.errors[0];
    EXPECT_FALSE(fs::exists(outPath_));
}

TEST_F(LauncherTest, ADataFileThatIsADeviceIsRefused) {
#ifdef _WIN32
    dataPath_ = "NUL";  // the null device
    stage(kOneColumn);
#else
    stage(kOneColumn);
    fs::create_symlink("/dev/zero", dataPath_);
#endif
    EXPECT_EQ(run(), kExitFailed);
    ASSERT_EQ(desktop_.errors.size(), 1u);
    EXPECT_NE(desktop_.errors[0].find("not a regular file"), std::string::npos)
        << desktop_.errors[0];
}

TEST_F(LauncherTest, ADataFileLargerThanTwoGigabytesIsRefusedUnread) {
    stage(kOneColumn);
    writeData({{"Acme"}});
    fs::resize_file(dataPath_, DataFile::kMaxBytes + 1);  // sparse: takes no room on the disk
    EXPECT_EQ(run(), kExitFailed);
    ASSERT_EQ(desktop_.errors.size(), 1u);
    EXPECT_NE(desktop_.errors[0].find("larger than 2 GB"), std::string::npos) << desktop_.errors[0];
}

TEST_F(LauncherTest, ABuildRemovesWhatAKilledBuildLeftAndLeavesOnlyTheReport) {
    writeData({{"Acme"}});
    stage(kOneColumn);
    fs::path out = fs::path(outPath_).parent_path();
    fs::create_directories(out);
    std::string ended = std::to_string(bp::test::endedProcessId());
#ifdef _WIN32
    std::string running = std::to_string(platform::currentProcessId());
#else
    std::string running = std::to_string(::getppid());
#endif
    const std::vector<std::string> leftOver = {
        ".report.xlsx.part-" + ended + "-0.bptmp",
        ".report.xlsx.sheet-" + ended + "-1.bptmp",
        ".Older report.xlsx.part-" + ended + "-0.bptmp.x1Y2z3",
    };
    const std::string atWork = ".Other.xlsx.part-" + running + "-0.bptmp";
    for (const auto& name : leftOver) {
        std::ofstream((out / name).string()) << "tens of megabytes";
    }
    std::ofstream((out / atWork).string()) << "a build at work";
    ASSERT_EQ(run(), kExitDone);
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(out)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{atWork, "report.xlsx"}));
}

// Asks for the build to stop at its n-th look, when the sheet is part written.
class StopAtLook : public core::ProgressSink {
public:
    explicit StopAtLook(int look) : left_(look) {}
    core::ProgressTiming timing() const override {
        return {std::chrono::milliseconds(0), std::chrono::milliseconds(0)};
    }
    void show(const std::string&, double) override {}
    bool cancelRequested() override { return --left_ <= 0; }

private:
    int left_;
};

// Stopped while the sheet is compressed (several pieces of it under way at once), the build
// ends at once and leaves no report and none of its scratch files.
TEST_F(LauncherTest, ABuildStoppedWhileTheSheetIsWrittenLeavesNothing) {
    const std::string wide(300, 'x');
    Rows rows;
    for (size_t i = 0; i < 12 * core::Progress::kStride; ++i) {
        rows.push_back({"Company " + std::to_string(i % 97) + " " + wide});
    }
    writeData(rows);
    stage(kOneColumn);
    fs::path out = fs::path(outPath_).parent_path();
    fs::create_directories(out);
    platform::FileSettingsStore settings(settingsPath_);
    ReportBuilder builder(settings, regional_);
    // Reading and sorting look a few times; the rest are looks while rows are written.
    for (int look : {6, 9}) {
        StopAtLook stopper(look);
        core::Progress progress;
        core::ProgressScope scope(progress, &stopper);
        builder.reportTo(progress);
        EXPECT_THROW(builder.build(outPath_, BuildDate{2026, 3, 20}), core::Cancelled);
        EXPECT_TRUE(fs::is_empty(out)) << "stopped at look " << look;
    }
    // Nothing stops a build that is let be.
    core::Progress unwatched;
    builder.reportTo(unwatched);
    EXPECT_EQ(builder.build(outPath_, BuildDate{2026, 3, 20}).rows, rows.size());
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(out)) {
        names.push_back(entry.path().filename().string());
    }
    EXPECT_EQ(names, std::vector<std::string>{"report.xlsx"});
}

}  // namespace
}  // namespace bp::launcher::test
