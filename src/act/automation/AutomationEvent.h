#pragma once
// The host's event control as the adapter offers it: either the control itself, delivering
// the host's closing through its events, or, where the control cannot serve, a watch that
// asks the host now and then whether it still runs.

#include "act/Integration.h"

namespace bp::automation {

class AutomationEvent : public act::ActEvent {
public:
    // True when the host's closing is noticed by asking rather than told by the host; the
    // About box says so.
    virtual bool eventsByPolling() const = 0;
};

}  // namespace bp::automation
