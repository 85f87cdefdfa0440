#include "win/OptionBinding.h"

#include "platform/WinText.h"
#include "win/DialogMetrics.h"

namespace bp::win {

OptionBinding::OptionBinding(forms::OptionButton& option, const ChildPlace& place, bool startsGroup)
    : WinBinding(option, create(place, L"BUTTON",
                                WS_TABSTOP | BS_RADIOBUTTON | BS_NOTIFY |
                                    static_cast<DWORD>(startsGroup ? WS_GROUP : 0))),
      model_(option) {}

SIZE OptionBinding::preferredSize(const DialogMetrics& metrics) const {
    const SIZE text = metrics.textSize(platform::toWide(model_.caption()));
    return SIZE{text.cx + metrics.x(16), std::max(text.cy, static_cast<LONG>(metrics.y(10)))};
}

void OptionBinding::sync(forms::Property property) {
    if (property == forms::Property::Caption) {
        setText(model_.caption());
    } else if (property == forms::Property::Value) {
        pushValue();
    }
}

void OptionBinding::syncContent() {
    setText(model_.caption());
    pushValue();
}

void OptionBinding::notified(int code) {
    if (code == BN_CLICKED) {
        model_.click();
        const Push push(*this);
        pushValue();
    } else if (code == BN_SETFOCUS) {
        focused();
    }
}

void OptionBinding::pushValue() {
    const Push push(*this);
    SendMessageW(hwnd(), BM_SETCHECK, model_.value() ? BST_CHECKED : BST_UNCHECKED, 0);
}

}  // namespace bp::win
