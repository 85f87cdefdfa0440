#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "definitions/DefinitionFile.h"
#include "forms/ScriptedUi.h"
#include "platform/Error.h"
#include "platform/MemorySettingsStore.h"
#include "platform/TestSupport.h"
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
    EXPECT_FALSE(std::filesystem::exists(folder_.file("Pipeline.DXL")));
}

TEST_F(DefinitionFileTest, AFailedWriteBackKeepsTheOldFileAndIsReportedThenRaised) {
    writeFile("Keep.DXL", "Sort0=39\r\n");
    ASSERT_TRUE(Load_DefFile(session_, "Keep", kExcelReport));
    stageValue(session_, "Sort0", "34");
    // The new file cannot be created beside the old one.
    std::filesystem::create_directory(folder_.file("Keep.DXL.new~"));
    std::filesystem::create_directory(folder_.file("Keep.DXL.new~/x"));
    EXPECT_THROW(Update_DefFile(session_, "Keep", kExcelReport), Error);
    EXPECT_EQ(readFile("Keep.DXL"), "Sort0=39\r\n");
    ASSERT_EQ(ui_.messages().size(), 1u);
    EXPECT_EQ(ui_.messages()[0].request.title, "Error in Library1: Function Update_DefFile");
    EXPECT_NE(ui_.messages()[0].request.text.find("\r\r(Error #"), std::string::npos);
}

}  // namespace
}  // namespace bp::definitions
