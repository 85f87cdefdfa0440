#pragma once
// The host's product, type and competitor lists as an automation object.

#include <memory>

#include "act/Tables.h"
#include "act/standin/DispatchObject.h"

namespace bp::standin {

// One reference, which the caller takes over; null when `target` is null.
DispatchObject* newListTableObject(HostRef host, std::shared_ptr<act::ListTable> target);

}  // namespace bp::standin
