#include "forms/MenuEntry.h"

#include "forms/Form.h"

namespace bp::forms {

MenuEntry::MenuEntry(const ControlInit& init) : Control(init, ControlKind::Menu) {
    if (auto* parent = parentMenu()) {
        parent->children_.push_back(this);
        parent->changed(Property::Items);
    }
}

MenuEntry* MenuEntry::parentMenu() const {
    Control* c = container();
    return c != nullptr && c->kind() == ControlKind::Menu ? static_cast<MenuEntry*>(c) : nullptr;
}

void MenuEntry::setCaption(std::string caption) {
    if (caption_ != caption) {
        caption_ = std::move(caption);
        changed(Property::Caption);
    }
}

void MenuEntry::setChecked(bool checked) {
    if (checked_ != checked) {
        checked_ = checked;
        changed(Property::Checked);
    }
}

bool MenuEntry::reachable() const {
    for (const MenuEntry* m = this; m != nullptr; m = m->parentMenu()) {
        // A popup menu's own entry is usually hidden from the menu bar; that does not hide
        // its children while it is popped up.
        const bool poppedUp = m->parentMenu() == nullptr && form().poppedUpMenu() == m;
        if (!m->enabled() || (!m->visible() && !poppedUp)) {
            return false;
        }
    }
    return true;
}

bool MenuEntry::click() {
    if (!reachable() || separator()) {
        return false;
    }
    fire(onClick);
    return true;
}

}  // namespace bp::forms
