#pragma once
// The host's event control. The closing event is raised when the host's closing counter in
// the database grows (the host tool's "close" in another process, or command 150 from this
// one); poll() looks for that with one cheap query and calls the handler on the caller's
// thread.

#include <cstdint>
#include <memory>

#include "act/Integration.h"
#include "act/sim/SimState.h"

namespace bp::sim {

class SimEvent : public act::ActEvent {
public:
    explicit SimEvent(std::shared_ptr<SimState> state);

    int Register(int flags) override;
    void Unregister() override;
    bool IsHostRunning() override;
    void poll() override;

private:
    std::shared_ptr<SimState> state_;
    bool registered_ = false;
    std::int64_t seenCloses_ = 0;
    CallLog::MemberId register_, unregister_, isHostRunning_;
};

}  // namespace bp::sim
