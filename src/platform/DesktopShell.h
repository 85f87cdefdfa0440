#pragma once
// The desktop's opener (xdg-open; on Windows the shell's "open"), started detached in the
// given working folder, so it neither blocks the program nor outlives it as a zombie.
// BRINDLEPATH_NO_LAUNCH=1 suppresses it (tests, servers).

#include <string>

#include "platform/Shell.h"

namespace bp::platform {

class DesktopShell : public Shell {
public:
    bool open(const std::string& path, const std::string& workingFolder) override;
    // Why the last open failed, in the system's words; "" after a success or a suppressed one.
    const std::string& failure() const { return failure_; }

private:
    std::string failure_;
};

// Whether the program runs in a session with a desktop a window or an opened file can be
// shown on: a display on Linux, a visible window station on Windows (not a service).
bool desktopSessionPresent();

}  // namespace bp::platform
