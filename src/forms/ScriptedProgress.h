#pragma once
// The progress sink of the scripted UI: it shows at every look, without the delay a person
// gets, records each phase it was shown once, and cancels when the phase a test named comes.

#include <optional>
#include <string>
#include <vector>

#include "core/Progress.h"

namespace bp::forms {

class ScriptedProgress : public core::ProgressSink {
public:
    // The work is cancelled as soon as it shows `phase`.
    void cancelIn(std::string phase) { cancelIn_ = std::move(phase); }

    core::ProgressTiming timing() const override;
    void show(const std::string& phase, double fraction) override;
    bool cancelRequested() override;
    void finished() override { ++finishedCount_; }

    // Each phase once, in the order shown.
    const std::vector<std::string>& phases() const { return phases_; }
    double lastFraction() const { return lastFraction_; }
    int finishedCount() const { return finishedCount_; }

private:
    std::optional<std::string> cancelIn_;
    std::vector<std::string> phases_;
    double lastFraction_ = 0;
    int finishedCount_ = 0;
};

}  // namespace bp::forms
