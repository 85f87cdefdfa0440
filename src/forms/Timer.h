#pragma once
// A timer: while enabled with an Interval above 0 (milliseconds) it raises Timer at every tick.
// The renderer drives tick() from a real clock; tests call it directly.

#include "forms/Control.h"

namespace bp::forms {

class Timer : public Control {
public:
    explicit Timer(const ControlInit& init) : Control(init, ControlKind::Timer) {}

    int interval() const { return interval_; }
    void setInterval(int milliseconds);
    bool running() const { return enabled() && interval_ > 0; }

    // Raises Timer when running; returns whether it did.
    bool tick();

    std::function<void()> onTimer;

private:
    int interval_ = 0;
};

}  // namespace bp::forms
