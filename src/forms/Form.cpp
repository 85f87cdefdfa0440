#include "forms/Form.h"

#include <algorithm>

#include "forms/CommandButton.h"
#include "forms/MenuEntry.h"
#include "forms/UiService.h"

namespace bp::forms {

Form::Form(UiService& ui, std::string name, std::string caption)
    : ui_(ui), name_(std::move(name)), caption_(std::move(caption)) {}

Form::~Form() = default;

void Form::setCaption(std::string caption) {
    if (caption_ == caption) {
        return;
    }
    caption_ = std::move(caption);
    changed(FormProperty::Caption);
}

void Form::checkNewControl(const std::string& name, int index, Control* container, int tabPage,
                           bool isMenu) const {
    if (name.empty()) {
        throw std::invalid_argument("A control needs a name");
    }
    if (find(name, index) != nullptr) {
        throw std::invalid_argument("Control '" + name + "' (" + std::to_string(index) +
                                    ") already exists on " + name_);
    }
    if (container == nullptr) {
        return;
    }
    if (&container->form() != this) {
        throw std::invalid_argument("Container of '" + name + "' belongs to another form");
    }
    if (isMenu != (container->kind() == ControlKind::Menu)) {
        throw std::invalid_argument(
            "Menu entries hold only menu entries and live only in menus: '" + name + "' in '" +
            container->name() + "'");
    }
    switch (container->kind()) {
        case ControlKind::Frame:
        case ControlKind::Menu:
            return;
        case ControlKind::TabControl:
            if (tabPage < 0) {
                throw std::invalid_argument("'" + name + "' needs the tab page of its container");
            }
            return;
        default:
            throw std::invalid_argument("'" + container->name() + "' cannot hold controls");
    }
}

void Form::adopt(std::unique_ptr<Control> control) {
    order_.push_back(control.get());
    owned_.push_back(std::move(control));
    changed(FormProperty::Controls);
}

void Form::forEachControl(const std::function<void(Control&)>& visit) const {
    // By index, so a visitor that adds controls neither invalidates the walk nor sees them.
    const std::size_t count = order_.size();
    for (std::size_t i = 0; i < count; ++i) {
        visit(*order_[i]);
    }
}

Control* Form::find(const std::string& name, int index) const {
    for (Control* c : order_) {
        if (c->index() == index && c->name() == name) {
            return c;
        }
    }
    return nullptr;
}

void Form::load() {
    if (loaded_) {
        return;
    }
    loaded_ = true;
    changed(FormProperty::Loaded);
    Form_Load();
}

bool Form::unload() {
    if (!loaded_) {
        return true;
    }
    int cancel = 0;
    Form_Unload(cancel);
    if (cancel != 0) {
        return false;
    }
    setVisibleFlag(false);
    if (active_ != nullptr) {
        active_ = nullptr;
        changed(FormProperty::ActiveControl);
    }
    loaded_ = false;
    changed(FormProperty::Loaded);
    return true;
}

void Form::show() {
    load();
    if (loaded_) {
        setVisibleFlag(true);
    }
}

void Form::showModal() {
    if (visible_) {
        throw std::logic_error("Form " + name_ + " is already displayed; can't show modally");
    }
    load();
    if (!loaded_) {
        return;
    }
    struct EndModal {
        bool& modal;
        ~EndModal() { modal = false; }
    } endModal{modal_};
    modal_ = true;
    setVisibleFlag(true);
    ui_.showModal(*this);
}

void Form::hide() {
    setVisibleFlag(false);
}

void Form::setVisibleFlag(bool visible) {
    if (visible_ == visible) {
        return;
    }
    visible_ = visible;
    changed(FormProperty::Visible);
}

bool Form::pressEnter() {
    // The focus stays where it is: Enter presses the default button from any control.
    if (defaultButton_ != nullptr && defaultButton_->usable()) {
        defaultButton_->setValue(true);
        return true;
    }
    return false;
}

bool Form::pressEscape() {
    if (cancelButton_ != nullptr && cancelButton_->usable()) {
        cancelButton_->setValue(true);
        return true;
    }
    return false;
}

void Form::popupMenu(MenuEntry& menu, int x, int y) {
    // The chosen entry's Click runs while the menu still counts as popped up; afterwards the
    // menu is down again whatever the service or the handler did, exceptions included.
    struct Restore {
        MenuEntry*& slot;
        MenuEntry* outer;
        ~Restore() { slot = outer; }
    } restore{popup_, popup_};
    popup_ = &menu;
    MenuEntry* chosen = ui_.popupMenu(*this, menu, x, y);
    if (chosen != nullptr && chosen->isInside(menu)) {
        chosen->click();
    }
}

bool Form::moveFocus(Control& to) {
    if (active_ == &to) {
        return true;
    }
    // The old control loses the focus first. While its LostFocus runs no control has the
    // focus, so a handler that sends it elsewhere wins and `to` never gets it.
    if (Control* previous = active_) {
        active_ = nullptr;
        previous->changed(Property::Focus);
        changed(FormProperty::ActiveControl);
        Control::fire(previous->onLostFocus);
        if (active_ != nullptr || !to.canFocus()) {
            return active_ == &to;
        }
    }
    active_ = &to;
    to.changed(Property::Focus);
    changed(FormProperty::ActiveControl);
    Control::fire(to.onGotFocus);
    return true;
}

void Form::dropFocus(Control& from) {
    // A hidden or disabled control cannot keep the focus, nor can one inside a container that
    // just became hidden or disabled.
    if (active_ == nullptr || (active_ != &from && !active_->isInside(from))) {
        return;
    }
    Control* previous = active_;
    active_ = nullptr;
    previous->changed(Property::Focus);
    changed(FormProperty::ActiveControl);
    Control::fire(previous->onLostFocus);
}

int Form::subscribe(Observer observer) {
    int id = nextObserverId_++;
    observers_.emplace_back(id, std::move(observer));
    return id;
}

void Form::unsubscribe(int id) {
    std::erase_if(observers_, [id](const auto& entry) { return entry.first == id; });
}

void Form::changed(FormProperty property) {
    auto observers = observers_;
    for (auto& [id, observer] : observers) {
        observer(*this, property);
    }
}

}  // namespace bp::forms
