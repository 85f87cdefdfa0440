#include "platform/DetachedProcess.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string_view>

namespace bp::platform {
namespace {

// The grandchild runs the program; the child ends at once so the program is nobody's zombie.
// Only async-signal-safe calls after the fork: everything was prepared before.
[[noreturn]] void runDetached(const char* program, char* const* argv, const char* folder) {
    ::setsid();
    pid_t grandchild = ::fork();
    if (grandchild == 0) {
        if (*folder != '\0') {
            [[maybe_unused]] int ignored = ::chdir(folder);
        }
        int devnull = ::open("/dev/null", O_RDONLY);
        if (devnull >= 0)
            ::dup2(devnull, STDIN_FILENO);
        ::execv(program, argv);
        ::_exit(127);
    }
    ::_exit(grandchild < 0 ? 1 : 0);
}

}  // namespace

bool launchSuppressed() {
    const char* value = std::getenv("BRINDLEPATH_NO_LAUNCH");
    return value != nullptr && std::string_view(value) == "1";
}

bool startDetached(const std::string& program, const std::vector<std::string>& args,
                   const std::string& workingFolder) {
    if (::access(program.c_str(), X_OK) != 0)
        return false;
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const auto& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    pid_t child = ::fork();
    if (child < 0)
        return false;
    if (child == 0)
        runDetached(program.c_str(), argv.data(), workingFolder.c_str());
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace bp::platform
