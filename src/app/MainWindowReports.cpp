#include "app/MainWindowReports.h"

namespace bp::app {

MainWindowReports::MainWindowReports(FrmMain& main)
    : FrmMainReportsWindow(main),
      library_(main.session(), *this),
      commands_(library_),
      help_(main.session()) {}

MainWindowReports::~MainWindowReports() {
    clearHooks();
}

std::unique_ptr<MainWindowReports> MainWindowReports::install(FrmMain& main) {
    std::unique_ptr<MainWindowReports> reports(new MainWindowReports(main));
    reports->setHooks();
    return reports;
}

void MainWindowReports::setHooks() {
    FrmMain::Commands& c = main_.commands;
    reports::ReportCommands* r = &commands_;
    c.mnuNew = [r] { r->mnuNew_Click(); };
    c.mnuEdit = [r] { r->mnuEdit_Click(); };
    c.mnuDelete = [r] { r->mnuDelete_Click(); };
    c.mnuRename = [r] { r->mnuRename_Click(); };
    c.mnuDuplicate = [r] { r->mnuDuplicate_Click(); };
    c.mnuConvert = [r] { r->mnuConvert_Click(); };
    c.mnuEditTemplate = [r] { r->mnuEditTemplate_Click(); };
    c.mnuTemplateFolder = [r] { r->mnuTemplateFolder_Click(); };
    c.mnuPopupEdit = [r] { r->mnuPopupEdit_Click(); };
    c.mnuPopupDelete = [r] { r->mnuPopupDelete_Click(); };
    c.mnuPopupRename = [r] { r->mnuPopupRename_Click(); };
    c.mnuPopupDuplicate = [r] { r->mnuPopupDuplicate_Click(); };
    c.mnuPopupConvert = [r] { r->mnuPopupConvert_Click(); };
    c.mnuPopupEditTemplate = [r] { r->mnuPopupEditTemplate_Click(); };
    c.lstReports_DblClick = [r] { r->lstReports_DblClick(); };
    c.lstReports_MouseDown = [r](int Button, int Shift, int X, int Y) {
        r->lstReports_MouseDown(Button, Shift, X, Y);
    };
    reports::HelpMenu* h = &help_;
    c.mnuContent = [h] { h->mnuContent_Click(); };
    c.mnuOnlineHelp = [h] { h->mnuOnlineHelp_Click(); };
    c.mnuAbout = [h] { h->mnuAbout_Click(); };
}

// The window may outlive this object; its menus then do nothing instead of calling into it.
void MainWindowReports::clearHooks() {
    FrmMain::Commands& c = main_.commands;
    for (auto hook : {&FrmMain::Commands::mnuNew, &FrmMain::Commands::mnuEdit,
                      &FrmMain::Commands::mnuDelete, &FrmMain::Commands::mnuRename,
                      &FrmMain::Commands::mnuDuplicate, &FrmMain::Commands::mnuConvert,
                      &FrmMain::Commands::mnuEditTemplate, &FrmMain::Commands::mnuTemplateFolder,
                      &FrmMain::Commands::mnuPopupEdit, &FrmMain::Commands::mnuPopupDelete,
                      &FrmMain::Commands::mnuPopupRename, &FrmMain::Commands::mnuPopupDuplicate,
                      &FrmMain::Commands::mnuPopupConvert, &FrmMain::Commands::mnuPopupEditTemplate,
                      &FrmMain::Commands::lstReports_DblClick, &FrmMain::Commands::mnuContent,
                      &FrmMain::Commands::mnuOnlineHelp, &FrmMain::Commands::mnuAbout}) {
        c.*hook = nullptr;
    }
    c.lstReports_MouseDown = nullptr;
}

}  // namespace bp::app
