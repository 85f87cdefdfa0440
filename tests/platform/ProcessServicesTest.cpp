// Program folder, single-instance lock and the shell's open: what the start-up relies on.

#include <gtest/gtest.h>
#ifndef _WIN32
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "TestSupport.h"
#include "platform/DesktopShell.h"
#include "platform/Process.h"
#include "platform/ProgramFolder.h"
#include "platform/SingleInstance.h"

namespace bp::platform {
namespace {

namespace fs = std::filesystem;
using test::ScopedEnv;
using test::TempFolder;

class ProcessServicesTest : public ::testing::Test {
protected:
    TempFolder folder_;
};

// The folder named in the environment is followed in PathTextTest, with a Unicode name.
TEST_F(ProcessServicesTest, ProgramFolderWithoutTheEnvironmentIsTheExecutables) {
    ScopedEnv noHome("BRINDLEPATH_HOME", std::nullopt);
#ifdef _WIN32
    EXPECT_TRUE(fs::is_regular_file(fs::path(programFolder()) / "platform_tests.exe"))
        << programFolder();
#else
    EXPECT_EQ(programFolder(), fs::read_symlink("/proc/self/exe").parent_path().string());
#endif
}

// The child takes the lock and reports through a pipe; the parent is the second start.
TEST_F(ProcessServicesTest, ASecondProcessIsRefusedUntilTheFirstIsKilled) {
#ifdef _WIN32
    GTEST_SKIP() << "The first copy is a forked child killed with a signal";
#else
    std::string lock = folder_.file("brindlepath.lock");
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        SingleInstance first(lock);
        char state = first.state() == SingleInstance::State::Acquired ? 'A' : 'X';
        [[maybe_unused]] ssize_t n = ::write(ready[1], &state, 1);
        ::pause();
        ::_exit(0);
    }
    char state = 0;
    ASSERT_EQ(::read(ready[0], &state, 1), 1);
    EXPECT_EQ(state, 'A');
    {
        SingleInstance second(lock);
        EXPECT_TRUE(second.PrevInstance());
        EXPECT_EQ(second.state(), SingleInstance::State::HeldElsewhere);
    }
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    ::close(ready[0]);
    ::close(ready[1]);
    SingleInstance afterCrash(lock);
    EXPECT_EQ(afterCrash.state(), SingleInstance::State::Acquired);
    EXPECT_FALSE(afterCrash.PrevInstance());
#endif
}

TEST_F(ProcessServicesTest, TheLockIsFreedWhenItsHolderIsDestroyed) {
    std::string lock = folder_.file("brindlepath.lock");
    { SingleInstance first(lock); }
    SingleInstance next(lock);
    EXPECT_EQ(next.state(), SingleInstance::State::Acquired);
}

TEST_F(ProcessServicesTest, AnUnusableLockPlaceDoesNotRefuseTheStart) {
#ifdef _WIN32
    GTEST_SKIP() << "On Windows the lock is a named mutex, which needs no folder";
#else
    SingleInstance nowhere(folder_.file("missing/folder/brindlepath.lock"));
    EXPECT_EQ(nowhere.state(), SingleInstance::State::Unavailable);
    EXPECT_FALSE(nowhere.PrevInstance());
#endif
}

TEST_F(ProcessServicesTest, TheLockLivesInTheUsersRuntimeFolder) {
#ifdef _WIN32
    GTEST_SKIP() << "On Windows the lock is a named mutex of the session, not a file";
#else
    {
        ScopedEnv runtime("XDG_RUNTIME_DIR", folder_.path().string());
        EXPECT_EQ(SingleInstance::defaultLockPath(), folder_.file("brindlepath.lock"));
    }
    ScopedEnv noRuntime("XDG_RUNTIME_DIR", std::nullopt);
    std::string fallback = SingleInstance::defaultLockPath();
    EXPECT_NE(fallback.find("brindlepath-" + std::to_string(::getuid()) + ".lock"),
              std::string::npos);
#endif
}

// A stand-in opener on PATH writes what it was given, so the real launch path is exercised
// without starting anything on the desktop.
class DesktopShellTest : public ProcessServicesTest {
protected:
    void SetUp() override {
        fs::create_directories(folder_.file("bin"));
        fs::create_directories(folder_.file("work"));
        std::string opener = folder_.file("bin/xdg-open");
        std::ofstream(opener) << "#!/bin/sh\nprintf '%s|%s' \"$1\" \"$(pwd)\" > \"" + marker_ +
                                     ".part\" && mv \"" + marker_ + ".part\" \"" + marker_ + "\"\n";
        fs::permissions(opener, fs::perms::owner_all);
    }
    bool waitForMarker() const {
        for (int i = 0; i < 400 && !fs::exists(marker_); ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return fs::exists(marker_);
    }
    std::string marker_ = folder_.file("opened");
    ScopedEnv path_{"PATH", folder_.file("bin") + ":/usr/bin:/bin"};
};

TEST_F(DesktopShellTest, StartsTheOpenerInTheWorkingFolder) {
#ifdef _WIN32
    GTEST_SKIP() << "The stand-in opener is a shell script named xdg-open";
#else
    ScopedEnv launch("BRINDLEPATH_NO_LAUNCH", std::nullopt);
    DesktopShell shell;
    EXPECT_TRUE(shell.open("/p/Launch.XLS", folder_.file("work")));
    ASSERT_TRUE(waitForMarker());
    EXPECT_EQ(test::readFile(marker_), "/p/Launch.XLS|" + folder_.file("work"));
#endif
}

TEST_F(DesktopShellTest, NoLaunchSuppressesTheOpener) {
    ScopedEnv launch("BRINDLEPATH_NO_LAUNCH", "1");
    DesktopShell shell;
    EXPECT_FALSE(shell.open("/p/Launch.XLS", folder_.file("work")));
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_FALSE(fs::exists(marker_));
}

TEST_F(DesktopShellTest, NoOpenerInstalledIsReportedNotRaised) {
    ScopedEnv launch("BRINDLEPATH_NO_LAUNCH", std::nullopt);
    ScopedEnv path("PATH", folder_.file("work"));
    DesktopShell shell;
    EXPECT_FALSE(shell.open("/p/Launch.XLS", folder_.file("work")));
}

// Programs run and waited for: how each one ended is told apart, and one that runs past its
// limit is ended together with what it started.
class RunAndWaitTest : public ProcessServicesTest {
protected:
    void SetUp() override { fs::create_directories(folder_.file("bin")); }
    void script(const std::string& name, const std::string& body) {
        std::string path = folder_.file("bin/" + name);
        std::ofstream(path) << "#!/bin/sh\n" << body << "\n";
        fs::permissions(path, fs::perms::owner_all);
    }
    ScopedEnv path_{"PATH", folder_.file("bin") + ":/usr/bin:/bin"};
};

TEST_F(RunAndWaitTest, OutcomesAreToldApart) {
#ifdef _WIN32
    GTEST_SKIP() << "The programs are shell scripts";
#else
    script("good", "echo noise; echo more noise >&2; exit 0");
    script("bad", "exit 3");
    std::ofstream(folder_.file("bin/plain")) << "not executable";
    EXPECT_EQ(runAndWait({"good"}), RunOutcome::Succeeded);
    EXPECT_EQ(runAndWait({"bad"}), RunOutcome::Failed);
    EXPECT_EQ(runAndWait({"missing-program"}), RunOutcome::NotStarted);
    EXPECT_EQ(runAndWait({"plain"}), RunOutcome::NotStarted);
    EXPECT_EQ(runAndWait({}), RunOutcome::NotStarted);
#endif
}

TEST_F(RunAndWaitTest, ArgumentsArePassedAsGiven) {
#ifdef _WIN32
    GTEST_SKIP() << "The program is a shell script";
#else
    std::string out = folder_.file("args");
    script("echoargs", "printf '%s|' \"$@\" > \"" + out + "\"");
    ASSERT_EQ(runAndWait({"echoargs", "a b", "", "$HOME"}), RunOutcome::Succeeded);
    EXPECT_EQ(test::readFile(out), "a b||$HOME|");
#endif
}

TEST_F(RunAndWaitTest, AProgramPastItsLimitIsKilledWithWhatItStarted) {
#ifdef _WIN32
    GTEST_SKIP() << "The programs are shell scripts, the check a signal";
#else
    std::string pidFile = folder_.file("pid");
    script("hang", "sleep 60 & echo $! > \"" + pidFile + ".part\"; mv \"" + pidFile + ".part\" \"" +
                       pidFile + "\"; wait");
    EXPECT_EQ(runAndWait({"hang"}, std::chrono::milliseconds(300)), RunOutcome::TimedOut);
    ASSERT_TRUE(fs::exists(pidFile));
    pid_t sleeper = 0;
    std::ifstream(pidFile) >> sleeper;
    ASSERT_GT(sleeper, 0);
    bool gone = false;
    for (int i = 0; i < 200 && !gone; ++i) {
        gone = ::kill(sleeper, 0) != 0;
        if (!gone) {
            std::this_thread::sleep_for(std::chrono::milliseconds(25));
        }
    }
    EXPECT_TRUE(gone);
#endif
}

TEST_F(RunAndWaitTest, ProgramsAreFoundOnThePath) {
#ifdef _WIN32
    GTEST_SKIP() << "The programs are shell scripts with execute permission";
#else
    script("tool", "exit 0");
    EXPECT_EQ(findOnPath("tool"), folder_.file("bin/tool"));
    EXPECT_EQ(findOnPath(folder_.file("bin/tool")), folder_.file("bin/tool"));
    EXPECT_EQ(findOnPath("no-such-tool"), std::nullopt);
#endif
}

}  // namespace
}  // namespace bp::platform
