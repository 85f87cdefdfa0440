#include "reports/FrmReportList.h"

#include "forms/DialogButtons.h"
#include "platform/ErrorHandler.h"
#include "reports/FrmNew.h"
#include "reports/FrmRename.h"
#include "reports/ReportLibrary.h"
#include "reports/ReportList.h"
#include "reports/SessionKey.h"

namespace bp::reports {
namespace {

struct ChooserCaptions {
    const char* mode;
    const char* window;
    const char* ok;
};

constexpr ChooserCaptions kCaptions[] = {
    {kModeEdit, "Edit Report", "&Open"},
    {kModeDelete, "Delete report", "&Delete"},
    {kModeRename, "Rename report", "&Rename"},
    {kModeDuplicate, "Duplicate report", "&Duplicate"},
    {kModeMakeCsv, "Make CSV report", "&Create"},
    {kModeEditTemplate, "Edit Excel Template", "&Open"},
};

// The chooser has always printed this module name in its error messages.
constexpr const char* kListModule = "frmCopy";

}  // namespace

FrmReportList::FrmReportList(ReportLibrary& library)
    : Form(library.ui(), "frmReportList"), library_(library) {
    lblReports_ = &add<forms::Label>("lblReports");
    lblReports_->setCaption("Select a report template:");
    lblReports_->setLayout(0, 0, 1, 2);
    lstReports_ = &add<forms::ListBox>("lstReports");
    lstReports_->setLayout(1, 0, 1, 2);
    // Sorted as the main window's list is, so the position a command remembered there
    // points at the same report here.
    lstReports_->setSorted(true);
    lstReports_->onDblClick = [this] { lstReports_DblClick(); };
    // The OK button's caption names the chosen command; it is set as the chooser loads.
    cmdOK_ = &forms::addDialogButton(*this, "cmdOK", {"", 2, 0}, forms::ButtonRole::Default,
                                     [this] { cmdOK_Click(); });
    cmdCancel_ = &forms::addDialogButton(*this, "cmdCancel", {"&Cancel", 2, 1},
                                         forms::ButtonRole::Cancel, [this] { cmdCancel_Click(); });
}

void FrmReportList::Form_Load() {
    platform::guarded(ui(), {kListModule, "Form_Load"}, [&] {
        setCaptions(library_.sChooserMode);
        const act::Session& session = library_.session();
        Load_Reports(*lstReports_, session.iOutputType(), session.sTemplatesFolder());
        const int count = lstReports_->listCount();
        if (count > 0) {
            const int wanted = library_.ReportsListIndex;
            lstReports_->setListIndex(wanted > -1 && wanted < count ? wanted : 0);
        }
    });
}

void FrmReportList::setCaptions(const std::string& mode) {
    for (const ChooserCaptions& c : kCaptions) {
        if (mode == c.mode) {
            setCaption(c.window);
            cmdOK_->setCaption(c.ok);
            return;
        }
    }
}

void FrmReportList::cmdOK_Click() {
    platform::guarded(ui(), {kListModule, "cmdOK_Click"}, [&] {
        const int position = lstReports_->listIndex();
        // With nothing selected no command has a report to act on.
        if (position < 0) {
            return;
        }
        // A command that fails leaves the chooser open with the error shown.
        runCommand(library_.sChooserMode, lstReports_->list(position));
        unload();
    });
}

void FrmReportList::runCommand(const std::string& mode, const std::string& name) {
    act::Session& session = library_.session();
    if (mode == kModeEdit) {
        session.sReportName.set(SessionKey{}, name);
        library_.showReportSettings();
    } else if (mode == kModeDelete) {
        session.sReportName.set(SessionKey{}, name);
        // Set before the files go (and when the user cancels), so the main list is refilled
        // even when one of them cannot be deleted and the rest stay.
        library_.bReportDeleted = true;
        DeleteReport(name);
    } else if (mode == kModeRename) {
        library_.sOldName = name;
        library_.frmRename().showModal();
    } else if (mode == kModeDuplicate) {
        library_.bCopy = true;
        library_.sReportToBeCopied = name;
        library_.frmNew().showModal();
    } else if (mode == kModeMakeCsv) {
        library_.makeCsv(name);
    } else if (mode == kModeEditTemplate) {
        library_.editExcelTemplate(name);
    }
}

void FrmReportList::DeleteReport(const std::string& name) {
    if (!library_.confirmDeletion(name)) {
        return;
    }
    library_.deleteReportFiles(name);
}

void FrmReportList::cmdCancel_Click() {
    unload();
}

void FrmReportList::lstReports_DblClick() {
    cmdOK_Click();
}

}  // namespace bp::reports
