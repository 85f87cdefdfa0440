#include "forms/CommandButton.h"

namespace bp::forms {

void CommandButton::setCaption(std::string caption) {
    if (caption_ == caption) {
        return;
    }
    caption_ = std::move(caption);
    changed(Property::Caption);
}

bool CommandButton::click() {
    if (!usable()) {
        return false;
    }
    // Pressing a button moves the focus to it, as a mouse click does.
    setFocus();
    if (!usable()) {
        return false;  // the focus change disabled or hid it
    }
    fire(onClick);
    return true;
}

void CommandButton::setValue(bool value) {
    if (value) {
        fire(onClick);
    }
}

}  // namespace bp::forms
