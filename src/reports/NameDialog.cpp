#include "reports/NameDialog.h"

#include <utility>

#include "criteria/Library1.h"
#include "forms/DialogButtons.h"
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
    cmdOK_ = &forms::addDialogButton(*this, "cmdOK", {"&OK", 2, 0}, forms::ButtonRole::Default,
                                     [this] { cmdOK_Click(); });
    cmdCancel_ = &forms::addDialogButton(*this, "cmdCancel", {"&Cancel", 2, 1},
                                         forms::ButtonRole::Cancel, [this] { cmdCancel_Click(); });
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
