#include "gui/ListBoxBinding.h"

#include <QItemSelection>
#include <QSignalBlocker>

#include "gui/QtText.h"

namespace bp::gui {

ListBoxBinding::ListBoxBinding(forms::ListBox& list, QWidget* parent)
    : ItemsBinding(list, new QListWidget(parent)),
      model_(list),
      list_(static_cast<QListWidget*>(widget())) {
    list_->setUniformItemSizes(true);
    connect(list_, &QListWidget::itemSelectionChanged, this, &ListBoxBinding::userSelectionChanged);
}

void ListBoxBinding::replaceItems(const QStringList& texts) {
    const QSignalBlocker blocker(list_);
    list_->clear();
    list_->addItems(texts);
}

bool ListBoxBinding::showsModelSelection() const {
    const auto& entries = model_.entries();
    if (list_->count() != static_cast<int>(entries.size())) {
        return false;
    }
    for (int i = 0; i < list_->count(); ++i) {
        if (list_->item(i)->isSelected() != entries[static_cast<std::size_t>(i)].selected) {
            return false;
        }
    }
    return model_.listIndex() < 0 || list_->currentRow() == model_.listIndex();
}

void ListBoxBinding::pushSelection() {
    // Touching a selection that is already right would disturb the list's own anchor and
    // current entry in the middle of a user's click or drag.
    if (showsModelSelection()) {
        return;
    }
    const QSignalBlocker blocker(list_);
    QItemSelection selection;
    const auto& entries = model_.entries();
    QAbstractItemModel* items = list_->model();
    // Runs of selected entries become one range each, so a long list is selected in one call.
    for (int i = 0; i < static_cast<int>(entries.size()); ++i) {
        if (!entries[static_cast<std::size_t>(i)].selected) {
            continue;
        }
        int last = i;
        while (last + 1 < static_cast<int>(entries.size()) &&
               entries[static_cast<std::size_t>(last + 1)].selected) {
            ++last;
        }
        selection.select(items->index(i, 0), items->index(last, 0));
        i = last;
    }
    list_->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    const int current = model_.listIndex();
    list_->selectionModel()->setCurrentIndex(
        current >= 0 ? items->index(current, 0) : QModelIndex(), QItemSelectionModel::NoUpdate);
    if (current >= 0) {
        list_->scrollToItem(list_->item(current));
    }
}

void ListBoxBinding::pushStyle() {
    switch (model_.multiSelect()) {
        case forms::MultiSelect::None:
            list_->setSelectionMode(QAbstractItemView::SingleSelection);
            break;
        case forms::MultiSelect::Simple:
            list_->setSelectionMode(QAbstractItemView::MultiSelection);
            break;
        case forms::MultiSelect::Extended:
            list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
            break;
    }
    pushSelection();
}

void ListBoxBinding::userSelectionChanged() {
    if (itemsPending()) {
        pushItems();  // the user acted on entries the model no longer has
        return;
    }
    model_.setFocus();
    if (model_.multiSelect() == forms::MultiSelect::None) {
        const auto selected = list_->selectedItems();
        const int row = selected.isEmpty() ? -1 : list_->row(selected.front());
        model_.setListIndex(row);
    } else {
        applyMultiSelection();
    }
    flush();
    pushSelection();
}

void ListBoxBinding::applyMultiSelection() {
    // One user action is one Click, however many entries it selected or cleared. While the
    // entries are copied one by one the widget already shows the result; pushing the
    // half-copied state back would undo the user's click.
    copyingUserSelection_ = true;
    for (int i = 0; i < model_.listCount(); ++i) {
        const bool selected = list_->item(i)->isSelected();
        if (model_.selected(i) != selected) {
            model_.setSelected(i, selected, forms::Announcement::BeQuiet);
        }
    }
    const int current = list_->currentRow();
    if (current >= 0 && current < model_.listCount()) {
        model_.setListIndex(current, forms::Announcement::BeQuiet);
    }
    copyingUserSelection_ = false;
    if (auto handler = model_.onClick) {
        handler();
    }
}

}  // namespace bp::gui
