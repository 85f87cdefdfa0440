#include "act/automation/CallCounter.h"

namespace bp::automation {

CallCounter::MemberId CallCounter::member(const std::string& name) {
    const auto [it, added] = ids_.try_emplace(name, names_.size());
    if (added) {
        names_.push_back(name);
        counts_.push_back(0);
    }
    return it->second;
}

std::map<std::string, std::uint64_t> CallCounter::counts() const {
    std::map<std::string, std::uint64_t> result;
    for (std::size_t i = 0; i < names_.size(); ++i) {
        if (counts_[i] > 0) {
            result[names_[i]] = counts_[i];
        }
    }
    return result;
}

}  // namespace bp::automation
