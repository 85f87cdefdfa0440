#include "gui/MenuBinding.h"

#include "gui/QtText.h"

namespace bp::gui {

MenuBinding::MenuBinding(forms::MenuEntry& entry) : ControlBinding(entry, nullptr), model_(entry) {
    if (!entry.children().empty()) {
        makeMenu();
    } else {
        action_ = new QAction(this);
        action_->setObjectName(toObjectName(entry));
        connect(action_, &QAction::triggered, this, [this] { model_.click(); });
    }
}

MenuBinding::~MenuBinding() = default;

void MenuBinding::makeMenu() {
    menu_ = std::make_unique<QMenu>();
    menu_->setObjectName(toObjectName(model_));
    action_ = menu_->menuAction();
}

QMenu& MenuBinding::ensureMenu() {
    if (!menu_) {
        QAction* entry = action_;
        makeMenu();
        for (QObject* holder : entry->associatedObjects()) {
            if (auto* widget = qobject_cast<QWidget*>(holder)) {
                widget->insertAction(entry, action_);
                widget->removeAction(entry);
            }
        }
        delete entry;
        syncContent();
    }
    return *menu_;
}

void MenuBinding::sync(forms::Property property) {
    switch (property) {
        case forms::Property::Caption:
        case forms::Property::Checked:
        case forms::Property::Enabled:
        case forms::Property::Visible:
            syncContent();
            break;
        default:
            break;
    }
}

void MenuBinding::syncContent() {
    action_->setSeparator(model_.separator());
    action_->setText(toQt(model_.caption()));
    if (menu_) {
        menu_->setTitle(toQt(model_.caption()));
    }
    action_->setCheckable(model_.checkedMark());
    action_->setChecked(model_.checkedMark());
    action_->setEnabled(model_.enabled());
    action_->setVisible(model_.visible());
}

}  // namespace bp::gui
