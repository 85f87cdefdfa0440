#include "core/Progress.h"

namespace bp::core {

void Progress::attach(ProgressSink* sink) {
    detach();
    sink_ = sink;
    timing_ = sink ? sink->timing() : ProgressTiming{};
    if (sink) {
        sink->started();
    }
    attached_ = Clock::now();
    lastShown_ = Clock::time_point{};
    shown_ = false;
    phase_.clear();
    total_ = 0;
    done_ = 0;
    untilLook_ = kStride;
}

void Progress::detach() {
    if (sink_ && shown_) {
        sink_->finished();
    }
    sink_ = nullptr;
    shown_ = false;
}

void Progress::phase(std::string name, std::uint64_t total) {
    phase_ = std::move(name);
    total_ = total;
    done_ = 0;
    // The new phase is shown at the next look however recent the last update was.
    lastShown_ = Clock::time_point{};
    look();
}

double Progress::fraction() const {
    if (total_ == 0) {
        return -1;
    }
    return done_ >= total_ ? 1.0 : static_cast<double>(done_) / static_cast<double>(total_);
}

void Progress::look() {
    untilLook_ = kStride;
    if (!sink_) {
        return;
    }
    if (sink_->cancelRequested()) {
        throw Cancelled();
    }
    const Clock::time_point now = Clock::now();
    if (now - attached_ < timing_.showAfter ||
        (lastShown_ != Clock::time_point{} && now - lastShown_ < timing_.interval)) {
        return;
    }
    lastShown_ = now;
    shown_ = true;
    sink_->show(phase_, fraction());
    if (sink_->cancelRequested()) {
        throw Cancelled();
    }
}

}  // namespace bp::core
