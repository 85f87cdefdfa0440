#include "win/ButtonBinding.h"

#include <algorithm>

#include "platform/WinText.h"
#include "win/DialogMetrics.h"

namespace bp::win {

ButtonBinding::ButtonBinding(forms::CommandButton& button, const ChildPlace& place, bool isDefault)
    : WinBinding(button,
                 create(place, L"BUTTON",
                        WS_TABSTOP | WS_GROUP | BS_NOTIFY |
                            static_cast<DWORD>(isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON))),
      model_(button) {}

SIZE ButtonBinding::preferredSize(const DialogMetrics& metrics) const {
    const SIZE text = metrics.textSize(platform::toWide(model_.caption()));
    // The width of a dialog's OK button at the least, so short captions stay easy to hit.
    return SIZE{std::max(text.cx + metrics.x(12), static_cast<LONG>(metrics.x(50))),
                std::max(text.cy + metrics.y(6), static_cast<LONG>(metrics.y(14)))};
}

void ButtonBinding::sync(forms::Property property) {
    if (property == forms::Property::Caption) {
        setText(model_.caption());
    }
}

void ButtonBinding::syncContent() {
    setText(model_.caption());
}

void ButtonBinding::notified(int code) {
    if (code == BN_CLICKED) {
        model_.click();
    } else if (code == BN_SETFOCUS) {
        focused();
    }
}

}  // namespace bp::win
