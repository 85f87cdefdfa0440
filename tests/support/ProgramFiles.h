#pragma once
// A program folder of a test's own: the files the built program reads from its folder
// (definitions, templates, help), without the programs and libraries themselves.

#include <filesystem>

namespace bp::test {

inline void copyProgramFiles(const std::filesystem::path& from, const std::filesystem::path& to) {
    namespace fs = std::filesystem;
    fs::create_directories(to);
    constexpr auto replace = fs::copy_options::overwrite_existing;
    for (const auto& entry : fs::directory_iterator(from)) {
        const fs::path name = entry.path().filename();
        if (entry.is_directory()) {
            fs::copy(entry.path(), to / name, fs::copy_options::recursive | replace);
        } else if (name.has_extension() && name.extension() != ".exe" &&
                   name.extension() != ".dll") {
            fs::copy_file(entry.path(), to / name, replace);
        }
    }
}

}  // namespace bp::test
