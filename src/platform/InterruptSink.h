#pragma once
// The progress sink of work run from a terminal or a pipe: Ctrl+C (InterruptWatch) stops the
// work, and what there is to show goes to the sink given, if any (a terminal's bar); a run
// whose output is piped shows nothing and can still be stopped.

#include "core/Progress.h"

namespace bp::platform {

class InterruptSink : public core::ProgressSink {
public:
    explicit InterruptSink(core::ProgressSink* shown = nullptr) : shown_(shown) {}

    core::ProgressTiming timing() const override;
    void started() override;
    void show(const std::string& phase, double fraction) override;
    bool cancelRequested() override;
    void finished() override;

private:
    core::ProgressSink* shown_;
};

}  // namespace bp::platform
