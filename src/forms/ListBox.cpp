#include "forms/ListBox.h"

#include <algorithm>

namespace bp::forms {

void ListBox::setMultiSelect(MultiSelect mode) {
    if (multiSelect_ == mode) {
        return;
    }
    multiSelect_ = mode;
    if (mode == MultiSelect::None) {
        // A single-selection list can only show its current entry as selected.
        const int current = listIndex_;
        for (std::size_t i = 0; i < entries_.size(); ++i) {
            entries_[i].selected = static_cast<int>(i) == current;
        }
        changed(Property::Selection);
    }
    changed(Property::Style);
}

bool ListBox::selected(int position) const {
    checkPosition(position);
    return entries_[static_cast<std::size_t>(position)].selected;
}

void ListBox::setSelected(int position, bool selected, Announcement announce) {
    checkPosition(position);
    auto& entry = entries_[static_cast<std::size_t>(position)];
    if (entry.selected == selected) {
        return;
    }
    if (multiSelect_ == MultiSelect::None) {
        if (selected) {
            selectOnly(position);
            listIndex_ = position;
        } else {
            entry.selected = false;
            listIndex_ = -1;
        }
        changed(Property::ListIndex);
    } else {
        entry.selected = selected;
    }
    changed(Property::Selection);
    if (announce == Announcement::DoEmit) {
        fire(onClick);
    }
}

int ListBox::selCount() const {
    return static_cast<int>(
        std::count_if(entries_.begin(), entries_.end(), [](const auto& e) { return e.selected; }));
}

std::vector<int> ListBox::selectedIndices() const {
    std::vector<int> result;
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        if (entries_[i].selected) {
            result.push_back(static_cast<int>(i));
        }
    }
    return result;
}

void ListBox::deselectAll() {
    bool any = false;
    for (auto& e : entries_) {
        any = any || e.selected;
        e.selected = false;
    }
    if (multiSelect_ == MultiSelect::None && listIndex_ != -1) {
        listIndex_ = -1;
        changed(Property::ListIndex);
    }
    if (any) {
        changed(Property::Selection);
    }
}

void ListBox::selectOnly(int position) {
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        entries_[i].selected = static_cast<int>(i) == position;
    }
}

void ListBox::applyListIndex(int position) {
    listIndex_ = position;
    if (multiSelect_ == MultiSelect::None) {
        selectOnly(position);
        changed(Property::Selection);
    }
}

bool ListBox::click(int position, bool toggle) {
    if (!usable()) {
        return false;
    }
    checkPosition(position);
    setFocus();
    // A focus handler may have emptied the list or disabled it.
    if (!usable() || position >= listCount()) {
        return false;
    }
    auto& entry = entries_[static_cast<std::size_t>(position)];
    if (multiSelect_ == MultiSelect::None) {
        setListIndex(position);
        return true;
    }
    if (multiSelect_ == MultiSelect::Simple || toggle) {
        entry.selected = !entry.selected;
    } else {
        selectOnly(position);
    }
    listIndex_ = position;
    changed(Property::Selection);
    changed(Property::ListIndex);
    fire(onClick);
    return true;
}

bool ListBox::doubleClick(int position) {
    if (!click(position)) {
        return false;
    }
    fire(onDblClick);
    return true;
}

}  // namespace bp::forms
