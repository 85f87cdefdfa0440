// Where the embedded host's database is when nobody names one.
#include <gtest/gtest.h>

#ifdef _WIN32
#include <stdlib.h>

#include "platform/WinText.h"
#endif

#include <optional>
#include <string>

#include "act/sim/SimHost.h"
#include "platform/TestSupport.h"

namespace bp::sim::test {
namespace {

using platform::test::ScopedEnv;

// Sets a variable to UTF-8 text for the life of the object; on Windows through the UTF-16
// environment, as a user's own variables arrive there.
class Utf8Env {
public:
    Utf8Env(std::string name, const std::string& value) : name_(std::move(name)) {
        if (const char* old = std::getenv(name_.c_str())) {
            old_ = old;
        }
        set(value);
    }
    ~Utf8Env() { set(old_); }
    Utf8Env(const Utf8Env&) = delete;
    Utf8Env& operator=(const Utf8Env&) = delete;

private:
    void set(const std::optional<std::string>& value) {
#ifdef _WIN32
        // An empty value removes the variable on Windows.
        ::_wputenv_s(platform::toWide(name_).c_str(), platform::toWide(value.value_or("")).c_str());
#else
        if (value) {
            ::setenv(name_.c_str(), value->c_str(), 1);
        } else {
            ::unsetenv(name_.c_str());
        }
#endif
    }

    std::string name_;
    std::optional<std::string> old_;
};

class DefaultHostPathTest : public ::testing::Test {
protected:
    ScopedEnv host_{"BRINDLEPATH_HOST", std::nullopt};
    ScopedEnv data_{"XDG_DATA_HOME", std::nullopt};
    ScopedEnv home_{"HOME", std::nullopt};
    ScopedEnv local_{"LOCALAPPDATA", std::nullopt};
};

TEST_F(DefaultHostPathTest, TheHostVariableComesFirstAndKeepsItsText) {
    const std::string named = "/srv/D\xC3\xA9j\xC3\xA0 vu/\xCE\xA9/host.db";  // "Déjà vu/Ω"
    Utf8Env host("BRINDLEPATH_HOST", named);
    ScopedEnv data("XDG_DATA_HOME", "/elsewhere");
    ScopedEnv local("LOCALAPPDATA", "C:\\elsewhere");
    EXPECT_EQ(SimHost::defaultPath(), named);
}

#ifdef _WIN32

// HOME and the XDG folders may come from a Unix side (under Wine) and mean nothing here.
TEST_F(DefaultHostPathTest, OnWindowsTheLocalApplicationDataFolderHoldsIt) {
    Utf8Env local("LOCALAPPDATA", "C:\\Users\\Zo\xC3\xAB\\AppData\\Local");
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
