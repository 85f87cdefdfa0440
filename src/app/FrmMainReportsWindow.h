#pragma once
// The main window as the report library's dialogs see it: its list of reports, its menus and
// the values the report commands hand to each other.

#include <string>

#include "app/FrmMain.h"
#include "reports/ReportsWindow.h"

namespace bp::app {

class FrmMainReportsWindow : public reports::ReportsWindow {
public:
    explicit FrmMainReportsWindow(FrmMain& main) : main_(main) {}

    forms::Form& ownerForm() override { return main_; }
    forms::ListBox& lstReports() override { return *main_.criteriaControls().lstReports; }
    forms::MenuEntry& menu(const std::string& name) override { return main_.menu(name); }
    void Update_ReportMenu() override { main_.Update_ReportMenu(); }

protected:
    FrmMain& main_;
};

}  // namespace bp::app
