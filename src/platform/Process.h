#pragma once
// Starting other programs: the one place that knows how the operating system does it. The
// implementations are PosixProcess.cpp and WinProcess.cpp.

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace bp::platform {

// The full path of an executable `program` in a folder of PATH, nullopt when there is none.
std::optional<std::string> findOnPath(const std::string& program);

// True when the program was started. `program` is a path; `args` follow argv[0]. The program
// lives on its own: it neither blocks the caller nor outlives it as a zombie, and it keeps
// running when the caller ends.
bool startDetached(const std::string& program, const std::vector<std::string>& args,
                   const std::string& workingFolder);

enum class RunOutcome {
    Succeeded,   // ended with status 0
    Failed,      // ended with another status, or by a signal
    NotStarted,  // not found or not startable
    TimedOut,    // still running at the limit: it was killed
};

// Runs `arguments` (the program is looked up on PATH) and waits for it, at most `limit`; a
// program still running then is killed with everything it started. Its output is discarded.
RunOutcome runAndWait(const std::vector<std::string>& arguments,
                      std::chrono::milliseconds limit = std::chrono::hours(24));

// BRINDLEPATH_NO_LAUNCH=1: nothing is started (tests, servers).
bool launchSuppressed();

}  // namespace bp::platform
