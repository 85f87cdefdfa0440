#pragma once
// The host's event control ("ACTEVENTLib.ActEvent"), whose members are known by number only.
// While registered, a sink on the control's connection point notes the host's closing; poll()
// lets the thread's pending messages through (the control calls the sink from them) and then
// runs the handler, so handlers run only from poll(), on the program's own thread. A control
// that offers no events is asked whether the host still runs instead.

#include <memory>

#include "act/automation/AdapterContext.h"
#include "act/automation/AutomationEvent.h"
#include "act/automation/Dispatch.h"
#include "act/automation/EventConnection.h"
#include "act/automation/HostWatch.h"

namespace bp::automation {

class ControlEvent : public AutomationEvent {
public:
    enum : DISPID { kRegister = 1, kUnregister = 2, kIsHostRunning = 3 };

    ControlEvent(ComPtr<IDispatch> control, std::shared_ptr<AdapterContext> context,
                 HostWatch::Clock clock = {});
    ~ControlEvent() override;

    int Register(int flags) override;
    void Unregister() override;
    bool IsHostRunning() override;
    void poll() override;
    bool eventsByPolling() const override { return byPolling_; }

private:
    void connect();
    void deliverEvents();

    std::shared_ptr<AdapterContext> context_;  // first: the control is released before it
    Dispatch control_;
    CallCounter::MemberId register_, unregister_, isHostRunning_;
    std::unique_ptr<EventConnection> connection_;
    HostWatch watch_;
    unsigned long delivered_ = 0;
    bool registered_ = false;
    bool byPolling_ = false;
};

}  // namespace bp::automation
