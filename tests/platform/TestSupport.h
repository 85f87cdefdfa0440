#pragma once
// Temporary folders and environment for the platform tests: nothing here may touch the
// user's own settings, folders or locale.

#ifdef _WIN32
#include <windows.h>
#endif

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <sstream>
#include <string>

#include "platform/Error.h"

namespace bp::platform::test {

// The separator the program joins the names of the paths it builds with.
#ifdef _WIN32
inline constexpr const char* kSeparator = "\\";
#else
inline constexpr const char* kSeparator = "/";
#endif

class TempFolder {
public:
    // A new folder of a random name: never one another test (or run) still uses.
    TempFolder() {
        std::random_device random;
        std::filesystem::path base = std::filesystem::temp_directory_path();
        for (int attempt = 0; attempt < 100; ++attempt) {
            path_ = base / ("bp-platform-" + std::to_string(random()));
            std::error_code ec;
            if (std::filesystem::create_directory(path_, ec)) {
                return;
            }
        }
        std::abort();
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // The path of `name` in the folder, both in UTF-8; string() would give the ANSI code page
    // on Windows.
    std::string file(const std::string& name) const {
        std::u8string text = (path_ / std::u8string(name.begin(), name.end())).u8string();
        return std::string(text.begin(), text.end());
    }

private:
    std::filesystem::path path_;
};

// Sets (or clears, with nullopt) one variable for the life of the object. Values are UTF-8,
// set through the wide API on Windows so names outside the ANSI code page arrive whole.
class ScopedEnv {
public:
    ScopedEnv(std::string name, const std::optional<std::string>& value) : name_(std::move(name)) {
#ifdef _WIN32
        if (const wchar_t* old = ::_wgetenv(wide(name_).c_str())) {
            std::u8string text = std::filesystem::path(old).u8string();
            old_ = std::string(text.begin(), text.end());
        }
#else
        if (const char* old = std::getenv(name_.c_str())) {
            old_ = old;
        }
#endif
        set(value);
    }
    ~ScopedEnv() {
        set(old_);
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    void set(const std::optional<std::string>& value) {
#ifdef _WIN32
        // An empty value removes the variable on Windows.
        ::_wputenv_s(wide(name_).c_str(), value ? wide(*value).c_str() : L"");
#else
        if (value) {
            ::setenv(name_.c_str(), value->c_str(), 1);
        } else {
            ::unsetenv(name_.c_str());
        }
#endif
    }
#ifdef _WIN32
    static std::wstring wide(const std::string& utf8) {
        return std::filesystem::path(std::u8string(utf8.begin(), utf8.end())).wstring();
    }
#endif
    std::string name_;
    std::optional<std::string> old_;
};

// A UTF-8 path as the file system takes it, converted by the standard library itself.
inline std::filesystem::path utf8Path(const std::string& path) {
    return std::filesystem::path(std::u8string(path.begin(), path.end()));
}

// The whole file as bytes; "" when it cannot be read.
inline std::string readFile(const std::string& path) {
    std::ifstream in(utf8Path(path), std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

inline void writeFile(const std::string& path, const std::string& text) {
    std::ofstream(utf8Path(path), std::ios::binary) << text;
}

// The error number `call` raises; 0 when it raises none.
template <typename Call>
int errorNumberOf(Call call) {
    try {
        call();
    } catch (const Error& e) {
        return e.number();
    }
    return 0;
}

#ifdef _WIN32
// Wine's copy of the Windows locale data differs from Windows' own in a few values.
inline bool underWine() {
    HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && ::GetProcAddress(ntdll, "wine_get_version") != nullptr;
}
#endif

}  // namespace bp::platform::test
