#pragma once
// A hand-written automation object: a few members by name, a record of what each call
// received, reference counts to check, and failures on request.

// windows.h first: the COM headers rely on what it declares.
#include <windows.h>

#include <oaidl.h>

#include <string>
#include <vector>

#include "act/automation/Variant.h"

namespace bp::automation::test {

struct RecordedCall {
    DISPID id = DISPID_UNKNOWN;
    WORD flags = 0;
    std::vector<Variant> args;  // in the caller's order
    std::vector<DISPID> named;
};

// COM objects end through Release, never by delete through an interface pointer, so the
// interfaces have no virtual destructor to inherit.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
class FakeDispatch : public IDispatch {
public:
    // Name: a property; Echo: returns its first argument; Self: returns this object; Fail:
    // returns failWith; Raise: reports an exception through EXCEPINFO; RaiseLater: the same,
    // filled in only on request.
    enum : DISPID { kName = 1, kEcho, kSelf, kFail, kRaise, kRaiseLater };

    FakeDispatch() = default;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++refs_); }
    ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(--refs_); }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                            DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* info, UINT* badArg) override;

    int refs() const { return refs_; }

    int idLookups = 0;
    int calls = 0;
    int badBstrs = 0;
    RecordedCall lastCall;
    HRESULT failWith = E_FAIL;
    std::wstring exceptionText = L"Record is locked";
    SCODE exceptionScode = 0;
    WORD exceptionWCode = 0;

private:
    HRESULT answer(DISPID id, DISPPARAMS& params, VARIANT* result, EXCEPINFO* info);
    void record(DISPID id, WORD flags, const DISPPARAMS& params);

    int refs_ = 1;  // the test's own
    Variant name_;
};
#pragma GCC diagnostic pop

}  // namespace bp::automation::test
