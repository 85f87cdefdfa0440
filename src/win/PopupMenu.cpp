#include "win/PopupMenu.h"

#include "win/MenuItems.h"

namespace bp::win {

PopupMenu::PopupMenu(const forms::MenuEntry& menu) {
    menu_ = build(menu);
}

PopupMenu::~PopupMenu() {
    // Destroys the submenus with it.
    DestroyMenu(menu_);
}

HMENU PopupMenu::build(const forms::MenuEntry& entry) {
    HMENU menu = CreatePopupMenu();
    for (forms::MenuEntry* child : entry.children()) {
        if (!child->visible()) {
            continue;
        }
        // Id 0 is what the system answers for a dismissed menu.
        entries_.push_back(child);
        const auto id = static_cast<UINT>(entries_.size());
        HMENU submenu = child->children().empty() ? nullptr : build(*child);
        appendMenuItem(menu, *child, id, submenu);
    }
    return menu;
}

forms::MenuEntry* PopupMenu::run(HWND owner, POINT screen) {
    if (menu_ == nullptr || GetMenuItemCount(menu_) <= 0 || owner == nullptr) {
        return nullptr;
    }
    // The menu closes when the user clicks elsewhere only while its owner is in front.
    SetForegroundWindow(owner);
    const BOOL chosen = TrackPopupMenuEx(
        menu_, TPM_RETURNCMD | TPM_NONOTIFY | TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON,
        screen.x, screen.y, owner, nullptr);
    // Lets the owner's thread notice the menu is gone before the next one opens.
    PostMessageW(owner, WM_NULL, 0, 0);
    if (chosen <= 0 || static_cast<std::size_t>(chosen) > entries_.size()) {
        return nullptr;
    }
    return entries_[static_cast<std::size_t>(chosen) - 1];
}

}  // namespace bp::win
