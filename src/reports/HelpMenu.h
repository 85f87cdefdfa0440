#pragma once
// The Help menu: the program's own user guide (an HTML page in the program folder, shown by
// the desktop's browser), the online tutorials, and the about box.

#include "act/Session.h"
#include "reports/FrmAbout.h"

namespace bp::reports {

inline constexpr const char* kHelpPage = "brindlepath-help.html";
inline constexpr const char* kTutorialsAddress =
    "https://brindlepath.example/tutorials/brindlepath_online.htm";

class HelpMenu {
public:
    explicit HelpMenu(act::Session& session);

    FrmAbout& frmAbout() { return frmAbout_; }

    void mnuContent_Click();
    void mnuOnlineHelp_Click();
    void mnuAbout_Click();

private:
    act::Session& session_;
    FrmAbout frmAbout_;
};

}  // namespace bp::reports
