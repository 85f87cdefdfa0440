#pragma once
// A menu entry as an item of its window's menu bar (an entry of the form itself) or of its
// parent entry's submenu. An entry with children opens a submenu of them. A hidden entry is
// taken out of its menu and comes back in its place; a window whose entries are all hidden
// (popup menus only) has no menu bar. Choosing the item (WM_COMMAND with the entry's id)
// clicks the entry, which refuses while it cannot be reached.

#include "forms/MenuEntry.h"
#include "win/WinBinding.h"

namespace bp::win {

class MenuBinding : public WinBinding {
public:
    MenuBinding(forms::MenuEntry& entry, const ChildPlace& place);
    ~MenuBinding() override;

    SIZE preferredSize(const DialogMetrics& metrics) const override;
    bool takesFocus() const override { return false; }
    bool windowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

protected:
    void sync(forms::Property property) override;
    void syncContent() override;

private:
    MenuBinding* bindingOf(const forms::MenuEntry& entry) const;
    // Fills `menu` with the shown entries among `entries` that have their bindings already;
    // `joining` is one whose window does not know it yet, while it first syncs.
    void fill(HMENU menu, const std::vector<forms::MenuEntry*>& entries,
              const MenuBinding* joining) const;
    // The items of this entry's siblings, in the parent's submenu or the menu bar.
    void refillSiblings();
    void refillMenuBar();
    void refillSubmenu(const MenuBinding* joining);

    forms::MenuEntry& model_;
    HWND window_;
    UINT id_;
    HMENU submenu_ = nullptr;
};

}  // namespace bp::win
