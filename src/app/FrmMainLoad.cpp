// frmMain's load and unload: the order of the steps matters, because every restored value
// raises its control's handlers and later steps rely on the state earlier ones left.

#include "app/FrmMain.h"

#include <cstdint>
#include <string>
#include <utility>

#include "app/SessionKey.h"
#include "core/Trim.h"
#include "criteria/CriteriaTexts.h"
#include "criteria/Library1.h"
#include "platform/AppInfo.h"
#include "platform/ErrorHandler.h"
#include "platform/PathText.h"
#include "platform/ProgramFolder.h"
#include "platform/Shell.h"

namespace bp::app {

using namespace bp::forms;

void FrmMain::Form_Load() {
    bLoading = true;
    loadComplete_ = false;
    const std::uint64_t errorsBefore = platform::reportedErrorCount();
    bool completed = false;
    run("Form_Load", [&] {
        if (!registerForHostEvents()) {
            return;
        }
        dlgHelpFile = platform::joinPath(session_.programFolder, "brindlepath.hlp");
        std::string fallback = platform::defaultTemplatesFolder(session_.programFolder);
        std::string folder = session_.settings->GetSetting(kSettingsSection,
                                                           platform::kTemplatesFolderKey, fallback);
        // A box cleared in the templates folder dialog names no folder, not the root of the
        // drive that a lone separator would be.
        if (core::trimmed(folder).empty()) {
            folder = fallback;
        }
        session_.sTemplatesFolder.set(SessionKey{},
                                      platform::withTrailingSeparator(std::move(folder)));
        mstSSTab_->setTab(0);
        Load_Reports();
        restoreControls();
        Update_ReportMenu();
        completed = true;
    });
    // Any error reported on the way (a list that could not be filled, a restored value that
    // failed in its handler) leaves controls that no longer hold what was stored.
    loadComplete_ = completed && platform::reportedErrorCount() == errorsBefore;
    bLoading = false;
    // Counting needs the host's objects, which a load that stopped early may lack.
    tmrCount_->setEnabled(completed && session_.objSales != nullptr);
}

// Without the host running the program has nothing to work on; with the host running but
// its events unavailable, the program works on and only misses the host's closing.
bool FrmMain::registerForHostEvents() {
    const int r = ActEvent1_->Register(0);
    if (r >= 1 || r == -1) {
        tmrActEvent_->setEnabled(true);
        return true;
    }
    const std::string title(platform::kAppTitle);
    if (!ActEvent1_->IsHostRunning()) {
        ui().message({.title = title,
                      .text = "Please run ACT! before running " + title,
                      .icon = MsgIcon::Exclamation});
        unload();
        return false;
    }
    ui().message({.title = title,
                  .text = "Problem registering ACT! event.\r\n"
                          "Please run actreg.exe in your ACT! folder and try again.",
                  .icon = MsgIcon::Critical});
    return true;
}

void FrmMain::restoreControls() {
    auto& c = panel_.controls();
    settings_.restore("Lookup");
    settings_.restore("Report");
    criteria::Empty_List(*c.cboOutput);
    c.cboOutput->addItem(criteria::kOutputExcel);
    c.cboOutput->addItem(criteria::kOutputCsv);
    settings_.restore("cboOutput");

    fillLists();
    restoreReportIndex();
    for (const char* key :
         {"Lookup0", "Lookup1", "Lookup2", "Report0", "Report1", "Report2", "Date0", "Date1",
          "ManagedBy0", "ManagedBy1", "SalesManagedBy0", "SalesManagedBy1", "chkSales0",
          "chkSales1", "chkSales2", "chkSales3", "Condition0", "Condition1"}) {
        settings_.restore(key);
    }
    restoreConditions();
    if (c.optManagedby[1].value()) {
        settings_.restore("lstUsers0");
    }
    if (c.optSalesManagedBy[1].value()) {
        settings_.restore("lstSalesUsers0");
    }
    for (int i = 0; i < 2; ++i) {
        if (c.chkCondition[i].checked()) {
            settings_.restore("lstCriteria" + std::to_string(i));
        }
    }
    settings_.restore("SalesDateStart");
    settings_.restore("SalesDateEnd");
}

// A list that could not be filled is reported on its own and the load goes on with the
// entries it got, so the rest of the window is still restored.
void FrmMain::fillLists() {
    auto& c = panel_.controls();
    for (ListBox* users : {c.lstUsers, c.lstSalesUsers}) {
        criteria::Empty_List(*users);
        fillList("Load_Users", [&] { criteria::Load_Users(*users, *session_.objUsers); });
    }
    for (int i = 0; i < 2; ++i) {
        criteria::Empty_List(c.cboCondition[i]);
        fillList("Load_Conditions", [&] { criteria::Load_Conditions(c.cboCondition[i]); });
    }
}

void FrmMain::fillList(const char* routine, const std::function<void()>& fill) {
    platform::guarded(ui(), platform::Routine{"Library1", routine}, fill);
}

void FrmMain::restoreConditions() {
    auto& c = panel_.controls();
    if (c.chkCondition[0].checked()) {
        settings_.restore("OR0");
        settings_.restore("AND0");
    }
    if (c.chkCondition[1].checked()) {
        settings_.restore("Reverse");
        c.chkReverse->setEnabled(true);
        c.lblReverse->setEnabled(true);
    }
    for (const char* key : {"Min0", "Min1", "Max0", "Max1", "CondDateStart0", "CondDateEnd0",
                            "CondDateStart1", "CondDateEnd1", "cboCondition0", "cboCondition1"}) {
        settings_.restore(key);
    }
}

// A saved position beyond the list (reports deleted since) falls back to the first report;
// -1 (nothing was selected) stays so.
void FrmMain::restoreReportIndex() {
    ListBox& reports = *panel_.controls().lstReports;
    const std::string stored =
        session_.settings->GetSetting(kSettingsSection, "ReportsListIndex",
                                      MainWindowSettings::keyOf("ReportsListIndex").defaultValue);
    long index = 0;
    try {
        index = std::stol(stored);
    } catch (const std::exception&) {
        index = 0;
    }
    if (index >= -1 && index < reports.listCount()) {
        reports.setListIndex(static_cast<int>(index));
    } else if (reports.listCount() > 0) {
        reports.setListIndex(0);
    }
}

void FrmMain::Form_Unload(int& Cancel) {
    (void)Cancel;
    tmrActEvent_->setEnabled(false);
    tmrCount_->setEnabled(false);
    run("Form_Unload", [&] {
        std::string databasePath;
        if (session_.bRestartAct() && session_.objDatabase && session_.objActApp) {
            databasePath = session_.objDatabase->GetDatabasePath();
            session_.objActApp->Command(kHostCloseCommand);
        }
        if (loadComplete_) {
            settings_.Save_Settings();
        }
        releaseHostObjects();
        if (session_.bRestartAct()) {
            restartHost(databasePath);
        }
    });
}

void FrmMain::releaseHostObjects() {
    session_.objListTable.reset();
    session_.objContact.reset();
    session_.objUsers.reset();
    session_.objSales.reset();
    session_.objFields.reset();
    session_.objGroup.reset();
    session_.objContactView.reset();
    session_.objViews.reset();
    session_.objActApp.reset();
    if (session_.objDatabase) {
        auto database = std::move(session_.objDatabase);
        database->Close();
    }
}

// The host opens its database file again from the desktop; the window is hidden and the
// program ends two ticks later, once the new host is on its way.
void FrmMain::restartHost(const std::string& databasePath) {
    session_.shell->open(databasePath, session_.programFolder);
    hide();
    iTicks = 0;
    tmr1_->setInterval(kRestartTickMs);
    tmr1_->setEnabled(true);
}

}  // namespace bp::app
