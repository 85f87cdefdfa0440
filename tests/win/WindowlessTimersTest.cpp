// The timers of a form that has no window tick from the thread's message loop, follow their
// Enabled and Interval, and stop with the object that drives them.

#include "win/WindowlessTimers.h"

#include <gtest/gtest.h>

#include "forms/Form.h"
#include "forms/ScriptedUi.h"
#include "forms/Timer.h"
#include "win/WinTestSupport.h"

namespace bp::win::test {
namespace {

int ownTicks = 0;
void CALLBACK countOwnTick(HWND, UINT, UINT_PTR, DWORD) {
    ++ownTicks;
}

class TimersForm : public forms::Form {
public:
    explicit TimersForm(forms::UiService& ui) : Form(ui, "frmTimers") {
        clock = &add<forms::Timer>("tmrClock");
        clock->setInterval(5);
        clock->onTimer = [this] { ++clockTicks; };
        other = &add<forms::Timer>("tmrOther");
        other->onTimer = [this] { ++otherTicks; };
    }
    forms::Timer* clock = nullptr;
    forms::Timer* other = nullptr;
    int clockTicks = 0;
    int otherTicks = 0;
};

class WindowlessTimersTest : public ::testing::Test {
protected:
    // The message loop until the clock has ticked `ticks` times.
    bool runClock(int ticks) {
        return runUntilOrGiveUp(ui, [&] { return form.clockTicks >= ticks; });
    }

    forms::ScriptedUi scripted;
    TimersForm form{scripted};
    WinUi ui;
};

TEST_F(WindowlessTimersTest, ARunningTimerTicksFromTheMessageLoop) {
    WindowlessTimers timers(form);
    EXPECT_TRUE(runClock(3));
}

TEST_F(WindowlessTimersTest, ATimerDisabledOrWithoutIntervalNeverTicks) {
    form.other->setInterval(1);
    form.other->setEnabled(false);
    WindowlessTimers timers(form);
    ASSERT_TRUE(runClock(4));
    EXPECT_EQ(form.otherTicks, 0);
    form.other->setInterval(0);
    form.other->setEnabled(true);
    ASSERT_TRUE(runClock(8));
    EXPECT_EQ(form.otherTicks, 0);
}

// As the main window's re-start timer does: enabled later, it stops itself after its ticks.
TEST_F(WindowlessTimersTest, ATimerEnabledLaterRunsUntilItDisablesItself) {
    form.other->setEnabled(false);
    form.other->onTimer = [this] {
        if (++form.otherTicks == 2) {
            form.other->setEnabled(false);
        }
    };
    WindowlessTimers timers(form);
    form.other->setInterval(1);
    form.other->setEnabled(true);
    ASSERT_TRUE(runUntilOrGiveUp(ui, [&] { return form.otherTicks >= 2; }));
    form.clockTicks = 0;
    ASSERT_TRUE(runClock(6));
    EXPECT_EQ(form.otherTicks, 2);
}

TEST_F(WindowlessTimersTest, TimersStopWhenTheirDriverGoes) {
    form.other->setInterval(1);
    { WindowlessTimers timers(form); }
    // A clock of the test's own measures the wait.
    ownTicks = 0;
    const UINT_PTR own = SetTimer(nullptr, 0, 5, &countOwnTick);
    EXPECT_TRUE(runUntilOrGiveUp(ui, [] { return ownTicks >= 4; }));
    KillTimer(nullptr, own);
    EXPECT_EQ(form.clockTicks, 0);
    EXPECT_EQ(form.otherTicks, 0);
}

}  // namespace
}  // namespace bp::win::test
