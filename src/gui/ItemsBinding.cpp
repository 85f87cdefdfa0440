#include "gui/ItemsBinding.h"

#include <QTimer>

#include "gui/QtText.h"

namespace bp::gui {

ItemsBinding::ItemsBinding(forms::ListControl& list, QWidget* widget)
    : ControlBinding(list, widget), list_(list) {}

void ItemsBinding::sync(forms::Property property) {
    if (property == forms::Property::Items) {
        scheduleItems();
    } else if (property == forms::Property::Style) {
        pushStyle();
    } else if (showsChoice(property) && !itemsPending_) {
        pushChoice();
    }
}

void ItemsBinding::syncContent() {
    pushStyle();
    pushItems();
}

void ItemsBinding::scheduleItems() {
    if (!itemsPending_) {
        itemsPending_ = true;
        QTimer::singleShot(0, this, &ItemsBinding::flush);
    }
}

void ItemsBinding::flush() {
    if (itemsPending_) {
        pushItems();
    }
}

void ItemsBinding::pushItems() {
    itemsPending_ = false;
    QStringList texts;
    texts.reserve(list_.listCount());
    for (const auto& entry : list_.entries()) {
        texts << toQt(entry.text);
    }
    replaceItems(texts);
    pushChoice();
}

}  // namespace bp::gui
