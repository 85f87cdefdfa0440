#pragma once
// A bar showing how much of some work is done, in percent; a busy bar (no percentage) while
// the amount of work is not known. It takes no focus and raises no events.

#include "forms/Control.h"

namespace bp::forms {

class ProgressBar : public Control {
public:
    static constexpr int kBusy = -1;

    explicit ProgressBar(const ControlInit& init) : Control(init, ControlKind::ProgressBar) {}

    // 0..100, or kBusy.
    int value() const { return value_; }
    // Values outside 0..100 are held to the nearest end; any negative one means busy.
    void setValue(int percent);

private:
    int value_ = 0;
};

}  // namespace bp::forms
