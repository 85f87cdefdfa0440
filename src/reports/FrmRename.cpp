#include "reports/FrmRename.h"

#include <vector>

#include "core/CaseFold.h"
#include "platform/ErrorHandler.h"
#include "platform/FileSystem.h"
#include "reports/ReportFiles.h"
#include "reports/ReportLibrary.h"

namespace bp::reports {

FrmRename::FrmRename(ReportLibrary& library) : NameDialog(library, "frmRename", "Rename report") {
    lblNew().setCaption("Choose a new name for the report:");
}

void FrmRename::Form_Load() {
    platform::guarded(ui(), {"frmRename", "Form_Load"}, [&] {
        txtNewName().setText(library_.sOldName);
        txtNewName().setSelStart(0);
        txtNewName().setSelLength(txtNewName().length());
    });
}

void FrmRename::cmdOK_Click() {
    platform::guarded(ui(), {"frmRename", "cmdOK_Click"}, [&] {
        const std::string oldName = library_.sOldName;
        const std::string newName = txtNewName().text();
        std::string& sNewName = library_.sNewName;
        if (newName == oldName) {
            sNewName.clear();
            unload();
            return;
        }
        const bool caseOnly = core::equalNoCase(oldName, newName);
        if (!acceptName(newName, caseOnly ? NameInUse::Allowed : NameInUse::Refused)) {
            return;
        }
        sNewName = newName;
        renameFiles(oldName, newName);
        unload();
    });
}

void FrmRename::renameFiles(const std::string& oldName, const std::string& newName) {
    const act::Session& session = library_.session();
    const auto from = reportFiles(session.sTemplatesFolder(), oldName, session.iOutputType());
    const auto to = reportFiles(session.sTemplatesFolder(), newName, session.iOutputType());
    const bool caseOnly = core::equalNoCase(oldName, newName);
    for (std::size_t i = 0; i < from.size(); ++i) {
        if (caseOnly) {
            // Old and new name the same file: a copy would land on itself and the delete
            // after it would remove the definition.
            platform::renameFile(from[i], to[i]);
        } else {
            // A copy replaces a template left behind without its definition, as New does.
            platform::copyFile(from[i], to[i]);
        }
    }
    if (!caseOnly) {
        for (const std::string& path : from) {
            platform::deleteFile(path);
        }
    }
}

}  // namespace bp::reports
