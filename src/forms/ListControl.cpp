#include "forms/ListControl.h"

#include <algorithm>
#include <stdexcept>

#include "core/CaseFold.h"

namespace bp::forms {

void ListControl::checkPosition(int position) const {
    if (position < 0 || position >= listCount()) {
        throw std::out_of_range("Invalid property array index (" + std::to_string(position) +
                                " in " + name() + ")");
    }
}

const std::string& ListControl::list(int position) const {
    checkPosition(position);
    return entries_[static_cast<std::size_t>(position)].text;
}

void ListControl::setList(int position, std::string text) {
    checkPosition(position);
    entries_[static_cast<std::size_t>(position)].text = std::move(text);
    changed(Property::Items);
}

std::int64_t ListControl::itemData(int position) const {
    checkPosition(position);
    return entries_[static_cast<std::size_t>(position)].itemData;
}

void ListControl::setItemData(int position, std::int64_t data) {
    checkPosition(position);
    entries_[static_cast<std::size_t>(position)].itemData = data;
    changed(Property::Items);
}

void ListControl::setListIndex(int position, Announcement announce) {
    if (position != -1) {
        checkPosition(position);
    }
    applyListIndex(position);
    changed(Property::ListIndex);
    if (announce == Announcement::DoEmit) {
        fire(onClick);
    }
}

void ListControl::setSorted(bool sorted) {
    if (sorted_ == sorted) {
        return;
    }
    sorted_ = sorted;
    if (sorted_) {
        const std::int64_t current = listIndex_;
        // Tag the current entry so it stays current wherever it moves.
        std::vector<std::pair<ListEntry, bool>> tagged;
        tagged.reserve(entries_.size());
        for (std::size_t i = 0; i < entries_.size(); ++i) {
            tagged.emplace_back(std::move(entries_[i]), static_cast<std::int64_t>(i) == current);
        }
        std::stable_sort(tagged.begin(), tagged.end(), [](const auto& a, const auto& b) {
            return core::compareNoCase(a.first.text, b.first.text) < 0;
        });
        entries_.clear();
        for (std::size_t i = 0; i < tagged.size(); ++i) {
            if (tagged[i].second) {
                listIndex_ = static_cast<int>(i);
            }
            entries_.push_back(std::move(tagged[i].first));
        }
        changed(Property::Items);
    }
    changed(Property::Style);
}

int ListControl::sortedPosition(const std::string& text) const {
    auto it = std::upper_bound(entries_.begin(), entries_.end(), text,
                               [](const std::string& t, const ListEntry& e) {
                                   return core::compareNoCase(t, e.text) < 0;
                               });
    return static_cast<int>(it - entries_.begin());
}

int ListControl::addItem(std::string text, int position) {
    if (sorted_) {
        position = sortedPosition(text);
    } else if (position == -1) {
        position = listCount();
    } else if (position < 0 || position > listCount()) {
        throw std::out_of_range("Invalid procedure call or argument (AddItem position " +
                                std::to_string(position) + " in " + name() + ")");
    }
    entries_.insert(entries_.begin() + position, ListEntry{std::move(text)});
    if (listIndex_ >= position) {
        ++listIndex_;
    }
    changed(Property::Items);
    return position;
}

void ListControl::removeItem(int position) {
    checkPosition(position);
    entries_.erase(entries_.begin() + position);
    if (listIndex_ == position) {
        listIndex_ = -1;
    } else if (listIndex_ > position) {
        --listIndex_;
    }
    changed(Property::Items);
    changed(Property::ListIndex);
}

void ListControl::clear() {
    if (entries_.empty() && listIndex_ == -1) {
        return;
    }
    entries_.clear();
    listIndex_ = -1;
    changed(Property::Items);
    changed(Property::ListIndex);
}

int ListControl::findItem(const std::string& text) const {
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        if (entries_[i].text == text) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

}  // namespace bp::forms
