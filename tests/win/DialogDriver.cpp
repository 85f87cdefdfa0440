#include "win/DialogDriver.h"

#include "platform/WinText.h"

namespace bp::win::test {
namespace {

// About fifteen seconds at the timer's pace before a stuck dialog is cancelled.
constexpr int kPatience = 300;
constexpr UINT kTickMs = 50;

DialogDriver* running = nullptr;

std::string className(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return platform::toUtf8(name);
}

std::string text(HWND window) {
    wchar_t buffer[256] = {};
    GetWindowTextW(window, buffer, 256);
    return platform::toUtf8(buffer);
}

BOOL CALLBACK collectFront(HWND window, LPARAM found) {
    if (IsWindowVisible(window) && IsWindowEnabled(window) && className(window) == "#32770") {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

struct ChildSearch {
    const wchar_t* windowClass;
    const std::function<bool(HWND)>* accept;
    int id;
    HWND found;
};

BOOL CALLBACK matchChild(HWND child, LPARAM data) {
    auto& search = *reinterpret_cast<ChildSearch*>(data);
    if (search.windowClass == nullptr) {
        if (GetDlgCtrlID(child) == search.id) {
            search.found = child;
            return FALSE;
        }
        return TRUE;
    }
    wchar_t name[64] = {};
    GetClassNameW(child, name, 64);
    if (lstrcmpiW(name, search.windowClass) == 0 &&
        (*search.accept == nullptr || (*search.accept)(child))) {
        search.found = child;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK describeChild(HWND child, LPARAM out) {
    auto& lines = *reinterpret_cast<std::string*>(out);
    lines += className(child) + " id=" + std::to_string(GetDlgCtrlID(child)) +
             " parent=" + className(GetParent(child)) +
             " visible=" + std::to_string(IsWindowVisible(child)) + " text=\"" + text(child) +
             "\"\n";
    return TRUE;
}

}  // namespace

DialogDriver::DialogDriver(std::vector<Step> steps) : steps_(std::move(steps)) {
    running = this;
    timer_ = SetTimer(nullptr, 0, kTickMs, &DialogDriver::tick);
}

DialogDriver::~DialogDriver() {
    KillTimer(nullptr, timer_);
    running = nullptr;
}

void CALLBACK DialogDriver::tick(HWND, UINT, UINT_PTR, DWORD) {
    if (running != nullptr) {
        running->onTick();
    }
}

void DialogDriver::onTick() {
    HWND dialog = frontDialog();
    if (dialog == nullptr) {
        return;
    }
    if (dialog != last_ && next_ < steps_.size() && steps_[next_](dialog)) {
        titles_.push_back(text(dialog));
        last_ = dialog;
        ++next_;
        ticks_ = 0;
        return;
    }
    // Waiting for a dialog to get ready, or for one a step answered to go away. A dialog no
    // step expects, or one that stays too long, is cancelled: the test must not hang.
    const bool unexpected = dialog != last_ && next_ == steps_.size();
    if (unexpected || ++ticks_ > kPatience) {
        cancelled_ = true;
        ticks_ = 0;
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        PostMessageW(dialog, WM_CLOSE, 0, 0);
        if (GetDlgItem(dialog, IDNO) != nullptr) {
            PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDNO, BN_CLICKED), 0);
        }
    }
}

HWND frontDialog() {
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), collectFront, reinterpret_cast<LPARAM>(&found));
    return found;
}

HWND findControl(HWND dialog, int id) {
    ChildSearch search{nullptr, nullptr, id, nullptr};
    EnumChildWindows(dialog, matchChild, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND findChild(HWND dialog, const wchar_t* windowClass, const std::function<bool(HWND)>& accept) {
    ChildSearch search{windowClass, &accept, 0, nullptr};
    EnumChildWindows(dialog, matchChild, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void pressButton(HWND dialog, int id) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void setEditText(HWND edit, const std::string& value) {
    SetWindowTextW(edit, platform::toWide(value).c_str());
}

std::string describeChildren(HWND dialog) {
    std::string lines = "dialog \"" + text(dialog) + "\"\n";
    EnumChildWindows(dialog, describeChild, reinterpret_cast<LPARAM>(&lines));
    return lines;
}

}  // namespace bp::win::test
