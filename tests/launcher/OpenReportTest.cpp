// The finished report handed to the user's spreadsheet program: the built program run as the
// desktop program starts it, with a stand-in opener that notes the path it was given (a
// registered file type on Windows, opened through the shell's "open"; xdg-open on Linux).

#ifdef _WIN32
#include <windows.h>
#endif

#include <chrono>
#include <thread>

#include "LauncherFixture.h"
#include "platform/PathText.h"
#include "support/RunProgram.h"

namespace bp::launcher::test {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

#ifdef _WIN32
const std::wstring kClasses = L"Software\\Classes\\";
const std::wstring kProgId = L"Brindlepath.TestOpener";

bool setDefaultValue(HKEY root, const std::wstring& key, const std::wstring& value) {
    HKEY handle = nullptr;
    if (::RegCreateKeyExW(root, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &handle,
                          nullptr) != ERROR_SUCCESS) {
        return false;
    }
    LSTATUS status =
        ::RegSetValueExW(handle, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                         static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    ::RegCloseKey(handle);
    return status == ERROR_SUCCESS;
}

// The program type the shell sees for .xlsx, "" when it knows none.
std::wstring xlsxType() {
    wchar_t value[256] = L"";
    DWORD size = sizeof value;
    if (::RegGetValueW(HKEY_CLASSES_ROOT, L".xlsx", nullptr, RRF_RT_REG_SZ, nullptr, value,
                       &size) != ERROR_SUCCESS) {
        return L"";
    }
    return value;
}

// A file type for the user, as a user's own choice of program is kept. Wine's classes do not
// see the user's part, so there it goes to the machine's classes of the private test prefix.
bool registerType(const std::wstring& command) {
    bool registered =
        setDefaultValue(HKEY_CURRENT_USER, kClasses + L".xlsx", kProgId) &&
        setDefaultValue(HKEY_CURRENT_USER, kClasses + kProgId + L"\\shell\\open\\command", command);
    if (registered && xlsxType().empty()) {
        registered =
            setDefaultValue(HKEY_CLASSES_ROOT, L".xlsx", kProgId) &&
            setDefaultValue(HKEY_CLASSES_ROOT, kProgId + L"\\shell\\open\\command", command);
    }
    return registered && xlsxType() == kProgId;
}

void unregisterType() {
    ::RegDeleteTreeW(HKEY_CURRENT_USER, (kClasses + kProgId).c_str());
    ::RegDeleteTreeW(HKEY_CURRENT_USER, (kClasses + L".xlsx").c_str());
    if (xlsxType() == kProgId) {
        ::RegDeleteTreeW(HKEY_CLASSES_ROOT, kProgId.c_str());
        ::RegDeleteTreeW(HKEY_CLASSES_ROOT, L".xlsx");
    }
}
#endif

class OpenReportTest : public LauncherTest {
protected:
    void SetUp() override {
        LauncherTest::SetUp();
        marker_ = (dir_ / "opened.txt").string();
        writeData({{"Acme"}, {"Beta"}});
        stage(fields({{1025, "Company"}}));
    }
    void TearDown() override {
#ifdef _WIN32
        forgetOpener();
#endif
        // Latest first, so each variable gets back the value it had before the test.
        while (!environment_.empty()) {
            environment_.pop_back();
        }
        // The opener works in the report's folder, which Windows will not remove while the
        // opener is still ending.
        std::error_code busy;
        for (auto end = Clock::now() + std::chrono::seconds(30);
             fs::remove_all(dir_, busy) == static_cast<std::uintmax_t>(-1) && Clock::now() < end;) {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        LauncherTest::TearDown();
    }

    // The user's spreadsheet program, as the stand-in that writes what it opens to marker_.
    void installOpener() {
#ifdef _WIN32
        std::wstring opener = fs::absolute(fs::path(BP_TEST_OPENER)).make_preferred().wstring();
        std::wstring command =
            L"\"" + opener + L"\" \"" + fs::path(marker_).wstring() + L"\" \"%1\"";
        ASSERT_TRUE(registerType(command));
#else
        fs::create_directories(dir_ / "bin");
        std::string script = (dir_ / "bin" / "xdg-open").string();
        std::ofstream(script) << "#!/bin/sh\nexec '" << BP_TEST_OPENER << "' '" << marker_
                              << "' \"$1\"\n";
        fs::permissions(script, fs::perms::owner_all);
        environment_.emplace_back(
            std::make_unique<ScopedEnv>("PATH", (dir_ / "bin").string() + ":/usr/bin:/bin"));
        environment_.emplace_back(std::make_unique<ScopedEnv>("DISPLAY", ":0"));
#endif
    }

    // No opener at all: the shell knows no program for the file, or there is no xdg-open.
    void forgetOpener() {
#ifdef _WIN32
        unregisterType();
#else
        fs::create_directories(dir_ / "empty");
        environment_.emplace_back(std::make_unique<ScopedEnv>("PATH", (dir_ / "empty").string()));
        environment_.emplace_back(std::make_unique<ScopedEnv>("DISPLAY", ":0"));
#endif
    }

    bp::test::ProgramResult build(const std::optional<std::string>& noLaunch) {
        ScopedEnv suppression("BRINDLEPATH_NO_LAUNCH", noLaunch);
        return bp::test::runProgram(bp::test::builtProgram("brindlepath-launch"),
                                    {"--out", outPath_});
    }

    // What the opener was given, "" when it has not written within `wait`.
    std::string opened(std::chrono::milliseconds wait) const {
        for (auto end = Clock::now() + wait; !fs::exists(marker_) && Clock::now() < end;) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        std::ifstream in(marker_, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    std::string marker_;
};

// The finished report reaches the user's spreadsheet program. One rule for every program of
// the add-on: only "1" keeps the opener closed.
TEST_F(OpenReportTest, OnlyNoLaunchOneKeepsTheReportClosed) {
    installOpener();
    const std::pair<std::optional<std::string>, bool> cases[] = {
        {"1", false}, {"0", true}, {"yes", true}, {std::nullopt, true}};
    for (const auto& [value, opens] : cases) {
        fs::remove(marker_);
        auto result = build(value);
        ASSERT_EQ(result.exitCode, kExitDone) << result.output;
        EXPECT_EQ(report().text("A2"), "Beta");
        if (opens) {
            EXPECT_EQ(opened(std::chrono::seconds(30)), outPath_) << value.value_or("unset");
        } else {
            EXPECT_EQ(opened(std::chrono::milliseconds(1500)), "") << *value;
        }
    }
}

TEST_F(OpenReportTest, AReportThatCannotBeOpenedIsKeptAndTheUserToldWhy) {
    forgetOpener();
    auto result = build(std::nullopt);
    EXPECT_EQ(result.exitCode, kExitDone) << result.output;
    const std::string told = "The report \"" + outPath_ + "\" was saved but could not be opened: ";
    size_t at = result.output.find(told);
    ASSERT_NE(at, std::string::npos) << result.output;
    // The reason follows in the system's words.
    EXPECT_EQ(result.output.find_first_not_of(" .\r\n", at + told.size()), at + told.size());
    EXPECT_EQ(report().text("A2"), "Beta");
}

}  // namespace
}  // namespace bp::launcher::test
