#pragma once
// The object the event control calls when the host's user closes the host. It only notes the
// event; the program's own thread delivers it later (ControlEvent::poll), so no handler ever
// runs inside the control's call.

// windows.h first: the COM headers rely on what it declares.
#include <windows.h>

#include <oaidl.h>

namespace bp::automation {

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
class EventSink final : public IDispatch {
public:
    // The closing event's member number on the control's events interface.
    // FIXME: taken as the interface's first member, which is what the stand-in server uses;
    // the installed control's number is not known here. Reading it by name from the control's
    // class information (IProvideClassInfo, the default source interface) would remove the
    // guess.
    static constexpr DISPID kUserWantsToClose = 1;

    // One reference, the creator's; `events` is the interface id the control calls it as.
    static EventSink* create(const IID& events);

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* result,
                                     EXCEPINFO*, UINT*) override;

    // Closing events seen since the sink was made.
    unsigned long closeRequests() const { return closeRequests_; }

private:
    explicit EventSink(const IID& events) : events_(events) {}

    IID events_;
    LONG refs_ = 1;
    unsigned long closeRequests_ = 0;
};
#pragma GCC diagnostic pop

}  // namespace bp::automation
