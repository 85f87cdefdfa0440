#pragma once
// What list boxes and combo boxes share: entries with a text and an ItemData value, the current
// entry (ListIndex), an optional case-insensitive sorted order, and Click.
//
// Assigning ListIndex raises Click even when the index does not change; AddItem, RemoveItem and
// Clear raise nothing. Positions are 0-based; a position outside the list is an error
// (std::out_of_range), as it is in the window system.

#include <cstdint>
#include <string>
#include <vector>

#include "forms/Control.h"

namespace bp::forms {

struct ListEntry {
    std::string text;
    std::int64_t itemData = 0;
    bool selected = false;
};

class ListControl : public Control {
public:
    int listCount() const { return static_cast<int>(entries_.size()); }
    const std::string& list(int position) const;
    void setList(int position, std::string text);
    std::int64_t itemData(int position) const;
    void setItemData(int position, std::int64_t data);
    const std::vector<ListEntry>& entries() const { return entries_; }

    int listIndex() const { return listIndex_; }
    // -1 clears the current entry; anything outside -1 .. ListCount-1 throws
    // std::out_of_range and changes nothing.
    void setListIndex(int position, Announcement announce = Announcement::DoEmit);

    // A sorted list keeps its entries ordered by text without regard to case; AddItem then
    // ignores the position it is given. Switching sorting on orders the present entries.
    bool sorted() const { return sorted_; }
    void setSorted(bool sorted);

    // Returns the position the entry landed at. A position of -1 appends.
    int addItem(std::string text, int position = -1);
    void removeItem(int position);
    void clear();
    // First entry whose text equals `text` exactly, or -1.
    int findItem(const std::string& text) const;

    std::function<void()> onClick;

protected:
    ListControl(const ControlInit& init, ControlKind kind) : Control(init, kind) {}

    void checkPosition(int position) const;
    // The part of a ListIndex change that differs between list and combo boxes.
    virtual void applyListIndex(int position) { listIndex_ = position; }

    std::vector<ListEntry> entries_;
    int listIndex_ = -1;

private:
    int sortedPosition(const std::string& text) const;

    bool sorted_ = false;
};

}  // namespace bp::forms
