#include "forms/CheckBox.h"

#include <stdexcept>

namespace bp::forms {

void CheckBox::setCaption(std::string caption) {
    if (caption_ == caption) {
        return;
    }
    caption_ = std::move(caption);
    changed(Property::Caption);
}

void CheckBox::setValue(int value, Announcement announce) {
    if (value < kUnchecked || value > kGrayed) {
        throw std::invalid_argument("Invalid property value");
    }
    if (value_ == value) {
        return;
    }
    value_ = value;
    changed(Property::Value);
    if (announce == Announcement::DoEmit) {
        fire(onClick);
    }
}

bool CheckBox::click() {
    if (!usable()) {
        return false;
    }
    setFocus();
    if (!usable()) {
        return false;  // the focus change disabled or hid it
    }
    setValue(value_ == kChecked ? kUnchecked : kChecked);
    return true;
}

}  // namespace bp::forms
