#include "reports/NameDialog.h"

#include <utility>

#include "criteria/Library1.h"
#include "platform/FileSystem.h"
#include "reports/ReportFiles.h"
#include "reports/ReportLibrary.h"

namespace bp::reports {

NameDialog::NameDialog(ReportLibrary& library, std::string name, std::string caption)
    : Form(library.ui(), std::move(name), std::move(caption)), library_(library) {
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

void NameDialog::cmdCancel_Click() {
    unload();
}

void NameDialog::txtNewName_KeyPress(int& KeyAscii) {
    if (isForbiddenNameKey(KeyAscii)) {
        KeyAscii = 0;
    }
}

bool NameDialog::acceptName(const std::string& name, NameInUse inUse) {
    // Text can also arrive pasted, past the key filter.
    if (isBlankName(name)) {
        refuse(kEmptyName);
    } else if (hasForbiddenCharacter(name)) {
        refuse(kForbiddenName);
    } else if (inUse == NameInUse::Refused && platform::fileExists(library_.definitionPath(name))) {
        // Only the definition counts: a template left behind without one is replaced.
        refuse(kNameExists);
    } else {
        return true;
    }
    return false;
}

void NameDialog::refuse(const std::string& text) {
    library_.tell(text, forms::MsgIcon::Exclamation);
    criteria::GiveFocus(*txtNewName_);
}

}  // namespace bp::reports
