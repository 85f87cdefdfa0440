#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

#include "platform/UserAccount.h"

namespace bp::platform {

std::string userId() {
    return std::to_string(::getuid());
}

std::string userHomeFolder() {
    if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
        return home;
    }
    const passwd* entry = ::getpwuid(::getuid());
    return entry != nullptr ? entry->pw_dir : "/tmp";
}

}  // namespace bp::platform
