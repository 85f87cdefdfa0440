#include "win/FrameBinding.h"

#include "platform/WinText.h"
#include "win/DialogMetrics.h"

namespace bp::win {

FrameBinding::FrameBinding(forms::Frame& frame, const ChildPlace& place)
    : WinBinding(frame, create(place, L"BUTTON", BS_GROUPBOX | WS_GROUP)), model_(frame) {}

SIZE FrameBinding::preferredSize(const DialogMetrics& metrics) const {
    // The caption at the least; the window adds the contents and padding.
    const SIZE text = metrics.textSize(platform::toWide(model_.caption()));
    return SIZE{text.cx + metrics.x(14), text.cy + metrics.y(10)};
}

RECT FrameBinding::padding(const DialogMetrics& metrics) const {
    const SIZE caption = metrics.textSize(platform::toWide(model_.caption()));
    return RECT{metrics.x(7), caption.cy + metrics.y(4), metrics.x(7), metrics.y(7)};
}

void FrameBinding::sync(forms::Property property) {
    if (property == forms::Property::Caption) {
        setText(model_.caption());
    }
}

void FrameBinding::syncContent() {
    setText(model_.caption());
}

}  // namespace bp::win
