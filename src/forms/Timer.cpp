#include "forms/Timer.h"

#include <algorithm>

namespace bp::forms {

void Timer::setInterval(int milliseconds) {
    milliseconds = std::max(0, milliseconds);
    if (interval_ != milliseconds) {
        interval_ = milliseconds;
        changed(Property::Interval);
    }
}

bool Timer::tick() {
    if (!running()) {
        return false;
    }
    fire(onTimer);
    return true;
}

}  // namespace bp::forms
