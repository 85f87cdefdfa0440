#pragma once
// The host's views collection as an automation object.

#include <memory>

#include "act/Application.h"
#include "act/standin/DispatchObject.h"

namespace bp::standin {

// One reference, which the caller takes over; null when `target` is null.
DispatchObject* newViewsObject(HostRef host, std::shared_ptr<act::Views> target);

}  // namespace bp::standin
