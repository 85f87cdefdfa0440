#include "reports/ReportCommands.h"

#include "platform/Error.h"
#include "platform/ErrorHandler.h"
#include "platform/FileSystem.h"
#include "reports/FrmNew.h"
#include "reports/FrmRename.h"
#include "reports/FrmReportList.h"
#include "reports/ReportFiles.h"
#include "reports/ReportList.h"
#include "reports/SessionKey.h"

namespace bp::reports {

ReportCommands::ReportCommands(ReportLibrary& library)
    : library_(library), frmTemplateFolder_(library.session()) {}

void ReportCommands::run(const char* routine, const std::function<void()>& body) {
    platform::guarded(library_.ui(), {"frmMain", routine}, body);
}

int ReportCommands::selectedPosition() const {
    return library_.window().lstReports().listIndex();
}

std::string ReportCommands::selectedName() const {
    const int position = selectedPosition();
    return position < 0 ? std::string() : library_.window().lstReports().list(position);
}

void ReportCommands::showChooser(const char* mode) {
    library_.ReportsListIndex = selectedPosition();
    library_.sChooserMode = mode;
    library_.frmReportList().showModal();
}

void ReportCommands::mnuNew_Click() {
    run("mnuNew_Click", [&] {
        act::Session& session = library_.session();
        session.sReportName.set(SessionKey{}, {});
        library_.bCopy = false;
        library_.frmNew().showModal();
        if (!session.sReportName().empty()) {
            library_.reload();
            library_.selectPosition(library_.window().lstReports().listCount() - 1);
            library_.findName(session.sReportName());
            library_.window().Update_ReportMenu();
        }
    });
}

void ReportCommands::mnuEdit_Click() {
    run("mnuEdit_Click", [&] {
        library_.session().sReportName.set(SessionKey{}, {});
        showChooser(kModeEdit);
        library_.selectPosition(library_.ReportsListIndex);
    });
}

void ReportCommands::mnuDelete_Click() {
    run("mnuDelete_Click", [&] {
        library_.session().sReportName.set(SessionKey{}, {});
        library_.bReportDeleted = false;
        showChooser(kModeDelete);
        if (library_.bReportDeleted) {
            library_.reload();
            library_.selectPosition(0);
            library_.window().Update_ReportMenu();
        }
    });
}

void ReportCommands::mnuRename_Click() {
    run("mnuRename_Click", [&] {
        library_.session().sReportName.set(SessionKey{}, {});
        library_.sNewName.clear();
        showChooser(kModeRename);
        library_.reload();
        if (!library_.sNewName.empty()) {
            library_.findName(library_.sNewName);
        } else {
            // Nothing was renamed: the reload must not lose the user's selection.
            library_.selectPosition(library_.ReportsListIndex);
        }
        library_.window().Update_ReportMenu();
    });
}

void ReportCommands::mnuDuplicate_Click() {
    run("mnuDuplicate_Click", [&] {
        library_.session().sReportName.set(SessionKey{}, {});
        showChooser(kModeDuplicate);
        library_.reload();
        library_.selectPosition(library_.ReportsListIndex);
        library_.window().Update_ReportMenu();
    });
}

void ReportCommands::mnuConvert_Click() {
    run("mnuConvert_Click", [&] {
        showChooser(kModeMakeCsv);
        library_.selectPosition(library_.ReportsListIndex);
    });
}

void ReportCommands::mnuEditTemplate_Click() {
    run("mnuEditTemplate_Click", [&] {
        showChooser(kModeEditTemplate);
        library_.selectPosition(library_.ReportsListIndex);
    });
}

void ReportCommands::lstReports_MouseDown(int Button, int Shift, int X, int Y) {
    (void)Shift;
    if (Button != static_cast<int>(forms::MouseButton::Right)) {
        return;
    }
    run("lstReports_MouseDown", [&] {
        enablePopup();
        library_.window().ownerForm().popupMenu(library_.window().menu("mnuPopup"), X, Y);
    });
}

void ReportCommands::enablePopup() {
    ReportsWindow& window = library_.window();
    const bool any = selectedPosition() >= 0;
    const bool excel = any && library_.session().iOutputType() == kExcelReport;
    for (const char* name :
         {"mnuPopupEdit", "mnuPopupDelete", "mnuPopupDuplicate", "mnuPopupRename"}) {
        window.menu(name).setEnabled(any);
    }
    window.menu("mnuPopupEditTemplate").setEnabled(excel);
    window.menu("mnuPopupConvert").setEnabled(excel);
    window.menu("mnuPopupNew").setEnabled(true);
}

void ReportCommands::lstReports_DblClick() {
    if (selectedPosition() >= 0) {
        mnuPopupEdit_Click();
    }
}

void ReportCommands::mnuPopupEdit_Click() {
    run("mnuPopupEdit_Click", [&] {
        const std::string name = selectedName();
        if (name.empty()) {
            return;
        }
        library_.session().sReportName.set(SessionKey{}, name);
        library_.showReportSettings();
    });
}

void ReportCommands::mnuPopupDelete_Click() {
    run("mnuPopupDelete_Click", [&] {
        const std::string name = selectedName();
        if (name.empty() || !library_.confirmDeletion(name)) {
            return;
        }
        library_.ReportsListIndex = selectedPosition();
        deleteSelected();
    });
}

void ReportCommands::deleteSelected() {
    const act::Session& session = library_.session();
    for (const std::string& path :
         reportFiles(session.sTemplatesFolder(), selectedName(), session.iOutputType())) {
        try {
            if (platform::fileExists(path)) {
                platform::deleteFile(path);
            }
        } catch (const Error&) {
            // The entry stays, as its definition (or part of it) does.
            library_.tell("Unable to delete " + path + "\r" + kFileInUse);
            return;
        }
    }
    forms::ListBox& list = library_.window().lstReports();
    list.removeItem(library_.ReportsListIndex);
    if (list.listCount() > 0) {
        library_.selectPosition(library_.ReportsListIndex > 0 ? library_.ReportsListIndex - 1 : 0);
    }
    library_.window().Update_ReportMenu();
}

void ReportCommands::mnuPopupDuplicate_Click() {
    run("mnuPopupDuplicate_Click", [&] {
        const std::string name = selectedName();
        if (name.empty()) {
            return;
        }
        library_.ReportsListIndex = selectedPosition();
        library_.bCopy = true;
        library_.sReportToBeCopied = name;
        library_.frmNew().showModal();
        library_.reload();
        library_.selectPosition(library_.ReportsListIndex);
    });
}

void ReportCommands::mnuPopupRename_Click() {
    run("mnuPopupRename_Click", [&] {
        const std::string name = selectedName();
        if (name.empty()) {
            return;
        }
        library_.sNewName.clear();
        library_.sOldName = name;
        library_.frmRename().showModal();
        if (!library_.sNewName.empty()) {
            library_.reload();
            library_.findName(library_.sNewName);
        }
    });
}

void ReportCommands::mnuPopupConvert_Click() {
    run("mnuPopupConvert_Click", [&] {
        const std::string name = selectedName();
        if (!name.empty()) {
            library_.makeCsv(name);
        }
    });
}

void ReportCommands::mnuPopupEditTemplate_Click() {
    run("mnuPopupEditTemplate_Click", [&] {
        const std::string name = selectedName();
        if (name.empty()) {
            return;
        }
        library_.ReportsListIndex = selectedPosition();
        library_.editExcelTemplate(name);
        library_.selectPosition(library_.ReportsListIndex);
    });
}

void ReportCommands::mnuTemplateFolder_Click() {
    run("mnuTemplateFolder_Click", [&] { frmTemplateFolder_.showModal(); });
}

}  // namespace bp::reports
