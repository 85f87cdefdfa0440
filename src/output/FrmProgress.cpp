#include "output/FrmProgress.h"

#include "platform/AppInfo.h"

namespace bp::output {

FrmProgress::FrmProgress(forms::UiService& ui)
    : forms::Form(ui, "frmProgress", std::string(platform::kAppTitle)) {
    lblPhase_ = &add<forms::Label>("lblPhase");
    prgDone_ = &add<forms::ProgressBar>("prgDone");
    cmdCancel_ = &add<forms::CommandButton>("cmdCancel");
    cmdCancel_->setCaption("Cancel");
    cmdCancel_->onClick = [this] { cmdCancel_Click(); };
    setCancelButton(cmdCancel_);
}

void FrmProgress::reset() {
    cancelled_ = false;
    cmdCancel_->setEnabled(true);
}

void FrmProgress::cmdCancel_Click() {
    cancelled_ = true;
    // The run stops at its next look, a moment later; a second click would add nothing.
    cmdCancel_->setEnabled(false);
    lblPhase_->setCaption("Cancelling...");
}

void FrmProgress::Form_Unload(int& Cancel) {
    if (!visible()) {
        return;  // the run has ended and put the window away
    }
    // The run owns the window: closing it stops the run, which then takes the window away.
    cmdCancel_Click();
    Cancel = 1;
}

}  // namespace bp::output
