// The progress window of long runs in the Windows edition, driven through its real controls:
// what it shows, Cancel, Esc and its close box, the program's other windows kept out of reach
// while it shows, the forms' timers held while a run lets messages through, and the window
// put away before a message box.

#include "win/ProgressWindow.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <chrono>

#include "forms/Controls.h"
#include "win/DialogDriver.h"
#include "win/SampleForm.h"
#include "win/WinTestSupport.h"
#include "win/WinUi.h"
#include "win/WindowlessTimers.h"

namespace bp::win::test {
namespace {

using std::chrono::milliseconds;

class ProgressWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!hasDisplay()) {
            GTEST_SKIP() << kNoDisplay;
        }
        main.load();
        mainWindow = ui.attach(main).hwnd();
        main.show();
        sink = ui.progressSink();
        ASSERT_NE(sink, nullptr);
        ASSERT_NE(ui.progressWindow(), nullptr);
        window = ui.progressWindow()->hwnd();
        output::FrmProgress& form = ui.progressWindow()->dialog().form();
        label = handle(form.lblPhase());
        bar = handle(form.prgDone());
        cancel = handle(form.cmdCancel());
    }
    void TearDown() override {
        if (sink != nullptr) {
            sink->finished();
        }
        ui.detach(main);
    }

    HWND handle(const forms::Control& control) {
        return ui.progressWindow()->window().handleFor(control);
    }
    int position() const { return static_cast<int>(SendMessageW(bar, PBM_GETPOS, 0, 0)); }

    WinUi ui;
    SampleForm main{ui};
    HWND mainWindow = nullptr;
    core::ProgressSink* sink = nullptr;
    HWND window = nullptr;
    HWND label = nullptr;
    HWND bar = nullptr;
    HWND cancel = nullptr;
};

TEST_F(ProgressWindowTest, ShowsThePhaseAndPercentageInItsControls) {
    EXPECT_EQ(sink->timing().showAfter, milliseconds(1000));
    EXPECT_EQ(ui.progressSink(), sink) << "one window, kept for every run";
    EXPECT_FALSE(IsWindowVisible(window));
    sink->started();
    sink->show("Writing", 0.5);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(windowText(label), "Writing");
    EXPECT_EQ(position(), 50);
    EXPECT_EQ(windowText(cancel), "Cancel");
    EXPECT_TRUE(IsWindowEnabled(cancel));
    sink->show("Sorting", 0.876);
    EXPECT_EQ(windowText(label), "Sorting");
    EXPECT_EQ(position(), 87);
    sink->show("Selecting", -1);
    EXPECT_NE(GetWindowLongPtrW(bar, GWL_STYLE) & PBS_MARQUEE, 0);
    sink->finished();
    EXPECT_FALSE(IsWindowVisible(window));
}

TEST_F(ProgressWindowTest, KeepsTheProgramsOtherWindowsOutOfReachWhileItShows) {
    sink->started();
    sink->show("Selecting", -1);
    EXPECT_FALSE(IsWindowEnabled(mainWindow));
    EXPECT_EQ(GetWindow(window, GW_OWNER), mainWindow);
    EXPECT_TRUE(IsWindowEnabled(window));
    sink->finished();
    EXPECT_TRUE(IsWindowEnabled(mainWindow));
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_TRUE(IsWindow(window));
}

