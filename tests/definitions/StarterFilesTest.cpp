#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "definitions/DefinitionKeys.h"
#include "definitions/ReportFields.h"

namespace bp::definitions {
namespace {

namespace fs = std::filesystem;

std::map<std::string, std::string> readDefinition(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::map<std::string, std::string> keys;
    std::string line;
    while (std::getline(in, line)) {
        EXPECT_TRUE(!line.empty() && line.back() == '\r') << path << ": lines end in CR LF";
        line.pop_back();
        auto eq = line.find('=');
        EXPECT_NE(eq, std::string::npos) << path << ": " << line;
        keys[line.substr(0, eq)] = line.substr(eq + 1);
    }
    return keys;
}

std::vector<std::string> splitItems(const std::string& list) {
    std::vector<std::string> items;
    std::string item;
    for (char c : list) {
        if (c == kItemEnd) {
            items.push_back(item);
            item.clear();
        } else {
            item += c;
        }
    }
    EXPECT_TRUE(item.empty()) << "every item ends in a form feed";
    return items;
}

// Every shipped definition names known fields, with captions matching their IDs, and sorts
// only by included fields, so a new user's first run works.
TEST(StarterFiles, NameKnownFieldsAndSortByIncludedOnes) {
    const char* source = BRINDLEPATH_TEST_SOURCE_DIR;
    int checked = 0;
    for (const auto& entry : fs::recursive_directory_iterator(fs::path(source) / "data")) {
        auto ext = entry.path().extension();
        if (ext != ".DXL" && ext != ".DCS") {
            continue;
        }
        auto keys = readDefinition(entry.path());
        auto ids = splitItems(keys["FieldsIncluded"]);
        auto names = splitItems(keys["FieldNamesIncluded"]);
        ASSERT_EQ(ids.size(), names.size()) << entry.path();
        ASSERT_FALSE(ids.empty()) << entry.path();
        for (size_t i = 0; i < ids.size(); ++i) {
            auto field = findReportField(std::stoi(ids[i]));
            ASSERT_TRUE(field.has_value()) << entry.path() << ": " << ids[i];
            EXPECT_EQ(field->caption, names[i]) << entry.path();
        }
        for (int n = 0; n < 3; ++n) {
            std::string sort = keys[sectionKey("Sort", n)];
            if (sort != "0") {
                EXPECT_NE(std::find(ids.begin(), ids.end(), sort), ids.end()) << entry.path();
            }
        }
        ++checked;
    }
    EXPECT_GE(checked, 6);
}

}  // namespace
}  // namespace bp::definitions
