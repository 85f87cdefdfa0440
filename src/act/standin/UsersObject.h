#pragma once
// The host's users as an automation object.

#include <memory>

#include "act/Tables.h"
#include "act/standin/DispatchObject.h"

namespace bp::standin {

// One reference, which the caller takes over; null when `target` is null.
DispatchObject* newUsersObject(HostRef host, std::shared_ptr<act::Users> target);

}  // namespace bp::standin
