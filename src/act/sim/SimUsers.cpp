#include "act/sim/SimUsers.h"

#include "platform/Error.h"

namespace bp::sim {

SimUsers::SimUsers(std::shared_ptr<SimState> state)
    : state_(std::move(state)), users_(state_->store().users()) {
    count_ = state_->log().member("Users.Count");
    uniqueId_ = state_->log().member("Users.UniqueID");
    name_ = state_->log().member("Users.Name");
}

const UserEntry& SimUsers::at(int position) {
    state_->requireOpen();
    if (position < 1 || static_cast<std::size_t>(position) > users_.size()) {
        raise(kErrSubscript, "Subscript out of range");
    }
    return users_[static_cast<std::size_t>(position - 1)];
}

int SimUsers::Count() {
    state_->log().call(count_);
    state_->requireOpen();
    return static_cast<int>(users_.size());
}

std::string SimUsers::UniqueID(int position) {
    state_->log().call(uniqueId_);
    return at(position).id;
}

std::string SimUsers::Name(int position) {
    state_->log().call(name_);
    return at(position).name;
}

}  // namespace bp::sim
