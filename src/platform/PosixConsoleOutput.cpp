#include <iostream>

#include "platform/ConsoleOutput.h"

namespace bp::platform {

// A terminal here reads UTF-8 as it is.
std::ostream& errorOutput() {
    return std::cerr;
}

}  // namespace bp::platform
