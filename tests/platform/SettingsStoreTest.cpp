// Behaviour of the settings store as the program and the report builder see it.

#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <chrono>
#include <filesystem>

#include "TestSupport.h"
#include "platform/Error.h"
#include "platform/FileSettingsStore.h"
#include "platform/MemorySettingsStore.h"
#ifdef _WIN32
#include <windows.h>

#include "platform/RegistrySettingsStore.h"
#endif
#include "support/KillDuringSaves.h"

namespace bp::platform {
namespace {

using test::ScopedEnv;
using test::TempFolder;

using test::readFile;
using test::writeFile;

// Both stores must behave alike: the layers above are tested against the memory one.
template <typename Store>
class SettingsStoreContract : public ::testing::Test {
protected:
    std::unique_ptr<SettingsStore> makeStore() {
        if constexpr (std::is_same_v<Store, FileSettingsStore>) {
            return std::make_unique<FileSettingsStore>(folder_.file("settings.ini"));
#ifdef _WIN32
        } else if constexpr (std::is_same_v<Store, RegistrySettingsStore>) {
            // An application key of its own, named after the temporary folder.
            auto store = std::make_unique<RegistrySettingsStore>(
                "brindlepath test " + folder_.path().filename().string());
            registryKey_ = store->keyPath();
            return store;
#endif
        } else {
            return std::make_unique<MemorySettingsStore>();
        }
    }
#ifdef _WIN32
    ~SettingsStoreContract() override {
        if (!registryKey_.empty()) {
            ::RegDeleteTreeW(HKEY_CURRENT_USER, registryKey_.c_str());
        }
    }
    std::wstring registryKey_;
#endif
    TempFolder folder_;
};

#ifdef _WIN32
using StoreKinds = ::testing::Types<FileSettingsStore, MemorySettingsStore, RegistrySettingsStore>;
#else
using StoreKinds = ::testing::Types<FileSettingsStore, MemorySettingsStore>;
#endif
TYPED_TEST_SUITE(SettingsStoreContract, StoreKinds);

TYPED_TEST(SettingsStoreContract, NamesInAnyCaseReachTheSameValue) {
    auto store = this->makeStore();
    store->SaveSetting("Settings", "ChkSales0", "1");
    EXPECT_EQ(store->GetSetting("settings", "chkSales0", "0"), "1");
    EXPECT_EQ(store->GetSetting("SETTINGS", "CHKSALES0", "0"), "1");
    store->SaveSetting("SETTINGS", "chksales0", "0");
    // One key, spelled as first written.
    EXPECT_EQ(store->GetAllSettings("Settings"), (SettingPairs{{"ChkSales0", "0"}}));
}

TYPED_TEST(SettingsStoreContract, NamesOutsideAsciiMatchInAnyCase) {
    auto store = this->makeStore();
    store->SaveSetting("Ärger", "Émile", "1");
    store->SaveSetting("ärger", "ØRSTED", "2");
    store->SaveSetting("ÄRGER", "łódź", "3");
    EXPECT_EQ(store->GetSetting("ärger", "émile", "0"), "1");
    EXPECT_EQ(store->GetSetting("Ärger", "Ørsted", "0"), "2");
    EXPECT_EQ(store->GetSetting("ärger", "ŁÓDŹ", "0"), "3");
    EXPECT_EQ(store->GetAllSettings("ÄRGER"),
              (SettingPairs{{"Émile", "1"}, {"ØRSTED", "2"}, {"łódź", "3"}}));
    store->DeleteSetting("äRGER", "ÉMILE");
    EXPECT_EQ(store->GetSetting("Ärger", "Émile", "gone"), "gone");
}

TYPED_TEST(SettingsStoreContract, AbsentKeysAndSectionsGiveTheDefault) {
    auto store = this->makeStore();
    EXPECT_EQ(store->GetSetting("Settings", "Lookup", "1"), "1");
    store->SaveSetting("Settings", "Other", "x");
    EXPECT_EQ(store->GetSetting("Settings", "Lookup", "-1"), "-1");
    EXPECT_EQ(store->GetSetting("Report", "Other", ""), "");
    EXPECT_TRUE(store->GetAllSettings("Nothing").empty());
}

TYPED_TEST(SettingsStoreContract, GetAllSettingsKeepsTheOrderFirstWritten) {
#ifdef _WIN32
    if constexpr (std::is_same_v<TypeParam, RegistrySettingsStore>) {
        GTEST_SKIP() << "The registry keeps no order of writing: its store lists by name";
    }
#endif
    auto store = this->makeStore();
    store->SaveSetting("Report", "Sort0", "25");
    store->SaveSetting("Report", "FieldsIncluded",
                       "1025\x0c"
                       "34\x0c");
    store->SaveSetting("Settings", "Lookup", "-1");
    store->SaveSetting("Report", "Path", "/t/a.XLT");
    store->SaveSetting("report", "SORT0", "26");
    EXPECT_EQ(store->GetAllSettings("REPORT"), (SettingPairs{{"Sort0", "26"},
                                                             {"FieldsIncluded",
                                                              "1025\x0c"
                                                              "34\x0c"},
                                                             {"Path", "/t/a.XLT"}}));
}

TYPED_TEST(SettingsStoreContract, DeletingAKeyOrSectionLeavesTheRest) {
    auto store = this->makeStore();
    store->SaveSetting("Report", "A", "1");
    store->SaveSetting("Report", "B", "2");
    store->SaveSetting("Report", "C", "3");
    store->SaveSetting("Settings", "Lookup", "-1");
    store->DeleteSetting("report", "b");
    EXPECT_EQ(store->GetAllSettings("Report"), (SettingPairs{{"A", "1"}, {"C", "3"}}));
    EXPECT_EQ(store->GetSetting("Report", "C", ""), "3");
    store->DeleteSetting("REPORT");
    EXPECT_TRUE(store->GetAllSettings("Report").empty());
    EXPECT_EQ(store->GetSetting("Report", "A", "gone"), "gone");
    EXPECT_EQ(store->GetSetting("Settings", "Lookup", ""), "-1");
}

TYPED_TEST(SettingsStoreContract, DeletingWhatIsAbsentIsNoError) {
    auto store = this->makeStore();
    EXPECT_NO_THROW(store->DeleteSetting("Report", "Nothing"));
    EXPECT_NO_THROW(store->DeleteSetting("Nothing"));
    store->SaveSetting("Report", "A", "1");
    EXPECT_NO_THROW(store->DeleteSetting("Report", "Nothing"));
    EXPECT_EQ(store->GetSetting("Report", "A", ""), "1");
}

TYPED_TEST(SettingsStoreContract, AnEmptyNameIsRefused) {
    auto store = this->makeStore();
    try {
        store->SaveSetting("Settings", "", "1");
        FAIL() << "an empty key was accepted";
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), kErrInvalidCall);
    }
}

