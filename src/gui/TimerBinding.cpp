#include "gui/TimerBinding.h"

#include "forms/Form.h"

namespace bp::gui {

TimerBinding::TimerBinding(forms::Timer& timer) : ControlBinding(timer, nullptr), model_(timer) {
    clock_.setProperty(kFormTimer, true);
    connect(&clock_, &QTimer::timeout, this, [this] { model_.tick(); });
}

void TimerBinding::sync(forms::Property property) {
    if (property == forms::Property::Interval || property == forms::Property::Enabled) {
        syncContent();
    }
}

void TimerBinding::syncContent() {
    const bool run = model_.running() && model_.form().loaded();
    if (!run) {
        clock_.stop();
    } else if (!clock_.isActive() || clock_.interval() != model_.interval()) {
        clock_.start(model_.interval());
    }
}

}  // namespace bp::gui
