#pragma once
// Paths as the program keeps them: UTF-8 text. std::filesystem and the C runtime read a narrow
// path in the ANSI code page on Windows, so every conversion between the program's text and a
// std::filesystem::path, and every C stream opened by name, goes through here. Paths the
// program builds use the system's own separator; paths a user or the settings store gave are
// kept as given (Windows accepts "/" as well).

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

namespace bp::platform {

#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

// What a program file's name ends in: Windows runs only files named for their kind.
#ifdef _WIN32
inline constexpr const char* kExecutableSuffix = ".exe";
#else
inline constexpr const char* kExecutableSuffix = "";
#endif

// UTF-8 text to a path and back; the bytes unchanged on Linux. On Windows text that is not
// UTF-8 gives U+FFFD in its place rather than an exception, so a bad name fails visibly.
std::filesystem::path pathFromUtf8(std::string_view utf8);
std::string utf8FromPath(const std::filesystem::path& path);

// "/" everywhere; "\" as well on Windows.
bool isPathSeparator(char c);
// `folder`, then one separator, then `name`; no second separator when `folder` ends in one,
// and `name` alone when `folder` is empty.
std::string joinPath(std::string_view folder, std::string_view name);
// `folder` ending in a separator; one is added only when it has none.
std::string withTrailingSeparator(std::string folder);
// The folder part of `path` ("" for a bare name), as parent_path() sees it.
std::string parentFolder(std::string_view path);
// The last part of `path`, as filename() sees it.
std::string fileNameOf(std::string_view path);

// A path as a settings value or a definition holds it, as UTF-8. Text that is not UTF-8 was
// written in the Windows code page (an older definition, the classic program); on Windows
// that is the system's own narrow text and names the same file once converted, while on
// Linux the bytes themselves are the name and are kept.
std::string storedPathText(std::string bytes);

// std::fopen for a UTF-8 path.
std::FILE* openCFile(const std::string& path, const char* mode);

}  // namespace bp::platform