// Values of the program: Chr(12)-terminated lists, paths, captions the user typed.
TYPED_TEST(SettingsStoreContract, AwkwardValuesComeBackUnchanged) {
    const std::vector<std::string> values = {
        "0\x0c"
        "2\x0c",
        "line1\r\nline2\n",
        "100%",
        "%0C literally",
        "a=b=c",
        "C:\\Temp\\x.DXL",
        "Müller & Söhne",
        "\t lead",
        "",
        std::string("\x7f\x01", 2),
        "[Report]",
        "%",
        "%%25%zz%4"};
    auto store = this->makeStore();
    for (std::size_t i = 0; i < values.size(); ++i) {
        store->SaveSetting("Report", "Key" + std::to_string(i), values[i]);
    }
    for (std::size_t i = 0; i < values.size(); ++i) {
        EXPECT_EQ(store->GetSetting("Report", "Key" + std::to_string(i), "default"), values[i]);
    }
}

class FileSettingsStoreTest : public ::testing::Test {
protected:
    TempFolder folder_;
    std::string path_ = folder_.file("settings.ini");
};

TEST_F(FileSettingsStoreTest, WritesTheSharedFileFormat) {
    FileSettingsStore store(path_);
    store.SaveSetting("Settings", "Lookup", "-1");
    store.SaveSetting("Settings", "lstCriteria0",
                      "0\x0c"
                      "2\x0c");
    store.SaveSetting("Report", "FieldsIncluded",
                      "1025\x0c"
                      "34\x0c");
    store.SaveSetting("Report", "Path", "C:\\Templates\\100%.XLT");
    EXPECT_EQ(readFile(path_),
              "[Settings]\nLookup=-1\nlstCriteria0=0%0C2%0C\n"
              "[Report]\nFieldsIncluded=1025%0C34%0C\nPath=C:\\Templates\\100%25.XLT\n");
}

