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

}  // namespace bp::platform
