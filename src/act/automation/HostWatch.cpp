#include "act/automation/HostWatch.h"

namespace bp::automation {

HostWatch::HostWatch(std::function<bool()> isRunning, Clock clock)
    : isRunning_(std::move(isRunning)), clock_(std::move(clock)) {
    if (!clock_) {
        clock_ = [] { return std::chrono::steady_clock::now(); };
    }
}

void HostWatch::start() {
    watching_ = true;
    lastCheck_ = clock_();
}

bool HostWatch::hostHasGone() {
    if (!watching_) {
        return false;
    }
    const auto now = clock_();
    if (now - lastCheck_ < kInterval) {
        return false;
    }
    lastCheck_ = now;
    if (isRunning_()) {
        return false;
    }
    watching_ = false;
    return true;
}

}  // namespace bp::automation
