#pragma once
// Progress told to the program that started this one and waits for it (ChildProcess): one
// line per update on standard output, "progress <per mille, or -1 while not known> <phase>",
// and the work stops at a look once standard input asks (InputStop.h).

#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>

#include "core/Progress.h"

namespace bp::platform {

struct ProgressReport {
    int perMille = -1;  // -1: the amount of work is not known yet
    std::string phase;
};

std::string progressLine(const ProgressReport& report);
// nullopt for any other line (the program also writes what it made).
std::optional<ProgressReport> parseProgressLine(std::string_view line);

class PipedProgress : public core::ProgressSink {
public:
    explicit PipedProgress(std::ostream& out) : out_(out) {}
    // Shown from the start: the waiting side decides when a person sees it.
    core::ProgressTiming timing() const override {
        return {std::chrono::milliseconds(0), std::chrono::milliseconds(100)};
    }
    void show(const std::string& phase, double fraction) override;
    bool cancelRequested() override;

private:
    std::ostream& out_;
};

}  // namespace bp::platform
