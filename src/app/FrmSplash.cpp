#include "app/FrmSplash.h"

#include <string>

#include "platform/AppInfo.h"

namespace bp::app {

FrmSplash::FrmSplash(forms::UiService& ui)
    : Form(ui, "frmSplash", std::string(platform::kAppTitle)) {
    lblTitle_ = &add<forms::Label>("lblTitle");
    lblTitle_->setCaption(std::string(platform::kAppTitle));
    lblTitle_->setLayout(0, 0);
    lblStatus_ = &add<forms::Label>("lblStatus");
    lblStatus_->setCaption("Connecting to the open contact database...");
    lblStatus_->setLayout(1, 0);
}

}  // namespace bp::app
