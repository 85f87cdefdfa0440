// The desktop program's side of a watched build: the builder's lines become the run's
// progress, and a cancel becomes the end of the builder's standard input.

#include "platform/ChildProcess.h"
#include "platform/Launcher.h"
#include "platform/PipedProgress.h"

namespace bp::platform {
namespace {

constexpr auto kLookEvery = std::chrono::milliseconds(20);
// A builder asked to stop does so at its next look; one that does not in this time is ended.
constexpr auto kStopLimit = std::chrono::seconds(60);

// Follows the builder's per mille in a phase of 1000 steps; the phase starts once the
// builder knows its amount of work, until then it is shown as not known.
class BuildProgress {
public:
    explicit BuildProgress(core::Progress& progress) : progress_(progress) {
        progress_.phase(kBuildingPhase);
    }
    // Takes the builder's output so far, whole lines only.
    void take(const std::string& text) {
        pending_ += text;
        for (std::size_t end = pending_.find('\n'); end != std::string::npos;
             end = pending_.find('\n')) {
            if (auto report = parseProgressLine(std::string_view(pending_).substr(0, end))) {
                follow(report->perMille);
            }
            pending_.erase(0, end + 1);
        }
        progress_.look();
    }

private:
    void follow(int perMille) {
        if (perMille < 0) {
            return;
        }
        if (!known_) {
            progress_.phase(kBuildingPhase, 1000);
            known_ = true;
        }
        for (; done_ < perMille; ++done_) {
            progress_.step();
        }
    }

    core::Progress& progress_;
    std::string pending_;
    bool known_ = false;
    int done_ = 0;
};

BuildOutcome outcomeOf(int status) {
    switch (status) {
        case 0:
            return BuildOutcome::Built;
        case 1:
            return BuildOutcome::Failed;
        default:
            return BuildOutcome::Died;
    }
}

// Asks a cancelled builder to stop and waits for it to remove what it began.
void stop(ChildProcess& builder) {
    builder.closeInput();
    auto limit = std::chrono::steady_clock::now() + kStopLimit;
    while (!builder.exitStatus() && std::chrono::steady_clock::now() < limit) {
        builder.read(kLookEvery);
    }
    builder.kill();
}

}  // namespace

BuildOutcome runReportBuilder(const std::string& program, const std::string& workingFolder,
                              core::Progress& progress) {
    ChildProcess builder;
    if (!builder.start(program, {kWatchedBuildOption}, workingFolder)) {
        return BuildOutcome::NotStarted;
    }
    try {
        BuildProgress watched(progress);
        std::optional<int> status;
        while (!(status = builder.exitStatus())) {
            watched.take(builder.read(kLookEvery));
        }
        watched.take(builder.read(std::chrono::milliseconds(0)));
        if (*status == kReportBuilderStopped) {
            // Only this side asks it to stop; a builder stopped by someone else made nothing.
            return BuildOutcome::Died;
        }
        return outcomeOf(*status);
    } catch (const core::Cancelled&) {
        stop(builder);
        if (builder.exitStatus() == 0) {
            return BuildOutcome::Built;  // it had finished before it heard the cancel
        }
        throw;
    }
}

}  // namespace bp::platform
