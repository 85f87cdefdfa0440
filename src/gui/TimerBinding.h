#pragma once
// A timer of the form model driven by a QTimer while the timer runs and its form is loaded.

#include <QTimer>

#include "forms/Timer.h"
#include "gui/ControlBinding.h"

namespace bp::gui {

class TimerBinding : public ControlBinding {
    Q_OBJECT
public:
    explicit TimerBinding(forms::Timer& timer);

    // The property marking the QTimer of a form's timer, which QtUi holds back while a run
    // lets events through.
    static constexpr const char* kFormTimer = "bpFormTimer";

    bool takesFocus() const override { return false; }
    bool active() const { return clock_.isActive(); }

protected:
    void sync(forms::Property property) override;
    void syncContent() override;

private:
    forms::Timer& model_;
    QTimer clock_;
};

}  // namespace bp::gui
