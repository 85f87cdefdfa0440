#include "platform/PathText.h"

#ifdef _WIN32
#include <windows.h>

#include "platform/TextCodec.h"
#include "platform/WinText.h"
#endif

namespace bp::platform {

std::filesystem::path pathFromUtf8(std::string_view utf8) {
#ifdef _WIN32
    return std::filesystem::path(toWide(utf8));
#else
    return std::filesystem::path(std::string(utf8));
#endif
}

std::string utf8FromPath(const std::filesystem::path& path) {
#ifdef _WIN32
    return toUtf8(path.native());
#else
    return path.native();
#endif
}

bool isPathSeparator(char c) {
#ifdef _WIN32
    return c == '\\' || c == '/';
#else
    return c == '/';
#endif
}

std::string joinPath(std::string_view folder, std::string_view name) {
    std::string path(folder);
    if (!path.empty() && !isPathSeparator(path.back())) {
        path += kPathSeparator;
    }
    path += name;
    return path;
}

std::string withTrailingSeparator(std::string folder) {
    if (folder.empty() || !isPathSeparator(folder.back())) {
        folder += kPathSeparator;
    }
    return folder;
}

std::string parentFolder(std::string_view path) {
    return utf8FromPath(pathFromUtf8(path).parent_path());
}

std::string fileNameOf(std::string_view path) {
    return utf8FromPath(pathFromUtf8(path).filename());
}

std::string storedPathText(std::string bytes) {
#ifdef _WIN32
    if (!TextCodec::isUtf8(bytes)) {
        int size = static_cast<int>(bytes.size());
        int length = ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, nullptr, 0);
        std::wstring wide(static_cast<std::size_t>(length), L'\0');
        ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, wide.data(), length);
        return toUtf8(wide);
    }
#endif
    return bytes;
}

std::FILE* openCFile(const std::string& path, const char* mode) {
#ifdef _WIN32
    return ::_wfopen(toWide(path).c_str(), toWide(mode).c_str());
#else
    return std::fopen(path.c_str(), mode);
#endif
}

}  // namespace bp::platform
