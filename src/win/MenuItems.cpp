#include "win/MenuItems.h"

#include <string>

#include "platform/WinText.h"

namespace bp::win {

void appendMenuItem(HMENU menu, const forms::MenuEntry& entry, UINT id, HMENU submenu) {
    MENUITEMINFOW item{};
    item.cbSize = sizeof(item);
    item.fMask = MIIM_FTYPE | MIIM_ID;
    item.wID = id;
    std::wstring text;
    if (entry.separator()) {
        item.fType = MFT_SEPARATOR;
    } else {
        text = platform::toWide(entry.caption());
        item.fMask |= MIIM_STRING | MIIM_STATE;
        item.fType = MFT_STRING;
        item.dwTypeData = text.data();
        item.fState = (entry.checkedMark() ? MFS_CHECKED : MFS_UNCHECKED) |
                      (entry.enabled() ? MFS_ENABLED : MFS_DISABLED);
        if (submenu != nullptr) {
            item.fMask |= MIIM_SUBMENU;
            item.hSubMenu = submenu;
        }
    }
    InsertMenuItemW(menu, static_cast<UINT>(GetMenuItemCount(menu)), TRUE, &item);
}

void removeMenuItems(HMENU menu) {
    while (GetMenuItemCount(menu) > 0) {
        if (!RemoveMenu(menu, 0, MF_BYPOSITION)) {
            break;
        }
    }
}

}  // namespace bp::win
