// What Process.h offers the same way on every system.

#include "platform/Process.h"

#include <cstdlib>
#include <string_view>

namespace bp::platform {

bool launchSuppressed() {
    const char* value = std::getenv("BRINDLEPATH_NO_LAUNCH");
    return value != nullptr && std::string_view(value) == "1";
}

}  // namespace bp::platform
