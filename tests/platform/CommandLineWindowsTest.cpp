// What Windows itself makes of the command lines and processes the program starts.

#include <gtest/gtest.h>
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <filesystem>
#include <fstream>

#include "TestSupport.h"
#include "platform/CommandLine.h"
#include "platform/Process.h"
#include "platform/ProcessId.h"
#include "platform/SingleInstance.h"
#include "platform/WinText.h"

namespace bp::platform {
namespace {

using test::ScopedEnv;
using test::TempFolder;

std::vector<std::string> splitByWindows(const std::string& line) {
    int count = 0;
    wchar_t** parts = ::CommandLineToArgvW(toWide(line).c_str(), &count);
    std::vector<std::string> arguments;
    for (int i = 0; i < count; ++i) {
        arguments.push_back(toUtf8(parts[i]));
    }
    ::LocalFree(parts);
    return arguments;
}

TEST(WindowsCommandLine, WindowsSplitsItBackIntoTheSameArguments) {
    const std::vector<std::string> arguments = {
        "C:\\Program Files\\brindlepath\\brindlepath-launch.exe",
        "a b",
        "",
        "say \"hi\"",
        "C:\\my path\\",
        "back\\\\slashes\\\\\"",
        "tab\there",
        "Müller & Söhne",
        "%HOME%"};
    EXPECT_EQ(splitByWindows(windowsCommandLine(arguments)), arguments);
}

class WindowsProcessTest : public ::testing::Test {
protected:
    void SetUp() override { std::filesystem::create_directories(folder_.file("bin")); }
    void script(const std::string& name, const std::string& body) {
        std::ofstream(folder_.file("bin/" + name + ".cmd")) << "@echo off\r\n" << body << "\r\n";
    }
    TempFolder folder_;
    ScopedEnv path_{"PATH", folder_.file("bin") + ";C:\\windows\\system32;C:\\windows"};
};

TEST_F(WindowsProcessTest, ProgramsAreFoundOnThePathWithTheirExtension) {
    script("tool", "exit /b 0");
    std::string tool = folder_.file("bin") + "\\tool.cmd";
    EXPECT_EQ(findOnPath("tool"), tool);
    EXPECT_EQ(findOnPath("tool.cmd"), tool);
    EXPECT_EQ(findOnPath(folder_.file("bin") + "\\tool"), tool);
    EXPECT_EQ(findOnPath("no-such-tool"), std::nullopt);
}

TEST_F(WindowsProcessTest, OutcomesAreToldApart) {
    script("good", "echo noise\r\necho more noise 1>&2\r\nexit /b 0");
    script("bad", "exit /b 3");
    EXPECT_EQ(runAndWait({"good"}), RunOutcome::Succeeded);
    EXPECT_EQ(runAndWait({"bad"}), RunOutcome::Failed);
    EXPECT_EQ(runAndWait({"missing-program"}), RunOutcome::NotStarted);
    EXPECT_EQ(runAndWait({}), RunOutcome::NotStarted);
}

TEST(WindowsProcessIdTest, ThisProcessIsAliveAndAnEndedOneIsNot) {
    EXPECT_TRUE(processAlive(currentProcessId()));
    EXPECT_EQ(currentProcessId(), static_cast<int>(::GetCurrentProcessId()));
    EXPECT_FALSE(processAlive(0));
    EXPECT_FALSE(processAlive(-5));
}

TEST(WindowsSingleInstanceTest, ASecondCopyIsRefusedUntilTheFirstEnds) {
    std::string name = "brindlepath-test-" + std::to_string(currentProcessId());
    {
        SingleInstance first(name);
        EXPECT_EQ(first.state(), SingleInstance::State::Acquired);
        SingleInstance second(name);
        EXPECT_EQ(second.state(), SingleInstance::State::HeldElsewhere);
        EXPECT_TRUE(second.PrevInstance());
    }
    // The refused copy held nothing on to the name.
    SingleInstance next(name);
    EXPECT_EQ(next.state(), SingleInstance::State::Acquired);
}

TEST(WindowsSingleInstanceTest, TheDefaultNameBelongsToTheUser) {
    std::string name = SingleInstance::defaultLockPath();
    EXPECT_EQ(name.rfind("brindlepath-", 0), 0u);
    EXPECT_GT(name.size(), std::string("brindlepath-").size());
    EXPECT_EQ(name.find('\\'), std::string::npos);
}

}  // namespace
}  // namespace bp::platform
