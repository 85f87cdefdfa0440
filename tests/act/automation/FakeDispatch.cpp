#include "FakeDispatch.h"

#include <cwchar>

namespace bp::automation::test {

namespace {

struct Member {
    const wchar_t* name;
    DISPID id;
};

constexpr Member kMembers[] = {
    {L"Name", FakeDispatch::kName},   {L"Echo", FakeDispatch::kEcho},
    {L"Self", FakeDispatch::kSelf},   {L"Fail", FakeDispatch::kFail},
    {L"Raise", FakeDispatch::kRaise}, {L"RaiseLater", FakeDispatch::kRaiseLater},
};

HRESULT __stdcall fillInLater(EXCEPINFO* info) {
    info->bstrDescription = ::SysAllocString(L"Filled in on request");
    info->scode = static_cast<SCODE>(0x80040777);
    return S_OK;
}

// A BSTR as the system allocates it: its length prefix agrees with its terminator.
bool wellFormed(BSTR text) {
    if (text == nullptr) {
        return true;
    }
    const UINT length = ::SysStringLen(text);
    return ::SysStringByteLen(text) == length * sizeof(wchar_t) && text[length] == L'\0';
}

}  // namespace

HRESULT FakeDispatch::QueryInterface(REFIID iid, void** out) {
    if (iid == IID_IUnknown || iid == IID_IDispatch) {
        *out = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

HRESULT FakeDispatch::GetTypeInfoCount(UINT* count) {
    *count = 0;
    return S_OK;
}

HRESULT FakeDispatch::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
    ++idLookups;
    if (count != 1) {
        return E_INVALIDARG;
    }
    for (const Member& member : kMembers) {
        if (std::wcscmp(member.name, names[0]) == 0) {
            ids[0] = member.id;
            return S_OK;
        }
    }
    ids[0] = DISPID_UNKNOWN;
    return DISP_E_UNKNOWNNAME;
}

HRESULT FakeDispatch::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params,
                             VARIANT* result, EXCEPINFO* info, UINT*) {
    ++calls;
    record(id, flags, *params);
    return answer(id, *params, result, info);
}

void FakeDispatch::record(DISPID id, WORD flags, const DISPPARAMS& params) {
    lastCall = RecordedCall{id, flags, {}, {}};
    for (UINT i = params.cArgs; i > 0; --i) {
        const VARIANT& arg = params.rgvarg[i - 1];
        if (arg.vt == VT_BSTR && !wellFormed(arg.bstrVal)) {
            ++badBstrs;
        }
        lastCall.args.push_back(Variant::copyOf(arg));
    }
    lastCall.named.assign(params.rgdispidNamedArgs, params.rgdispidNamedArgs + params.cNamedArgs);
}

HRESULT FakeDispatch::answer(DISPID id, DISPPARAMS& params, VARIANT* result, EXCEPINFO* info) {
    switch (id) {
        case kName:
            if (params.cNamedArgs == 1) {
                return ::VariantCopy(name_.out(), &params.rgvarg[0]);
            }
            return ::VariantCopy(result, const_cast<VARIANT*>(&name_.get()));
        case kEcho:
            if (params.cArgs == 0) {
                return DISP_E_BADPARAMCOUNT;
            }
            return ::VariantCopy(result, &params.rgvarg[params.cArgs - 1]);
        case kSelf:
            result->vt = VT_DISPATCH;
            result->pdispVal = this;
            AddRef();
            return S_OK;
        case kFail:
            return failWith;
        case kRaise:
            info->bstrSource = ::SysAllocString(L"Fake host");
            info->bstrDescription = ::SysAllocString(exceptionText.c_str());
            info->scode = exceptionScode;
            info->wCode = exceptionWCode;
            return DISP_E_EXCEPTION;
        case kRaiseLater:
            info->pfnDeferredFillIn = fillInLater;
            return DISP_E_EXCEPTION;
        default:
            return DISP_E_MEMBERNOTFOUND;
    }
}

}  // namespace bp::automation::test
