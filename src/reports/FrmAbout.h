#pragma once
// The about box: the program's name, version and build date, and the host it works on.

#include <string>

#include "forms/CommandButton.h"
#include "forms/Form.h"
#include "forms/Label.h"

namespace bp::reports {

// The version CMake's project() gives, and the day this file was compiled ("2026-12-06").
std::string programVersion();
std::string buildDate();

class FrmAbout : public forms::Form {
public:
    explicit FrmAbout(forms::UiService& ui);

    // The host the program is attached to; blank when none is (the pictures of the windows).
    void setHost(const std::string& description);

    forms::Label& lblTitle() { return *lblTitle_; }
    forms::Label& lblVersion() { return *lblVersion_; }
    forms::Label& lblBuild() { return *lblBuild_; }
    forms::Label& lblHost() { return *lblHost_; }
    forms::CommandButton& cmdOK() { return *cmdOK_; }

    void cmdOK_Click();

private:
    forms::Label* lblTitle_ = nullptr;
    forms::Label* lblDescription_ = nullptr;
    forms::Label* lblVersion_ = nullptr;
    forms::Label* lblBuild_ = nullptr;
    forms::Label* lblHost_ = nullptr;
    forms::CommandButton* cmdOK_ = nullptr;
};

}  // namespace bp::reports
