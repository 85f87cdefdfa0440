#include "reports/FrmRename.h"

#include <vector>

#include "criteria/Library1.h"
#include "platform/CaseFold.h"
#include "platform/ErrorHandler.h"
#include "platform/FileSystem.h"
#include "reports/FrmNew.h"
#include "reports/ReportFiles.h"
#include "reports/ReportLibrary.h"

namespace bp::reports {

FrmRename::FrmRename(ReportLibrary& library)
    : Form(library.ui(), "frmRename", "Rename report"), library_(library) {
    lblNew_ = &add<forms::Label>("lblNew");
    lblNew_->setCaption("Choose a new name for the report:");
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

void FrmRename::Form_Load() {
    platform::guarded(ui(), {"frmRename", "Form_Load"}, [&] {
        txtNewName_->setText(library_.sOldName);
        txtNewName_->setSelStart(0);
        txtNewName_->setSelLength(txtNewName_->length());
    });
}

void FrmRename::txtNewName_KeyPress(int& KeyAscii) {
    if (isForbiddenNameKey(KeyAscii)) {
        KeyAscii = 0;
    }
}

void FrmRename::cmdOK_Click() {
    platform::guarded(ui(), {"frmRename", "cmdOK_Click"}, [&] {
        const std::string oldName = library_.sOldName;
        const std::string newName = txtNewName_->text();
        std::string& sNewName = library_.window().sNewName();
        if (newName == oldName) {
            sNewName.clear();
            unload();
            return;
        }
        if (!acceptName(oldName, newName)) {
            return;
        }
        sNewName = newName;
        renameFiles(oldName, newName);
        unload();
    });
}

void FrmRename::cmdCancel_Click() {
    unload();
}

bool FrmRename::acceptName(const std::string& oldName, const std::string& newName) {
    const bool caseOnly = platform::foldCase(oldName) == platform::foldCase(newName);
    if (isBlankName(newName)) {
        refuse(kEmptyName);
    } else if (hasForbiddenCharacter(newName)) {
        refuse(kForbiddenName);
    } else if (!caseOnly && platform::fileExists(library_.definitionPath(newName))) {
        refuse(kNameExists);
    } else {
        return true;
    }
    return false;
}

void FrmRename::refuse(const std::string& text) {
    library_.tell(text, forms::MsgIcon::Exclamation);
    criteria::GiveFocus(*txtNewName_);
}

void FrmRename::renameFiles(const std::string& oldName, const std::string& newName) {
    const act::Session& session = library_.session();
    const auto from = reportFiles(session.sTemplatesFolder, oldName, session.iOutputType);
    const auto to = reportFiles(session.sTemplatesFolder, newName, session.iOutputType);
    const bool caseOnly = platform::foldCase(oldName) == platform::foldCase(newName);
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
