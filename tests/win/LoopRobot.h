#pragma once
// The user, for windows that run message loops of their own (the program's main loop, a modal
// dialog, a message box): a timer of the test's thread calls `step` from whichever loop runs,
// and the step acts by posting messages to the real controls, so it returns before their
// handlers run. After `giveUpMs` the robot posts a quit message, which ends every loop, so a
// window that never reaches the expected state fails its test instead of hanging it.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/WinText.h"

namespace bp::win::test {

class LoopRobot {
public:
    explicit LoopRobot(std::function<void()> step, UINT giveUpMs = 30000)
        : step_(std::move(step)), ticksLeft_(giveUpMs / kTickMs) {
        current() = this;
        timer_ = SetTimer(nullptr, 0, kTickMs, &tick);
    }
    ~LoopRobot() {
        KillTimer(nullptr, timer_);
        current() = nullptr;
        MSG quit{};
        while (PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
    }
    LoopRobot(const LoopRobot&) = delete;
    LoopRobot& operator=(const LoopRobot&) = delete;

    bool gaveUp() const { return gaveUp_; }

private:
    static constexpr UINT kTickMs = 50;
    static LoopRobot*& current() {
        static LoopRobot* robot = nullptr;
        return robot;
    }
    static void CALLBACK tick(HWND, UINT, UINT_PTR, DWORD) {
        LoopRobot* robot = current();
        if (robot == nullptr || robot->busy_) {
            return;
        }
        if (robot->ticksLeft_-- == 0) {
            robot->gaveUp_ = true;
            PostQuitMessage(0);
            return;
        }
        robot->busy_ = true;
        robot->step_();
        robot->busy_ = false;
    }

    std::function<void()> step_;
    UINT ticksLeft_;
    UINT_PTR timer_ = 0;
    bool busy_ = false;
    bool gaveUp_ = false;
};

inline BOOL CALLBACK takeMessageBox(HWND hwnd, LPARAM into) {
    wchar_t name[16] = {};
    GetClassNameW(hwnd, name, 16);
    if (std::wstring(name) == L"#32770" && IsWindowVisible(hwnd)) {
        *reinterpret_cast<HWND*>(into) = hwnd;
        return FALSE;
    }
    return TRUE;
}

// The message box this thread shows right now, or nullptr.
inline HWND shownMessageBox() {
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), &takeMessageBox, reinterpret_cast<LPARAM>(&found));
    return found;
}

// The text a message box shows (its static control has the id 0xFFFF).
inline std::string messageBoxText(HWND box) {
    wchar_t text[1024] = {};
    GetDlgItemTextW(box, 0xFFFF, text, 1024);
    return platform::toUtf8(text);
}

// Presses the message box's button `id` (IDOK, IDYES, IDNO, ...).
inline void answerMessageBox(HWND box, int id) {
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
}

// A click the button will take from the message loop.
inline void postClick(HWND button) {
    PostMessageW(button, BM_CLICK, 0, 0);
}

}  // namespace bp::win::test
