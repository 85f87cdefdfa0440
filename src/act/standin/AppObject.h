#pragma once
// The host application (ACTOLE.APPOBJECT) as an automation object.

#include <memory>

#include "act/Application.h"
#include "act/standin/DispatchObject.h"

namespace bp::standin {

// One reference, which the caller takes over; null when `target` is null.
DispatchObject* newAppObject(HostRef host, std::shared_ptr<act::ActApp> target);

}  // namespace bp::standin
