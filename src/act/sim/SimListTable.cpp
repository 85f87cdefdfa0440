#include "act/sim/SimListTable.h"

#include "act/sim/HostErrors.h"
#include "platform/Error.h"

namespace bp::sim {

SimListTable::SimListTable(std::shared_ptr<SimState> state) : state_(std::move(state)) {
    CallLog& log = state_->log();
    setScope_ = log.member("ListTable.SetScope");
    recordCount_ = log.member("ListTable.RecordCount");
    data_ = log.member("ListTable.Data");
    moveNext_ = log.member("ListTable.MoveNext");
}

void SimListTable::SetScope(int kind) {
    state_->log().call(setScope_);
    state_->requireOpen();
    if (kind < 1 || kind > 3) {
        raise(kErrHostInvalidArgument, "Unknown list scope " + std::to_string(kind) + ".");
    }
    entries_ = state_->store().list(std::to_string(kind));
    position_ = 0;
}

int SimListTable::RecordCount() {
    state_->log().call(recordCount_);
    state_->requireOpen();
    return static_cast<int>(entries_.size());
}

std::string SimListTable::Data(int fieldNumber) {
    state_->log().call(data_);
    state_->requireOpen();
    if (fieldNumber != kEntryField || position_ >= entries_.size()) {
        return {};
    }
    return entries_[position_];
}

void SimListTable::MoveNext() {
    state_->log().call(moveNext_);
    state_->requireOpen();
    if (position_ < entries_.size()) {
        ++position_;
    }
}

}  // namespace bp::sim
