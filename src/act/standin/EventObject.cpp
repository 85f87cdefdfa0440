#include "act/standin/EventObject.h"

// windows.h first: the COM headers rely on what it declares.
#include <windows.h>

#include <ocidl.h>
#include <olectl.h>

#include <array>
#include <map>
#include <mutex>
#include <vector>

#include "act/automation/ComPtr.h"
#include "act/automation/VariantConvert.h"
#include "act/standin/Enumerator.h"
#include "act/standin/HostObject.h"
#include "act/standin/ServerClasses.h"
#include "act/standin/ServerModule.h"

namespace bp::standin {

namespace {

using automation::ComPtr;

constexpr DISPID kOnActUserWantsToClose = 1;
constexpr UINT kWatchMilliseconds = 200;

// COM interfaces are released through Release, never deleted through a base pointer.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
class EventObject;

// The control's one connection point. It lives inside the control and counts its references
// on the control, so neither keeps the other alive in a cycle.
class EventConnectionPoint : public IConnectionPoint {
public:
    explicit EventConnectionPoint(EventObject& owner) : owner_(owner) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) override;
    HRESULT STDMETHODCALLTYPE
    GetConnectionPointContainer(IConnectionPointContainer** container) override;
    HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override;
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override;
    HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections** connections) override;

    // Calls every advised sink; a sink that fails does not keep the others from hearing.
    void raise(DISPID event);

private:
    EventObject& owner_;
    std::map<DWORD, ComPtr<IDispatch>> sinks_;
    DWORD nextCookie_ = 1;
};

class EventObject : public HostObject<EventObject, act::ActEvent>,
                    public IConnectionPointContainer {
public:
    EventObject(HostRef host, std::shared_ptr<act::ActEvent> target)
        : HostObject(std::move(host), std::move(target)), point_(*this) {
        this->target().OnActUserWantsToClose = [this] { point_.raise(kOnActUserWantsToClose); };
    }

    static std::span<const Member<EventObject>> members() {
        static const std::array<Member<EventObject>, 3> kMembers{{
            {L"Register", 1, 1,
             [](EventObject& self, const Arguments& args) {
                 const int result = self.target().Register(args.integer(0));
                 if (result >= 1 || result == -1) {
                     self.startWatching();
                 }
                 return automation::fromInt(result);
             }},
            {L"Unregister", 2, 0,
             [](EventObject& self, const Arguments&) {
                 self.stopWatching();
                 self.target().Unregister();
                 return noValue();
             }},
            {L"IsHostRunning", 3, 0,
             [](EventObject& self, const Arguments&) {
                 return automation::fromBool(self.target().IsHostRunning());
             }},
        }};
        return kMembers;
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        return DispatchObject::QueryInterface(iid, object);
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return DispatchObject::AddRef(); }
    ULONG STDMETHODCALLTYPE Release() override { return DispatchObject::Release(); }

    HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints** points) override {
        if (points == nullptr) {
            return E_POINTER;
        }
        using PointEnumerator = Enumerator<IEnumConnectionPoints, IConnectionPoint*>;
        *points = new (std::nothrow)
            PointEnumerator(IID_IEnumConnectionPoints, std::vector<IConnectionPoint*>{&point_});
        return *points == nullptr ? E_OUTOFMEMORY : S_OK;
    }

    HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID iid, IConnectionPoint** point) override {
        if (point == nullptr) {
            return E_POINTER;
        }
        *point = nullptr;
        if (!::IsEqualIID(iid, kEventsIid)) {
            return CONNECT_E_NOCONNECTION;
        }
        *point = &point_;
        point_.AddRef();
        return S_OK;
    }

    // The thread timer's callback: a plain function, as the system calls it.
    static void CALLBACK onTimer(HWND /*window*/, UINT /*message*/, UINT_PTR timer,
                                 DWORD /*time*/) {
        EventObject* control = watching(timer);
        if (control == nullptr) {
            return;
        }
        // A sink may release the control while it hears the event.
        control->AddRef();
        try {
            const std::lock_guard hostCalls(ServerModule::hostCalls());
            control->target().poll();
        } catch (...) {
            // No news this time; the timer asks again.
        }
        control->Release();
    }

protected:
    ~EventObject() override {
        stopWatching();
        target().OnActUserWantsToClose = nullptr;
    }

    IUnknown* otherInterface(REFIID iid) override {
        if (::IsEqualIID(iid, IID_IConnectionPointContainer)) {
            return static_cast<IConnectionPointContainer*>(this);
        }
        return nullptr;
    }

