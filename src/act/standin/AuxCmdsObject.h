#pragma once
// The host's auxiliary commands (ACTOLE.AUXCMDS) as an automation object.

#include <memory>

#include "act/Integration.h"
#include "act/standin/DispatchObject.h"

namespace bp::standin {

// One reference, which the caller takes over; null when `target` is null.
DispatchObject* newAuxCmdsObject(HostRef host, std::shared_ptr<act::AuxCmds> target);

}  // namespace bp::standin
