#include "win/MenuBinding.h"

#include <algorithm>

#include "forms/Form.h"
#include "win/MenuItems.h"
#include "win/WinFormWindow.h"

namespace bp::win {
namespace {

// The form's own entries, which make the menu bar, in creation order.
std::vector<forms::MenuEntry*> menuBarEntries(const forms::Form& form) {
    std::vector<forms::MenuEntry*> entries;
    for (forms::Control* c : form.controls()) {
        if (c->kind() == forms::ControlKind::Menu && c->container() == nullptr) {
            entries.push_back(static_cast<forms::MenuEntry*>(c));
        }
    }
    return entries;
}

// Attaches or takes away the menu bar; the client area keeps its size, so the controls the
// layout placed keep their room.
void setMenuBar(HWND window, HMENU bar) {
    RECT before{};
    GetClientRect(window, &before);
    SetMenu(window, bar);
    RECT after{};
    GetClientRect(window, &after);
    RECT frame{};
    GetWindowRect(window, &frame);
    SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left,
                 frame.bottom - frame.top + (before.bottom - after.bottom),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

MenuBinding::MenuBinding(forms::MenuEntry& entry, const ChildPlace& place)
    : WinBinding(entry, nullptr),
      model_(entry),
      window_(place.parent),
      id_(static_cast<UINT>(place.id)) {}

MenuBinding::~MenuBinding() {
    if (submenu_ != nullptr) {
        // The children's own submenus belong to their bindings.
        removeMenuItems(submenu_);
        DestroyMenu(submenu_);
    }
}

SIZE MenuBinding::preferredSize(const DialogMetrics& metrics) const {
    (void)metrics;
    return SIZE{0, 0};
}

bool MenuBinding::windowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    // A menu's choice (0) or its accelerator (1) carries the item's id and no control.
    if (message != WM_COMMAND || lParam != 0 || LOWORD(wParam) != id_ || HIWORD(wParam) > 1) {
        return false;
    }
    result = 0;
    model_.click();
    return true;
}

void MenuBinding::sync(forms::Property property) {
    switch (property) {
        case forms::Property::Items:
            refillSubmenu(this);
            refillSiblings();
            break;
        case forms::Property::Caption:
        case forms::Property::Checked:
        case forms::Property::Enabled:
        case forms::Property::Visible:
            refillSiblings();
            break;
        default:
            break;
    }
}

void MenuBinding::syncContent() {
    refillSubmenu(this);
    refillSiblings();
}

MenuBinding* MenuBinding::bindingOf(const forms::MenuEntry& entry) const {
    WinFormWindow* window = WinFormWindow::fromHandle(window_);
    return window != nullptr ? dynamic_cast<MenuBinding*>(window->bindingFor(entry)) : nullptr;
}

void MenuBinding::fill(HMENU menu, const std::vector<forms::MenuEntry*>& entries,
                       const MenuBinding* joining) const {
    removeMenuItems(menu);
    for (const forms::MenuEntry* entry : entries) {
        if (!entry->visible()) {
            continue;
        }
        // Entries created later add themselves once their bindings exist.
        const MenuBinding* binding = &joining->model_ == entry ? joining : bindingOf(*entry);
        if (binding != nullptr) {
            appendMenuItem(menu, *entry, binding->id_, binding->submenu_);
        }
    }
}

void MenuBinding::refillSiblings() {
    if (forms::MenuEntry* parent = model_.parentMenu()) {
        if (MenuBinding* parentBinding = bindingOf(*parent)) {
            parentBinding->refillSubmenu(this);
        }
    } else {
        refillMenuBar();
    }
}

void MenuBinding::refillMenuBar() {
    const std::vector<forms::MenuEntry*> entries = menuBarEntries(model_.form());
    const bool shown = std::any_of(entries.begin(), entries.end(),
                                   [](const forms::MenuEntry* e) { return e->visible(); });
    HMENU bar = GetMenu(window_);
    if (!shown) {
        if (bar != nullptr) {
            setMenuBar(window_, nullptr);
            removeMenuItems(bar);
            DestroyMenu(bar);
        }
        return;
    }
    if (bar == nullptr) {
        bar = CreateMenu();
        fill(bar, entries, this);
        setMenuBar(window_, bar);
    } else {
        fill(bar, entries, this);
        DrawMenuBar(window_);
    }
}

void MenuBinding::refillSubmenu(const MenuBinding* joining) {
    if (model_.children().empty()) {
        return;
    }
    if (submenu_ == nullptr) {
        submenu_ = CreatePopupMenu();
    }
    fill(submenu_, model_.children(), joining);
}

}  // namespace bp::win
