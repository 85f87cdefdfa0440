#include "platform/ProgramArguments.h"

namespace bp::platform {

std::vector<std::string> programArguments(int argc, char** argv) {
    return std::vector<std::string>(argv, argv + argc);
}

}  // namespace bp::platform
