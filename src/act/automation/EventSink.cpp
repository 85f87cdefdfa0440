#include "act/automation/EventSink.h"

namespace bp::automation {

EventSink* EventSink::create(const IID& events) {
    return new EventSink(events);
}

HRESULT EventSink::QueryInterface(REFIID iid, void** out) {
    if (out == nullptr) {
        return E_POINTER;
    }
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == events_) {
        *out = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

ULONG EventSink::AddRef() {
    return static_cast<ULONG>(::InterlockedIncrement(&refs_));
}

ULONG EventSink::Release() {
    const LONG left = ::InterlockedDecrement(&refs_);
    if (left == 0) {
        delete this;
    }
    return static_cast<ULONG>(left);
}

HRESULT EventSink::GetTypeInfoCount(UINT* count) {
    if (count == nullptr) {
        return E_POINTER;
    }
    *count = 0;
    return S_OK;
}

HRESULT EventSink::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
    return DISP_E_UNKNOWNNAME;
}

HRESULT EventSink::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* result, EXCEPINFO*,
                          UINT*) {
    if (result != nullptr) {
        ::VariantInit(result);
    }
    // Other events of the control are not the program's concern.
    if (id == kUserWantsToClose) {
        ++closeRequests_;
    }
    return S_OK;
}

}  // namespace bp::automation
