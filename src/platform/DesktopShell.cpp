#include "platform/DesktopShell.h"

#include "platform/DetachedProcess.h"

#include <unistd.h>

#include <cstdlib>
#include <string_view>

namespace bp::platform {

namespace {

// The desktop opener on PATH, or "" when none is installed.
std::string findOpener() {
    const char* path = std::getenv("PATH");
    std::string_view folders = path != nullptr ? path : "/usr/local/bin:/usr/bin:/bin";
    while (!folders.empty()) {
        std::size_t colon = folders.find(':');
        std::string candidate(folders.substr(0, colon));
        candidate += "/xdg-open";
        if (::access(candidate.c_str(), X_OK) == 0) {
            return candidate;
        }
        folders.remove_prefix(colon == std::string_view::npos ? folders.size() : colon + 1);
    }
    return {};
}

}  // namespace

bool DesktopShell::open(const std::string& path, const std::string& workingFolder) {
    if (launchSuppressed()) {
        return false;
    }
    std::string opener = findOpener();
    return !opener.empty() && startDetached(opener, {path}, workingFolder);
}

}  // namespace bp::platform