TEST_F(FileSettingsStoreTest, AwkwardNamesSurviveAReload) {
    {
        FileSettingsStore store(path_);
        store.SaveSetting("Report", "a=b", "1");
        store.SaveSetting("Report", "[x", "]");
        store.SaveSetting("Sec]tion", "k", "v");
    }
    FileSettingsStore reopened(path_);
    EXPECT_EQ(reopened.GetAllSettings("Report"), (SettingPairs{{"a=b", "1"}, {"[x", "]"}}));
    EXPECT_EQ(reopened.GetSetting("sec]tion", "K", ""), "v");
}

TEST_F(FileSettingsStoreTest, TwoStoresOnOneFileSeeEachOthersSaves) {
    FileSettingsStore program(path_);
    FileSettingsStore builder(path_);
    program.SaveSetting("Settings", "Lookup", "-1");
    EXPECT_EQ(builder.GetSetting("Settings", "Lookup", ""), "-1");
    builder.SaveSetting("Report", "Built", "1");
    program.SaveSetting("Settings", "Report", "0");
    builder.DeleteSetting("Settings", "Lookup");
    program.SaveSetting("Report", "Path", "/p");
    // Nobody lost a key the other wrote in between.
    FileSettingsStore fresh(path_);
    EXPECT_EQ(fresh.GetAllSettings("Report"), (SettingPairs{{"Built", "1"}, {"Path", "/p"}}));
    EXPECT_EQ(fresh.GetAllSettings("Settings"), (SettingPairs{{"Report", "0"}}));
    EXPECT_EQ(program.GetSetting("Settings", "Lookup", "absent"), "absent");
}

TEST_F(FileSettingsStoreTest, SeesAFileReplacedByAnotherWriter) {
    FileSettingsStore store(path_);
    store.SaveSetting("Settings", "Lookup", "-1");
    EXPECT_EQ(store.GetSetting("Settings", "Lookup", ""), "-1");
    writeFile(path_ + ".new", "[Settings]\nLookup=0\n");
    std::filesystem::rename(path_ + ".new", path_);
    EXPECT_EQ(store.GetSetting("Settings", "Lookup", ""), "0");
}

TEST_F(FileSettingsStoreTest, ADamagedFileStillLoadsWhatItCan) {
    using namespace std::string_literals;
    std::string damaged =
        "garbage before any section\n"
        "[Settings]\n"
        "Lookup=-1\r\n"
        "no equals sign here\n"
        "=value without a key\n"
        "Bad=%G1%0\n"
        "\x01\x02\xff\xfe binary\x00 junk\n"
        "Report=0\n"
        "[]\n"
        "Lost=1\n"
        "[Report]\n"
        "Path=/a=b\n"
        "Truncated=12"s;
    writeFile(path_, damaged);
    FileSettingsStore store(path_);
    EXPECT_EQ(store.GetSetting("Settings", "Lookup", ""), "-1");
    EXPECT_EQ(store.GetSetting("Settings", "Bad", ""), "%G1%0");
    EXPECT_EQ(store.GetSetting("Settings", "Report", ""), "0");
    EXPECT_EQ(store.GetSetting("Report", "Path", ""), "/a=b");
    EXPECT_EQ(store.GetSetting("Report", "Truncated", ""), "12");
    EXPECT_EQ(store.GetSetting("Settings", "Lost", "none"), "none");
    // The next save writes a clean file that keeps what was readable.
    store.SaveSetting("Settings", "Lookup", "0");
    FileSettingsStore reread(path_);
    EXPECT_EQ(reread.GetSetting("Report", "Path", ""), "/a=b");
    EXPECT_EQ(reread.GetSetting("Settings", "Bad", ""), "%G1%0");
}

