#pragma once
// The report library on the main window: the report commands, the templates folder dialog
// and the Help menu, reached through the main window's command hooks. Start-up makes one
// right after the main window and keeps it as long as the window lives:
//
//     auto reports = app::MainWindowReports::install(*frmMain);
//
// The report settings dialog plugs in through library().openReportSettings.

#include <memory>
#include <string>

#include "app/FrmMain.h"
#include "reports/HelpMenu.h"
#include "reports/ReportCommands.h"
#include "reports/ReportLibrary.h"
#include "reports/ReportsWindow.h"

namespace bp::app {

class MainWindowReports : public reports::ReportsWindow {
public:
    // Sets the report, options (template folder) and help hooks of `main.commands`.
    static std::unique_ptr<MainWindowReports> install(FrmMain& main);
    ~MainWindowReports() override;

    reports::ReportLibrary& library() { return library_; }
    reports::ReportCommands& commands() { return commands_; }
    reports::HelpMenu& help() { return help_; }

    forms::Form& ownerForm() override { return main_; }
    forms::ListBox& lstReports() override { return *main_.criteriaControls().lstReports; }
    forms::MenuEntry& menu(const std::string& name) override { return main_.menu(name); }
    void Update_ReportMenu() override { main_.Update_ReportMenu(); }
    bool& bCopy() override { return main_.bCopy; }
    std::string& sReportToBeCopied() override { return main_.sReportToBeCopied; }
    std::string& sNewName() override { return main_.sNewName; }

private:
    explicit MainWindowReports(FrmMain& main);
    void setHooks();
    void clearHooks();

    FrmMain& main_;
    reports::ReportLibrary library_;
    reports::ReportCommands commands_;
    reports::HelpMenu help_;
};

}  // namespace bp::app
