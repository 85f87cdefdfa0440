#pragma once
// "frmNew": the name of a new definition, made from the starter files in the program folder,
// or of a copy of an existing one (bCopy). A name already in use, in any letter case, is
// refused and the dialog stays open; on success sReportName holds the new name.

#include <string>

#include "forms/CommandButton.h"
#include "forms/Form.h"
#include "forms/Label.h"
#include "forms/TextBox.h"

namespace bp::reports {

class ReportLibrary;

inline constexpr const char* kEmptyName = "Please enter a name for the report.";
inline constexpr const char* kForbiddenName =
    "A report name cannot contain the characters \".\", \"/\" or \"\\\".";

class FrmNew : public forms::Form {
public:
    explicit FrmNew(ReportLibrary& library);

    forms::Label& lblNew() { return *lblNew_; }
    forms::TextBox& txtNewName() { return *txtNewName_; }
    forms::CommandButton& cmdOK() { return *cmdOK_; }
    forms::CommandButton& cmdCancel() { return *cmdCancel_; }

    void cmdOK_Click();
    void cmdCancel_Click();
    void txtNewName_KeyPress(int& KeyAscii);

protected:
    void Form_Load() override;

private:
    // True when the name may be used; otherwise the user has been told why.
    bool acceptName(const std::string& name);
    // Copies the files of the new definition; false when a copy was refused (the user has
    // been told which file).
    bool copyFiles(const std::string& name);
    void refuse(const std::string& text);

    ReportLibrary& library_;
    forms::Label* lblNew_ = nullptr;
    forms::TextBox* txtNewName_ = nullptr;
    forms::CommandButton* cmdOK_ = nullptr;
    forms::CommandButton* cmdCancel_ = nullptr;
};

}  // namespace bp::reports
