#include "platform/PipedProgress.h"

#include <charconv>
#include <cmath>
#include <ostream>

#include "platform/InputStop.h"

namespace bp::platform {
namespace {

constexpr std::string_view kPrefix = "progress ";

}  // namespace

std::string progressLine(const ProgressReport& report) {
    return std::string(kPrefix) + std::to_string(report.perMille) + " " + report.phase;
}

std::optional<ProgressReport> parseProgressLine(std::string_view line) {
    if (!line.empty() && line.back() == '\r') {
        line.remove_suffix(1);
    }
    if (line.substr(0, kPrefix.size()) != kPrefix) {
        return std::nullopt;
    }
    line.remove_prefix(kPrefix.size());
    ProgressReport report;
    auto [end, error] = std::from_chars(line.data(), line.data() + line.size(), report.perMille);
    if (error != std::errc() || end == line.data() + line.size() || *end != ' ' ||
        report.perMille < -1 || report.perMille > 1000) {
        return std::nullopt;
    }
    report.phase.assign(end + 1, line.data() + line.size());
    return report;
}

void PipedProgress::show(const std::string& phase, double fraction) {
    int perMille = fraction < 0 ? -1 : static_cast<int>(std::floor(fraction * 1000));
    // Flushed at once: the waiting side shows it while this one works on.
    out_ << progressLine({perMille, phase}) << std::endl;
}

bool PipedProgress::cancelRequested() {
    return inputAsksToStop();
}

}  // namespace bp::platform
