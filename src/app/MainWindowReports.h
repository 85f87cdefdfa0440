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
#include "app/FrmMainReportsWindow.h"
#include "reports/HelpMenu.h"
#include "reports/ReportCommands.h"
#include "reports/ReportLibrary.h"

namespace bp::app {

class MainWindowReports : public FrmMainReportsWindow {
public:
    // Sets the report, options (template folder) and help hooks of `main.commands`.
    static std::unique_ptr<MainWindowReports> install(FrmMain& main);
    ~MainWindowReports() override;

    reports::ReportLibrary& library() { return library_; }
    reports::ReportCommands& commands() { return commands_; }
    reports::HelpMenu& help() { return help_; }

private:
    explicit MainWindowReports(FrmMain& main);
    void setHooks();
    void clearHooks();

    reports::ReportLibrary library_;
    reports::ReportCommands commands_;
    reports::HelpMenu help_;
};

}  // namespace bp::app
