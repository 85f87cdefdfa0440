#include "platform/InterruptSink.h"

#include "platform/InterruptWatch.h"

namespace bp::platform {

core::ProgressTiming InterruptSink::timing() const {
    return shown_ ? shown_->timing() : core::ProgressTiming{};
}

// A Ctrl+C pressed while the work was being set up still counts: the person wants it
// stopped, and the handler has already given the next Ctrl+C back to the system.
void InterruptSink::started() {
    if (shown_) {
        shown_->started();
    }
}

void InterruptSink::show(const std::string& phase, double fraction) {
    if (shown_) {
        shown_->show(phase, fraction);
    }
}

bool InterruptSink::cancelRequested() {
    return InterruptWatch::requested() || (shown_ && shown_->cancelRequested());
}

void InterruptSink::finished() {
    if (shown_) {
        shown_->finished();
    }
}

}  // namespace bp::platform