TEST_F(FileSettingsStoreTest, AFolderThatCannotHoldTheFileRaisesAStoreError) {
    writeFile(folder_.file("plain-file"), "x");
    FileSettingsStore store(folder_.file("plain-file/brindlepath/settings.ini"));
    EXPECT_EQ(store.GetSetting("Settings", "Lookup", "1"), "1");
    try {
        store.SaveSetting("Settings", "Lookup", "-1");
        FAIL() << "the save reported success";
    } catch (const Error& e) {
        EXPECT_TRUE(e.number() == kErrPathFileAccess || e.number() == kErrPermissionDenied)
            << e.number();
        EXPECT_NE(e.description().find("settings.ini"), std::string::npos) << e.description();
    }
    // What could not be kept is not pretended either.
    EXPECT_EQ(store.GetSetting("Settings", "Lookup", "1"), "1");
    EXPECT_NO_THROW(store.DeleteSetting("Settings", "Lookup"));
    EXPECT_NO_THROW(store.DeleteSetting("Settings"));
}

TEST_F(FileSettingsStoreTest, APathNamingAFolderIsRefusedAndLeavesNothingBesideIt) {
    std::filesystem::create_directory(path_);  // a folder where the file should be
    FileSettingsStore store(path_);
    try {
        store.SaveSetting("Settings", "Lookup", "-1");
        FAIL() << "the save reported success";
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), kErrPathFileAccess);
        EXPECT_NE(e.description().find("settings.ini"), std::string::npos) << e.description();
    }
    EXPECT_TRUE(std::filesystem::is_empty(path_));
    EXPECT_EQ(bp::test::temporariesIn(folder_.path()), 0);
    EXPECT_FALSE(std::filesystem::exists(path_ + ".lock")) << "a stray lock file beside it";
}

// Neither a pipe (which would block the read) nor an endless device (which would fill the
// memory) is ever read as the store.
TEST_F(FileSettingsStoreTest, APipeOrADeviceIsNeitherReadNorReplaced) {
#ifdef _WIN32
    GTEST_SKIP() << "The pipe is made with mkfifo and the device linked from /dev/zero";
#else
    std::string fifo = folder_.file("fifo.ini");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::string zero = folder_.file("zero.ini");
    std::filesystem::create_symlink("/dev/zero", zero);
    for (const std::string& path : {fifo, zero}) {
        FileSettingsStore store(path);
        EXPECT_EQ(store.GetSetting("Settings", "Lookup", "default"), "default") << path;
        try {
            store.SaveSetting("Settings", "Lookup", "-1");
            ADD_FAILURE() << "the save reported success for " << path;
        } catch (const Error& e) {
            EXPECT_EQ(e.number(), kErrPathFileAccess);
            EXPECT_NE(e.description().find("not a regular file"), std::string::npos)
                << e.description();
        }
        EXPECT_FALSE(std::filesystem::exists(path + ".lock")) << path;
    }
    EXPECT_TRUE(std::filesystem::is_fifo(fifo));
    EXPECT_TRUE(std::filesystem::is_symlink(zero));
#endif
}

TEST_F(FileSettingsStoreTest, AStoreLargerThanTheLimitIsNotReadNorReplaced) {
    std::string huge =
        "[Settings]\nLookup=-1\nPad=" + std::string(FileSettingsStore::kMaxStoreBytes, 'x') + "\n";
    writeFile(path_, huge);
    FileSettingsStore store(path_);
    EXPECT_EQ(store.GetSetting("Settings", "Lookup", "default"), "default");
    try {
        store.SaveSetting("Settings", "Lookup", "0");
        FAIL() << "the save reported success";
    } catch (const Error& e) {
        EXPECT_NE(e.description().find("too large"), std::string::npos) << e.description();
    }
    EXPECT_EQ(std::filesystem::file_size(path_), huge.size());
}

TEST_F(FileSettingsStoreTest, AStoreJustWithinTheLimitIsRead) {
    std::string head = "[Settings]\nLookup=-1\nPad=";
    writeFile(path_,
              head + std::string(FileSettingsStore::kMaxStoreBytes - head.size() - 1, 'x') + "\n");
    EXPECT_EQ(FileSettingsStore(path_).GetSetting("Settings", "Lookup", "default"), "-1");
}

