#pragma once
// Starting an automation object from its program id ("ACTOLE.APPOBJECT").

#include <string_view>

#include "act/automation/Dispatch.h"

namespace bp::automation {

// Raises NotRegisteredError when no installed program registers the id, bp::Error for any
// other failure. Needs a ComApartment on the calling thread.
ComPtr<IDispatch> createByProgId(std::string_view progId);

// Whether some installed program answers to the id, without starting it.
bool isRegistered(std::string_view progId);

}  // namespace bp::automation
