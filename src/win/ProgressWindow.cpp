#include "win/ProgressWindow.h"

#include <algorithm>

#include "win/WinUi.h"

namespace bp::win {
namespace {

struct Blocking {
    HWND keep;
    std::vector<HWND>* windows;
};

// The program's top-level windows a person could act in now.
BOOL CALLBACK collectUsable(HWND hwnd, LPARAM data) {
    auto* blocking = reinterpret_cast<Blocking*>(data);
    if (hwnd != blocking->keep && IsWindowVisible(hwnd) && IsWindowEnabled(hwnd)) {
        blocking->windows->push_back(hwnd);
    }
    return TRUE;
}

}  // namespace

ProgressWindow::ProgressWindow(WinUi& ui, core::ProgressTiming timing)
    : ui_(ui), dialog_(ui, timing) {
    // Told before the window is, so the others are disabled before it shows and enabled again
    // before it hides, and the activation goes back to its owner.
    subscription_ = dialog_.form().subscribe([this](forms::Form&, forms::FormProperty property) {
        if (property == forms::FormProperty::Visible) {
            onVisible();
        }
    });
    window_ = std::make_unique<WinFormWindow>(dialog_.form());
    window_->setBusyCursor(false);
}

ProgressWindow::~ProgressWindow() {
    dialog_.form().unsubscribe(subscription_);
    releaseOthers();
    window_.reset();
}

void ProgressWindow::onVisible() {
    if (dialog_.form().visible()) {
        blockOthers();
        return;
    }
    releaseOthers();
    // Hidden here rather than by the window, so the activation goes back to the owner before
    // the window lets it go: a window still owned would be destroyed with its owner (a modal
    // form's window, gone once the form hides).
    ShowWindow(hwnd(), SW_HIDE);
    SetWindowLongPtrW(hwnd(), GWLP_HWNDPARENT, 0);
}

void ProgressWindow::blockOthers() {
    HWND owner = ui_.dialogOwner();
    // Owned by the window in front, so it stays above it and goes with it.
    SetWindowLongPtrW(hwnd(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
    placeOver(owner);
    Blocking blocking{hwnd(), &disabled_};
    EnumThreadWindows(GetCurrentThreadId(), &collectUsable, reinterpret_cast<LPARAM>(&blocking));
    for (HWND window : disabled_) {
        EnableWindow(window, FALSE);
    }
}

void ProgressWindow::releaseOthers() {
    for (HWND window : disabled_) {
        if (IsWindow(window)) {
            EnableWindow(window, TRUE);
        }
    }
    disabled_.clear();
}

void ProgressWindow::placeOver(HWND owner) {
    RECT around{};
    if (owner == nullptr || !IsWindowVisible(owner) || !GetWindowRect(owner, &around)) {
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &around, 0);
    }
    RECT frame{};
    GetWindowRect(hwnd(), &frame);
    const LONG width = frame.right - frame.left;
    const LONG height = frame.bottom - frame.top;
    const LONG x = std::max(around.left, (around.left + around.right - width) / 2);
    const LONG y = std::max(around.top, (around.top + around.bottom - height) / 2);
    SetWindowPos(hwnd(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace bp::win
