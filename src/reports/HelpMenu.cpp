#include "reports/HelpMenu.h"

#include <string>

#include "platform/AppInfo.h"
#include "platform/ErrorHandler.h"
#include "platform/FileSystem.h"
#include "platform/PathText.h"

namespace bp::reports {

HelpMenu::HelpMenu(act::Session& session) : session_(session), frmAbout_(*session.ui) {}

void HelpMenu::mnuContent_Click() {
    platform::guarded(*session_.ui, {"frmMain", "mnuContent_Click"}, [&] {
        const std::string page = platform::joinPath(session_.programFolder, kHelpPage);
        if (!platform::fileExists(page)) {
            forms::MessageRequest request;
            request.title = std::string(platform::kAppTitle);
            request.text = "The help file " + page + " could not be found.";
            request.icon = forms::MsgIcon::Exclamation;
            session_.ui->message(request);
            return;
        }
        session_.shell->open(page, session_.programFolder);
    });
}

void HelpMenu::mnuOnlineHelp_Click() {
    platform::guarded(*session_.ui, {"frmMain", "mnuOnlineHelp_Click"},
                      [&] { session_.shell->open(kTutorialsAddress, session_.programFolder); });
}

void HelpMenu::mnuAbout_Click() {
    platform::guarded(*session_.ui, {"frmMain", "mnuAbout_Click"}, [&] {
        frmAbout_.setHost(session_.host != nullptr ? session_.host->describe() : std::string());
        frmAbout_.showModal();
    });
}

}  // namespace bp::reports
