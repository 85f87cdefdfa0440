#pragma once
// One automation object of the host as a wrapper sees it: a fixed table of member names,
// each counted under "<prefix><name>" and turned into a member number on first use (shared
// by every object of the kind), then called by number. One call here is one Invoke.

#include <cstddef>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "act/automation/AdapterContext.h"
#include "act/automation/Dispatch.h"

namespace bp::automation {

class HostObject {
public:
    // `kind` keys the shared member numbers ("RecordTable"); `countPrefix` names the counts
    // ("Sales."). `members` must outlive the object (a static table of the wrapper).
    HostObject(ComPtr<IDispatch> object, std::string kind, const std::string& countPrefix,
               std::span<const char* const> members, std::shared_ptr<AdapterContext> context);

    // A member that answers a value (sent as a method or a property get).
    Variant get(std::size_t member, std::span<const Variant> args = {});
    // A member that answers nothing.
    void call(std::size_t member, std::span<const Variant> args = {});

    std::string text(std::size_t member, std::span<const Variant> args = {});
    int number(std::size_t member, std::span<const Variant> args = {});
    bool flag(std::size_t member, std::span<const Variant> args = {});
    ComPtr<IDispatch> object(std::size_t member, std::span<const Variant> args = {});

    const std::shared_ptr<AdapterContext>& context() const { return context_; }

private:
    DISPID idOf(std::size_t member);

    std::shared_ptr<AdapterContext> context_;  // first: the interface is released before it
    Dispatch dispatch_;
    std::span<const char* const> names_;
    std::vector<DISPID> ids_;
    std::vector<CallCounter::MemberId> counted_;
};

}  // namespace bp::automation
