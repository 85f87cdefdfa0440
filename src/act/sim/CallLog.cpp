#include "act/sim/CallLog.h"

#include "platform/Error.h"

namespace bp::sim {

CallLog::MemberId CallLog::member(const std::string& name) {
    auto [it, added] = ids_.try_emplace(name, names_.size());
    if (added) {
        names_.push_back(name);
        counts_.push_back(0);
    }
    return it->second;
}

void CallLog::failAt(const std::string& name, std::uint64_t afterCalls, int number,
                     const std::string& description) {
    MemberId id = member(name);
    faults_[id] = Fault{counts_[id] + afterCalls + 1, number, description};
    anyFault_ = true;
}

void CallLog::failOneCall(std::uint64_t afterCalls, int number, const std::string& description) {
    oneCall_ = Fault{total_ + afterCalls + 1, number, description};
    anyFault_ = true;
}

void CallLog::forceResult(const std::string& name, int result) {
    // Dataset faults name result-code members without their object ("Register").
    std::string member = name;
    if (member.find('.') == std::string::npos) {
        member = (member == "Register" ? "ActEvent." : "AuxCmds.") + member;
    }
    results_[member] = result;
}

std::optional<int> CallLog::forcedResult(const std::string& name) const {
    auto it = results_.find(name);
    if (it == results_.end()) {
        return std::nullopt;
    }
    return it->second;
}

void CallLog::clearFaults() {
    faults_.clear();
    oneCall_.reset();
    results_.clear();
    anyFault_ = false;
}

void CallLog::checkFault(MemberId id) const {
    if (oneCall_ && total_ == oneCall_->failFrom) {
        raise(oneCall_->number, oneCall_->description);
    }
    auto it = faults_.find(id);
    if (it != faults_.end() && counts_[id] >= it->second.failFrom) {
        raise(it->second.number, it->second.description);
    }
}

std::map<std::string, std::uint64_t> CallLog::counts() const {
    std::map<std::string, std::uint64_t> result;
    for (std::size_t i = 0; i < names_.size(); ++i) {
        if (counts_[i] > 0) {
            result[names_[i]] = counts_[i];
        }
    }
    return result;
}

std::string CallLog::report() const {
    std::string text;
    for (const auto& [name, count] : counts()) {
        text += name + " " + std::to_string(count) + "\n";
    }
    return text;
}

}  // namespace bp::sim
