#include "act/automation/EventConnection.h"

#include "act/automation/ComFailure.h"

namespace bp::automation {

namespace {

ComPtr<IConnectionPoint> firstConnectionPoint(IDispatch* control) {
    IConnectionPointContainer* raw = nullptr;
    HRESULT hr =
        control->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&raw));
    if (FAILED(hr)) {
        raiseFailure("The event control offers no events", hr);
    }
    const auto container = ComPtr<IConnectionPointContainer>::adopt(raw);
    IEnumConnectionPoints* rawPoints = nullptr;
    hr = container->EnumConnectionPoints(&rawPoints);
    if (FAILED(hr)) {
        raiseFailure("The event control lists no events", hr);
    }
    const auto points = ComPtr<IEnumConnectionPoints>::adopt(rawPoints);
    IConnectionPoint* point = nullptr;
    ULONG fetched = 0;
    hr = points->Next(1, &point, &fetched);
    if (hr != S_OK || fetched != 1 || point == nullptr) {
        raiseFailure("The event control lists no events", FAILED(hr) ? hr : E_NOINTERFACE);
    }
    return ComPtr<IConnectionPoint>::adopt(point);
}

}  // namespace

EventConnection::EventConnection(IDispatch* control) : point_(firstConnectionPoint(control)) {
    IID events{};
    HRESULT hr = point_->GetConnectionInterface(&events);
    if (FAILED(hr)) {
        raiseFailure("The event control names no events interface", hr);
    }
    sink_ = ComPtr<EventSink>::adopt(EventSink::create(events));
    hr = point_->Advise(sink_.get(), &cookie_);
    if (FAILED(hr)) {
        raiseFailure("The event control refuses to deliver events", hr);
    }
    connected_ = true;
}

EventConnection::~EventConnection() {
    disconnect();
}

void EventConnection::disconnect() {
    if (connected_) {
        connected_ = false;
        // Nothing to do about a control that will not let go: its events are ignored anyway.
        point_->Unadvise(cookie_);
    }
}

}  // namespace bp::automation
