#include "forms/ProgressBar.h"

namespace bp::forms {

void ProgressBar::setValue(int percent) {
    const int value = percent < 0 ? kBusy : (percent > 100 ? 100 : percent);
    if (value == value_) {
        return;
    }
    value_ = value;
    changed(Property::Value);
}

}  // namespace bp::forms
