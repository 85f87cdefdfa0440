#pragma once
// "frmRename": a new name for the definition sOldName. The same text closes without a
// change; a change of letter case only renames. A name that another definition of the same
// kind uses is refused, so no definition is ever overwritten. On a rename sNewName (on the
// main window) holds the new name.

#include <string>

#include "forms/CommandButton.h"
#include "forms/Form.h"
#include "forms/Label.h"
#include "forms/TextBox.h"

namespace bp::reports {

class ReportLibrary;

class FrmRename : public forms::Form {
public:
    explicit FrmRename(ReportLibrary& library);

    forms::TextBox& txtNewName() { return *txtNewName_; }
    forms::CommandButton& cmdOK() { return *cmdOK_; }
    forms::CommandButton& cmdCancel() { return *cmdCancel_; }

    void cmdOK_Click();
    void cmdCancel_Click();
    void txtNewName_KeyPress(int& KeyAscii);

protected:
    void Form_Load() override;

private:
    bool acceptName(const std::string& oldName, const std::string& newName);
    void renameFiles(const std::string& oldName, const std::string& newName);
    void refuse(const std::string& text);

    ReportLibrary& library_;
    forms::Label* lblNew_ = nullptr;
    forms::TextBox* txtNewName_ = nullptr;
    forms::CommandButton* cmdOK_ = nullptr;
    forms::CommandButton* cmdCancel_ = nullptr;
};

}  // namespace bp::reports
