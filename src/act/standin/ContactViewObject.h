#pragma once
// A contact view of the host as an automation object.

#include <memory>

#include "act/Application.h"
#include "act/standin/DispatchObject.h"

namespace bp::standin {

// One reference, which the caller takes over; null when `target` is null.
DispatchObject* newContactViewObject(HostRef host, std::shared_ptr<act::ContactView> target);

}  // namespace bp::standin
