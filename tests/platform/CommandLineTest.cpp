// Arguments joined into one Windows command line, quoted so the program gets each back as
// given.

#include "platform/CommandLine.h"

#include <gtest/gtest.h>

namespace bp::platform {
namespace {

TEST(CommandLine, EachArgumentIsQuotedOnlyWhereItMustBe) {
    struct Row {
        const char* argument;
        const char* quoted;
    };
    const Row rows[] = {
        {"plain", "plain"},
        {"C:\\Program Files\\x.exe", "\"C:\\Program Files\\x.exe\""},
        {"", "\"\""},
        {"a\tb", "\"a\tb\""},
        {"say \"hi\"", "\"say \\\"hi\\\"\""},
        {"C:\\path\\", "C:\\path\\"},
        {"C:\\my path\\", "\"C:\\my path\\\\\""},
        {"a\\\\\"b", "\"a\\\\\\\\\\\"b\""},
        {"50%", "50%"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(quotedArgument(row.argument), row.quoted) << row.argument;
    }
}

TEST(CommandLine, TheProgramComesFirstAndSpacesSeparate) {
    EXPECT_EQ(windowsCommandLine({"C:\\b\\launch.exe", "a b", "", "x"}),
              "C:\\b\\launch.exe \"a b\" \"\" x");
    EXPECT_EQ(windowsCommandLine({}), "");
}

}  // namespace
}  // namespace bp::platform
