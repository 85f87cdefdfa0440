#include <gtest/gtest.h>

#ifndef _WIN32
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <sstream>

#include "core/Progress.h"
#include "platform/InterruptSink.h"
#include "platform/InterruptWatch.h"
#include "platform/TerminalProgressBar.h"

namespace bp::platform {
namespace {

// Work of `items` steps in one phase, watched through `sink`.
void work(core::ProgressSink& sink, int items) {
    core::Progress progress;
    core::ProgressScope scope(progress, &sink);
    progress.phase("Writing", static_cast<std::uint64_t>(items));
    for (int i = 0; i < items; ++i) {
        progress.step();
    }
}

TEST(InterruptWatch, ACtrlCStopsTheWorkAtItsNextLook) {
    InterruptSink sink;
    InterruptWatch watch;
    EXPECT_NO_THROW(work(sink, 3 * core::Progress::kStride));
    InterruptWatch::note();
    EXPECT_TRUE(InterruptWatch::requested());
    EXPECT_THROW(work(sink, 3 * core::Progress::kStride), core::Cancelled);
    // It stays asked for: a new piece of work of the same run stops too.
    EXPECT_THROW(work(sink, 1), core::Cancelled);
}

TEST(InterruptWatch, ANewWatchForgetsTheCtrlCOfTheLastOne) {
    {
        InterruptWatch watch;
        InterruptWatch::note();
    }
    EXPECT_FALSE(InterruptWatch::requested());
    InterruptWatch watch;
    InterruptSink sink;
    EXPECT_NO_THROW(work(sink, 2 * core::Progress::kStride));
}

TEST(InterruptWatch, TheSinkGivenShowsTheWorkAndCanStopItToo) {
    std::ostringstream out;
    TerminalProgressBar bar(
        out, core::ProgressTiming{std::chrono::milliseconds(0), std::chrono::milliseconds(0)});
    InterruptSink sink(&bar);
    InterruptWatch watch;
    work(sink, core::Progress::kStride);
    EXPECT_NE(
        out.str().find("\rWriting [" + std::string(TerminalProgressBar::kBarWidth, '#') + "] 100%"),
        std::string::npos)
        << out.str();
    EXPECT_EQ(out.str().back(), '\r');  // wiped at the end

    struct Stopping : core::ProgressSink {
        void show(const std::string&, double) override {}
        bool cancelRequested() override { return true; }
    } stopping;
    InterruptSink stoppedThrough(&stopping);
    EXPECT_THROW(work(stoppedThrough, 1), core::Cancelled);
}

// Not on Windows: console events cannot be sent to a test under Wine reliably.
#ifndef _WIN32
TEST(InterruptWatch, ASigintIsNotedAndTheSecondEndsTheProcess) {
    const pid_t child = ::fork();
    if (child == 0) {
        InterruptWatch watch;
        ::raise(SIGINT);
        if (!InterruptWatch::requested()) {
            ::_exit(3);
        }
        ::raise(SIGINT);
        ::_exit(4);  // still alive after the second
    }
    ASSERT_GT(child, 0);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status)) << "exit status " << WEXITSTATUS(status);
    EXPECT_EQ(WTERMSIG(status), SIGINT);
}

TEST(InterruptWatch, TheHandlingBeforeComesBackAfterTheWatch) {
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    struct sigaction before {};
    ASSERT_EQ(::sigaction(SIGINT, &ignore, &before), 0);
    {
        InterruptWatch watch;
        struct sigaction during {};
        ::sigaction(SIGINT, nullptr, &during);
        EXPECT_NE(during.sa_handler, SIG_IGN);
    }
    struct sigaction after {};
    ::sigaction(SIGINT, &before, &after);
    EXPECT_EQ(after.sa_handler, SIG_IGN);
}
#endif

}  // namespace
}  // namespace bp::platform
