#pragma once
// The program's command line as UTF-8 text. On Windows main's argv holds the ANSI code page,
// which loses names outside it, so the arguments are read again from the wide command line.
// One implementation per system (PosixProgramArguments.cpp, WinProgramArguments.cpp).

#include <string>
#include <vector>

namespace bp::platform {

// argv[0] to argv[argc - 1].
std::vector<std::string> programArguments(int argc, char** argv);

}  // namespace bp::platform
