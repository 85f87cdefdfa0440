// The scenario generator writes the checked-in datasets and selections again from its seeds,
// byte for byte: the recorded outputs stay the outputs of exactly these inputs.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/TestSupport.h"
#include "support/RunProgram.h"

namespace bp::scenarios {
namespace {

namespace fs = std::filesystem;
using platform::test::readFile;
using platform::test::TempFolder;

TEST(ScenarioGeneratorTest, WritesTheCheckedInScenariosAgain) {
    TempFolder folder;
    const std::string out = folder.file("scenarios");
    auto run = bp::test::runProgram(BRINDLEPATH_SCENARIO_GENERATOR, {out});
    ASSERT_EQ(run.exitCode, 0) << run.output;

    const fs::path checkedIn =
        fs::path(BRINDLEPATH_TEST_SOURCE_DIR) / "tests" / "app" / "data" / "scenarios";
    int files = 0;
    for (const auto& entry : fs::directory_iterator(platform::test::utf8Path(out))) {
        const fs::path name = entry.path().filename();
        EXPECT_EQ(readFile(entry.path().string()), readFile((checkedIn / name).string()))
            << name.string();
        ++files;
    }
    int kept = 0;
    for (const auto& entry : fs::directory_iterator(checkedIn)) {
        kept += entry.is_regular_file() ? 1 : 0;
    }
    EXPECT_EQ(files, kept);
    EXPECT_GT(files, 50);
}

TEST(ScenarioGeneratorTest, NeedsExactlyOneFolder) {
    auto run = bp::test::runProgram(BRINDLEPATH_SCENARIO_GENERATOR, {});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.output.find("usage: brindlepath-scenarios FOLDER"), std::string::npos)
        << run.output;
}

}  // namespace
}  // namespace bp::scenarios
