#include "act/sim/SimEvent.h"

namespace bp::sim {

SimEvent::SimEvent(std::shared_ptr<SimState> state) : state_(std::move(state)) {
    register_ = state_->log().member("ActEvent.Register");
    unregister_ = state_->log().member("ActEvent.Unregister");
    isHostRunning_ = state_->log().member("ActEvent.IsHostRunning");
}

int SimEvent::Register(int /*flags*/) {
    state_->log().call(register_);
    state_->refresh();
    int result = state_->isRunning() ? 1 : 0;
    if (auto forced = state_->log().forcedResult("ActEvent.Register")) {
        result = *forced;
    }
    registered_ = result >= 1 || result == -1;
    seenCloses_ = state_->closeCount();
    return result;
}

void SimEvent::Unregister() {
    state_->log().call(unregister_);
    registered_ = false;
}

bool SimEvent::IsHostRunning() {
    state_->log().call(isHostRunning_);
    state_->refresh();
    return state_->isRunning();
}

void SimEvent::poll() {
    state_->refresh();
    if (!registered_ || state_->closeCount() <= seenCloses_) {
        return;
    }
    seenCloses_ = state_->closeCount();
    if (OnActUserWantsToClose) {
        OnActUserWantsToClose();
    }
}

}  // namespace bp::sim
