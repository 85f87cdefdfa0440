// A timer as a system timer of its form's window: WM_TIMER raises the model's Timer event,
// Enabled and Interval start, restart and stop it, and it takes no room in the window.

#include <gtest/gtest.h>

#include <memory>

#include "forms/Controls.h"
#include "forms/Form.h"
#include "forms/ScriptedUi.h"
#include "win/WinFormWindow.h"
#include "win/WinTestSupport.h"

namespace bp::win::test {
namespace {

class TimerForm : public forms::Form {
public:
    TimerForm(forms::UiService& ui, bool withTimer) : Form(ui, "frmWait", "Wait") {
        lblStatus = &add<forms::Label>("lblStatus");
        lblStatus->setCaption("Waiting for the host...");
        lblStatus->setLayout(1, 0);
        if (withTimer) {
            tmrPoll = &add<forms::Timer>("tmrPoll");
            tmrPoll->setLayout(0, 0);
            tmrPoll->setInterval(10);
            tmrPoll->onTimer = [this] { ++ticks; };
        }
    }

    forms::Label* lblStatus = nullptr;
    forms::Timer* tmrPoll = nullptr;
    int ticks = 0;
};

// The next WM_TIMER posted to `window`, taken from the queue; its wParam is the timer's id.
// Gives up after a few seconds (a msg of 0).
MSG nextTick(HWND window) {
    MSG message{};
    const ULONGLONG giveUp = GetTickCount64() + 5000;
    while (GetTickCount64() < giveUp) {
        if (PeekMessageW(&message, window, WM_TIMER, WM_TIMER, PM_REMOVE)) {
            return message;
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_TIMER);
    }
    return MSG{};
}

class TimerBindingTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!hasDisplay()) {
            GTEST_SKIP() << kNoDisplay;
        }
        form.load();
        window = std::make_unique<WinFormWindow>(form);
        form.show();
    }
    void TearDown() override { window.reset(); }

    // Whether the window still has a system timer of this id: killing it again tells.
    bool timerExists(UINT_PTR id) { return KillTimer(window->hwnd(), id) != FALSE; }

    forms::ScriptedUi ui;
    TimerForm form{ui, true};
    std::unique_ptr<WinFormWindow> window;
};

TEST_F(TimerBindingTest, EachTickOfTheSystemTimerRaisesTimer) {
    MSG tick = nextTick(window->hwnd());
    ASSERT_EQ(tick.message, static_cast<UINT>(WM_TIMER));
    DispatchMessageW(&tick);
    EXPECT_EQ(form.ticks, 1);
    tick = nextTick(window->hwnd());
    DispatchMessageW(&tick);
    EXPECT_EQ(form.ticks, 2);
}

TEST_F(TimerBindingTest, DisablingStopsTheTimerAndEnablingStartsItAgain) {
    const MSG tick = nextTick(window->hwnd());
    ASSERT_EQ(tick.message, static_cast<UINT>(WM_TIMER));
    form.tmrPoll->setEnabled(false);
    EXPECT_FALSE(timerExists(tick.wParam));
    // A tick queued before the timer stopped raises nothing.
    SendMessageW(window->hwnd(), WM_TIMER, tick.wParam, 0);
    EXPECT_EQ(form.ticks, 0);
    form.tmrPoll->setEnabled(true);
    EXPECT_EQ(nextTick(window->hwnd()).wParam, tick.wParam);
}

TEST_F(TimerBindingTest, IntervalOfZeroStopsTheTimerAndANewOneRestartsIt) {
    const MSG tick = nextTick(window->hwnd());
    ASSERT_EQ(tick.message, static_cast<UINT>(WM_TIMER));
    form.tmrPoll->setInterval(0);
    EXPECT_FALSE(timerExists(tick.wParam));
    form.tmrPoll->setInterval(20);
    const MSG again = nextTick(window->hwnd());
    ASSERT_EQ(again.message, static_cast<UINT>(WM_TIMER));
    DispatchMessageW(&again);
    EXPECT_EQ(form.ticks, 1);
}

TEST_F(TimerBindingTest, UnloadingTheFormStopsTheTimer) {
    const MSG tick = nextTick(window->hwnd());
    ASSERT_EQ(tick.message, static_cast<UINT>(WM_TIMER));
    form.unload();
    EXPECT_FALSE(timerExists(tick.wParam));
}

TEST_F(TimerBindingTest, NoTickWhileTheTimersHandlerStillRuns) {
    MSG tick = nextTick(window->hwnd());
    ASSERT_EQ(tick.message, static_cast<UINT>(WM_TIMER));
    // The handler's message box runs a message loop, which takes the next tick.
    form.tmrPoll->onTimer = [&] {
        ++form.ticks;
        SendMessageW(window->hwnd(), WM_TIMER, tick.wParam, 0);
    };
    DispatchMessageW(&tick);
    EXPECT_EQ(form.ticks, 1);
    tick = nextTick(window->hwnd());
    DispatchMessageW(&tick);
    EXPECT_EQ(form.ticks, 2);
}

TEST_F(TimerBindingTest, TimerTakesNoRoomAndHasNoWindow) {
    EXPECT_EQ(window->handleFor(*form.tmrPoll), nullptr);
    forms::ScriptedUi otherUi;
    TimerForm plain{otherUi, false};
    plain.load();
    WinFormWindow plainWindow(plain);
    RECT with{};
    RECT without{};
    GetClientRect(window->hwnd(), &with);
    GetClientRect(plainWindow.hwnd(), &without);
    EXPECT_EQ(with.right, without.right);
    EXPECT_EQ(with.bottom, without.bottom);
}

}  // namespace
}  // namespace bp::win::test
