#include "act/automation/ProgId.h"

#include <string>

#include "act/automation/ComFailure.h"
#include "platform/WinText.h"

namespace bp::automation {

namespace {

[[noreturn]] void raiseNotRegistered(std::string_view progId, HRESULT hr) {
    throw NotRegisteredError(kErrCannotCreateObject,
                             "Cannot create object " + std::string(progId) +
                                 ": it is not registered on this computer (" + systemMessage(hr) +
                                 ")");
}

}  // namespace

bool isRegistered(std::string_view progId) {
    CLSID clsid{};
    return SUCCEEDED(::CLSIDFromProgID(platform::toWide(progId).c_str(), &clsid));
}

ComPtr<IDispatch> createByProgId(std::string_view progId) {
    const std::wstring wide = platform::toWide(progId);
    CLSID clsid{};
    HRESULT hr = ::CLSIDFromProgID(wide.c_str(), &clsid);
    if (hr == CO_E_CLASSSTRING || hr == REGDB_E_CLASSNOTREG || hr == REGDB_E_READREGDB) {
        raiseNotRegistered(progId, hr);
    }
    if (FAILED(hr)) {
        raiseFailure(progId, hr);
    }
    IDispatch* object = nullptr;
    hr = ::CoCreateInstance(clsid, nullptr, CLSCTX_ALL, IID_IDispatch,
                            reinterpret_cast<void**>(&object));
    if (hr == REGDB_E_CLASSNOTREG) {
        raiseNotRegistered(progId, hr);
    }
    if (FAILED(hr)) {
        raiseFailure(progId, hr);
    }
    return ComPtr<IDispatch>::adopt(object);
}

}  // namespace bp::automation
