#include <unistd.h>

#include <iostream>

#include "platform/ConsoleOutput.h"

namespace bp::platform {

// A terminal here reads UTF-8 as it is.
std::ostream& errorOutput() {
    return std::cerr;
}

bool errorIsTerminal() {
    return ::isatty(STDERR_FILENO) == 1;
}

}  // namespace bp::platform
