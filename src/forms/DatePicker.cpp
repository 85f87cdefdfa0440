#include "forms/DatePicker.h"

#include <stdexcept>

namespace bp::forms {

void DatePicker::setValue(const DateTime& value, Announcement announce) {
    if (!value.valid()) {
        throw std::invalid_argument("Invalid date for " + name());
    }
    if (value == value_) {
        return;
    }
    value_ = value;
    changed(Property::Value);
    if (announce == Announcement::DoEmit) {
        fire(onChange);
    }
}

bool DatePicker::pick(const DateTime& value) {
    if (!usable()) {
        return false;
    }
    setValue(value);
    return true;
}

}  // namespace bp::forms
