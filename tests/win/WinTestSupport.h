#pragma once
// Driving real Win32 controls as a user's actions reach them: messages to the control
// handles, and the dialog keys through the window's own message translation.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>

#include "platform/WinText.h"
#include "win/WinUi.h"

namespace bp::win::test {

// Windows need a display; without one (DISPLAY unset) the tests say why they did not run.
inline bool hasDisplay() {
    return std::getenv("DISPLAY") != nullptr;
}
inline constexpr const char* kNoDisplay = "needs a display: run the Windows tests under xvfb-run";

inline std::string windowText(HWND hwnd) {
    wchar_t buffer[512] = {};
    SendMessageW(hwnd, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(buffer));
    return platform::toUtf8(buffer);
}

// Characters typed into `hwnd`, as the keyboard delivers them after TranslateMessage.
inline void typeInto(HWND hwnd, const std::string& text) {
    for (const wchar_t c : platform::toWide(text)) {
        SendMessageW(hwnd, WM_CHAR, c, 1);
    }
}

// A notification `control` sends its window.
inline void notify(HWND control, int code) {
    SendMessageW(GetParent(control), WM_COMMAND,
                 MAKEWPARAM(GetDlgCtrlID(control), static_cast<WORD>(code)),
                 reinterpret_cast<LPARAM>(control));
}

inline RECT childRect(HWND child) {
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

inline void CALLBACK giveUp(HWND, UINT, UINT_PTR, DWORD) {
    PostQuitMessage(0);
}

// Runs the program's message loop until `done` holds; a loop still running after `giveUpMs`
// (the thing waited for never came) ends and answers false, so a broken window fails its test
// instead of hanging it.
inline bool runUntilOrGiveUp(WinUi& ui, const std::function<bool()>& done, UINT giveUpMs = 20000) {
    const UINT_PTR timer = SetTimer(nullptr, 0, giveUpMs, &giveUp);
    const bool ended = ui.runUntil(done);
    KillTimer(nullptr, timer);
    MSG quit{};
    while (PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
    return ended;
}

}  // namespace bp::win::test
