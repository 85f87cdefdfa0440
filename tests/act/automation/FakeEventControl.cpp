#include "FakeEventControl.h"

#include "act/automation/VariantConvert.h"

namespace bp::automation::test {

namespace {

constexpr DWORD kCookie = 7;
FakeEventControl* timerTarget = nullptr;

void CALLBACK raiseOnTimer(HWND, UINT, UINT_PTR timer, DWORD) {
    ::KillTimer(nullptr, timer);
    if (timerTarget != nullptr) {
        timerTarget->raiseClose();
    }
}

}  // namespace

FakeEventControl::~FakeEventControl() {
    if (timerTarget == this) {
        timerTarget = nullptr;
    }
    if (sink_ != nullptr) {
        sink_->Release();
    }
}

void FakeEventControl::raiseClose() {
    if (sink_ == nullptr) {
        return;
    }
    DISPPARAMS none{};
    sink_->Invoke(1, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &none, nullptr, nullptr,
                  nullptr);
}

void FakeEventControl::raiseCloseFromMessage() {
    timerTarget = this;
    ::SetTimer(nullptr, 0, 10, raiseOnTimer);
}

HRESULT FakeEventControl::QueryInterface(REFIID iid, void** out) {
    if (iid == IID_IUnknown || iid == IID_IDispatch) {
        *out = static_cast<IDispatch*>(this);
    } else if (iid == IID_IConnectionPointContainer && offersEvents) {
        *out = static_cast<IConnectionPointContainer*>(this);
    } else {
        *out = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

HRESULT FakeEventControl::GetTypeInfoCount(UINT* count) {
    *count = 0;
    return S_OK;
}

HRESULT FakeEventControl::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
    // Known by number only: a caller asking for names has got the control wrong.
    return DISP_E_UNKNOWNNAME;
}

HRESULT FakeEventControl::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT* result,
                                 EXCEPINFO*, UINT*) {
    switch (id) {
        case 1:
            ++tally_->counts["ActEvent.Register"];
            if (params->cArgs != 1) {
                return DISP_E_BADPARAMCOUNT;
            }
            lastRegisterKind = params->rgvarg[0].vt;
            lastRegisterFlags = toInt(params->rgvarg[0]);
            if (result != nullptr) {
                result->vt = VT_I4;
                result->lVal = registerResult;
            }
            return S_OK;
        case 2:
            ++tally_->counts["ActEvent.Unregister"];
            return S_OK;
        case 3:
            ++tally_->counts["ActEvent.IsHostRunning"];
            if (result != nullptr) {
                result->vt = VT_BOOL;
                result->boolVal = hostRunning ? VARIANT_TRUE : VARIANT_FALSE;
            }
            return S_OK;
        default:
            return DISP_E_MEMBERNOTFOUND;
    }
}

HRESULT FakeEventControl::EnumConnectionPoints(IEnumConnectionPoints** out) {
    enumerated_ = false;
    *out = static_cast<IEnumConnectionPoints*>(this);
    AddRef();
    return S_OK;
}

HRESULT FakeEventControl::FindConnectionPoint(REFIID iid, IConnectionPoint** out) {
    if (iid != kFakeEventsIid) {
        *out = nullptr;
        return CONNECT_E_NOCONNECTION;
    }
    *out = static_cast<IConnectionPoint*>(this);
    AddRef();
    return S_OK;
}

HRESULT FakeEventControl::GetConnectionInterface(IID* iid) {
    *iid = kFakeEventsIid;
    return S_OK;
}

HRESULT FakeEventControl::GetConnectionPointContainer(IConnectionPointContainer** out) {
    *out = static_cast<IConnectionPointContainer*>(this);
    AddRef();
    return S_OK;
}

HRESULT FakeEventControl::Advise(IUnknown* sink, DWORD* cookie) {
    if (sink_ != nullptr) {
        return CONNECT_E_ADVISELIMIT;
    }
    // A control calls its sinks through its own events interface.
    IDispatch* events = nullptr;
    if (FAILED(sink->QueryInterface(kFakeEventsIid, reinterpret_cast<void**>(&events)))) {
        return CONNECT_E_CANNOTCONNECT;
    }
    sinkAnsweredEventsIid = true;
    sink_ = events;
    ++advises_;
    *cookie = kCookie;
    return S_OK;
}

HRESULT FakeEventControl::Unadvise(DWORD cookie) {
    if (cookie != kCookie || sink_ == nullptr) {
        return CONNECT_E_NOCONNECTION;
    }
    sink_->Release();
    sink_ = nullptr;
    return S_OK;
}

HRESULT FakeEventControl::Next(ULONG count, IConnectionPoint** points, ULONG* fetched) {
    ULONG given = 0;
    if (count >= 1 && !enumerated_) {
        enumerated_ = true;
        points[0] = static_cast<IConnectionPoint*>(this);
        AddRef();
        given = 1;
    }
    if (fetched != nullptr) {
        *fetched = given;
    }
    return given == count ? S_OK : S_FALSE;
}

HRESULT FakeEventControl::Reset() {
    enumerated_ = false;
    return S_OK;
}

}  // namespace bp::automation::test
