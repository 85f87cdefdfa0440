#include "act/sim/SimDropDownList.h"

#include "platform/Error.h"

namespace bp::sim {

SimDropDownList::SimDropDownList(std::shared_ptr<SimState> state, std::vector<std::string> values)
    : state_(std::move(state)), values_(std::move(values)) {
    popupCount_ = state_->log().member("DropDown.PopupCount");
    value_ = state_->log().member("DropDown.Value");
}

int SimDropDownList::PopupCount() {
    state_->log().call(popupCount_);
    return static_cast<int>(values_.size());
}

std::string SimDropDownList::Value(int index) {
    state_->log().call(value_);
    if (index < 0 || static_cast<std::size_t>(index) >= values_.size()) {
        raise(kErrSubscript, "Subscript out of range");
    }
    return values_[static_cast<std::size_t>(index)];
}

}  // namespace bp::sim
