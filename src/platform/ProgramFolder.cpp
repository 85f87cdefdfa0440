#include "platform/ProgramFolder.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#endif

namespace bp::platform {

namespace {

// UTF-8 on every system; string() would give Windows' ANSI code page.
std::string utf8(const std::filesystem::path& path) {
    std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

std::filesystem::path executablePath(std::error_code& ec) {
#ifdef _WIN32
    std::wstring path(MAX_PATH, L'\0');
    DWORD length = 0;
    // The buffer grows until the whole path fits (long paths exceed MAX_PATH).
    while ((length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()))) ==
           path.size()) {
        path.resize(path.size() * 2);
    }
    if (length == 0) {
        ec.assign(static_cast<int>(::GetLastError()), std::system_category());
        return {};
    }
    path.resize(length);
    return std::filesystem::path(path);
#else
    return std::filesystem::read_symlink("/proc/self/exe", ec);
#endif
}

}  // namespace

std::string programFolder() {
    if (const char* home = std::getenv("BRINDLEPATH_HOME"); home != nullptr && *home != '\0') {
        std::string folder = home;
        while (folder.size() > 1 && (folder.back() == '/' || folder.back() == '\\')) {
            folder.pop_back();
        }
        return folder;
    }
    std::error_code ec;
    std::filesystem::path executable = executablePath(ec);
    if (ec) {
        return utf8(std::filesystem::current_path(ec));
    }
    return utf8(executable.parent_path());
}

std::string defaultTemplatesFolder(const std::string& programFolder) {
    return programFolder + "/Templates";
}

}  // namespace bp::platform
