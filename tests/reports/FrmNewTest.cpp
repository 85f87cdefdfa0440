// frmNew: new definitions from the starter files, duplicates, and the names it refuses.

#include <gtest/gtest.h>

#include "reports/FrmNew.h"
#include "reports/ReportsFixture.h"

namespace bp::reports::test {
namespace {

class FrmNewTest : public ReportsFixture {
protected:
    // Opens New and answers the dialog with `name`; the dialog is then cancelled if the
    // name was refused, so the command always ends.
    void createNew(const std::string& name) {
        onOpen<FrmNew>("frmNew", [this, name](FrmNew& f) {
            caption = f.caption();
            prompt = f.lblNew().caption();
            answer(f, name);
            stayedOpen = f.visible();
            if (stayedOpen) {
                focused = f.txtNewName().hasFocus();
                wholeTextSelected = f.txtNewName().selLength() == f.txtNewName().length();
                f.pressEscape();
            }
        });
        commands.mnuNew_Click();
    }

    std::string caption, prompt;
    bool stayedOpen = false, focused = false, wholeTextSelected = false;
};

TEST_F(FrmNewTest, NewExcelReportIsMadeFromTheStarterFilesAndSelected) {
    addExcel("Alpha");
    addExcel("Zeta");
    showList(kExcelReport, 1);
    createNew("Monthly");
    EXPECT_EQ(caption, "New Excel Report");
    EXPECT_EQ(prompt, "Choose a name for the new Excel report :");
    EXPECT_FALSE(stayedOpen);
    EXPECT_EQ(read("Monthly.DXL"), "starter excel definition");
    EXPECT_EQ(read("Monthly.XLT"), "starter template");
    EXPECT_EQ(listed(), (std::vector<std::string>{"Alpha", "Monthly", "Zeta"}));
    EXPECT_EQ(current(), "Monthly");
    EXPECT_EQ(session.sReportName(), "Monthly");
    EXPECT_GE(window.menuUpdates, 1);  // the report menu follows a list that was empty
    EXPECT_TRUE(messages().empty());
}

TEST_F(FrmNewTest, NewCsvFileIsMadeFromTheCsvStarter) {
    showList(kCsvExport);
    createNew("Export");
    EXPECT_EQ(caption, "New CSV File");
    EXPECT_EQ(prompt, "Choose a name for the new CSV file :");
    EXPECT_EQ(files(), std::vector<std::string>{"Export.DCS"});
    EXPECT_EQ(read("Export.DCS"), "starter csv definition");
    EXPECT_EQ(current(), "Export");
}

TEST_F(FrmNewTest, ExistingNameIsRefusedInAnyLetterCase) {
    for (const std::string typed : {"Monthly", "MONTHLY", "monthly"}) {
        SCOPED_TRACE(typed);
        addExcel("Monthly");
        showList(kExcelReport);
        ui.clearRecords();
        createNew(typed);
        EXPECT_TRUE(stayedOpen);
        EXPECT_TRUE(focused);
        EXPECT_TRUE(wholeTextSelected);
        ASSERT_EQ(messages(), std::vector<std::string>{kNameExists});
        EXPECT_EQ(ui.messages()[0].request.icon, forms::MsgIcon::Exclamation);
        EXPECT_EQ(files(), (std::vector<std::string>{"Monthly.DXL", "Monthly.XLT"}));
        EXPECT_EQ(read("Monthly.DXL"), "Monthly definition");
        EXPECT_EQ(read("Monthly.XLT"), "Monthly template");
        EXPECT_TRUE(session.sReportName().empty());
    }
}

TEST_F(FrmNewTest, TemplateLeftWithoutItsDefinitionIsReplaced) {
    write(templ("Stray.XLT"), "left behind");
    showList(kExcelReport);
    createNew("Stray");
    EXPECT_FALSE(stayedOpen);
    EXPECT_EQ(read("Stray.XLT"), "starter template");
    EXPECT_EQ(read("Stray.DXL"), "starter excel definition");
}

TEST_F(FrmNewTest, CsvNameDoesNotClashWithAnExcelReport) {
    addExcel("Monthly");
    showList(kCsvExport);
    createNew("Monthly");
    EXPECT_FALSE(stayedOpen);
    EXPECT_EQ(read("Monthly.DCS"), "starter csv definition");
    EXPECT_EQ(read("Monthly.DXL"), "Monthly definition");
}

TEST_F(FrmNewTest, EmptyOrBlankNameIsRefusedAndTheDialogStays) {
    for (const std::string typed : {"", "   "}) {
        ui.clearRecords();
        createNew(typed);
        EXPECT_TRUE(stayedOpen);
        EXPECT_EQ(messages(), std::vector<std::string>{kEmptyName});
        EXPECT_TRUE(files().empty());
        EXPECT_TRUE(listed().empty());
    }
}

TEST_F(FrmNewTest, DotsAndSlashesAreDiscardedWhileTyping) {
    onOpen<FrmNew>("frmNew", [this](FrmNew& f) {
        f.txtNewName().typeText("Q1.Sales/East\\West");
        caption = f.txtNewName().text();
        f.pressEnter();
    });
    commands.mnuNew_Click();
    EXPECT_EQ(caption, "Q1SalesEastWest");
    EXPECT_EQ(files(), (std::vector<std::string>{"Q1SalesEastWest.DXL", "Q1SalesEastWest.XLT"}));
}

TEST_F(FrmNewTest, PastedPathIsRefusedAndNothingIsWrittenOutsideTheFolder) {
    onOpen<FrmNew>("frmNew", [this](FrmNew& f) {
        f.txtNewName().setText("../Escaped");  // as a paste would put it
        f.pressEnter();
        stayedOpen = f.visible();
        f.pressEscape();
    });
    commands.mnuNew_Click();
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(messages(), std::vector<std::string>{kForbiddenName});
    EXPECT_FALSE(std::filesystem::exists(program("Escaped.DXL")));
    EXPECT_FALSE(std::filesystem::exists(program("Escaped.XLT")));
    EXPECT_TRUE(files().empty());
}

TEST_F(FrmNewTest, CancelMakesNothing) {
    addExcel("Alpha");
    showList(kExcelReport);
    onOpen<FrmNew>("frmNew", [](FrmNew& f) {
        f.txtNewName().typeText("Never");
        f.pressEscape();
    });
    commands.mnuNew_Click();
    EXPECT_TRUE(session.sReportName().empty());
    EXPECT_EQ(files(), (std::vector<std::string>{"Alpha.DXL", "Alpha.XLT"}));
    EXPECT_EQ(current(), "Alpha");
}

TEST_F(FrmNewTest, DuplicateCopiesTheSelectedReportsFiles) {
    addExcel("Alpha");
    addExcel("Gamma");
    showList(kExcelReport, 1);
    onOpen<FrmNew>("frmNew", [](FrmNew& f) { answer(f, "Beta"); });
    ui.queuePopupChoice("mnuPopupDuplicate");
    window.lstReports().mouseDown(forms::MouseButton::Right, 0, 5, 5);
    EXPECT_TRUE(library.bCopy);
    EXPECT_EQ(library.sReportToBeCopied, "Gamma");
    EXPECT_EQ(read("Beta.DXL"), "Gamma definition");
    EXPECT_EQ(read("Beta.XLT"), "Gamma template");
    EXPECT_EQ(listed(), (std::vector<std::string>{"Alpha", "Beta", "Gamma"}));
    EXPECT_EQ(current(), "Beta");  // the remembered position, after the reload
}

TEST_F(FrmNewTest, NewAfterDuplicateCopiesTheStarterAgain) {
    addExcel("Alpha");
    showList(kExcelReport);
    onOpen<FrmNew>("frmNew", [](FrmNew& f) { answer(f, "Copy"); });
    commands.mnuPopupDuplicate_Click();
    createNew("Fresh");
    EXPECT_FALSE(library.bCopy);
    EXPECT_EQ(read("Copy.DXL"), "Alpha definition");
    EXPECT_EQ(read("Fresh.DXL"), "starter excel definition");
}

TEST_F(FrmNewTest, CopyRefusedByTheFileSystemIsReportedAndTheDialogStays) {
    // A folder where the definition should go: the template is copied, the definition not.
    std::filesystem::create_directory(templ("Blocked.DXL"));
    showList(kExcelReport);
    createNew("Blocked");
    EXPECT_TRUE(stayedOpen);
    ASSERT_EQ(messages(),
              std::vector<std::string>{"Unable to copy " + program("brindlepath_def.DXL") +
                                       "\rMake sure this file is not being used by "
                                       "another program."});
    EXPECT_EQ(ui.messages()[0].request.icon, forms::MsgIcon::None);
    EXPECT_EQ(ui.messages()[0].request.title, "brindlepath");
    EXPECT_EQ(read("Blocked.XLT"), "starter template");  // copied before the failure, kept
    EXPECT_TRUE(session.sReportName().empty());
}

TEST_F(FrmNewTest, MissingStarterFileGoesToTheErrorHandler) {
    std::filesystem::remove(program("brindlepath_def.DCS"));
    showList(kCsvExport);
    createNew("Export");
    EXPECT_TRUE(stayedOpen);
    ASSERT_EQ(ui.messages().size(), 1u);
    const std::string& text = ui.messages()[0].request.text;
    EXPECT_EQ(text.rfind("Error 53: ", 0), 0u) << text;
    EXPECT_NE(text.find("in frmNew: Sub cmdOK_Click - Line # "), std::string::npos) << text;
    EXPECT_TRUE(files().empty());
}

}  // namespace
}  // namespace bp::reports::test
