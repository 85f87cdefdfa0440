#pragma once
// What "frmNew" and "frmRename" share: a label over the name box, OK and Cancel beneath, a
// key filter that keeps the characters a file name cannot hold out of the box, and the
// checks of a name that was typed or pasted.

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

class NameDialog : public forms::Form {
public:
    forms::Label& lblNew() { return *lblNew_; }
    forms::TextBox& txtNewName() { return *txtNewName_; }
    forms::CommandButton& cmdOK() { return *cmdOK_; }
    forms::CommandButton& cmdCancel() { return *cmdCancel_; }

    virtual void cmdOK_Click() = 0;
    void cmdCancel_Click();
    void txtNewName_KeyPress(int& KeyAscii);

protected:
    NameDialog(ReportLibrary& library, std::string name, std::string caption = {});

    // Whether a name another definition holds is refused: a rename to another letter case
    // keeps its own definition, so its name is not in the way.
    enum class NameInUse { Refused, Allowed };

    // True when the name may be used; otherwise the user has been told why.
    bool acceptName(const std::string& name, NameInUse inUse);
    void refuse(const std::string& text);

    ReportLibrary& library_;

private:
    forms::Label* lblNew_ = nullptr;
    forms::TextBox* txtNewName_ = nullptr;
    forms::CommandButton* cmdOK_ = nullptr;
    forms::CommandButton* cmdCancel_ = nullptr;
};

}  // namespace bp::reports
