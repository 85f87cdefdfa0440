// Where the embedded host's database is when nobody names one.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "act/sim/SimHost.h"
#include "platform/TestSupport.h"

namespace bp::sim::test {
namespace {

using platform::test::ScopedEnv;

class DefaultHostPathTest : public ::testing::Test {
protected:
    ScopedEnv host_{"BRINDLEPATH_HOST", std::nullopt};
    ScopedEnv data_{"XDG_DATA_HOME", std::nullopt};
    ScopedEnv home_{"HOME", std::nullopt};
    ScopedEnv local_{"LOCALAPPDATA", std::nullopt};
};

TEST_F(DefaultHostPathTest, TheHostVariableComesFirstAndKeepsItsText) {
    const std::string named = "/srv/D\xC3\xA9j\xC3\xA0 vu/\xCE\xA9/host.db";  // "Déjà vu/Ω"
    ScopedEnv host("BRINDLEPATH_HOST", named);
    ScopedEnv data("XDG_DATA_HOME", "/elsewhere");
    ScopedEnv local("LOCALAPPDATA", "C:\\elsewhere");
    EXPECT_EQ(SimHost::defaultPath(), named);
}

#ifdef _WIN32

// HOME and the XDG folders may come from a Unix side (under Wine) and mean nothing here.
TEST_F(DefaultHostPathTest, OnWindowsTheLocalApplicationDataFolderHoldsIt) {
    ScopedEnv local("LOCALAPPDATA", "C:\\Users\\Zo\xC3\xAB\\AppData\\Local");
    ScopedEnv data("XDG_DATA_HOME", "/home/zoe/.local/share");
    ScopedEnv home("HOME", "/home/zoe");
    EXPECT_EQ(SimHost::defaultPath(),
              "C:\\Users\\Zo\xC3\xAB\\AppData\\Local\\brindlepath\\host.db");
}

#else

TEST_F(DefaultHostPathTest, TheUsersDataFolderHoldsIt) {
    ScopedEnv home("HOME", "/home/zoe");
    EXPECT_EQ(SimHost::defaultPath(), "/home/zoe/.local/share/brindlepath/host.db");
    ScopedEnv data("XDG_DATA_HOME", "/data/zoe");
    EXPECT_EQ(SimHost::defaultPath(), "/data/zoe/brindlepath/host.db");
}

#endif

}  // namespace
}  // namespace bp::sim::test
