#pragma once
// A popup menu of a menu entry's children, run by the system until the user chooses an item
// or dismisses it. Hidden children are left out, separators and submenus kept, disabled
// entries greyed.

#include <windows.h>

#include <memory>
#include <vector>

#include "forms/MenuEntry.h"

namespace bp::win {

class PopupMenu {
public:
    explicit PopupMenu(const forms::MenuEntry& menu);
    PopupMenu(const PopupMenu&) = delete;
    PopupMenu& operator=(const PopupMenu&) = delete;
    ~PopupMenu();

    // Shows the menu with its top left corner at `screen` over `owner` and returns the chosen
    // entry, or nullptr when the user dismissed it or the menu holds nothing to choose.
    forms::MenuEntry* run(HWND owner, POINT screen);

private:
    HMENU build(const forms::MenuEntry& entry);

    HMENU menu_ = nullptr;
    std::vector<forms::MenuEntry*> entries_;  // command id - 1 -> entry
};

}  // namespace bp::win
