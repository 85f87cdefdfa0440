#include <cstdlib>

#include "platform/Environment.h"

namespace bp::platform {

std::string environmentVariable(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::string(value) : std::string();
}

}  // namespace bp::platform
