// Progress told through a pipe: the lines the builder writes and the waiting side reads.

#include <gtest/gtest.h>

#include <sstream>

#include "platform/InputStop.h"
#include "platform/PipedProgress.h"

namespace bp::platform {
namespace {

TEST(PipedProgressTest, ShownProgressBecomesOneLineEachReadBackTheSame) {
    std::ostringstream out;
    PipedProgress piped(out);
    piped.show("Building the report", -1);
    piped.show("Building the report", 0.4567);
    piped.show("Building the report", 1.0);
    EXPECT_EQ(out.str(),
              "progress -1 Building the report\nprogress 456 Building the report\n"
              "progress 1000 Building the report\n");
    auto back = parseProgressLine("progress 456 Building the report");
    ASSERT_TRUE(back);
    EXPECT_EQ(back->perMille, 456);
    EXPECT_EQ(back->phase, "Building the report");
}

struct LineCase {
    const char* line;
    int perMille;  // -2: not a progress line
};

class ProgressLineTest : public testing::TestWithParam<LineCase> {};

TEST_P(ProgressLineTest, OnlyWellFormedLinesAreProgress) {
    auto report = parseProgressLine(GetParam().line);
    if (GetParam().perMille == -2) {
        EXPECT_FALSE(report);
    } else {
        ASSERT_TRUE(report);
        EXPECT_EQ(report->perMille, GetParam().perMille);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ProgressLineTest,
    testing::Values(LineCase{"progress 0 Sorting", 0}, LineCase{"progress -1 Reading\r", -1},
                    LineCase{"progress 1000 x", 1000}, LineCase{"progress 1001 x", -2},
                    LineCase{"progress -2 x", -2}, LineCase{"progress 12x y", -2},
                    LineCase{"progress 12", -2}, LineCase{"/tmp/Reports/report.xlsx", -2},
                    LineCase{"", -2}, LineCase{"Progress 5 x", -2}));

TEST(InputStopTest, OnlyALineOfItsOwnAsksToStop) {
    EXPECT_TRUE(holdsStopLine("cancel"));
    EXPECT_TRUE(holdsStopLine("cancel\n"));
    EXPECT_TRUE(holdsStopLine("noise\ncancel\r\n"));
    EXPECT_FALSE(holdsStopLine("cancelled\n"));
    EXPECT_FALSE(holdsStopLine("do not cancel\n"));
    EXPECT_FALSE(holdsStopLine(""));
}

}  // namespace
}  // namespace bp::platform
