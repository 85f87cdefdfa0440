#include "act/sim/SimViews.h"

#include "act/sim/HostErrors.h"
#include "act/sim/SimContactView.h"
#include "platform/Error.h"

namespace bp::sim {

SimViews::SimViews(std::shared_ptr<SimState> state) : state_(std::move(state)) {
    create_ = state_->log().member("Views.Create");
}

std::shared_ptr<act::ContactView> SimViews::Create(int kind, const std::string& /*name*/) {
    state_->log().call(create_);
    if (kind != kContactView) {
        raise(kErrHostInvalidArgument,
              "The embedded host has no view of kind " + std::to_string(kind) + ".");
    }
    return std::make_shared<SimContactView>(state_);
}

}  // namespace bp::sim
