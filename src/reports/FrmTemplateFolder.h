#pragma once
// "frmTemplateFolder": where the templates folder lies. The path is typed or picked in the
// desktop's folder browser and stored only when OK is pressed with a changed text; the
// running program keeps the folder it started with, so the user is told to restart. Its
// error messages name the module "frmAdo".

#include <string>

#include "act/Session.h"
#include "forms/CommandButton.h"
#include "forms/Form.h"
#include "forms/Label.h"
#include "forms/TextBox.h"

namespace bp::reports {

inline constexpr const char* kRestartNeeded =
    "You need to restart the program for the changes to take effect.";

class FrmTemplateFolder : public forms::Form {
public:
    explicit FrmTemplateFolder(act::Session& session);

    forms::TextBox& txtPath() { return *txtPath_; }
    forms::CommandButton& cmdBrowse() { return *cmdBrowse_; }
    forms::CommandButton& cmdOK() { return *cmdOK_; }
    forms::CommandButton& cmdCancel() { return *cmdCancel_; }

    void cmdOK_Click();
    void cmdCancel_Click();
    void cmdBrowse_Click();

protected:
    void Form_Load() override;

private:
    act::Session& session_;
    forms::Label* lblLocation_ = nullptr;
    forms::TextBox* txtPath_ = nullptr;
    forms::CommandButton* cmdBrowse_ = nullptr;
    forms::CommandButton* cmdOK_ = nullptr;
    forms::CommandButton* cmdCancel_ = nullptr;
    std::string shownAtLoad_;  // tells a change from an OK on the path as it was
};

}  // namespace bp::reports
