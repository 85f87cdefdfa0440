#pragma once
// The Windows desktop program started in the test's own process on a host database of the
// test's own: every variable the program reads (program folder, host, settings, locale)
// points into a temporary folder holding a copy of the build's program files, and nothing
// the program starts is launched.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "act/sim/DatasetJson.h"
#include "act/sim/SimHost.h"
#include "platform/TestSupport.h"
#include "support/ProgramFiles.h"
#include "win/LoopRobot.h"
#include "win/WinTestSupport.h"

namespace bp::win::test {

class ProgramFixture : public ::testing::Test {
protected:
    ProgramFixture() { bp::test::copyProgramFiles(BRINDLEPATH_TEST_BIN_DIR, folder_.path()); }

    void SetUp() override {
        if (!hasDisplay()) {
            GTEST_SKIP() << kNoDisplay;
        }
        sim::DatasetJson::importFile(
            hostDb_, std::string(BRINDLEPATH_TEST_SOURCE_DIR) + "/tests/app/data/same-output.json");
    }

    // The host as the program left it, opened afresh.
    std::unique_ptr<sim::SimHost> hostAfterwards() const {
        return std::make_unique<sim::SimHost>(hostDb_);
    }
    std::string file(const std::string& name) const { return folder_.file(name); }

    platform::test::TempFolder folder_;
    std::string hostDb_ = folder_.file("host.db");
    platform::test::ScopedEnv home_{"BRINDLEPATH_HOME", folder_.path().string()};
    platform::test::ScopedEnv host_{"BRINDLEPATH_HOST", hostDb_};
    platform::test::ScopedEnv attach_{"BRINDLEPATH_ATTACH", std::nullopt};
    platform::test::ScopedEnv settings_{"BRINDLEPATH_SETTINGS", folder_.file("settings.ini")};
    platform::test::ScopedEnv locale_{"BRINDLEPATH_LOCALE", std::string("en_US")};
    platform::test::ScopedEnv noLaunch_{"BRINDLEPATH_NO_LAUNCH", std::string("1")};
};

}  // namespace bp::win::test
