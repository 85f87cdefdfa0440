#include <windows.h>

#include "platform/ProcessId.h"

namespace bp::platform {

int currentProcessId() {
    return static_cast<int>(::GetCurrentProcessId());
}

bool processAlive(int pid) {
    if (pid <= 0) {
        return false;
    }
    HANDLE process =
        ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(pid));
    if (process == nullptr) {
        // Refused means it exists but belongs to someone else.
        return ::GetLastError() == ERROR_ACCESS_DENIED;
    }
    DWORD code = 0;
    // An ended process stays openable while anyone holds a handle to it: its exit code tells.
    bool alive = ::GetExitCodeProcess(process, &code) && code == STILL_ACTIVE;
    ::CloseHandle(process);
    return alive;
}

}  // namespace bp::platform
