#pragma once
// brindlepath-launch: started by the desktop program after a report run and for "Edit Excel
// Template". With "Settings"/"Template" at "1" it opens the named template for editing and
// resets the flag; otherwise it builds the report of the staged definition and opens it.

#include <optional>
#include <string>

#include "core/Progress.h"
#include "launcher/Desktop.h"
#include "launcher/ReportBuilder.h"
#include "platform/Launcher.h"

namespace bp::launcher {

struct LaunchOptions {
    bool noOpen = false;
    std::string outPath;  // empty: a new file in the "Reports" folder beside the data file
    // --progress: the desktop program waits for this build (platform/PipedProgress.h).
    bool watched = false;
};

// Exit status: 0 done, 1 stopped with a message, 2 a usage error, 3 asked to stop (nothing
// made, nothing said).
inline constexpr int kExitDone = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitStopped = platform::kReportBuilderStopped;

// nullopt with `error` set for a command line that cannot be understood.
std::optional<LaunchOptions> parseArguments(int argc, const char* const* argv, std::string& error);

// "<data file folder>/Reports/<name> <stamp>.xlsx", numbered so no earlier report is replaced.
std::string defaultReportPath(const std::string& dataFile, const std::string& reportName,
                              const std::string& stamp);

class LaunchCommand {
public:
    LaunchCommand(platform::SettingsStore& settings, Desktop& desktop, const Regional& regional)
        : settings_(settings), desktop_(desktop), regional_(regional) {}

    int run(const LaunchOptions& options, const BuildDate& today, const std::string& stamp);
    // A report's build reports to `progress`, which is let go before anything else is said.
    void reportTo(core::Progress& progress) { progress_ = &progress; }

private:
    int editTemplate(const LaunchOptions& options);
    int buildReport(const LaunchOptions& options, const BuildDate& today, const std::string& stamp);

    platform::SettingsStore& settings_;
    Desktop& desktop_;
    const Regional& regional_;
    core::Progress* progress_ = nullptr;
};

}  // namespace bp::launcher
