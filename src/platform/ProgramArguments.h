#pragma once
// The words the program was started with, after its own name, as UTF-8. On Windows they are
// read from the wide command line, since the ANSI argv cannot hold a name outside the user's
// code page; elsewhere argv already holds the bytes the user typed.

#include <string>
#include <vector>

namespace bp::platform {

std::vector<std::string> programArguments(int argc, char** argv);

}  // namespace bp::platform
