#include "act/standin/DispatchObject.h"

#include <cwctype>
#include <exception>
#include <mutex>

#include "act/automation/Bstr.h"
#include "act/standin/ServerModule.h"
#include "platform/Error.h"

namespace bp::standin {

namespace {

constexpr int kErrAutomation = 440;
constexpr char kSource[] = "brindlepath-host";

// Visual Basic's own errors travel as FACILITY_CONTROL codes carrying the error number; a
// number that already is a failure code (a system error passed on) travels as it is.
SCODE codeOf(int number) {
    if (number < 0) {
        return static_cast<SCODE>(number);
    }
    return MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, number & 0xFFFF);
}

HRESULT reportError(EXCEPINFO* exception, int number, const std::string& description) {
    if (exception != nullptr) {
        *exception = EXCEPINFO{};
        try {
            exception->bstrSource = automation::Bstr(kSource).release();
            exception->bstrDescription = automation::Bstr(description).release();
        } catch (...) {
            // Out of memory: the caller still learns that the call failed, without words.
        }
        exception->scode = codeOf(number);
    }
    return DISP_E_EXCEPTION;
}

bool readsValue(WORD flags) {
    return (flags & (DISPATCH_METHOD | DISPATCH_PROPERTYGET)) != 0 &&
           (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) == 0;
}

}  // namespace

bool sameName(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::towlower(a[i]) != std::towlower(b[i])) {
            return false;
        }
    }
    return true;
}

DispatchObject::DispatchObject() {
    ServerModule::objectCreated();
}

DispatchObject::~DispatchObject() {
    ServerModule::objectDestroyed();
}

HRESULT DispatchObject::QueryInterface(REFIID iid, void** object) {
    if (object == nullptr) {
        return E_POINTER;
    }
    IUnknown* found = nullptr;
    if (::IsEqualIID(iid, IID_IUnknown) || ::IsEqualIID(iid, IID_IDispatch)) {
        found = static_cast<IDispatch*>(this);
    } else {
        found = otherInterface(iid);
    }
    *object = found;
    if (found == nullptr) {
        return E_NOINTERFACE;
    }
    found->AddRef();
    return S_OK;
}

ULONG DispatchObject::AddRef() {
    return ++references_;
}

ULONG DispatchObject::Release() {
    const ULONG left = --references_;
    if (left == 0) {
        delete this;
    }
    return left;
}

HRESULT DispatchObject::GetTypeInfoCount(UINT* count) {
    if (count == nullptr) {
        return E_POINTER;
    }
    *count = 0;
    return S_OK;
}

HRESULT DispatchObject::GetTypeInfo(UINT /*index*/, LCID /*locale*/, ITypeInfo** info) {
    if (info != nullptr) {
        *info = nullptr;
    }
    return DISP_E_BADINDEX;
}

HRESULT DispatchObject::GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID /*locale*/,
                                      DISPID* ids) {
    if (!::IsEqualIID(iid, IID_NULL)) {
        return DISP_E_UNKNOWNINTERFACE;
    }
    if (names == nullptr || ids == nullptr || count == 0) {
        return E_INVALIDARG;
    }
    // No member takes named arguments, so any parameter name is unknown.
    for (UINT i = 1; i < count; ++i) {
        ids[i] = DISPID_UNKNOWN;
    }
    ids[0] = names[0] == nullptr ? DISPID_UNKNOWN : idOf(names[0]);
    return ids[0] == DISPID_UNKNOWN || count > 1 ? DISP_E_UNKNOWNNAME : S_OK;
}

HRESULT DispatchObject::Invoke(DISPID id, REFIID iid, LCID /*locale*/, WORD flags,
                               DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                               UINT* badArgument) {
    if (!::IsEqualIID(iid, IID_NULL)) {
        return DISP_E_UNKNOWNINTERFACE;
    }
    if (!readsValue(flags)) {
        return DISP_E_MEMBERNOTFOUND;
    }
    DISPPARAMS none{};
    const DISPPARAMS& given = params == nullptr ? none : *params;
    if (given.cNamedArgs != 0) {
        return DISP_E_NONAMEDARGS;
    }
    if (given.cArgs != 0 && given.rgvarg == nullptr) {
        return E_INVALIDARG;
    }
    // The object may be released by what the member does; it stays until the call returns.
    AddRef();
    HRESULT hr = S_OK;
    try {
        automation::Variant value;
        {
            const std::lock_guard hostCalls(ServerModule::hostCalls());
            hr = call(id, Arguments(given), value);
        }
        if (SUCCEEDED(hr) && result != nullptr) {
            ::VariantInit(result);
            hr = ::VariantCopy(result, const_cast<VARIANT*>(&value.get()));
        }
    } catch (const ArgumentMismatch& mismatch) {
        if (badArgument != nullptr) {
            *badArgument = mismatch.position;
        }
        hr = DISP_E_TYPEMISMATCH;
    } catch (const Error& error) {
        hr = reportError(exception, error.number(), error.description());
    } catch (const std::exception& error) {
        hr = reportError(exception, kErrAutomation, error.what());
    } catch (...) {
        hr = reportError(exception, kErrAutomation, "Automation error");
    }
    Release();
    return hr;
}

automation::Variant objectValue(DispatchObject* fresh) {
    automation::Variant value;
    VARIANT* out = value.out();
    out->vt = VT_DISPATCH;
    out->pdispVal = fresh;
    return value;
}

}  // namespace bp::standin
