#include "win/CheckBoxBinding.h"

#include "platform/WinText.h"
#include "win/DialogMetrics.h"

namespace bp::win {

CheckBoxBinding::CheckBoxBinding(forms::CheckBox& box, const ChildPlace& place)
    : WinBinding(box, create(place, L"BUTTON", WS_TABSTOP | WS_GROUP | BS_3STATE | BS_NOTIFY)),
      model_(box) {}

SIZE CheckBoxBinding::preferredSize(const DialogMetrics& metrics) const {
    const SIZE text = metrics.textSize(platform::toWide(model_.caption()));
    const LONG height = std::max(text.cy, static_cast<LONG>(metrics.y(10)));
    if (model_.caption().empty()) {
        // A box whose caption is a label beside it: the label follows the box closely, not
        // after the room a caption would have had.
        return SIZE{metrics.x(12), height};
    }
    return SIZE{text.cx + metrics.x(16), height};
}

void CheckBoxBinding::sync(forms::Property property) {
    if (property == forms::Property::Caption) {
        setText(model_.caption());
    } else if (property == forms::Property::Value) {
        pushValue();
    }
}

void CheckBoxBinding::syncContent() {
    setText(model_.caption());
    pushValue();
}

void CheckBoxBinding::notified(int code) {
    if (code == BN_CLICKED) {
        model_.click();
        const Push push(*this);
        pushValue();
    } else if (code == BN_SETFOCUS) {
        focused();
    }
}

void CheckBoxBinding::pushValue() {
    const Push push(*this);
    WPARAM state = BST_UNCHECKED;
    if (model_.value() == forms::CheckBox::kChecked) {
        state = BST_CHECKED;
    } else if (model_.value() == forms::CheckBox::kGrayed) {
        state = BST_INDETERMINATE;
    }
    SendMessageW(hwnd(), BM_SETCHECK, state, 0);
}

}  // namespace bp::win
