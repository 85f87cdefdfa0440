#pragma once
// A Windows program receives one command line, not a list of arguments: this joins a list so
// that the C runtime's parser (and CommandLineToArgvW) gives back exactly the same list,
// spaces, quotes and trailing backslashes included.

#include <string>
#include <vector>

namespace bp::platform {

std::string quotedArgument(const std::string& argument);
// The program first, then each argument, each quoted where it needs to be.
std::string windowsCommandLine(const std::vector<std::string>& arguments);

}  // namespace bp::platform
