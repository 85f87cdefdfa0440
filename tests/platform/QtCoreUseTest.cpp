// The locale database is the only thing below the front end that comes from Qt: one file
// answers the regional settings, so another platform replaces that file alone.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace bp::platform {
namespace {

namespace fs = std::filesystem;

bool includesQt(const fs::path& file) {
    std::ifstream in(file);
    std::string line;
    while (std::getline(in, line)) {
        if (line.starts_with("#include <Q") || line.starts_with("#include <qt") ||
            line.starts_with("#include <QtCore")) {
            return true;
        }
    }
    return false;
}

TEST(QtCoreUse, OnlyTheFrontEndAndTheRegionalSettingsIncludeQt) {
    const fs::path src = fs::path(BRINDLEPATH_TEST_SOURCE_DIR) / "src";
    std::vector<std::string> found;
    for (const auto& entry : fs::recursive_directory_iterator(src)) {
        const fs::path relative = fs::relative(entry.path(), src);
        if (!entry.is_regular_file() || *relative.begin() == "gui") {
            continue;
        }
        if (includesQt(entry.path())) {
            found.push_back(relative.generic_string());
        }
    }
    EXPECT_EQ(found, std::vector<std::string>{"platform/QtRegionalSettings.cpp"});
}

}  // namespace
}  // namespace bp::platform
