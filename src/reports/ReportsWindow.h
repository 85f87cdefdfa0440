#pragma once
// What the report commands need of the main window: its report list, the list's popup menu,
// the report menu's enabling, and the window itself as the owner of popups. The main window (app/)
// implements it, so the report library never depends on the main window's own type.

#include <string>

#include "forms/Form.h"
#include "forms/ListBox.h"
#include "forms/MenuEntry.h"

namespace bp::reports {

class ReportsWindow {
public:
    virtual ~ReportsWindow() = default;

    virtual forms::Form& ownerForm() = 0;
    // The main window's lstReports: single selection, sorted without regard to case.
    virtual forms::ListBox& lstReports() = 0;
    // An entry of the window's menus, popup included ("mnuPopup", "mnuPopupEdit", ...).
    virtual forms::MenuEntry& menu(const std::string& name) = 0;
    virtual void Update_ReportMenu() = 0;
};

}  // namespace bp::reports
