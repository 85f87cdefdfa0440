// Names compared without regard to case: the same answer for accented, Nordic and Polish
// letters as for ASCII ones, and orders that agree with equality.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/CaseFold.h"

namespace bp::core {
namespace {

TEST(CaseFold, LettersOfEveryScriptFoldToTheirSmallForm) {
    struct Case {
        const char* text;
        const char* folded;
    };
    const Case cases[] = {
        {"ABC xyz 123", "abc xyz 123"},
        {"Émile", "émile"},
        {"ØRSTED", "ørsted"},
        {"ŁÓDŹ", "łódź"},
        {"Ärger", "ärger"},
        {"ΣΟΦΊΑ", "σοφία"},
        {"МОСКВА", "москва"},
        {"ǅ", "ǆ"},
        {"", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(foldCase(c.text), c.folded) << c.text;
    }
}

TEST(CaseFold, BytesThatAreNoUtf8AreKept) {
    EXPECT_EQ(foldCase("A\xC9Z\xFF"), "a\xC9z\xFF");
    EXPECT_EQ(foldCase("\xC3"), "\xC3");  // a sequence cut short
}

TEST(CaseFold, EqualityIgnoresCaseInEveryScript) {
    EXPECT_TRUE(equalNoCase("Ärger", "ärger"));
    EXPECT_TRUE(equalNoCase("ÉMILE", "émile"));
    EXPECT_TRUE(equalNoCase("Łódź", "ŁÓDŹ"));
    EXPECT_TRUE(equalNoCase("ørsted", "ØRSTED"));
    EXPECT_FALSE(equalNoCase("Ärger", "Arger"));
    EXPECT_FALSE(equalNoCase("Émile", "Emile"));
    EXPECT_FALSE(equalNoCase("abc", "abcd"));
}

TEST(CaseFold, OrderAgreesWithTheFoldedTexts) {
    const std::vector<std::string> names = {"ärger",  "Ärger", "Zoe", "émile", "Émile",
                                            "Ørsted", "Łódź",  "abc", "ABD",   "ab"};
    for (const auto& a : names) {
        for (const auto& b : names) {
            int folded = foldCase(a).compare(foldCase(b));
            int expected = folded < 0 ? -1 : folded > 0 ? 1 : 0;
            EXPECT_EQ(compareNoCase(a, b), expected) << a << " / " << b;
        }
    }
}

TEST(CaseFold, SortingKeepsNamesThatDifferOnlyInCaseTogether) {
    std::vector<std::string> names = {"Ärger", "Zoe", "ärger", "Bob", "ÄRGER"};
    std::stable_sort(names.begin(), names.end(),
                     [](const auto& a, const auto& b) { return compareNoCase(a, b) < 0; });
    EXPECT_EQ(names, (std::vector<std::string>{"Bob", "Zoe", "Ärger", "ärger", "ÄRGER"}));
}

}  // namespace
}  // namespace bp::core
