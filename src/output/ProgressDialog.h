#pragma once
// Long work in the desktop program: once a run has taken a second, frmProgress shows its
// phase and percentage; its Cancel button stops the run at the next look. Quick runs show
// nothing. The run keeps the program's one thread, so each update lets the person act.

#include "core/Progress.h"
#include "forms/UiService.h"
#include "output/FrmProgress.h"

namespace bp::output {

class ProgressDialog : public core::ProgressSink {
public:
    explicit ProgressDialog(forms::UiService& ui,
                            core::ProgressTiming timing = core::ProgressTiming{});

    core::ProgressTiming timing() const override { return timing_; }
    void started() override { form_.reset(); }
    void show(const std::string& phase, double fraction) override;
    bool cancelRequested() override { return form_.cancelled(); }
    void finished() override;

    FrmProgress& form() { return form_; }

private:
    forms::UiService& ui_;
    core::ProgressTiming timing_;
    FrmProgress form_;
};

}  // namespace bp::output