private:
    struct Timers {
        std::mutex mutex;
        std::map<UINT_PTR, EventObject*> controls;
    };
    static Timers& timers() {
        static Timers all;
        return all;
    }
    static EventObject* watching(UINT_PTR timer) {
        Timers& all = timers();
        const std::lock_guard lock(all.mutex);
        const auto found = all.controls.find(timer);
        return found == all.controls.end() ? nullptr : found->second;
    }

    void startWatching() {
        if (timer_ != 0) {
            return;
        }
        timer_ = ::SetTimer(nullptr, 0, kWatchMilliseconds, &EventObject::onTimer);
        if (timer_ == 0) {
            bp::raise(kErrOutOfMemory, "The event control cannot start watching the host");
        }
        Timers& all = timers();
        const std::lock_guard lock(all.mutex);
        all.controls[timer_] = this;
    }

    void stopWatching() {
        if (timer_ == 0) {
            return;
        }
        ::KillTimer(nullptr, timer_);
        Timers& all = timers();
        const std::lock_guard lock(all.mutex);
        all.controls.erase(timer_);
        timer_ = 0;
    }

    EventConnectionPoint point_;
    UINT_PTR timer_ = 0;
};

#pragma GCC diagnostic pop

HRESULT EventConnectionPoint::QueryInterface(REFIID iid, void** object) {
    if (object == nullptr) {
        return E_POINTER;
    }
    if (::IsEqualIID(iid, IID_IUnknown) || ::IsEqualIID(iid, IID_IConnectionPoint)) {
        *object = static_cast<IConnectionPoint*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG EventConnectionPoint::AddRef() {
    return owner_.AddRef();
}

ULONG EventConnectionPoint::Release() {
    return owner_.Release();
}

HRESULT EventConnectionPoint::GetConnectionInterface(IID* iid) {
    if (iid == nullptr) {
        return E_POINTER;
    }
    *iid = kEventsIid;
    return S_OK;
}

HRESULT EventConnectionPoint::GetConnectionPointContainer(IConnectionPointContainer** container) {
    if (container == nullptr) {
        return E_POINTER;
    }
    return owner_.QueryInterface(IID_IConnectionPointContainer,
                                 reinterpret_cast<void**>(container));
}

HRESULT EventConnectionPoint::Advise(IUnknown* sink, DWORD* cookie) {
    if (sink == nullptr || cookie == nullptr) {
        return E_POINTER;
    }
    *cookie = 0;
    IDispatch* events = nullptr;
    if (FAILED(sink->QueryInterface(kEventsIid, reinterpret_cast<void**>(&events)))) {
        return CONNECT_E_CANNOTCONNECT;
    }
    try {
        sinks_.emplace(nextCookie_, ComPtr<IDispatch>::adopt(events));
    } catch (...) {
        events->Release();
        return E_OUTOFMEMORY;
    }
    *cookie = nextCookie_++;
    return S_OK;
}

HRESULT EventConnectionPoint::Unadvise(DWORD cookie) {
    // Erased outside the map first: the sink's release may call back into this control.
    const auto found = sinks_.find(cookie);
    if (found == sinks_.end()) {
        return CONNECT_E_NOCONNECTION;
    }
    ComPtr<IDispatch> sink = std::move(found->second);
    sinks_.erase(found);
    return S_OK;
}

HRESULT EventConnectionPoint::EnumConnections(IEnumConnections** connections) {
    if (connections == nullptr) {
        return E_POINTER;
    }
    std::vector<CONNECTDATA> items;
    for (const auto& [cookie, sink] : sinks_) {
        items.push_back(CONNECTDATA{sink.get(), cookie});
    }
    using ConnectionEnumerator = Enumerator<IEnumConnections, CONNECTDATA>;
    *connections = new (std::nothrow) ConnectionEnumerator(IID_IEnumConnections, items);
    return *connections == nullptr ? E_OUTOFMEMORY : S_OK;
}

void EventConnectionPoint::raise(DISPID event) {
    // A sink may unadvise while it hears the event: call a copy of the list.
    std::vector<ComPtr<IDispatch>> listeners;
    for (const auto& [cookie, sink] : sinks_) {
        listeners.push_back(ComPtr<IDispatch>::share(sink.get()));
    }
    for (const ComPtr<IDispatch>& sink : listeners) {
        DISPPARAMS none{};
        sink->Invoke(event, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &none, nullptr, nullptr,
                     nullptr);
    }
}

}  // namespace

DispatchObject* newEventObject(HostRef host, std::shared_ptr<act::ActEvent> target) {
    return wrap<EventObject>(std::move(host), std::move(target));
}

}  // namespace bp::standin
