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
    EXPECT_EQ(namesIn(out), (std::vector<std::string>{atWork, "report.xlsx"}));
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
    EXPECT_EQ(namesIn(out), std::vector<std::string>{"report.xlsx"});
}

// Builds killed at random points, a hundred times, alternating between two reports of their
// own data files: the report is always one of the two whole workbooks, never a mix or a
// truncated package, and the next build clears the scratch files a killed one left.
TEST_F(LauncherTest, ABuildKilledAnywhereLeavesTheOldReportOrAWholeNewOne) {
#ifdef _WIN32
    GTEST_SKIP() << "The builders are forked children killed with signals";
#else
    std::vector<std::unique_ptr<platform::FileSettingsStore> > stores;
    for (int side = 0; side < 2; ++side) {
        dataPath_ = (dir_ / ("data" + std::to_string(side) + ".CSV")).string();
        Rows rows;
        for (int i = 0; i < 400; ++i) {
            rows.push_back({(side ? "Borealis " : "Acme ") + std::to_string(i)});
        }
        writeData(rows);
        stage(kOneColumn);
        std::string store = (dir_ / ("settings" + std::to_string(side) + ".ini")).string();
        fs::copy_file(settingsPath_, store);
        stores.push_back(std::make_unique<platform::FileSettingsStore>(store));
    }
    auto build = [&](int side, const std::string& path) {
        ReportBuilder(*stores[side], regional_).build(path, BuildDate{2026, 3, 20});
    };
    std::map<std::string, std::string> whole[2];
    for (int side = 0; side < 2; ++side) {
        std::string path = (dir_ / ("whole" + std::to_string(side) + ".xlsx")).string();
        build(side, path);
        whole[side] = XlsxReader(path).parts();
    }
    ASSERT_NE(whole[0], whole[1]);
    fs::path out = fs::path(outPath_).parent_path();
    fs::create_directories(out);
    build(0, outPath_);

    bp::test::KillRounds rounds;
    rounds.rounds = 100;
    rounds.leftovers = 2;  // the package and the sheet's rows
    rounds.save = [&](long version) { build(static_cast<int>(version % 2), outPath_); };
    rounds.versionOnDisk = [&]() -> long {
        auto parts = XlsxReader(outPath_).parts();
        EXPECT_TRUE(parts == whole[0] || parts == whole[1]) << "a report between two builds";
        return parts == whole[1] ? 1 : 0;
    };
    EXPECT_GT(bp::test::killDuringSaves(rounds, out), 10);
    build(1, outPath_);
    EXPECT_EQ(bp::test::temporariesIn(out), 0);
    EXPECT_EQ(XlsxReader(outPath_).parts(), whole[1]);
#endif
}

}  // namespace
}  // namespace bp::launcher::test
