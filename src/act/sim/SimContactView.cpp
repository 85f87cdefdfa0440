#include "act/sim/SimContactView.h"

#include <unordered_set>
#include <vector>

#include "act/sim/HostErrors.h"
#include "platform/Error.h"

namespace bp::sim {

namespace {

constexpr std::size_t kIdLength = 12;

}  // namespace

SimContactView::SimContactView(std::shared_ptr<SimState> state) : state_(std::move(state)) {
    createLookup_ = state_->log().member("ContactView.CreateLookup");
    setActiveTab_ = state_->log().member("ContactView.SetActiveTab");
    getCurrentId_ = state_->log().member("ContactView.GetCurrentId");
}

void SimContactView::CreateLookup(const std::string& packedIds) {
    state_->log().call(createLookup_);
    state_->requireOpen();
    if (packedIds.size() % kIdLength != 0) {
        raise(kErrHostInvalidArgument, "The lookup list is not a list of 12-character IDs.");
    }
    // The host shows each contact it holds once; IDs it does not hold have no row to show.
    const RecordSet& contacts = state_->records(TableKind::Contact);
    std::vector<std::string> ids;
    std::unordered_set<std::string> seen;
    for (std::size_t at = 0; at < packedIds.size(); at += kIdLength) {
        std::string id = packedIds.substr(at, kIdLength);
        if (contacts.find(id) != RecordSet::kNone && seen.insert(id).second) {
            ids.push_back(id);
        }
    }
    state_->store().setCurrentLookup(ids);
}

void SimContactView::SetActiveTab(const std::string& tabName) {
    state_->log().call(setActiveTab_);
    state_->requireOpen();
    state_->store().setMeta("activeTab", tabName);
}

std::string SimContactView::GetCurrentId() {
    state_->log().call(getCurrentId_);
    state_->refresh();
    state_->requireOpen();
    std::string id = state_->store().meta("currentContact", "");
    if (id.empty() || state_->records(TableKind::Contact).find(id) == RecordSet::kNone) {
        return {};
    }
    return id;
}

}  // namespace bp::sim
