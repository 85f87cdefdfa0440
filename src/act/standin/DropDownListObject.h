#pragma once
// The drop-down value list of a host field as an automation object.

#include <memory>

#include "act/Tables.h"
#include "act/standin/DispatchObject.h"

namespace bp::standin {

// One reference, which the caller takes over; null when `target` is null.
DispatchObject* newDropDownListObject(HostRef host, std::shared_ptr<act::DropDownList> target);

}  // namespace bp::standin
