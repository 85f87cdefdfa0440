#include "act/automation/DispatchCache.h"

namespace bp::automation {

DispatchCache& DispatchCache::shared() {
    static DispatchCache cache;
    return cache;
}

std::optional<DISPID> DispatchCache::find(const std::string& kind,
                                          const std::string& member) const {
    const std::lock_guard lock(mutex_);
    const auto found = ids_.find({kind, member});
    if (found == ids_.end()) {
        return std::nullopt;
    }
    return found->second;
}

void DispatchCache::remember(const std::string& kind, const std::string& member, DISPID id) {
    const std::lock_guard lock(mutex_);
    ids_[{kind, member}] = id;
}

}  // namespace bp::automation
