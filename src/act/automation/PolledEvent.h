#pragma once
// Stands in for the host's event control where none is installed: registering always
// succeeds, and the host counts as running while its application object still answers.
// poll() asks that at most every two seconds and reports the host's end once.

#include <memory>

#include "act/automation/AdapterContext.h"
#include "act/automation/AppObject.h"
#include "act/automation/AutomationEvent.h"
#include "act/automation/HostWatch.h"

namespace bp::automation {

class PolledEvent : public AutomationEvent {
public:
    explicit PolledEvent(std::shared_ptr<AdapterContext> context, HostWatch::Clock clock = {});

    int Register(int flags) override;
    void Unregister() override;
    bool IsHostRunning() override;
    void poll() override;
    bool eventsByPolling() const override { return true; }

private:
    std::shared_ptr<AdapterContext> context_;
    std::unique_ptr<AppObject> app_;
    bool appTried_ = false;
    HostWatch watch_;
};

}  // namespace bp::automation
