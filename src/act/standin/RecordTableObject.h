#pragma once
// A contact, sales or group table of the host as an automation object.

#include <memory>

#include "act/Tables.h"
#include "act/standin/DispatchObject.h"

namespace bp::standin {

// One reference, which the caller takes over; null when `target` is null.
DispatchObject* newRecordTableObject(HostRef host, std::shared_ptr<act::RecordTable> target);

}  // namespace bp::standin
