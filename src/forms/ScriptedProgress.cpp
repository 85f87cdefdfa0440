#include "forms/ScriptedProgress.h"

namespace bp::forms {

core::ProgressTiming ScriptedProgress::timing() const {
    return {std::chrono::milliseconds(0), std::chrono::milliseconds(0)};
}

void ScriptedProgress::show(const std::string& phase, double fraction) {
    if (phases_.empty() || phases_.back() != phase) {
        phases_.push_back(phase);
    }
    lastFraction_ = fraction;
}

bool ScriptedProgress::cancelRequested() {
    return cancelIn_ && !phases_.empty() && phases_.back() == *cancelIn_;
}

}  // namespace bp::forms
