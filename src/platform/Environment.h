#pragma once
// The process's environment as UTF-8 text, like every other string in the program; the C
// runtime's getenv gives the ANSI code page on Windows. One implementation per system
// (PosixEnvironment.cpp, WinEnvironment.cpp).

#include <string>

namespace bp::platform {

// The variable's value; "" when it is not set.
std::string environmentVariable(const char* name);

}  // namespace bp::platform
