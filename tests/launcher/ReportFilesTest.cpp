// What the report builder reads and leaves on disk: only a regular data file of sensible
// size is read, and a build killed half-way leaves nothing the next build does not remove.

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "LauncherFixture.h"
#include "launcher/DataFile.h"
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

const Keys kOneColumn = LauncherTest::fields({{1025, "Company"}});

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

}  // namespace
}  // namespace bp::launcher::test
