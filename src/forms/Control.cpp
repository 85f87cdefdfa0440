#include "forms/Control.h"

#include <algorithm>

#include "forms/Form.h"
#include "forms/TabControl.h"

namespace bp::forms {

Control::Control(const ControlInit& init, ControlKind kind)
    : form_(init.form),
      kind_(kind),
      name_(init.name),
      index_(init.index),
      container_(init.container),
      tabPage_(init.tabPage) {}

bool Control::isInside(const Control& other) const {
    for (Control* c = container_; c != nullptr; c = c->container_) {
        if (c == &other) {
            return true;
        }
    }
    return false;
}

void Control::setTag(std::string tag) {
    if (tag_ == tag) {
        return;
    }
    tag_ = std::move(tag);
    changed(Property::Tag);
}

void Control::setEnabled(bool enabled) {
    if (enabled_ == enabled) {
        return;
    }
    enabled_ = enabled;
    changed(Property::Enabled);
    if (!enabled) {
        form_.dropFocus(*this);
    }
}

void Control::setVisible(bool visible) {
    if (visible_ == visible) {
        return;
    }
    visible_ = visible;
    changed(Property::Visible);
    if (!visible) {
        form_.dropFocus(*this);
    }
}

bool Control::usable() const {
    for (const Control* c = this; c != nullptr; c = c->container_) {
        if (!c->enabled_ || !c->visible_) {
            return false;
        }
        if (c->container_ != nullptr && c->container_->kind_ == ControlKind::TabControl) {
            const auto* tabs = static_cast<const TabControl*>(c->container_);
            if (c->tabPage_ >= tabs->tabs() || !tabs->tabVisible(c->tabPage_) ||
                !tabs->tabEnabled(c->tabPage_)) {
                return false;
            }
        }
    }
    return true;
}

void Control::setLayout(int row, int column, int rowSpan, int columnSpan) {
    layout_ = {row, column, std::max(1, rowSpan), std::max(1, columnSpan)};
    changed(Property::Layout);
}

bool Control::canFocus() const {
    switch (kind_) {
        case ControlKind::Label:
        case ControlKind::Frame:
        case ControlKind::Menu:
        case ControlKind::Timer:
        case ControlKind::ProgressBar:
            return false;
        default:
            return usable();
    }
}

bool Control::hasFocus() const {
    return form_.activeControl() == this;
}

bool Control::setFocus() {
    if (!canFocus()) {
        return false;
    }
    return form_.moveFocus(*this);
}

bool Control::pressKey(int keyAscii) {
    if (!usable()) {
        return false;
    }
    fire(onKeyPress, keyAscii);
    return keyAscii != 0;
}

void Control::doubleClick() {
    if (usable()) {
        fire(onDblClick);
    }
}

void Control::mouseDown(MouseButton button, int shift, int x, int y) {
    if (usable()) {
        fire(onMouseDown, static_cast<int>(button), shift, x, y);
    }
}

int Control::subscribe(Observer observer) {
    int id = nextObserverId_++;
    observers_.emplace_back(id, std::move(observer));
    return id;
}

void Control::unsubscribe(int id) {
    for (auto& entry : observers_) {
        if (entry.first == id) {
            entry.first = 0;  // swept once no notification is running
        }
    }
    if (notifying_ == 0) {
        std::erase_if(observers_, [](const auto& entry) { return entry.first == 0; });
    }
}

void Control::changed(Property property) {
    if (observers_.empty()) {
        return;
    }
    // List views change millions of cells, so no copy of the whole list per change: observers
    // subscribed meanwhile wait for the next change, unsubscribed ones are skipped.
    ++notifying_;
    const std::size_t count = observers_.size();
    for (std::size_t i = 0; i < count; ++i) {
        if (observers_[i].first != 0) {
            Observer observer = observers_[i].second;
            observer(*this, property);
        }
    }
    if (--notifying_ == 0) {
        std::erase_if(observers_, [](const auto& entry) { return entry.first == 0; });
    }
}

}  // namespace bp::forms
