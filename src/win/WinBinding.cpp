#include "win/WinBinding.h"

#include "platform/WinText.h"
#include "win/DialogMetrics.h"

namespace bp::win {
namespace {

// Shown only when the control and every container holding it are.
bool shownInWindow(const forms::Control& control) {
    for (const forms::Control* c = &control; c != nullptr; c = c->container()) {
        if (!c->visible()) {
            return false;
        }
    }
    return true;
}

bool enabledInWindow(const forms::Control& control) {
    for (const forms::Control* c = &control; c != nullptr; c = c->container()) {
        if (!c->enabled()) {
            return false;
        }
    }
    return true;
}

}  // namespace

WinBinding::WinBinding(forms::Control& control, HWND hwnd) : control_(control), hwnd_(hwnd) {
    subscription_ = control_.subscribe(
        [this](forms::Control&, forms::Property property) { onModelChange(property); });
}

WinBinding::~WinBinding() {
    control_.unsubscribe(subscription_);
}

HWND WinBinding::create(const ChildPlace& place, const wchar_t* className, DWORD style,
                        const std::string& text, DWORD exStyle) {
    HWND hwnd = CreateWindowExW(exStyle, className, platform::toWide(text).c_str(),
                                WS_CHILD | style, 0, 0, 10, 10, place.parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(place.id)),
                                GetModuleHandleW(nullptr), nullptr);
    if (hwnd != nullptr) {
        SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(place.font), FALSE);
    }
    return hwnd;
}

RECT WinBinding::padding(const DialogMetrics& metrics) const {
    (void)metrics;
    return RECT{0, 0, 0, 0};
}

POINT WinBinding::pageOrigin(const DialogMetrics& metrics) const {
    (void)metrics;
    return POINT{0, 0};
}

LRESULT WinBinding::notify(const NMHDR& header) {
    return pushing() ? 0 : noticed(header);
}

void WinBinding::command(int code) {
    if (!pushing()) {
        notified(code);
    }
}

bool WinBinding::windowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    (void)message;
    (void)wParam;
    (void)lParam;
    (void)result;
    return false;
}

void WinBinding::syncAll() {
    const Push push(*this);
    syncContent();
    syncUsable();
}

void WinBinding::syncUsable() {
    if (hwnd_ == nullptr) {
        return;  // timers and menu entries have no window of their own
    }
    EnableWindow(hwnd_, enabledInWindow(control_) ? TRUE : FALSE);
    ShowWindow(hwnd_, shownInWindow(control_) ? SW_SHOWNA : SW_HIDE);
}

void WinBinding::setText(const std::string& text) {
    const Push push(*this);
    SetWindowTextW(hwnd_, platform::toWide(text).c_str());
}

std::string WinBinding::text() const {
    const int length = GetWindowTextLengthW(hwnd_);
    std::wstring wide(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(hwnd_, wide.data(), length + 1);
    wide.resize(static_cast<std::size_t>(std::max(0, copied)));
    return platform::toUtf8(wide);
}

void WinBinding::focused() {
    control_.setFocus();
}

void WinBinding::onModelChange(forms::Property property) {
    const Push push(*this);
    switch (property) {
        case forms::Property::Enabled:
        case forms::Property::Visible:
            syncUsable();
            break;
        case forms::Property::Focus:
            if (control_.hasFocus() && GetFocus() != hwnd_) {
                SetFocus(hwnd_);
            }
            break;
        default:
            break;
    }
    sync(property);
}

}  // namespace bp::win
