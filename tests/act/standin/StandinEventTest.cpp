// The event control: its members by number and by name, its one connection point, and the
// closing event reaching an advised sink as a message of the thread that created the control.
#include <gtest/gtest.h>

#include <ocidl.h>
#include <olectl.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <functional>

#include "act/automation/ComPtr.h"
#include "act/standin/StandinTestSupport.h"

namespace bp::standin::test {
namespace {

using automation::ComPtr;

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
// Answers IUnknown, IDispatch and the events interface it is told, and counts each event.
class CountingSink final : public IDispatch {
public:
    explicit CountingSink(const IID& events) : events_(events) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (::IsEqualIID(iid, IID_IUnknown) || ::IsEqualIID(iid, IID_IDispatch) ||
            ::IsEqualIID(iid, events_)) {
            *object = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override { return --references_; }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*,
                                     EXCEPINFO*, UINT*) override {
        if (id == 1 && params != nullptr && params->cArgs == 0) {
            ++closings;
            thread = ::GetCurrentThreadId();
        }
        return S_OK;
    }

    int closings = 0;
    DWORD thread = 0;  // where the last event was heard
    // The sink lives on the test's stack; the count shows the server let go of it.
    std::atomic<ULONG> references_{1};

private:
    IID events_;
};
#pragma GCC diagnostic pop

// Lets the thread's messages through until `done` or the limit.
bool pumpUntil(const std::function<bool()>& done, std::chrono::seconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!done() && std::chrono::steady_clock::now() < end) {
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    }
    return done();
}

Variant invokeById(IDispatch* object, DISPID id, std::vector<Variant> args = {}) {
    std::vector<VARIANTARG> reversed;
    for (auto arg = args.rbegin(); arg != args.rend(); ++arg) {
        reversed.push_back(arg->get());
    }
    DISPPARAMS params{reversed.empty() ? nullptr : reversed.data(), nullptr,
                      static_cast<UINT>(reversed.size()), 0};
    Variant result;
    const HRESULT hr =
        object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD | DISPATCH_PROPERTYGET,
                       &params, result.out(), nullptr, nullptr);
    EXPECT_EQ(hr, S_OK) << "member " << id;
    return result;
}

class StandinEventTest : public StandinTest {
protected:
    // The container's first connection point, found as a client that does not know the
    // events interface finds it.
    static ComPtr<IConnectionPoint> firstPoint(IDispatch* control) {
        IConnectionPointContainer* container = nullptr;
        EXPECT_EQ(control->QueryInterface(IID_IConnectionPointContainer,
                                          reinterpret_cast<void**>(&container)),
                  S_OK);
        auto owned = ComPtr<IConnectionPointContainer>::adopt(container);
        IEnumConnectionPoints* points = nullptr;
        EXPECT_EQ(owned->EnumConnectionPoints(&points), S_OK);
        auto enumerator = ComPtr<IEnumConnectionPoints>::adopt(points);
        IConnectionPoint* point = nullptr;
        ULONG fetched = 0;
        EXPECT_EQ(enumerator->Next(1, &point, &fetched), S_OK);
        EXPECT_EQ(fetched, 1u);
        IConnectionPoint* another = nullptr;
        EXPECT_EQ(enumerator->Next(1, &another, &fetched), S_FALSE);
        EXPECT_EQ(fetched, 0u);
        return ComPtr<IConnectionPoint>::adopt(point);
    }

    static IID eventsOf(IConnectionPoint* point) {
        IID events{};
        EXPECT_EQ(point->GetConnectionInterface(&events), S_OK);
        return events;
    }
};

TEST_F(StandinEventTest, MembersAnswerByNumberAndByName) {
    Dispatch control = create("ACTEVENTLib.ActEvent");
    for (const auto& [name, id] :
         {std::pair{"Register", 1}, {"unregister", 2}, {"ISHOSTRUNNING", 3}}) {
        std::wstring wide(name, name + std::strlen(name));
        LPOLESTR names[] = {wide.data()};
        DISPID found = 0;
        EXPECT_EQ(control.object()->GetIDsOfNames(IID_NULL, names, 1, 0, &found), S_OK);
        EXPECT_EQ(found, id) << name;
    }
    Variant running = invokeById(control.object(), 3);
    EXPECT_EQ(running.type(), VT_BOOL);
    EXPECT_EQ(running.get().boolVal, VARIANT_TRUE);
    Variant registered = invokeById(control.object(), 1, {integer(0)});
    EXPECT_EQ(registered.type(), VT_I4);
    EXPECT_EQ(automation::toInt(registered.get()), 1);
    invokeById(control.object(), 2);
}

