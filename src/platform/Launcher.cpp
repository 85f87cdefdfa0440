#include "platform/Launcher.h"

#include "platform/Process.h"

namespace bp::platform {

bool ReportBuilderLauncher::launch(const std::string& programFolder) {
    if (launchSuppressed()) {
        return false;
    }
    return startDetached(programFolder + "/" + kReportBuilderName, {}, programFolder);
}

}  // namespace bp::platform