// The writer dies at any moment of a save, hundreds of times: the file is always one whole
// version, and the next save removes the temporary a killed one left.
TEST_F(FileSettingsStoreTest, AWriterKilledDuringSavesLeavesAWholeVersion) {
#ifdef _WIN32
    GTEST_SKIP() << "The writers are forked children killed with signals";
#else
    const std::size_t kPayload = 100000;
    auto payload = [&](long version) {
        return std::string(kPayload, static_cast<char>('a' + version % 26)) + "|" +
               std::to_string(version);
    };
    FileSettingsStore(path_).SaveSetting("Big", "payload", payload(0));
    bp::test::KillRounds rounds;
    rounds.save = [&](long version) {
        FileSettingsStore(path_).SaveSetting("Big", "payload", payload(version));
    };
    rounds.versionOnDisk = [&] {
        std::string value = FileSettingsStore(path_).GetSetting("Big", "payload", "");
        long version = value.size() > kPayload + 1 ? std::stol(value.substr(kPayload + 1)) : -1;
        EXPECT_EQ(value, payload(version));
        return version;
    };
    EXPECT_GT(bp::test::killDuringSaves(rounds, folder_.path()), 20);
    FileSettingsStore(path_).SaveSetting("Big", "after", "1");
    EXPECT_EQ(bp::test::temporariesIn(folder_.path()), 0);
#endif
}

TEST_F(FileSettingsStoreTest, StagingAFewHundredKeysOneAtATimeStaysQuick) {
    FileSettingsStore store(path_);
    auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < 400; ++i) {
        store.SaveSetting("Report", "Key" + std::to_string(i), "value " + std::to_string(i));
    }
    auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_LT(elapsed, std::chrono::seconds(20));  // a shared build disk is slow
    EXPECT_EQ(FileSettingsStore(path_).GetAllSettings("Report").size(), 400u);
}

TEST_F(FileSettingsStoreTest, ABatchWritesOnceAtTheEnd) {
    FileSettingsStore store(path_);
    FileSettingsStore reader(path_);
    store.SaveSetting("Report", "Old", "1");
    store.batch([&] {
        store.DeleteSetting("Report");
        for (int i = 0; i < 300; ++i) {
            store.SaveSetting("Report", "Key" + std::to_string(i), std::to_string(i));
        }
        EXPECT_EQ(store.GetSetting("Report", "Key299", ""), "299");
        EXPECT_EQ(reader.GetSetting("Report", "Old", ""), "1") << "written before the end";
    });
    EXPECT_EQ(reader.GetSetting("Report", "Old", "gone"), "gone");
    EXPECT_EQ(reader.GetAllSettings("Report").size(), 300u);
}

TEST_F(FileSettingsStoreTest, ABatchThatFailsKeepsWhatItDid) {
    FileSettingsStore store(path_);
    EXPECT_THROW(store.batch([&] {
        store.SaveSetting("Report", "Read", "1");
        throw std::runtime_error("line cannot be split");
    }),
                 std::runtime_error);
    EXPECT_EQ(FileSettingsStore(path_).GetSetting("Report", "Read", ""), "1");
    // The write lock is free again for everybody.
    FileSettingsStore(path_).SaveSetting("Report", "After", "1");
    EXPECT_EQ(store.GetSetting("Report", "After", ""), "1");
}

TEST(UserSettingsPathTest, FollowsTheEnvironment) {
    // The variable naming the file itself is followed in PathTextTest, with a Unicode path.
#ifdef _WIN32
    GTEST_SKIP() << "Without a named file the Windows edition keeps its settings in the registry";
#endif
    TempFolder folder;
    ScopedEnv noSettings("BRINDLEPATH_SETTINGS", std::nullopt);
    {
        ScopedEnv config("XDG_CONFIG_HOME", folder.file("config"));
        EXPECT_EQ(userSettingsPath(), folder.file("config") + "/brindlepath/settings.ini");
    }
    ScopedEnv noConfig("XDG_CONFIG_HOME", std::nullopt);
    ScopedEnv home("HOME", folder.file("home"));
    EXPECT_EQ(userSettingsPath(), folder.file("home") + "/.config/brindlepath/settings.ini");
}

}  // namespace
}  // namespace bp::platform
