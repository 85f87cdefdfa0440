#include <gtest/gtest.h>

#include <sstream>

#include "platform/TerminalProgressBar.h"

namespace bp::platform {
namespace {

TEST(TerminalProgressBar, TheLineNamesThePhaseAndHowFarItIs) {
    const std::string dots(TerminalProgressBar::kBarWidth, '.');
    const std::string hashes(TerminalProgressBar::kBarWidth, '#');
    EXPECT_EQ(TerminalProgressBar::line("Selecting", -1), "Selecting...");
    EXPECT_EQ(TerminalProgressBar::line("Writing", 0), "Writing [" + dots + "] 0%");
    EXPECT_EQ(TerminalProgressBar::line("Writing", 0.5),
              "Writing [" + hashes.substr(0, 15) + dots.substr(15) + "] 50%");
    EXPECT_EQ(TerminalProgressBar::line("Writing", 0.999),
              "Writing [" + hashes.substr(0, 29) + "." + "] 99%");
    EXPECT_EQ(TerminalProgressBar::line("Writing", 1), "Writing [" + hashes + "] 100%");
}

TEST(TerminalProgressBar, AShorterLineCoversTheLongerOneAndTheEndWipesIt) {
    std::ostringstream out;
    TerminalProgressBar bar(out);
    bar.show("Sorting", 0.25);
    const std::size_t sorting = TerminalProgressBar::line("Sorting", 0.25).size();
    out.str("");
    bar.show("Selecting", -1);
    EXPECT_EQ(out.str(), "\rSelecting..." + std::string(sorting - 12, ' '));
    out.str("");
    bar.finished();
    EXPECT_EQ(out.str(), "\r" + std::string(12, ' ') + "\r");
    out.str("");
    bar.finished();
    EXPECT_EQ(out.str(), "");
}

}  // namespace
}  // namespace bp::platform
