#include "win/ProgressBarBinding.h"

#include <commctrl.h>

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

}  // namespace

ProgressBarBinding::ProgressBarBinding(forms::ProgressBar& bar, const ChildPlace& place)
    : WinBinding(bar, create(place, barClass(), 0)), model_(bar) {
    SendMessageW(hwnd(), PBM_SETRANGE32, 0, 100);
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
        SendMessageW(hwnd(), PBM_SETPOS, 0, 0);
        setMarquee(true);
    } else {
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
