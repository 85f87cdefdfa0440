#include "platform/DesktopShell.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string_view>

namespace bp::platform {

namespace {

bool launchSuppressed() {
    const char* value = std::getenv("BRINDLEPATH_NO_LAUNCH");
    return value != nullptr && std::string_view(value) == "1";
}

// Looked up before forking: after a fork only async-signal-safe calls are allowed.
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

// The grandchild runs the opener; the child ends at once so the opener is nobody's zombie.
[[noreturn]] void runDetached(const char* opener, const char* path, const char* folder) {
    ::setsid();
    pid_t grandchild = ::fork();
    if (grandchild == 0) {
        if (*folder != '\0') {
            [[maybe_unused]] int ignored = ::chdir(folder);
        }
        int devnull = ::open("/dev/null", O_RDONLY);
        if (devnull >= 0) {
            ::dup2(devnull, STDIN_FILENO);
        }
        char* const argv[] = {const_cast<char*>(opener), const_cast<char*>(path), nullptr};
        ::execv(opener, argv);
        ::_exit(127);
    }
    ::_exit(grandchild < 0 ? 1 : 0);
}

}  // namespace

bool DesktopShell::open(const std::string& path, const std::string& workingFolder) {
    if (launchSuppressed()) {
        return false;
    }
    std::string opener = findOpener();
    if (opener.empty()) {
        return false;
    }
    pid_t child = ::fork();
    if (child < 0) {
        return false;
    }
    if (child == 0) {
        runDetached(opener.c_str(), path.c_str(), workingFolder.c_str());
    }
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace bp::platform
