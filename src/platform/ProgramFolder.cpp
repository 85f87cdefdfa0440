#include "platform/ProgramFolder.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "platform/Environment.h"
#include "platform/PathText.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace bp::platform {

namespace {

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
    if (std::string folder = environmentVariable("BRINDLEPATH_HOME"); !folder.empty()) {
        // A root ("/", "C:\") keeps its separator: without it "C:" names a drive's current
        // folder.
        std::size_t root = utf8FromPath(pathFromUtf8(folder).root_path()).size();
        while (folder.size() > std::max<std::size_t>(root, 1) && isPathSeparator(folder.back())) {
            folder.pop_back();
        }
        return folder;
    }
    std::error_code ec;
    std::filesystem::path executable = executablePath(ec);
    if (ec) {
        return utf8FromPath(std::filesystem::current_path(ec));
    }
    return utf8FromPath(executable.parent_path());
}

std::string defaultTemplatesFolder(const std::string& programFolder) {
    return joinPath(programFolder, "Templates");
}

}  // namespace bp::platform
