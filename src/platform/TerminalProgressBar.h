#pragma once
// The progress of a batch run on a terminal: one line on standard error, redrawn in place,
// with the phase and, when the amount of work is known, a bar and a percentage. It is
// wiped when the run ends or a message needs the line, so what stays on the terminal
// reads as without it.

#include <ostream>
#include <string>

#include "core/Progress.h"

namespace bp::platform {

class TerminalProgressBar : public core::ProgressSink {
public:
    static constexpr int kBarWidth = 30;

    explicit TerminalProgressBar(std::ostream& out,
                                 core::ProgressTiming timing = core::ProgressTiming{})
        : out_(out), timing_(timing) {}

    core::ProgressTiming timing() const override { return timing_; }
    void show(const std::string& phase, double fraction) override;
    void finished() override { wipe(); }
    // Clears the line when something is drawn on it; the next update draws it again.
    void wipe();

    // The line drawn for `phase` at `fraction`, without the carriage return.
    static std::string line(const std::string& phase, double fraction);

private:
    std::ostream& out_;
    core::ProgressTiming timing_;
    std::size_t drawn_ = 0;  // length of the line on the terminal, 0 when none
};

}  // namespace bp::platform
