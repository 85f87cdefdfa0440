#include "act/automation/ProgId.h"

#include <string>

#include "act/automation/Bstr.h"
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

// A server that refuses to make its object may say why through the thread's error object
// ("there is no database at ..."); that tells the user more than the bare failure code.
std::string reasonGiven() {
    IErrorInfo* info = nullptr;
    if (::GetErrorInfo(0, &info) != S_OK || info == nullptr) {
        return {};
    }
    const auto owned = ComPtr<IErrorInfo>::adopt(info);
    BSTR description = nullptr;
    if (FAILED(owned->GetDescription(&description))) {
        return {};
    }
    return Bstr::adopt(description).toUtf8();
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
    ::SetErrorInfo(0, nullptr);  // a reason left by an earlier failure is not this one's
    hr = ::CoCreateInstance(clsid, nullptr, CLSCTX_ALL, IID_IDispatch,
                            reinterpret_cast<void**>(&object));
    if (hr == REGDB_E_CLASSNOTREG) {
        raiseNotRegistered(progId, hr);
    }
    if (FAILED(hr)) {
        if (std::string reason = reasonGiven(); !reason.empty()) {
            raise(static_cast<int>(hr), reason);
        }
        raiseFailure(progId, hr);
    }
    return ComPtr<IDispatch>::adopt(object);
}

}  // namespace bp::automation
