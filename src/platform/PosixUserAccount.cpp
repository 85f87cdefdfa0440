#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

#include "platform/Environment.h"
#include "platform/PathText.h"
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

// A relative XDG_CONFIG_HOME is ignored, as the base directory rules ask.
std::string userConfigFolder() {
    if (std::string config = environmentVariable("XDG_CONFIG_HOME"); config.starts_with('/')) {
        return config;
    }
    return joinPath(userHomeFolder(), ".config");
}

std::string userDataFolder() {
    if (std::string data = environmentVariable("XDG_DATA_HOME"); !data.empty()) {
        return data;
    }
    return joinPath(userHomeFolder(), ".local/share");
}

}  // namespace bp::platform
