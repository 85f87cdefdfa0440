#include "platform/DesktopShell.h"

#include <cstdlib>

#include "platform/Process.h"

namespace bp::platform {

bool DesktopShell::open(const std::string& path, const std::string& workingFolder) {
    failure_.clear();
    if (launchSuppressed()) {
        return false;
    }
    std::optional<std::string> opener = findOnPath("xdg-open");
    if (!opener) {
        failure_ = "the desktop's opener xdg-open is not installed";
        return false;
    }
    if (!startDetached(*opener, {path}, workingFolder)) {
        failure_ = "the desktop's opener " + *opener + " could not be started";
        return false;
    }
    return true;
}

bool desktopSessionPresent() {
    return std::getenv("DISPLAY") != nullptr || std::getenv("WAYLAND_DISPLAY") != nullptr;
}

}  // namespace bp::platform
