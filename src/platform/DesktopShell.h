#pragma once
// The desktop's opener (xdg-open; on Windows the shell's "open"), started detached in the
// given working folder, so it neither blocks the program nor outlives it as a zombie.
// BRINDLEPATH_NO_LAUNCH=1 suppresses it (tests, servers).

#include "platform/Shell.h"

namespace bp::platform {

class DesktopShell : public Shell {
public:
    bool open(const std::string& path, const std::string& workingFolder) override;
};

}  // namespace bp::platform
