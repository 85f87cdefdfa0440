#include "win/WinUi.h"

#include <atomic>

#include "forms/Form.h"
#include "platform/WinText.h"
#include "win/PopupMenu.h"
#include "win/ProgressWindow.h"
#include "win/WinColorDialog.h"
#include "win/WinFileDialogs.h"
#include "win/WinFontDialog.h"
#include "win/WinFormWindow.h"
#include "win/WindowlessTimers.h"

namespace bp::win {
namespace {

// Nested busy stretches keep one wait cursor, and one restore ends it.
std::atomic<bool> busyFlag{false};

UINT buttonFlags(forms::MsgButtons buttons) {
    switch (buttons) {
        case forms::MsgButtons::OK:
            return MB_OK;
        case forms::MsgButtons::OKCancel:
            return MB_OKCANCEL;
        case forms::MsgButtons::AbortRetryIgnore:
            return MB_ABORTRETRYIGNORE;
        case forms::MsgButtons::YesNoCancel:
            return MB_YESNOCANCEL;
        case forms::MsgButtons::YesNo:
            return MB_YESNO;
        case forms::MsgButtons::RetryCancel:
            return MB_RETRYCANCEL;
    }
    return MB_OK;
}

UINT iconFlags(forms::MsgIcon icon) {
    switch (icon) {
        case forms::MsgIcon::None:
            return 0;
        case forms::MsgIcon::Critical:
            return MB_ICONERROR;
        case forms::MsgIcon::Question:
            return MB_ICONQUESTION;
        case forms::MsgIcon::Exclamation:
            return MB_ICONWARNING;
        case forms::MsgIcon::Information:
            return MB_ICONINFORMATION;
    }
    return 0;
}

UINT defaultFlags(int position) {
    switch (position) {
        case 1:
            return MB_DEFBUTTON2;
        case 2:
            return MB_DEFBUTTON3;
        default:
            return MB_DEFBUTTON1;
    }
}

struct FormSearch {
    const forms::Form* form;
    HWND found;
};

BOOL CALLBACK findFormWindow(HWND hwnd, LPARAM data) {
    auto* search = reinterpret_cast<FormSearch*>(data);
    const WinFormWindow* window = WinFormWindow::fromHandle(hwnd);
    if (window != nullptr && &window->form() == search->form) {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

// The window showing `form` on this thread, or nullptr.
HWND windowShowing(const forms::Form& form) {
    FormSearch search{&form, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), &findFormWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Where the menu opens: under the mouse when it is over the window, as for the right click
// that pops most menus up; else at x, y of the window's client area, in pixels.
POINT popupPlace(HWND window, int x, int y) {
    POINT cursor{};
    RECT frame{};
    if (GetCursorPos(&cursor) && GetWindowRect(window, &frame) && PtInRect(&frame, cursor)) {
        return cursor;
    }
    POINT place{x, y};
    ClientToScreen(window, &place);
    return place;
}

// A tick of a form's timer: a timer of a form's window, or of a form shown without one.
bool isFormTimerTick(const MSG& message) {
    if (message.message != WM_TIMER) {
        return false;
    }
    return message.hwnd == nullptr ? WindowlessTimers::isTick(message)
                                   : WinFormWindow::fromHandle(message.hwnd) != nullptr;
}

// Messages one call of processEvents lets through at most, so a window that keeps posting
// to itself cannot hold the run up.
constexpr int kMessagesPerLook = 500;

}  // namespace

WinUi::WinUi(core::ProgressTiming progressTiming) : progressTiming_(progressTiming) {}

// Windows still attached go before the service their forms call.
WinUi::~WinUi() = default;

UINT messageBoxFlags(const forms::MessageRequest& request) {
    return buttonFlags(request.buttons) | iconFlags(request.icon) |
           defaultFlags(request.defaultButton);
}

forms::MsgResult messageResult(int pressed) {
    switch (pressed) {
        case IDOK:
            return forms::MsgResult::OK;
        case IDABORT:
            return forms::MsgResult::Abort;
        case IDRETRY:
            return forms::MsgResult::Retry;
        case IDIGNORE:
            return forms::MsgResult::Ignore;
        case IDYES:
            return forms::MsgResult::Yes;
        case IDNO:
            return forms::MsgResult::No;
        default:
            // The close box and Esc answer Cancel, as the message box itself reports them.
            return forms::MsgResult::Cancel;
    }
}

forms::MsgResult WinUi::message(const forms::MessageRequest& request) {
    putProgressAway();
    const int pressed = MessageBoxW(dialogOwner(), platform::toWide(request.text).c_str(),
                                    platform::toWide(request.title).c_str(),
                                    messageBoxFlags(request) | MB_SETFOREGROUND);
    return messageResult(pressed);
}

void WinUi::showModal(forms::Form& form) {
    putProgressAway();
    HWND owner = dialogOwner();
    WinFormWindow window(form, owner);
    modal_.push_back(&window);
    struct Leave {
        std::vector<WinFormWindow*>& modal;
        HWND owner;
        ~Leave() {
            modal.pop_back();
            if (owner != nullptr) {
                EnableWindow(owner, TRUE);
                SetActiveWindow(owner);
            }
        }
    } leave{modal_, owner};
    if (form.visible() && form.loaded()) {
        if (owner != nullptr) {
            EnableWindow(owner, FALSE);
        }
        window.show();
        runUntil([&form] { return !(form.visible() && form.loaded()); });
    }
    // However the window went away, the form must not think it is still on screen.
    if (form.visible()) {
        form.hide();
    }
}

std::optional<std::string> WinUi::saveFile(const forms::SaveFileRequest& request) {
    putProgressAway();
    return saveFileDialog(request, dialogOwner());
}

std::optional<forms::FontChoice> WinUi::chooseFont(const forms::FontChoice& initial) {
    putProgressAway();
    return fontDialog(initial, dialogOwner());
}

std::optional<std::uint32_t> WinUi::chooseColor(std::uint32_t initial) {
    putProgressAway();
    return colorDialog(initial, dialogOwner());
}

std::optional<std::string> WinUi::browseFolder(const std::string& title,
                                               const std::string& startFolder) {
    putProgressAway();
    return folderDialog(title, startFolder, dialogOwner());
}

void WinUi::beep() {
    MessageBeep(MB_OK);
}

void WinUi::setBusy(bool busy) {
    busyFlag = busy;
    POINT cursor{};
    if (progress_ && GetCursorPos(&cursor) &&
        GetAncestor(WindowFromPoint(cursor), GA_ROOT) == progress_->hwnd()) {
        return;  // Cancel keeps the arrow
    }
    SetCursor(LoadCursorW(nullptr, WinUi::busy() ? IDC_WAIT : IDC_ARROW));
}

core::ProgressSink* WinUi::progressSink() {
    if (!progress_) {
        progress_ = std::make_unique<ProgressWindow>(*this, progressTiming_);
    }
    return &progress_->dialog();
}

void WinUi::processEvents() {
    MSG message{};
    for (int i = 0; i < kMessagesPerLook && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE); ++i) {
        if (message.message == WM_QUIT) {
            // The program is ending: the loop that owns the quit message must see it once the
            // run is over.
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        // A held tick is dropped: the timer ticks again at its next interval.
        if (isFormTimerTick(message)) {
            continue;
        }
        if (!translate(message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
}

void WinUi::putProgressAway() {
    if (progress_) {
        progress_->dialog().form().hide();
    }
}

forms::MenuEntry* WinUi::popupMenu(forms::Form& form, forms::MenuEntry& menu, int x, int y) {
    HWND owner = windowShowing(form);
    if (owner == nullptr) {
        owner = dialogOwner();
    }
    if (owner == nullptr) {
        return nullptr;  // a form not on screen has nowhere to pop a menu up
    }
    return PopupMenu(menu).run(owner, popupPlace(owner, x, y));
}

bool WinUi::busy() {
    return busyFlag;
}

HWND WinUi::dialogOwner() const {
    if (!modal_.empty()) {
        return modal_.back()->hwnd();
    }
    for (const auto& [form, window] : attached_) {
        if (IsWindowVisible(window->hwnd())) {
            return window->hwnd();
        }
    }
    return nullptr;
}

WinFormWindow& WinUi::attach(forms::Form& form) {
    if (WinFormWindow* window = windowOf(form)) {
        return *window;
    }
    attached_.emplace_back(&form, std::make_unique<WinFormWindow>(form));
    return *attached_.back().second;
}

void WinUi::detach(forms::Form& form) {
    std::erase_if(attached_, [&form](const auto& entry) { return entry.first == &form; });
}

WinFormWindow* WinUi::windowOf(const forms::Form& form) const {
    for (const auto& [attachedForm, window] : attached_) {
        if (attachedForm == &form) {
            return window.get();
        }
    }
    for (WinFormWindow* window : modal_) {
        if (&window->form() == &form) {
            return window;
        }
    }
    return nullptr;
}

bool WinUi::translate(MSG& message) {
    if (message.hwnd == nullptr) {
        return false;
    }
    // Tab and the arrows move within the window the key was typed in, whichever it is.
    HWND top = GetAncestor(message.hwnd, GA_ROOT);
    if (progress_ && progress_->hwnd() == top) {
        return progress_->window().translate(message);
    }
    for (WinFormWindow* window : modal_) {
        if (window->hwnd() == top) {
            return window->translate(message);
        }
    }
    for (const auto& [form, window] : attached_) {
        if (window->hwnd() == top) {
            return window->translate(message);
        }
    }
    return false;
}

bool WinUi::runUntil(const std::function<bool()>& done) {
    MSG message{};
    while (!done()) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got <= 0) {
            // The program is ending: the loop that owns the quit message must see it too.
            PostQuitMessage(static_cast<int>(message.wParam));
            return false;
        }
        if (!translate(message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return true;
}

}  // namespace bp::win
