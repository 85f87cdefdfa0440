// brindlepath-host with its database in a folder whose name holds spaces and letters outside
// ASCII, named on the command line or in the environment: the tool creates and reports the
// database under its exact name. What is on disk is checked through the standard library's
// own UTF-8 conversion (utf8Path).

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/TestSupport.h"
#include "support/RunProgram.h"

namespace bp::sim::test {
namespace {

namespace fs = std::filesystem;
using platform::test::kSeparator;
using platform::test::ScopedEnv;
using platform::test::utf8Path;

class HostToolPathsTest : public testing::Test {
protected:
    HostToolPathsTest() { fs::create_directories(utf8Path(folder_)); }

    platform::test::TempFolder temp_;
    std::string folder_ = temp_.file("Zoë Prévisions Прогноз");
    std::string db_ = folder_ + kSeparator + "hôte 東京.db";
};

TEST_F(HostToolPathsTest, ADatabaseNamedOnTheCommandLineKeepsItsExactName) {
    bp::test::ProgramResult demo = bp::test::runProgram(bp::test::builtProgram("brindlepath-host"),
                                                        {"--db", db_, "demo", "--contacts", "5"});
    ASSERT_EQ(demo.exitCode, 0) << demo.output;
    EXPECT_TRUE(fs::is_regular_file(utf8Path(db_)));
    EXPECT_NE(demo.output.find("Created " + db_ + ": 5 contacts"), std::string::npos)
        << demo.output;

    bp::test::ProgramResult status =
        bp::test::runProgram(bp::test::builtProgram("brindlepath-host"), {"--db", db_, "status"});
    ASSERT_EQ(status.exitCode, 0) << status.output;
    EXPECT_NE(status.output.find("host database:    " + db_), std::string::npos) << status.output;
}

TEST_F(HostToolPathsTest, ADatabaseNamedInTheEnvironmentKeepsItsExactName) {
    ScopedEnv host("BRINDLEPATH_HOST", db_);
    bp::test::ProgramResult demo = bp::test::runProgram(bp::test::builtProgram("brindlepath-host"),
                                                        {"demo", "--contacts", "5"});
    ASSERT_EQ(demo.exitCode, 0) << demo.output;
    EXPECT_TRUE(fs::is_regular_file(utf8Path(db_)));
}

}  // namespace
}  // namespace bp::sim::test
