#pragma once
// The window a long run shows while it works: what it is doing, how far it has come, and a
// Cancel button. Closing the window asks for the same as Cancel; it goes once the run ends.

#include "forms/CommandButton.h"
#include "forms/Form.h"
#include "forms/Label.h"
#include "forms/ProgressBar.h"

namespace bp::output {

class FrmProgress : public forms::Form {
public:
    explicit FrmProgress(forms::UiService& ui);

    forms::Label& lblPhase() { return *lblPhase_; }
    forms::ProgressBar& prgDone() { return *prgDone_; }
    forms::CommandButton& cmdCancel() { return *cmdCancel_; }

    bool cancelled() const { return cancelled_; }
    // Ready for the next run: nothing asked for, Cancel usable again.
    void reset();

protected:
    void Form_Unload(int& Cancel) override;

private:
    void cmdCancel_Click();

    forms::Label* lblPhase_;
    forms::ProgressBar* prgDone_;
    forms::CommandButton* cmdCancel_;
    bool cancelled_ = false;
};

}  // namespace bp::output
