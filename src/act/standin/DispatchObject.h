#pragma once
// The IDispatch every object of the server is built on. Each kind of object declares a table
// of its members (name, member number, argument count, handler); this base answers the name
// look-ups, checks each call against the table and makes sure no C++ exception ever leaves
// through the COM boundary: a host error becomes DISP_E_EXCEPTION with the host's number and
// words, as a Visual Basic object reports its own errors.

// windows.h first: the COM headers rely on what it declares.
#include <windows.h>

#include <oaidl.h>

#include <atomic>
#include <memory>
#include <span>
#include <string_view>

#include "act/automation/Variant.h"
#include "act/sim/SimHost.h"
#include "act/standin/Arguments.h"

namespace bp::standin {

// Keeps the one running host alive while any object of the server lives.
using HostRef = std::shared_ptr<sim::SimHost>;

// COM interfaces are released through Release, never deleted through a base pointer.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
class DispatchObject : public IDispatch {
public:
    DispatchObject(const DispatchObject&) = delete;
    DispatchObject& operator=(const DispatchObject&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags,
                                     DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                                     UINT* badArgument) override;

protected:
    // Starts with one reference, which the creator takes over (ComPtr::adopt).
    DispatchObject();
    virtual ~DispatchObject();

    // Another interface the object answers besides IUnknown and IDispatch (not yet counted).
    virtual IUnknown* otherInterface(REFIID /*iid*/) { return nullptr; }
    // DISPID_UNKNOWN when the object has no member of that name (any case).
    virtual DISPID idOf(std::wstring_view name) const = 0;
    // DISP_E_MEMBERNOTFOUND or DISP_E_BADPARAMCOUNT, else S_OK with the member's result.
    virtual HRESULT call(DISPID id, const Arguments& args, automation::Variant& result) = 0;

private:
    std::atomic<ULONG> references_{1};
};
#pragma GCC diagnostic pop

// Member names compare as Visual Basic compares them: without regard to case.
bool sameName(std::wstring_view a, std::wstring_view b);

template <typename Object>
struct Member {
    const wchar_t* name;
    DISPID id;
    unsigned arguments;
    automation::Variant (*run)(Object& self, const Arguments& args);
};

// An object whose members are the table `Object::members()`.
// COM interfaces are released through Release, never deleted through a base pointer.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
template <typename Object>
class TableDispatch : public DispatchObject {
protected:
    DISPID idOf(std::wstring_view name) const override {
        for (const Member<Object>& member : Object::members()) {
            if (sameName(member.name, name)) {
                return member.id;
            }
        }
        return DISPID_UNKNOWN;
    }

    HRESULT call(DISPID id, const Arguments& args, automation::Variant& result) override {
        for (const Member<Object>& member : Object::members()) {
            if (member.id == id) {
                if (args.size() != member.arguments) {
                    return DISP_E_BADPARAMCOUNT;
                }
                result = member.run(static_cast<Object&>(*this), args);
                return S_OK;
            }
        }
        return DISP_E_MEMBERNOTFOUND;
    }
};
#pragma GCC diagnostic pop

// A result that is a new object: the Variant takes over the object's first reference.
automation::Variant objectValue(DispatchObject* fresh);
// The result of a member that returns nothing.
inline automation::Variant noValue() {
    return {};
}

}  // namespace bp::standin
