#pragma once
// The host's open database (ACTOLE.DATABASE) as an automation object.

#include <memory>

#include "act/Application.h"
#include "act/standin/DispatchObject.h"

namespace bp::standin {

// One reference, which the caller takes over; null when `target` is null.
DispatchObject* newDatabaseObject(HostRef host, std::shared_ptr<act::Database> target);

}  // namespace bp::standin
