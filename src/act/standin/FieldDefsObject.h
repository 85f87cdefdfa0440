#pragma once
// The field definitions of a host table as an automation object.

#include <memory>

#include "act/Tables.h"
#include "act/standin/DispatchObject.h"

namespace bp::standin {

// One reference, which the caller takes over; null when `target` is null.
DispatchObject* newFieldDefsObject(HostRef host, std::shared_ptr<act::FieldDefs> target);

}  // namespace bp::standin
