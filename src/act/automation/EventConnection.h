#pragma once
// A sink advised on the event control's connection point for as long as this lives (or until
// disconnect()). The control's events interface is not known in advance: it is read from the
// control's first connection point.

// windows.h first: the COM headers rely on what it declares.
#include <windows.h>

#include <ocidl.h>

#include "act/automation/ComPtr.h"
#include "act/automation/EventSink.h"

namespace bp::automation {

class EventConnection {
public:
    // Raises bp::Error when the control offers no connection point or refuses the sink.
    explicit EventConnection(IDispatch* control);
    ~EventConnection();
    EventConnection(const EventConnection&) = delete;
    EventConnection& operator=(const EventConnection&) = delete;

    void disconnect();
    unsigned long closeRequests() const { return sink_ ? sink_->closeRequests() : 0; }

private:
    ComPtr<IConnectionPoint> point_;
    ComPtr<EventSink> sink_;
    DWORD cookie_ = 0;
    bool connected_ = false;
};

}  // namespace bp::automation
