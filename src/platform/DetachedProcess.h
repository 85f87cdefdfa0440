#pragma once
// Starts a program that lives on its own: it neither blocks the caller nor outlives it as a
// zombie, and it keeps running when the caller ends.

#include <string>
#include <vector>

namespace bp::platform {

// True when the program was started. `program` is a path; `args` follow argv[0].
bool startDetached(const std::string& program, const std::vector<std::string>& args,
                   const std::string& workingFolder);

// BRINDLEPATH_NO_LAUNCH=1: nothing is started (tests, servers).
bool launchSuppressed();

}  // namespace bp::platform
