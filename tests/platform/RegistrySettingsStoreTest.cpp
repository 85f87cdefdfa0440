// The Windows edition's settings in the user's registry, where the classic program kept them.
// Each test has an application key of its own, removed afterwards; under Wine the registry is
// the build folder's private prefix.

#include "platform/RegistrySettingsStore.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <random>

#include "TestSupport.h"
#include "platform/Error.h"
#include "platform/FileSettingsStore.h"
#include "platform/WinText.h"

namespace bp::platform {
namespace {

using test::ScopedEnv;
using test::TempFolder;

class RegistrySettingsStoreTest : public ::testing::Test {
protected:
    ~RegistrySettingsStoreTest() override {
        ::RegDeleteTreeW(HKEY_CURRENT_USER, store_.keyPath().c_str());
    }

    // Writes a value the way the classic SaveSetting does: the same key, a REG_SZ with its
    // terminating zero.
    void writeClassic(const std::wstring& section, const std::wstring& name,
                      const std::wstring& text, DWORD type = REG_SZ) {
        HKEY key = nullptr;
        ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, (store_.keyPath() + L"\\" + section).c_str(),
                                    0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        ::RegSetValueExW(key, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(text.c_str()),
                         static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
        ::RegCloseKey(key);
    }

    // What the registry holds, and its type.
    std::wstring readRaw(const std::wstring& section, const std::wstring& name, DWORD& type) {
        wchar_t buffer[1024] = {};
        DWORD size = sizeof buffer;
        LSTATUS status =
            ::RegGetValueW(HKEY_CURRENT_USER, (store_.keyPath() + L"\\" + section).c_str(),
                           name.c_str(), RRF_RT_ANY | RRF_NOEXPAND, &type, buffer, &size);
        return status == ERROR_SUCCESS ? std::wstring(buffer) : L"<absent>";
    }

    static std::string uniqueApplication() {
        std::random_device random;
        return "brindlepath test " + std::to_string(random());
    }

    std::string application_ = uniqueApplication();
    RegistrySettingsStore store_{application_};
};

TEST_F(RegistrySettingsStoreTest, SettingsLiveWhereTheClassicProgramKeptThem) {
    EXPECT_EQ(
        store_.keyPath().rfind(L"Software\\VB and VBA Program Settings\\brindlepath test ", 0), 0u);
    store_.SaveSetting("Settings", "Lookup", "-1");
    store_.SaveSetting("Report", "Name", "Müller & Söhne");
    DWORD type = 0;
    EXPECT_EQ(readRaw(L"Settings", L"Lookup", type), L"-1");
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(readRaw(L"Report", L"Name", type), L"M\u00fcller & S\u00f6hne");
}

TEST_F(RegistrySettingsStoreTest, AValueWrittenTheClassicWayIsRead) {
    writeClassic(L"Settings", L"LastReport", L"C:\\Reports\\Ums\u00e4tze.XLS");
    writeClassic(L"Settings", L"Lookup", L"0");
    EXPECT_EQ(store_.GetSetting("settings", "LASTREPORT", ""), "C:\\Reports\\Umsätze.XLS");
    EXPECT_EQ(store_.GetAllSettings("SETTINGS"),
              (SettingPairs{{"LastReport", "C:\\Reports\\Umsätze.XLS"}, {"Lookup", "0"}}));
    // Rewritten in another case: one value, spelled as first written.
    store_.SaveSetting("Settings", "lookup", "-1");
    EXPECT_EQ(store_.GetAllSettings("Settings"),
              (SettingPairs{{"LastReport", "C:\\Reports\\Umsätze.XLS"}, {"Lookup", "-1"}}));
}

TEST_F(RegistrySettingsStoreTest, AValueWithoutItsTerminatingZeroIsReadWhole) {
    HKEY key = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, (store_.keyPath() + L"\\Settings").c_str(), 0,
                                nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    ::RegSetValueExW(key, L"Path", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"C:\\x"),
                     4 * sizeof(wchar_t));
    ::RegCloseKey(key);
    EXPECT_EQ(store_.GetSetting("Settings", "Path", ""), "C:\\x");
    EXPECT_EQ(store_.GetAllSettings("Settings"), (SettingPairs{{"Path", "C:\\x"}}));
}

TEST_F(RegistrySettingsStoreTest, ValuesThatAreNotTextAreNoSettings) {
    writeClassic(L"Settings", L"Text", L"1");
    HKEY key = nullptr;
    ASSERT_EQ(::RegOpenKeyExW(HKEY_CURRENT_USER, (store_.keyPath() + L"\\Settings").c_str(), 0,
                              KEY_WRITE, &key),
              ERROR_SUCCESS);
    DWORD number = 7;
    ::RegSetValueExW(key, L"Number", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                     sizeof number);
    ::RegCloseKey(key);
    EXPECT_EQ(store_.GetSetting("Settings", "Number", "default"), "default");
    EXPECT_EQ(store_.GetAllSettings("Settings"), (SettingPairs{{"Text", "1"}}));
}

TEST_F(RegistrySettingsStoreTest, ASectionListsItsSettingsInNameOrder) {
    store_.SaveSetting("Report", "Sort0", "25");
    store_.SaveSetting("Report", "path", "/t/a.XLT");
    store_.SaveSetting("Report", "FieldsIncluded", "1025\x0c");
    EXPECT_EQ(
        store_.GetAllSettings("report"),
        (SettingPairs{{"FieldsIncluded", "1025\x0c"}, {"path", "/t/a.XLT"}, {"Sort0", "25"}}));
}

TEST_F(RegistrySettingsStoreTest, DeletingASectionTakesWhatLiesBelowIt) {
    store_.SaveSetting("Report", "A", "1");
    writeClassic(L"Report\\Below", L"B", L"2");
    store_.SaveSetting("Settings", "Lookup", "-1");
    store_.DeleteSetting("REPORT");
    DWORD type = 0;
    EXPECT_EQ(readRaw(L"Report\\Below", L"B", type), L"<absent>");
    EXPECT_EQ(readRaw(L"Report", L"A", type), L"<absent>");
    EXPECT_EQ(store_.GetSetting("Settings", "Lookup", ""), "-1");
    EXPECT_NO_THROW(store_.DeleteSetting("Report"));
}

TEST_F(RegistrySettingsStoreTest, ABatchKeepsWhatItDidWhenItFails) {
    EXPECT_THROW(store_.batch([&] {
        store_.SaveSetting("Report", "Read", "1");
        throw std::runtime_error("line cannot be split");
    }),
                 std::runtime_error);
    EXPECT_EQ(RegistrySettingsStore(application_).GetSetting("Report", "Read", ""), "1");
}

TEST(OpenUserSettingsTest, TheRegistryUnlessAFileIsNamed) {
    TempFolder folder;
    {
        ScopedEnv settings("BRINDLEPATH_SETTINGS", folder.file("mine.ini"));
        auto store = openUserSettings();
        auto* file = dynamic_cast<FileSettingsStore*>(store.get());
        ASSERT_NE(file, nullptr);
        EXPECT_EQ(file->path(), folder.file("mine.ini"));
    }
    ScopedEnv noSettings("BRINDLEPATH_SETTINGS", std::nullopt);
    auto store = openUserSettings();
    auto* registry = dynamic_cast<RegistrySettingsStore*>(store.get());
    ASSERT_NE(registry, nullptr);
    EXPECT_EQ(registry->keyPath(), L"Software\\VB and VBA Program Settings\\brindlepath");
}

}  // namespace
}  // namespace bp::platform