TEST_F(StandinEventTest, TheClosingEventReachesAnAdvisedSink) {
    Dispatch control = create("ACTEVENTLib.ActEvent");
    ComPtr<IConnectionPoint> point = firstPoint(control.object());
    CountingSink sink(eventsOf(point.get()));
    DWORD cookie = 0;
    ASSERT_EQ(point->Advise(&sink, &cookie), S_OK);
    ASSERT_EQ(automation::toInt(invokeById(control.object(), 1, {integer(0)}).get()), 1);

    const auto closed = runTool({"--db", hostPath(), "close"});
    ASSERT_EQ(closed.exitCode, 0) << closed.output;
    EXPECT_TRUE(pumpUntil([&sink] { return sink.closings > 0; }, std::chrono::seconds(20)));
    EXPECT_EQ(sink.closings, 1);
    EXPECT_EQ(sink.thread, ::GetCurrentThreadId());

    EXPECT_EQ(point->Unadvise(cookie), S_OK);
    EXPECT_EQ(point->Unadvise(cookie), CONNECT_E_NOCONNECTION);
    EXPECT_EQ(sink.references_, 1u);
}

TEST_F(StandinEventTest, TheConnectionPointListsItsSinksAndRefusesStrangers) {
    Dispatch control = create("ACTEVENTLib.ActEvent");
    ComPtr<IConnectionPoint> point = firstPoint(control.object());
    const IID events = eventsOf(point.get());
    CountingSink first(events);
    CountingSink second(events);
    CountingSink stranger(IID_IPersist);
    DWORD cookies[3] = {};
    ASSERT_EQ(point->Advise(&first, &cookies[0]), S_OK);
    ASSERT_EQ(point->Advise(&second, &cookies[1]), S_OK);
    EXPECT_EQ(point->Advise(&stranger, &cookies[2]), CONNECT_E_CANNOTCONNECT);
    EXPECT_NE(cookies[0], cookies[1]);

    IEnumConnections* connections = nullptr;
    ASSERT_EQ(point->EnumConnections(&connections), S_OK);
    auto enumerator = ComPtr<IEnumConnections>::adopt(connections);
    CONNECTDATA listed[3] = {};
    ULONG fetched = 0;
    EXPECT_EQ(enumerator->Next(3, listed, &fetched), S_FALSE);
    ASSERT_EQ(fetched, 2u);
    for (ULONG i = 0; i < fetched; ++i) {
        EXPECT_TRUE(listed[i].dwCookie == cookies[0] || listed[i].dwCookie == cookies[1]);
        listed[i].pUnk->Release();
    }
    enumerator.reset();
    EXPECT_EQ(point->Unadvise(cookies[0]), S_OK);
    EXPECT_EQ(point->Unadvise(cookies[1]), S_OK);
    EXPECT_EQ(first.references_, 1u);
    EXPECT_EQ(second.references_, 1u);
    EXPECT_EQ(stranger.references_, 1u);
}

TEST_F(StandinEventTest, TheConnectionPointBelongsToTheControl) {
    Dispatch control = create("ACTEVENTLib.ActEvent");
    ComPtr<IConnectionPoint> point = firstPoint(control.object());
    IConnectionPointContainer* container = nullptr;
    ASSERT_EQ(point->GetConnectionPointContainer(&container), S_OK);
    auto owned = ComPtr<IConnectionPointContainer>::adopt(container);
    IConnectionPoint* found = nullptr;
    ASSERT_EQ(owned->FindConnectionPoint(eventsOf(point.get()), &found), S_OK);
    EXPECT_EQ(found, point.get());
    found->Release();
    EXPECT_EQ(owned->FindConnectionPoint(IID_IDispatch, &found), CONNECT_E_NOCONNECTION);
}

}  // namespace
}  // namespace bp::standin::test
