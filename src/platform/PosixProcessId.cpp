#include <signal.h>
#include <unistd.h>

#include <cerrno>

#include "platform/ProcessId.h"

namespace bp::platform {

int currentProcessId() {
    return static_cast<int>(::getpid());
}

bool processAlive(int pid) {
    if (pid <= 0) {
        return false;
    }
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

}  // namespace bp::platform
