#include "win/ProgressBarBinding.h"

#include <commctrl.h>

#include <string>

#include "win/DialogMetrics.h"

namespace bp::win {
namespace {

constexpr UINT kMarqueeStepMs = 30;

// The bar's window class, registered on first use.
const wchar_t* barClass() {
    static const bool registered = [] {
        INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_PROGRESS_CLASS};
        return InitCommonControlsEx(&classes) != FALSE;
    }();
    (void)registered;
    return PROGRESS_CLASSW;
}

constexpr UINT_PTR kPercentageId = 1;

// The window text centred on the bar, in the control's font.
void drawPercentage(HWND bar, HDC dc) {
    wchar_t text[8] = {};
    const int length = GetWindowTextW(bar, text, 8);
    if (length == 0) {
        return;
    }
    RECT client{};
    GetClientRect(bar, &client);
    const auto font = reinterpret_cast<HFONT>(SendMessageW(bar, WM_GETFONT, 0, 0));
    HGDIOBJ before = font != nullptr ? SelectObject(dc, font) : nullptr;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    DrawTextW(dc, text, length, &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    if (before != nullptr) {
        SelectObject(dc, before);
    }
}

}  // namespace

ProgressBarBinding::ProgressBarBinding(forms::ProgressBar& bar, const ChildPlace& place)
    : WinBinding(bar, create(place, barClass(), 0)), model_(bar) {
    SendMessageW(hwnd(), PBM_SETRANGE32, 0, 100);
    SetWindowSubclass(hwnd(), &paintPercentage, kPercentageId, 0);
}

LRESULT CALLBACK ProgressBarBinding::paintPercentage(HWND hwnd, UINT message, WPARAM wParam,
                                                     LPARAM lParam, UINT_PTR id, DWORD_PTR data) {
    (void)data;
    switch (message) {
        case WM_PAINT:
        case WM_PRINTCLIENT: {
            const LRESULT result = DefSubclassProc(hwnd, message, wParam, lParam);
            // WM_PAINT may come with a device context to draw into, as WM_PRINTCLIENT does.
            HDC dc = wParam != 0 ? reinterpret_cast<HDC>(wParam) : GetDC(hwnd);
            drawPercentage(hwnd, dc);
            if (wParam == 0) {
                ReleaseDC(hwnd, dc);
            }
            return result;
        }
        case WM_NCDESTROY:
            RemoveWindowSubclass(hwnd, &paintPercentage, id);
            break;
        default:
            break;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

SIZE ProgressBarBinding::preferredSize(const DialogMetrics& metrics) const {
    // Wide enough that one percent is a visible step.
    return SIZE{metrics.x(200), metrics.y(10)};
}

void ProgressBarBinding::sync(forms::Property property) {
    if (property == forms::Property::Value) {
        syncContent();
    }
}

void ProgressBarBinding::syncContent() {
    // A marquee bar takes no position: the bar is emptied before and filled after it.
    if (model_.value() == forms::ProgressBar::kBusy) {
        setText("");
        SendMessageW(hwnd(), PBM_SETPOS, 0, 0);
        setMarquee(true);
    } else {
        setText(std::to_string(model_.value()) + "%");
        setMarquee(false);
        SendMessageW(hwnd(), PBM_SETPOS, static_cast<WPARAM>(model_.value()), 0);
    }
}

void ProgressBarBinding::setMarquee(bool on) {
    const LONG_PTR style = GetWindowLongPtrW(hwnd(), GWL_STYLE);
    if (((style & PBS_MARQUEE) != 0) == on) {
        return;
    }
    // The marquee moves on its own timer, which only runs with the style set.
    if (on) {
        SetWindowLongPtrW(hwnd(), GWL_STYLE, style | PBS_MARQUEE);
        SendMessageW(hwnd(), PBM_SETMARQUEE, TRUE, kMarqueeStepMs);
    } else {
        SendMessageW(hwnd(), PBM_SETMARQUEE, FALSE, 0);
        SetWindowLongPtrW(hwnd(), GWL_STYLE, style & ~static_cast<LONG_PTR>(PBS_MARQUEE));
    }
}

}  // namespace bp::win
