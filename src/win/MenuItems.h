#pragma once
// Menu items of the model's menu entries, shared by the menu bar and popup menus: an entry's
// caption keeps its access key ("&File"), "-" is a separator, the check mark and Enabled
// show as the item's state.

#include <windows.h>

#include "forms/MenuEntry.h"

namespace bp::win {

// Adds `entry` at the end of `menu` as command `id`, opening `submenu` when it is not null.
void appendMenuItem(HMENU menu, const forms::MenuEntry& entry, UINT id, HMENU submenu);
// Takes every item out of `menu`; their submenus stay alive for their owners.
void removeMenuItems(HMENU menu);

}  // namespace bp::win
