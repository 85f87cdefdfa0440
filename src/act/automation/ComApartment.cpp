#include "act/automation/ComApartment.h"

// windows.h first: the COM headers rely on what it declares.
#include <windows.h>

#include <objbase.h>

#include "act/automation/ComFailure.h"

namespace bp::automation {

ComApartment::ComApartment() {
    // S_FALSE (already in this apartment) still takes a count that CoUninitialize returns.
    const HRESULT hr = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    if (FAILED(hr)) {
        raiseFailure("CoInitializeEx", hr);
    }
}

ComApartment::~ComApartment() {
    ::CoUninitialize();
}

}  // namespace bp::automation
