#include "platform/Launcher.h"

#include "platform/PathText.h"
#include "platform/Process.h"

namespace bp::platform {

bool ReportBuilderLauncher::launch(const std::string& programFolder) {
    if (launchSuppressed()) {
        return false;
    }
    return startDetached(joinPath(programFolder, kReportBuilderName), {}, programFolder);
}

BuildOutcome ReportBuilderLauncher::buildReport(const std::string& programFolder,
                                                core::Progress& progress) {
    if (launchSuppressed()) {
        return BuildOutcome::Suppressed;
    }
    // findOnPath() knows the extension a program file has on this system.
    std::optional<std::string> program = findOnPath(joinPath(programFolder, kReportBuilderName));
    if (!program) {
        return BuildOutcome::NotStarted;
    }
    return runReportBuilder(*program, programFolder, progress);
}

}  // namespace bp::platform
