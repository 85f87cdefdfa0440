#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "definitions/DefinitionFile.h"
#include "forms/ScriptedUi.h"
#include "platform/Error.h"
#include "platform/MemorySettingsStore.h"
#include "platform/TestSupport.h"
#include "support/KillDuringSaves.h"
#ifdef _WIN32
#include "support/HeldOpen.h"
#else
#include "support/FileSizeLimit.h"
#endif
#include "support/SessionSeed.h"

namespace bp::definitions {
namespace {

using platform::test::TempFolder;

class DefinitionFileTest : public testing::Test {
protected:
    DefinitionFileTest() {
        session_.ui = &ui_;
        session_.settings = &store_;
        bp::test::SessionSeed::sTemplatesFolder(session_, folder_.path().string() + "/");
    }

    void writeFile(const std::string& name, const std::string& bytes) {
        std::ofstream(folder_.file(name), std::ios::binary) << bytes;
    }
    std::string readFile(const std::string& name) {
        std::ifstream in(folder_.file(name), std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    std::vector<std::string> names() const {
        std::vector<std::string> found;
        for (const auto& entry : std::filesystem::directory_iterator(folder_.path())) {
            found.push_back(entry.path().filename().string());
        }
        std::sort(found.begin(), found.end());
        return found;
    }
    std::string staged(const std::string& key) {
        return store_.GetSetting("Report", key, "<absent>");
    }

    TempFolder folder_;
    forms::ScriptedUi ui_;
    platform::MemorySettingsStore store_;
    act::Session session_;
};

TEST_F(DefinitionFileTest, StagesEveryLineAndSkipsEmptyOnes) {
    writeFile("Pipeline.DXL", "Sort0=39\r\n\r\nTitleCaption0=\r\nHeader=1\r\n");
    ASSERT_TRUE(Load_DefFile(session_, "Pipeline", kExcelReport));
    EXPECT_EQ(staged("Sort0"), "39");
    EXPECT_EQ(staged("TitleCaption0"), "");
    EXPECT_EQ(staged("header"), "1");
    EXPECT_EQ(store_.GetAllSettings("Report").size(), 3u);
}

TEST_F(DefinitionFileTest, KeepsEverythingAfterTheFirstEqualsSign) {
    writeFile("Won.DCS", "TotalCaption0=Total = <value>\r\n");
    ASSERT_TRUE(Load_DefFile(session_, "Won", kCsvExport));
    EXPECT_EQ(staged("TotalCaption0"), "Total = <value>");
}

TEST_F(DefinitionFileTest, LoadingReplacesThePreviouslyStagedDefinition) {
    store_.SaveSetting("Report", "Totals0", "1");
    writeFile("A.DXL", "Sort0=27\r\n");
    ASSERT_TRUE(Load_DefFile(session_, "A", kExcelReport));
    EXPECT_EQ(staged("Totals0"), "<absent>");
    EXPECT_EQ(stagedValue(session_, "Totals0"), "0");  // readers fall back to the catalogue
}

TEST_F(DefinitionFileTest, MissingFileSaysSoOnceAndKeepsTheStagingSection) {
    store_.SaveSetting("Report", "Sort0", "34");
    EXPECT_FALSE(Load_DefFile(session_, "Nowhere", kExcelReport));
    ASSERT_EQ(ui_.messages().size(), 1u);
    EXPECT_EQ(ui_.messages()[0].request.text, "The definition file for this report is missing!");
    EXPECT_EQ(ui_.messages()[0].request.title, "brindlepath");
    EXPECT_EQ(ui_.messages()[0].request.icon, forms::MsgIcon::Exclamation);
    EXPECT_EQ(staged("Sort0"), "34");
}

TEST_F(DefinitionFileTest, ALineWithoutAValueReachesTheCallersHandler) {
    writeFile("Broken.DXL", "Sort0=1\r\ngarbage\r\n");
    EXPECT_THROW(Load_DefFile(session_, "Broken", kExcelReport), Error);
    EXPECT_EQ(staged("Sort0"), "1");
}

TEST_F(DefinitionFileTest, RoundTripsThroughStagingAndWriteBack) {
    const std::string original =
        "TitleCaption0=\r\nHeader=0\r\nTotalCaption99=Sum = all\r\nFieldsIncluded=1025\f34\f\r\n";
    writeFile("R.DXL", original);
    ASSERT_TRUE(Load_DefFile(session_, "R", kExcelReport));
    ASSERT_TRUE(Update_DefFile(session_, "R", kExcelReport));
    EXPECT_EQ(readFile("R.DXL"), original);
    ASSERT_TRUE(Load_DefFile(session_, "R", kExcelReport));
    EXPECT_EQ(staged("TotalCaption99"), "Sum = all");
    EXPECT_EQ(staged("FieldsIncluded"), "1025\f34\f");
}

TEST_F(DefinitionFileTest, WriteBackUsesTheExistingFilesLetterCase) {
    writeFile("pipeline.DXL", "Sort0=39\r\n");
    ASSERT_TRUE(Load_DefFile(session_, "Pipeline", kExcelReport));
    stageValue(session_, "Sort0", "34");
    ASSERT_TRUE(Update_DefFile(session_, "Pipeline", kExcelReport));
    EXPECT_EQ(readFile("pipeline.DXL"), "Sort0=34\r\n");
    // Listed rather than looked up: a Windows file system finds either spelling.
    EXPECT_EQ(names(), std::vector<std::string>{"pipeline.DXL"});
}

TEST_F(DefinitionFileTest, AFailedWriteBackKeepsTheOldFileAndIsReportedThenRaised) {
    writeFile("Keep.DXL", "Sort0=39\r\n");
    ASSERT_TRUE(Load_DefFile(session_, "Keep", kExcelReport));
    stageValue(session_, "Sort0", "34");
    {
#ifdef _WIN32
        // Windows has no file size limit to fill the disk with: the file is held open by
        // another program instead, so the new version cannot take its place.
        bp::test::HeldOpen inUse(folder_.file("Keep.DXL"));
        ASSERT_TRUE(inUse.active());
#else
        bp::test::FileSizeLimit diskFull(0);
        ASSERT_TRUE(diskFull.active());
#endif
        EXPECT_THROW(Update_DefFile(session_, "Keep", kExcelReport), Error);
    }
    EXPECT_EQ(readFile("Keep.DXL"), "Sort0=39\r\n");
    EXPECT_EQ(bp::test::temporariesIn(folder_.path()), 0);
    ASSERT_EQ(ui_.messages().size(), 1u);
    EXPECT_EQ(ui_.messages()[0].request.title, "Error in Library1: Function Update_DefFile");
    EXPECT_NE(ui_.messages()[0].request.text.find("\r\r(Error #"), std::string::npos);
}

TEST_F(DefinitionFileTest, ADefinitionLargerThanAnyCanBeIsRefusedAndStagesNothing) {
    store_.SaveSetting("Report", "Sort0", "34");
    writeFile("Huge.DXL", "Sort0=1\r\nPad=" + std::string(kMaxDefinitionBytes, 'x') + "\r\n");
    try {
        Load_DefFile(session_, "Huge", kExcelReport);
        FAIL() << "the definition was read";
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), kErrPathFileAccess);
        EXPECT_NE(e.description().find("Huge.DXL"), std::string::npos) << e.description();
        EXPECT_NE(e.description().find("too large"), std::string::npos) << e.description();
    }
    EXPECT_EQ(staged("Sort0"), "34");
    EXPECT_EQ(staged("Pad"), "<absent>");
}

// A pipe would block the read and a device would never end: neither counts as a definition.
TEST_F(DefinitionFileTest, APipeOrADeviceIsNoDefinition) {
#ifdef _WIN32
    // "NUL" with any extension, in any folder, is the null device on Windows.
    EXPECT_FALSE(Load_DefFile(session_, "NUL", kExcelReport));
    EXPECT_FALSE(Load_DefFile(session_, "nul", kExcelReport));
#else
    ASSERT_EQ(::mkfifo(folder_.file("Pipe.DXL").c_str(), 0600), 0);
    std::filesystem::create_symlink("/dev/zero", folder_.file("Zero.DXL"));
    EXPECT_FALSE(Load_DefFile(session_, "Pipe", kExcelReport));
    EXPECT_FALSE(Load_DefFile(session_, "Zero", kExcelReport));
#endif
    ASSERT_EQ(ui_.messages().size(), 2u);
    EXPECT_EQ(ui_.messages()[1].request.text, "The definition file for this report is missing!");
}

// The settings dialog's Close is killed at random points of the write-back, hundreds of
// times: the definition is always one whole version.
TEST_F(DefinitionFileTest, AWriteBackKilledAnywhereLeavesAWholeDefinition) {
#ifdef _WIN32
    GTEST_SKIP() << "The writers are forked children killed with signals";
#else
    auto text = [](long version) {
        return "Version=" + std::to_string(version) +
               "\r\nPad=" + std::string(100000, static_cast<char>('a' + version % 26)) + "\r\n";
    };
    writeFile("Crash.DXL", text(0));
    bp::test::KillRounds rounds;
    ASSERT_TRUE(Load_DefFile(session_, "Crash", kExcelReport));
    rounds.save = [&](long version) {
        stageValue(session_, "Version", std::to_string(version));
        stageValue(session_, "Pad", std::string(100000, static_cast<char>('a' + version % 26)));
        Update_DefFile(session_, "Crash", kExcelReport);
    };
    rounds.versionOnDisk = [&] {
        std::string now = readFile("Crash.DXL");
        long version = std::stol(now.substr(now.find('=') + 1));
        EXPECT_EQ(now, text(version));
        return version;
    };
    EXPECT_GT(bp::test::killDuringSaves(rounds, folder_.path()), 20);
    ASSERT_TRUE(Load_DefFile(session_, "Crash", kExcelReport));
    ASSERT_TRUE(Update_DefFile(session_, "Crash", kExcelReport));
    EXPECT_EQ(bp::test::temporariesIn(folder_.path()), 0);
#endif
}

// Definitions written on Windows hold their captions in the single-byte Windows code page.
TEST_F(DefinitionFileTest, AWindowsCodePageDefinitionIsReadAsSuch) {
    // "Größe €" and a dash and quotes from 0x80-0x9F
    writeFile("Sizes.DXL",
              "TitleCaption0=Gr\xF6\xDF"
              "e \x80\r\nTotalCaption0=\x93Sum\x94 \x96 all\r\n");
    ASSERT_TRUE(Load_DefFile(session_, "Sizes", kExcelReport));
    EXPECT_EQ(staged("TitleCaption0"), "Größe €");
    EXPECT_EQ(staged("TotalCaption0"), "“Sum” – all");
}

TEST_F(DefinitionFileTest, EveryByteOfTheCodePageReadsAsItsCharacter) {
    std::string all;
    for (int byte = 0x20; byte < 0x100; ++byte) {
        if (byte != '=') {
            all += static_cast<char>(byte);
        }
    }
    writeFile("All.DXL", "TitleCaption0=" + all + "\r\n");
    ASSERT_TRUE(Load_DefFile(session_, "All", kExcelReport));
    const std::string value = staged("TitleCaption0");
    // DEL, then "€", the unassigned 0x81 as U+0081, "‚" and "ƒ"
    EXPECT_NE(value.find("}~\x7F"
                         "€\xC2\x81"
                         "‚ƒ"),
              std::string::npos);
    EXPECT_NE(value.find("žŸ\xC2\xA0"
                         "¡"),
              std::string::npos);
    EXPECT_EQ(value.substr(value.size() - 4), "þÿ");
    ASSERT_TRUE(Update_DefFile(session_, "All", kExcelReport));
    EXPECT_EQ(readFile("All.DXL"), "TitleCaption0=" + all + "\r\n");
}

TEST_F(DefinitionFileTest, AnEditedCodePageDefinitionIsWrittenBackInItsEncoding) {
    const std::string original =
        "TitleCaption0=Gr\xF6\xDF"
        "e\r\nSort0=39\r\n";
    writeFile("Sizes.DXL", original);
    ASSERT_TRUE(Load_DefFile(session_, "Sizes", kExcelReport));
    ASSERT_TRUE(Update_DefFile(session_, "Sizes", kExcelReport));
    EXPECT_EQ(readFile("Sizes.DXL"), original);
    stageValue(session_, "TotalCaption0", "Summe \xE2\x82\xAC");  // "Summe €", typed
    ASSERT_TRUE(Update_DefFile(session_, "Sizes", kExcelReport));
    EXPECT_EQ(readFile("Sizes.DXL"), original + "TotalCaption0=Summe \x80\r\n");
}

TEST_F(DefinitionFileTest, ACharacterTheCodePageLacksMakesTheFileUtf8) {
    writeFile("Cities.DXL",
              "TitleCaption0=Gr\xF6\xDF"
              "e\r\n");
    ASSERT_TRUE(Load_DefFile(session_, "Cities", kExcelReport));
    stageValue(session_, "TotalCaption0", "Łódź");
    ASSERT_TRUE(Update_DefFile(session_, "Cities", kExcelReport));
    EXPECT_EQ(readFile("Cities.DXL"), "TitleCaption0=Größe\r\nTotalCaption0=Łódź\r\n");
    ASSERT_TRUE(Load_DefFile(session_, "Cities", kExcelReport));
    EXPECT_EQ(staged("TitleCaption0"), "Größe");
    EXPECT_EQ(staged("TotalCaption0"), "Łódź");
}

// "Ã©" in the code page is the two bytes UTF-8 writes "é" with: kept in the code page once
// the "é" beside it is gone, the caption would read back as "é".
TEST_F(DefinitionFileTest, CodePageBytesThatReadAsUtf8MakeTheFileUtf8) {
    writeFile("Accents.DXL",
              "TitleCaption0=\xC3\xA9t\xE9\r\n"
              "Sort0=39\r\n");
    ASSERT_TRUE(Load_DefFile(session_, "Accents", kExcelReport));
    ASSERT_EQ(staged("TitleCaption0"), "Ã©té");
    stageValue(session_, "TitleCaption0", "Ã©");
    ASSERT_TRUE(Update_DefFile(session_, "Accents", kExcelReport));
    EXPECT_EQ(readFile("Accents.DXL"), "TitleCaption0=Ã©\r\nSort0=39\r\n");
    ASSERT_TRUE(Load_DefFile(session_, "Accents", kExcelReport));
    EXPECT_EQ(staged("TitleCaption0"), "Ã©");
}

TEST_F(DefinitionFileTest, AUtf8DefinitionStaysUtf8) {
    const std::string original = "TitleCaption0=Größe\r\n";
    writeFile("Sizes.DCS", original);
    ASSERT_TRUE(Load_DefFile(session_, "Sizes", kCsvExport));
    EXPECT_EQ(staged("TitleCaption0"), "Größe");
    stageValue(session_, "TotalCaption0", "€");
    ASSERT_TRUE(Update_DefFile(session_, "Sizes", kCsvExport));
    EXPECT_EQ(readFile("Sizes.DCS"), original + "TotalCaption0=€\r\n");
}

}  // namespace
}  // namespace bp::definitions
