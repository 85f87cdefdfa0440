#pragma once
// An object of the server that stands for one object of the running host: each member calls
// the host object's member of the same name exactly once, so the host's own call counts are
// the counts seen through automation.

#include <memory>
#include <utility>

#include "act/standin/DispatchObject.h"

namespace bp::standin {

// COM interfaces are released through Release, never deleted through a base pointer.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
template <typename Object, typename Target>
class HostObject : public TableDispatch<Object> {
public:
    HostObject(HostRef host, std::shared_ptr<Target> target)
        : host_(std::move(host)), target_(std::move(target)) {}

    Target& target() { return *target_; }
    const HostRef& host() const { return host_; }

private:
    HostRef host_;
    std::shared_ptr<Target> target_;
};
#pragma GCC diagnostic pop

// A new object for a host object, or null (Nothing) when the host gave none.
template <typename Object, typename Target>
DispatchObject* wrap(HostRef host, std::shared_ptr<Target> target) {
    if (!target) {
        return nullptr;
    }
    return new Object(std::move(host), std::move(target));
}

}  // namespace bp::standin
