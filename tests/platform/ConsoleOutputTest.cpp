// Text for a console leaves in whole characters: one cut off between two writes waits for its
// last bytes, and nothing else is held back.

#include <gtest/gtest.h>

#include <string>

#include "platform/ConsoleOutput.h"

namespace bp::platform {
namespace {

TEST(ConsoleOutputTest, OnlyWholeCharactersLeave) {
    const std::string euro = "\xE2\x82\xAC";
    const std::string clef = "\xF0\x9D\x84\x9E";
    const struct {
        std::string bytes;
        std::size_t whole;
    } cases[] = {
        {"", 0},
        {"plain", 5},
        {"B\xC3\xBC", 3},              // ü complete
        {"B\xC3", 1},                  // ü cut after its lead byte
        {"x" + euro, 4},               // three-byte character complete
        {"x" + euro.substr(0, 2), 1},  // ... and cut after two
        {"x" + clef, 5},               // four-byte character complete
        {"x" + clef.substr(0, 3), 1},  // ... and cut after three
        {"x" + clef.substr(0, 1), 1},  // ... and after one
        {"ab\x80\x80\x80\x80", 6},     // stray continuation bytes never complete
        {"ab\x80", 3},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(wholeUtf8Length(c.bytes), c.whole) << testing::PrintToString(c.bytes);
    }
}

}  // namespace
}  // namespace bp::platform
