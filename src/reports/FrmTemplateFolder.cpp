#include "reports/FrmTemplateFolder.h"

#include "forms/DialogButtons.h"
#include "platform/AppInfo.h"
#include "platform/ErrorHandler.h"
#include "platform/ProgramFolder.h"
#include "platform/SettingsStore.h"

namespace bp::reports {
namespace {

// The dialog has always printed this module name in its error messages.
constexpr const char* kFolderModule = "frmAdo";

}  // namespace

FrmTemplateFolder::FrmTemplateFolder(act::Session& session)
    : Form(*session.ui, "frmTemplateFolder", "Templates Folder"), session_(session) {
    lblLocation_ = &add<forms::Label>("lblLocation");
    lblLocation_->setCaption("Location of your template folder:");
    lblLocation_->setLayout(0, 0, 1, 3);
    txtPath_ = &add<forms::TextBox>("txtPath");
    txtPath_->setLayout(1, 0, 1, 2);
    cmdBrowse_ = &add<forms::CommandButton>("cmdBrowse");
    cmdBrowse_->setCaption("Browse");
    cmdBrowse_->setLayout(1, 2);
    cmdBrowse_->onClick = [this] { cmdBrowse_Click(); };
    cmdOK_ = &forms::addDialogButton(*this, "cmdOK", {"&OK", 2, 1}, forms::ButtonRole::Default,
                                     [this] { cmdOK_Click(); });
    cmdCancel_ = &forms::addDialogButton(*this, "cmdCancel", {"&Cancel", 2, 2},
                                         forms::ButtonRole::Cancel, [this] { cmdCancel_Click(); });
}

void FrmTemplateFolder::Form_Load() {
    platform::guarded(ui(), {kFolderModule, "Form_Load"}, [&] {
        // The stored text, not the folder in use: a path stored earlier in this run shows.
        txtPath_->setText(session_.settings->GetSetting(
            platform::kSettingsSection, platform::kTemplatesFolderKey,
            platform::defaultTemplatesFolder(session_.programFolder)));
        shownAtLoad_ = txtPath_->text();
    });
}

void FrmTemplateFolder::cmdOK_Click() {
    platform::guarded(ui(), {kFolderModule, "cmdOK_Click"}, [&] {
        if (txtPath_->text() != shownAtLoad_) {
            session_.settings->SaveSetting(platform::kSettingsSection,
                                           platform::kTemplatesFolderKey, txtPath_->text());
            forms::MessageRequest request;
            request.title = std::string(platform::kAppTitle);
            request.text = kRestartNeeded;
            ui().message(request);
        }
        unload();
    });
}

void FrmTemplateFolder::cmdCancel_Click() {
    unload();
}

void FrmTemplateFolder::cmdBrowse_Click() {
    platform::guarded(ui(), {kFolderModule, "cmdBrowse_Click"}, [&] {
        if (auto folder = ui().browseFolder(caption(), txtPath_->text())) {
            txtPath_->setText(*folder);
        }
    });
}

}  // namespace bp::reports
