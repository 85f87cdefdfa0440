#pragma once
// The host's event control (ACTEVENTLib.ActEvent) as an automation object with one outgoing
// interface. While registered it watches the host from a thread timer of the thread that
// created it, so the closing event reaches the advised sinks as a window message of that
// thread (the client sees it when it lets its messages through), never from another thread.

#include <memory>

#include "act/Integration.h"
#include "act/standin/DispatchObject.h"

namespace bp::standin {

// One reference, which the caller takes over; null when `target` is null.
DispatchObject* newEventObject(HostRef host, std::shared_ptr<act::ActEvent> target);

}  // namespace bp::standin
