#include "platform/ProgramFolder.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace bp::platform {

std::string programFolder() {
    if (const char* home = std::getenv("BRINDLEPATH_HOME"); home != nullptr && *home != '\0') {
        std::string folder = home;
        while (folder.size() > 1 && folder.back() == '/') {
            folder.pop_back();
        }
        return folder;
    }
    std::error_code ec;
    std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) {
        return std::filesystem::current_path(ec).string();
    }
    return executable.parent_path().string();
}

std::string defaultTemplatesFolder(const std::string& programFolder) {
    return programFolder + "/Templates";
}

}  // namespace bp::platform
