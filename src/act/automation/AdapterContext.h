#pragma once
// What every object of one automation host shares: the COM apartment they live in, the call
// counts, the regional settings dates are written in, and how objects are started by program
// id. Each object holds the context, so the apartment ends only after the last object has
// released its interface, whatever order the program drops them in.

// windows.h first: the COM headers rely on what it declares.
#include <windows.h>

#include <oaidl.h>

#include <functional>
#include <memory>
#include <string_view>

#include "act/automation/CallCounter.h"
#include "act/automation/ComApartment.h"
#include "act/automation/ComPtr.h"
#include "platform/Locale.h"

namespace bp::automation {

using ObjectFactory = std::function<ComPtr<IDispatch>(std::string_view progId)>;

struct AdapterContext {
    AdapterContext(ObjectFactory create, platform::Locale regional)
        : factory(std::move(create)), locale(std::move(regional)) {}

    ComApartment apartment;  // first: it ends last
    ObjectFactory factory;
    platform::Locale locale;
    CallCounter counter;
};

}  // namespace bp::automation
