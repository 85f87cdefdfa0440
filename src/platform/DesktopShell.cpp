#include "platform/DesktopShell.h"

#include "platform/Process.h"

namespace bp::platform {

bool DesktopShell::open(const std::string& path, const std::string& workingFolder) {
    if (launchSuppressed()) {
        return false;
    }
    std::optional<std::string> opener = findOnPath("xdg-open");
    return opener && startDetached(*opener, {path}, workingFolder);
}

}  // namespace bp::platform
