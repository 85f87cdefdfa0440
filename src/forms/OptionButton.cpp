#include "forms/OptionButton.h"

#include "forms/Form.h"

namespace bp::forms {

void OptionButton::setCaption(std::string caption) {
    if (caption_ == caption) {
        return;
    }
    caption_ = std::move(caption);
    changed(Property::Caption);
}

void OptionButton::setValue(bool value, Announcement announce) {
    if (!value) {
        if (value_) {
            value_ = false;
            changed(Property::Value);
        }
        return;
    }
    if (!value_) {
        value_ = true;
        changed(Property::Value);
    }
    clearSiblings();
    if (announce == Announcement::DoEmit) {
        fire(onClick);
    }
}

void OptionButton::clearSiblings() {
    const auto& controls = form().controls();
    for (std::size_t i = 0; i < controls.size(); ++i) {
        Control* c = controls[i];
        if (c != this && c->kind() == ControlKind::OptionButton && c->container() == container() &&
            c->tabPage() == tabPage()) {
            static_cast<OptionButton*>(c)->setValue(false);
        }
    }
}

bool OptionButton::click() {
    if (!usable()) {
        return false;
    }
    setFocus();
    if (!usable()) {
        return false;  // the focus change disabled or hid it
    }
    setValue(true);
    return true;
}

}  // namespace bp::forms
