#include "reports/FrmNew.h"

#include <utility>
#include <vector>

#include "criteria/Library1.h"
#include "platform/Error.h"
#include "platform/ErrorHandler.h"
#include "platform/FileSystem.h"
#include "reports/ReportFiles.h"
#include "reports/ReportLibrary.h"
#include "reports/ReportList.h"

namespace bp::reports {

FrmNew::FrmNew(ReportLibrary& library) : Form(library.ui(), "frmNew"), library_(library) {
    lblNew_ = &add<forms::Label>("lblNew");
    lblNew_->setLayout(0, 0, 1, 2);
    txtNewName_ = &add<forms::TextBox>("txtNewName");
    txtNewName_->setLayout(1, 0, 1, 2);
    txtNewName_->onKeyPress = [this](int& KeyAscii) { txtNewName_KeyPress(KeyAscii); };
    cmdOK_ = &add<forms::CommandButton>("cmdOK");
    cmdOK_->setCaption("&OK");
    cmdOK_->setLayout(2, 0);
    cmdOK_->onClick = [this] { cmdOK_Click(); };
    cmdCancel_ = &add<forms::CommandButton>("cmdCancel");
    cmdCancel_->setCaption("&Cancel");
    cmdCancel_->setLayout(2, 1);
    cmdCancel_->onClick = [this] { cmdCancel_Click(); };
    setDefaultButton(cmdOK_);
    setCancelButton(cmdCancel_);
}

void FrmNew::Form_Load() {
    platform::guarded(ui(), {"frmNew", "Form_Load"}, [&] {
        if (library_.session().iOutputType == kCsvExport) {
            setCaption("New CSV File");
            lblNew_->setCaption("Choose a name for the new CSV file :");
        } else {
            setCaption("New Excel Report");
            lblNew_->setCaption("Choose a name for the new Excel report :");
        }
        txtNewName_->setText("");
    });
}

void FrmNew::txtNewName_KeyPress(int& KeyAscii) {
    if (isForbiddenNameKey(KeyAscii)) {
        KeyAscii = 0;
    }
}

void FrmNew::cmdOK_Click() {
    platform::guarded(ui(), {"frmNew", "cmdOK_Click"}, [&] {
        const std::string name = txtNewName_->text();
        if (!acceptName(name) || !copyFiles(name)) {
            return;
        }
        library_.session().sReportName = name;
        unload();
    });
}

void FrmNew::cmdCancel_Click() {
    unload();
}

bool FrmNew::acceptName(const std::string& name) {
    // Text can also arrive pasted, past the key filter.
    if (isBlankName(name)) {
        refuse(kEmptyName);
    } else if (hasForbiddenCharacter(name)) {
        refuse(kForbiddenName);
    } else if (platform::fileExists(library_.definitionPath(name))) {
        // Only the definition counts: a template left behind without one is replaced.
        refuse(kNameExists);
    } else {
        return true;
    }
    return false;
}

void FrmNew::refuse(const std::string& text) {
    library_.tell(text, forms::MsgIcon::Exclamation);
    criteria::GiveFocus(*txtNewName_);
}

bool FrmNew::copyFiles(const std::string& name) {
    const act::Session& session = library_.session();
    const int kind = session.iOutputType;
    std::vector<std::string> sources;
    if (library_.window().bCopy()) {
        sources =
            reportFiles(session.sTemplatesFolder, library_.window().sReportToBeCopied(), kind);
    } else if (kind == kCsvExport) {
        sources = {session.programFolder + kStarterCsv};
    } else {
        sources = {session.programFolder + kStarterTemplate, session.programFolder + kStarterExcel};
    }
    const std::vector<std::string> targets = reportFiles(session.sTemplatesFolder, name, kind);
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
