#pragma once
// A stand-in event control: members by number (1 Register, 2 Unregister, 3 IsHostRunning),
// one connection point on an events interface of its own, and the closing event raised on
// request, at once or from a thread timer message as a control does. Owned by the test; it
// checks what the adapter leaves connected.

// windows.h first: the COM headers rely on what it declares.
#include <windows.h>

#include <ocidl.h>
#include <olectl.h>

#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "FakeObject.h"

namespace bp::automation::test {

// The control's events interface: an id the adapter cannot know beforehand.
inline constexpr IID kFakeEventsIid = {
    0x5b1f0a3c, 0x2d44, 0x4e6b, {0x9a, 0x11, 0x37, 0x0c, 0x5e, 0x88, 0x21, 0xf4}};

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
class FakeEventControl : public IDispatch,
                         public IConnectionPointContainer,
                         public IConnectionPoint,
                         public IEnumConnectionPoints {
public:
    explicit FakeEventControl(std::shared_ptr<Tally> tally) : tally_(std::move(tally)) {}
    ~FakeEventControl();

    int registerResult = 1;
    bool hostRunning = true;
    bool offersEvents = true;
    int lastRegisterFlags = -99;
    VARTYPE lastRegisterKind = VT_EMPTY;
    bool sinkAnsweredEventsIid = false;

    // Sinks advised and not yet unadvised.
    int connectedSinks() const { return sink_ != nullptr ? 1 : 0; }
    int advises() const { return advises_; }
    long refs() const { return refs_; }
    // Calls the connected sink's closing event now.
    void raiseClose();
    // Raises the closing event from a timer message of the calling thread.
    void raiseCloseFromMessage();

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++refs_); }
    ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(--refs_); }
    // IDispatch
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO*, UINT*) override;
    // IConnectionPointContainer
    HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints** out) override;
    HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID iid, IConnectionPoint** out) override;
    // IConnectionPoint
    HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) override;
    HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer**) override;
    HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override;
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override;
    HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections**) override { return E_NOTIMPL; }
    // IEnumConnectionPoints (one point)
    HRESULT STDMETHODCALLTYPE Next(ULONG count, IConnectionPoint** points, ULONG* fetched) override;
    HRESULT STDMETHODCALLTYPE Skip(ULONG) override { return S_FALSE; }
    HRESULT STDMETHODCALLTYPE Reset() override;
    HRESULT STDMETHODCALLTYPE Clone(IEnumConnectionPoints**) override { return E_NOTIMPL; }

private:
    std::shared_ptr<Tally> tally_;
    IDispatch* sink_ = nullptr;
    long refs_ = 1;  // the test's own
    int advises_ = 0;
    bool enumerated_ = false;
};
#pragma GCC diagnostic pop

}  // namespace bp::automation::test
