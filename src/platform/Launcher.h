#pragma once
// Starts the report builder, which lies in the program folder beside the program. It builds a
// spreadsheet report from the data file and the staged definition, or opens a report's
// template for editing, as the settings "Settings"/"Template" says. Opening a template,
// launch() starts it on its own and never hears back; building a report, buildReport() waits
// for it, shows its progress and can stop it.

#include <string>
#include <vector>

#include "core/Progress.h"

namespace bp::platform {

inline constexpr const char* kReportBuilderName = "brindlepath-launch";
// Asks the builder to report progress on standard output and to stop when its standard
// input ends (PipedProgress.h).
inline constexpr const char* kWatchedBuildOption = "--progress";
// The builder's exit status when it was asked to stop and removed what it began.
inline constexpr int kReportBuilderStopped = 3;
inline constexpr const char* kBuildingPhase = "Building the report";

enum class BuildOutcome {
    Built,       // the workbook is made
    Failed,      // the builder stopped and told the user why itself
    NotStarted,  // the builder is missing or could not be started
    Died,        // the builder ended without a word: crashed, killed or an unknown status
    Suppressed,  // BRINDLEPATH_NO_LAUNCH=1: nothing was started
};

class Launcher {
public:
    virtual ~Launcher() = default;
    // Starts the builder and leaves it. True when it was started (false when suppressed or
    // not found).
    virtual bool launch(const std::string& programFolder) = 0;
    // Builds the staged report and waits for it, telling `progress` how far it has come.
    // When `progress` raises core::Cancelled, the builder is asked to stop, awaited, and the
    // Cancelled goes on to the caller. A launcher that cannot wait only starts the builder.
    virtual BuildOutcome buildReport(const std::string& programFolder, core::Progress& progress) {
        (void)progress;
        return launch(programFolder) ? BuildOutcome::Built : BuildOutcome::NotStarted;
    }
};

// The builder at `program` run for a report with `workingFolder` as its working folder, awaited
// as buildReport() says. The program's one thread is never held for long: between the
// builder's lines it looks at `progress` about every 20 ms, which lets a window be used.
BuildOutcome runReportBuilder(const std::string& program, const std::string& workingFolder,
                              core::Progress& progress);

// The real one: programFolder/brindlepath-launch with the program folder as working folder.
// BRINDLEPATH_NO_LAUNCH=1 suppresses it (tests, servers).
class ReportBuilderLauncher : public Launcher {
public:
    bool launch(const std::string& programFolder) override;
    BuildOutcome buildReport(const std::string& programFolder, core::Progress& progress) override;
};

// Records each request instead, for tests; a build ends as `buildOutcome` says.
class RecordingLauncher : public Launcher {
public:
    bool launch(const std::string& programFolder) override {
        launches_.push_back(programFolder);
        return true;
    }
    // Shows the build's phase as the builder's first look does, so a cancel can come there.
    BuildOutcome buildReport(const std::string& programFolder, core::Progress& progress) override {
        launches_.push_back(programFolder);
        progress.phase(kBuildingPhase);
        return buildOutcome;
    }
    const std::vector<std::string>& launches() const { return launches_; }

    BuildOutcome buildOutcome = BuildOutcome::Built;

private:
    std::vector<std::string> launches_;
};

}  // namespace bp::platform
