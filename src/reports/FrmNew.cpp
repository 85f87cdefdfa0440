#include "reports/FrmNew.h"

#include <vector>

#include "platform/Error.h"
#include "platform/ErrorHandler.h"
#include "platform/FileSystem.h"
#include "platform/PathText.h"
#include "reports/ReportFiles.h"
#include "reports/ReportLibrary.h"
#include "reports/ReportList.h"
#include "reports/SessionKey.h"

namespace bp::reports {

FrmNew::FrmNew(ReportLibrary& library) : NameDialog(library, "frmNew") {}

void FrmNew::Form_Load() {
    platform::guarded(ui(), {"frmNew", "Form_Load"}, [&] {
        if (library_.session().iOutputType() == kCsvExport) {
            setCaption("New CSV File");
            lblNew().setCaption("Choose a name for the new CSV file :");
        } else {
            setCaption("New Excel Report");
            lblNew().setCaption("Choose a name for the new Excel report :");
        }
        txtNewName().setText("");
    });
}

void FrmNew::cmdOK_Click() {
    platform::guarded(ui(), {"frmNew", "cmdOK_Click"}, [&] {
        const std::string name = txtNewName().text();
        if (!acceptName(name, NameInUse::Refused) || !copyFiles(name)) {
            return;
        }
        library_.session().sReportName.set(SessionKey{}, name);
        unload();
    });
}

bool FrmNew::copyFiles(const std::string& name) {
    const act::Session& session = library_.session();
    const int kind = session.iOutputType();
    std::vector<std::string> sources;
    if (library_.bCopy) {
        sources = reportFiles(session.sTemplatesFolder(), library_.sReportToBeCopied, kind);
    } else if (kind == kCsvExport) {
        sources = {platform::joinPath(session.programFolder, kStarterCsv)};
    } else {
        sources = {platform::joinPath(session.programFolder, kStarterTemplate),
                   platform::joinPath(session.programFolder, kStarterExcel)};
    }
    const std::vector<std::string> targets = reportFiles(session.sTemplatesFolder(), name, kind);
    for (std::size_t i = 0; i < sources.size(); ++i) {
        try {
            platform::copyFile(sources[i], targets[i]);
        } catch (const Error& e) {
            if (!isAccessRefused(e.number())) {
                throw;
            }
            library_.tell("Unable to copy " + sources[i] + "\r" + kFileInUse);
            return false;
        }
    }
    return true;
}

}  // namespace bp::reports
