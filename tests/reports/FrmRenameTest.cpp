// frmRename: renaming a definition's files, and the names it refuses so that no definition
// is ever overwritten.

#include <gtest/gtest.h>

#include "reports/FrmRename.h"
#include "reports/ReportsFixture.h"

namespace bp::reports::test {
namespace {

class FrmRenameTest : public ReportsFixture {
protected:
    // Renames the selected entry through the popup menu, answering with `typed`.
    void rename(const std::string& typed) {
        onOpen<FrmRename>("frmRename", [this, typed](FrmRename& f) {
            shownText = f.txtNewName().text();
            shownSelected = f.txtNewName().selLength() == f.txtNewName().length();
            caption = f.caption();
            answer(f, typed);
            stayedOpen = f.visible();
            if (stayedOpen) {
                f.pressEscape();
            }
        });
        ui.queuePopupChoice("mnuPopupRename");
        window.lstReports().mouseDown(forms::MouseButton::Right, 0, 1, 1);
    }

    std::string shownText, caption;
    bool shownSelected = false, stayedOpen = false;
};

TEST_F(FrmRenameTest, OpensWithTheOldNameSelected) {
    addExcel("Alpha");
    showList(kExcelReport);
    rename("Alpha");
    EXPECT_EQ(caption, "Rename report");
    EXPECT_EQ(shownText, "Alpha");
    EXPECT_TRUE(shownSelected);
}

TEST_F(FrmRenameTest, RenamesBothFilesOfAnExcelReportAndSelectsIt) {
    addExcel("Alpha");
    addExcel("Beta");
    showList(kExcelReport, 0);
    rename("Zulu");
    EXPECT_FALSE(stayedOpen);
    EXPECT_EQ(files(), (std::vector<std::string>{"Beta.DXL", "Beta.XLT", "Zulu.DXL", "Zulu.XLT"}));
    EXPECT_EQ(read("Zulu.DXL"), "Alpha definition");
    EXPECT_EQ(read("Zulu.XLT"), "Alpha template");
    EXPECT_EQ(library.sNewName, "Zulu");
    EXPECT_EQ(current(), "Zulu");
}

TEST_F(FrmRenameTest, SameTextChangesNothing) {
    addExcel("Alpha");
    showList(kExcelReport);
    rename("Alpha");
    EXPECT_FALSE(stayedOpen);
    EXPECT_TRUE(library.sNewName.empty());
    EXPECT_EQ(read("Alpha.DXL"), "Alpha definition");
    EXPECT_TRUE(messages().empty());
}

TEST_F(FrmRenameTest, ChangeOfLetterCaseOnlyRenamesWithoutLosingTheFiles) {
#ifdef _WIN32
    if (platform::test::underWine()) {
        GTEST_SKIP() << "Wine keeps a file's letter case when it is renamed to another case of "
                        "its name";
    }
#endif
    addExcel("monthly");
    showList(kExcelReport);
    rename("Monthly");
    EXPECT_FALSE(stayedOpen);
    EXPECT_EQ(files(), (std::vector<std::string>{"Monthly.DXL", "Monthly.XLT"}));
    EXPECT_EQ(read("Monthly.DXL"), "monthly definition");
    EXPECT_EQ(read("Monthly.XLT"), "monthly template");
    EXPECT_EQ(listed(), std::vector<std::string>{"Monthly"});
    EXPECT_EQ(current(), "Monthly");
}

TEST_F(FrmRenameTest, ChangeOfCaseOfLettersOutsideAsciiIsACaseChangeToo) {
#ifdef _WIN32
    if (platform::test::underWine()) {
        GTEST_SKIP() << "Wine keeps a file's letter case when it is renamed to another case of "
                        "its name";
    }
#endif
    addExcel("ärger émile");
    showList(kExcelReport);
    rename("Ärger Émile");
    EXPECT_FALSE(stayedOpen);
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(files(), (std::vector<std::string>{"Ärger Émile.DXL", "Ärger Émile.XLT"}));
    EXPECT_EQ(read("Ärger Émile.DXL"), "ärger émile definition");
    EXPECT_EQ(current(), "Ärger Émile");
}

TEST_F(FrmRenameTest, NameOfAnotherDefinitionOutsideAsciiIsRefusedInAnyCase) {
    addExcel("Alpha");
    addExcel("Łódź");
    showList(kExcelReport, 0);
    rename("ŁÓDŹ");
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(messages(), std::vector<std::string>{kNameExists});
    EXPECT_EQ(read("Łódź.DXL"), "Łódź definition");
    EXPECT_EQ(read("Alpha.DXL"), "Alpha definition");
}

TEST_F(FrmRenameTest, NameOfAnotherDefinitionIsRefusedInAnyCase) {
    for (const std::string typed : {"Beta", "BETA", "beta"}) {
        SCOPED_TRACE(typed);
        addExcel("Alpha");
        addExcel("Beta");
        showList(kExcelReport, 0);
        ui.clearRecords();
        rename(typed);
        EXPECT_TRUE(stayedOpen);
        EXPECT_EQ(messages(), std::vector<std::string>{kNameExists});
        EXPECT_EQ(read("Beta.DXL"), "Beta definition");
        EXPECT_EQ(read("Beta.XLT"), "Beta template");
        EXPECT_EQ(read("Alpha.DXL"), "Alpha definition");
        EXPECT_EQ(files().size(), 4u);
        EXPECT_TRUE(library.sNewName.empty());
    }
}

TEST_F(FrmRenameTest, OnlyDefinitionsOfTheSameKindClash) {
    addExcel("Alpha");
    addCsv("Beta");
    showList(kExcelReport);
    rename("Beta");
    EXPECT_FALSE(stayedOpen);
    EXPECT_EQ(read("Beta.DXL"), "Alpha definition");
    EXPECT_EQ(read("Beta.DCS"), "Beta csv");
}

TEST_F(FrmRenameTest, CsvRenameLeavesTheExcelReportOfThatName) {
    addExcel("Alpha");
    addCsv("Alpha");
    showList(kCsvExport);
    rename("Gamma");
    EXPECT_EQ(files(), (std::vector<std::string>{"Alpha.DXL", "Alpha.XLT", "Gamma.DCS"}));
    EXPECT_EQ(read("Gamma.DCS"), "Alpha csv");
    EXPECT_EQ(current(), "Gamma");
}

TEST_F(FrmRenameTest, IllegalCharactersAreDiscardedOrRefused) {
    addCsv("Export");
    showList(kCsvExport);
    rename("../Out/side.x");
    EXPECT_FALSE(stayedOpen);
    EXPECT_EQ(files(), std::vector<std::string>{"Outsidex.DCS"});

    onOpen<FrmRename>("frmRename", [this](FrmRename& f) {
        f.txtNewName().setText("../Escaped");  // pasted past the key filter
        f.pressEnter();
        stayedOpen = f.visible();
        f.pressEscape();
    });
    commands.mnuPopupRename_Click();
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(messages(), std::vector<std::string>{kForbiddenName});
    EXPECT_FALSE(std::filesystem::exists(program("Escaped.DCS")));
    EXPECT_EQ(files(), std::vector<std::string>{"Outsidex.DCS"});
}

TEST_F(FrmRenameTest, EmptyNameIsRefused) {
    addCsv("Export");
    showList(kCsvExport);
    rename("");
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(messages(), std::vector<std::string>{kEmptyName});
    EXPECT_EQ(files(), std::vector<std::string>{"Export.DCS"});
}

TEST_F(FrmRenameTest, CancelChangesNothing) {
    addCsv("Export");
    showList(kCsvExport);
    onOpen<FrmRename>("frmRename", [](FrmRename& f) {
        f.txtNewName().typeText("Other");
        f.pressEscape();
    });
    commands.mnuPopupRename_Click();
    EXPECT_TRUE(library.sNewName.empty());
    EXPECT_EQ(files(), std::vector<std::string>{"Export.DCS"});
}

}  // namespace
}  // namespace bp::reports::test
