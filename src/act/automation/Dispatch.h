#pragma once
// A late-bound call on an automation object by member name: the name is turned into a member
// number once (per object, or per kind of object when the caller names the kind), then every
// call goes through IDispatch::Invoke. Failures raise bp::Error (ComFailure.h).

// windows.h first: the COM headers rely on what it declares.
#include <windows.h>

#include <oaidl.h>

#include <span>
#include <string>
#include <string_view>
#include <unordered_map>

#include "act/automation/ComPtr.h"
#include "act/automation/Variant.h"

namespace bp::automation {

class Dispatch {
public:
    // `kind` names the object's type ("Database", "ContactView"): objects of one kind share
    // their member numbers. Empty keeps the numbers to this object alone.
    explicit Dispatch(ComPtr<IDispatch> object, std::string kind = {});

    // Gets go as a method call or a property get at once, as late-bound callers send them:
    // an object may implement a value either way.
    Variant get(const std::string& member);
    // An indexed property: Item(3), Fields("Name").
    Variant get(const std::string& member, std::span<const Variant> args);
    void put(const std::string& member, const Variant& value);
    Variant call(const std::string& member, std::span<const Variant> args = {});

    // The member number of a name, asked of the object once (or of the kind's cache).
    DISPID idOf(const std::string& member);
    // Calls by member number, for callers that resolve their members themselves or objects
    // whose members are known only by number; `what` names the member in failures.
    Variant getById(DISPID id, std::string_view what, std::span<const Variant> args = {});
    Variant callById(DISPID id, std::string_view what, std::span<const Variant> args = {});

    IDispatch* object() const { return object_.get(); }

private:
    Variant invoke(DISPID id, std::string_view what, WORD flags, std::span<const Variant> args,
                   bool namedPut);

    ComPtr<IDispatch> object_;
    std::string kind_;
    std::unordered_map<std::string, DISPID> ids_;
};

}  // namespace bp::automation