// The pointer a window asks for when the mouse moves over `over`.
HCURSOR pointerOver(HWND window, HWND over) {
    SetCursor(nullptr);
    SendMessageW(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(over),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    return GetCursor();
}

TEST_F(ProgressWindowTest, KeepsTheArrowOverItselfWhileTheProgramIsBusy) {
    sink->started();
    sink->show("Writing", 0.2);
    ui.setBusy(true);
    const HCURSOR overCancel = pointerOver(window, cancel);
    const HCURSOR overMain = pointerOver(mainWindow, mainWindow);
    ui.setBusy(false);
    EXPECT_EQ(overCancel, LoadCursorW(nullptr, IDC_ARROW));
    EXPECT_EQ(overMain, LoadCursorW(nullptr, IDC_WAIT));
}

TEST_F(ProgressWindowTest, ClickingCancelAsksTheRunToStop) {
    sink->started();
    sink->show("Writing", 0.2);
    PostMessageW(cancel, BM_CLICK, 0, 0);
    EXPECT_FALSE(sink->cancelRequested()) << "nothing happens until the run lets messages in";
    ui.processEvents();
    EXPECT_TRUE(sink->cancelRequested());
    EXPECT_FALSE(IsWindowEnabled(cancel));
    EXPECT_EQ(windowText(label), "Cancelling...");
    // The next update keeps saying so; only the run's end takes the window away.
    sink->show("Writing", 0.3);
    EXPECT_EQ(windowText(label), "Cancelling...");
    EXPECT_TRUE(IsWindowVisible(window));
    sink->finished();
    sink->started();
    EXPECT_FALSE(sink->cancelRequested());
    EXPECT_TRUE(IsWindowEnabled(cancel));
}

TEST_F(ProgressWindowTest, EscapeAndTheCloseBoxCancelToo) {
    sink->started();
    sink->show("Writing", 0.2);
    PostMessageW(GetFocus() != nullptr ? GetFocus() : window, WM_KEYDOWN, VK_ESCAPE, 1);
    ui.processEvents();
    EXPECT_TRUE(sink->cancelRequested());
    sink->finished();

    sink->started();
    sink->show("Writing", 0.2);
    PostMessageW(window, WM_CLOSE, 0, 0);
    ui.processEvents();
    EXPECT_TRUE(sink->cancelRequested());
    EXPECT_TRUE(IsWindowVisible(window)) << "the window stays until the run has stopped";
}

TEST_F(ProgressWindowTest, IsPutAwayBeforeAMessageBox) {
    sink->started();
    sink->show("Writing", 0.2);
    bool progressShownDuringBox = true;
    bool mainEnabledDuringBox = true;
    DialogDriver driver({[&](HWND box) {
        progressShownDuringBox = IsWindowVisible(window) != FALSE;
        mainEnabledDuringBox = IsWindowEnabled(mainWindow) != FALSE;
        pressButton(box, IDOK);
        return true;
    }});
    forms::MessageRequest request;
    request.title = "Empty Report";
    request.text = "There is no data to display or export!";
    EXPECT_EQ(ui.message(request), forms::MsgResult::OK);
    EXPECT_TRUE(driver.finished());
    EXPECT_FALSE(progressShownDuringBox);
    EXPECT_FALSE(mainEnabledDuringBox) << "the box is modal to the main window";
    EXPECT_TRUE(IsWindowEnabled(mainWindow));
}

class TickingForm : public forms::Form {
public:
    explicit TickingForm(forms::UiService& ui) : Form(ui, "frmTicking", "Ticking") {
        tmrPoll = &add<forms::Timer>("tmrPoll");
        tmrPoll->onTimer = [this] { ++ticks; };
    }
    forms::Timer* tmrPoll = nullptr;
    int ticks = 0;
};

// A run letting messages through for a while, as a long run does at every update.
void runLettingMessagesThrough(WinUi& ui, milliseconds length) {
    const auto until = std::chrono::steady_clock::now() + length;
    while (std::chrono::steady_clock::now() < until) {
        ui.processEvents();
        Sleep(1);
    }
}

TEST_F(ProgressWindowTest, FormTimersWaitWhileARunLetsMessagesThrough) {
    TickingForm ticking(ui);
    ticking.load();
    ui.attach(ticking);
    ticking.tmrPoll->setInterval(5);
    runLettingMessagesThrough(ui, milliseconds(80));
    EXPECT_EQ(ticking.ticks, 0);
    EXPECT_TRUE(runUntilOrGiveUp(
        ui, [&] { return ticking.ticks > 0; }, 5000));
    ui.detach(ticking);
}

TEST_F(ProgressWindowTest, TimersOfAFormWithoutAWindowWaitToo) {
    TickingForm ticking(ui);
    ticking.load();
    WindowlessTimers timers(ticking);
    ticking.tmrPoll->setInterval(5);
    runLettingMessagesThrough(ui, milliseconds(80));
    EXPECT_EQ(ticking.ticks, 0);
    EXPECT_TRUE(runUntilOrGiveUp(
        ui, [&] { return ticking.ticks > 0; }, 5000));
}

}  // namespace
}  // namespace bp::win::test
