#include "app/MainWindowCommands.h"

#include "app/FrmMain.h"
#include "app/MainWindowCount.h"
#include "app/MainWindowReports.h"
#include "definitions/FrmReportSettings.h"
#include "integration/FrmIntegrate.h"
#include "output/PreviewCommand.h"
#include "output/RunCommand.h"

namespace bp::app {

MainWindowCommands::MainWindowCommands(FrmMain& frmMain, act::Session& session)
    : frmMain_(frmMain), session_(session) {
    frmMain_.commands.cmdOK = [this] { cmdOK_Click(); };
    frmMain_.commands.cmdPreview = [this] {
        output::PreviewCommand(session_, *this).cmdPreview_Click();
        count_->afterPreview();
    };
    frmMain_.commands.mnuIntegrate = [this] { mnuIntegrate_Click(); };
    frmMain_.commands.unloadIntegrate = [this] { unloadIntegrate(); };
    reports_ = MainWindowReports::install(frmMain_);
    reports_->library().openReportSettings = [this] { definitions::showReportSettings(session_); };
    count_ = std::make_unique<MainWindowCount>(frmMain_, session_);
    recountAfterReportCommands();
}

// The report commands edit, rename, convert and delete definitions, which a report's count
// depends on without any choice on the window changing.
void MainWindowCommands::recountAfterReportCommands() {
    auto& c = frmMain_.commands;
    for (std::function<void()>* hook :
         {&c.mnuNew, &c.mnuEdit, &c.mnuDelete, &c.mnuRename, &c.mnuDuplicate, &c.mnuConvert,
          &c.mnuEditTemplate, &c.mnuTemplateFolder, &c.mnuPopupEdit, &c.mnuPopupDelete,
          &c.mnuPopupRename, &c.mnuPopupDuplicate, &c.mnuPopupConvert, &c.lstReports_DblClick}) {
        if (*hook) {
            *hook = [command = std::move(*hook), this] {
                command();
                count_->definitionsChanged();
            };
        }
    }
}

MainWindowCommands::~MainWindowCommands() = default;

criteria::Criteria MainWindowCommands::currentCriteria() {
    return frmMain_.panel().criteria();
}

std::optional<std::string> MainWindowCommands::selectedReport() {
    return MainWindowCount::selectedReport(frmMain_);
}

void MainWindowCommands::showTab(int tab) {
    frmMain_.mstSSTab().setTab(tab);
}

void MainWindowCommands::focusCondition(int index) {
    frmMain_.criteriaControls().chkCondition[index].setFocus();
}

forms::ListView& MainWindowCommands::resultsList() {
    return frmMain_.lvwSales();
}

// One start serves one run: the window closes after it, which ends the program.
void MainWindowCommands::closeAfterRun() {
    frmMain_.unload();
}

void MainWindowCommands::cmdOK_Click() {
    output::RunCommand(session_, *this).cmdOK_Click();
    count_->afterRun();
}

bool MainWindowCommands::fillPreview(output::FrmPreview& form) {
    return output::PreviewCommand(session_, *this).fill(form);
}

void MainWindowCommands::mnuIntegrate_Click() {
    frmIntegrate_ = std::make_unique<integration::FrmIntegrate>(session_);
    // After the user agreed to re-start the host, the main window's closing sequence does it.
    frmIntegrate_->closeMainWindow = [this] { frmMain_.unload(); };
    frmIntegrate_->showModal();
}

void MainWindowCommands::unloadIntegrate() {
    if (frmIntegrate_ && frmIntegrate_->loaded()) {
        frmIntegrate_->unload();
    }
}

void connectCommands(FrmMain& frmMain, act::Session& session) {
    frmMain.adoptCommands(std::make_unique<MainWindowCommands>(frmMain, session));
}

}  // namespace bp::app
