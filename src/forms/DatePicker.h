#pragma once
// A date picker holding one calendar date and time; Change runs when the value changes.

#include "core/DateTime.h"
#include "forms/Control.h"

namespace bp::forms {

class DatePicker : public Control {
public:
    explicit DatePicker(const ControlInit& init) : Control(init, ControlKind::DatePicker) {}

    const DateTime& value() const { return value_; }
    // An impossible date (February 30th, hour 24, ...) throws std::invalid_argument and
    // leaves the value as it was.
    void setValue(const DateTime& value, Announcement announce = Announcement::DoEmit);
    // A user's pick; false when the picker is unusable.
    bool pick(const DateTime& value);

    std::function<void()> onChange;

private:
    DateTime value_ = DateTime::now();
};

}  // namespace bp::forms
