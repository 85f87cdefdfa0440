// The chooser frmReportList, opened by the report menu's commands in each of its modes.

#include <gtest/gtest.h>

#include "reports/FrmNew.h"
#include "reports/FrmRename.h"
#include "reports/FrmReportList.h"
#include "reports/ReportsFixture.h"
#include "reports/Undeletable.h"

namespace bp::reports::test {
namespace {

struct ModeCase {
    const char* mode;
    void (ReportCommands::*command)();
    const char* caption;
    const char* okCaption;
};

const ModeCase kModes[] = {
    {"Edit", &ReportCommands::mnuEdit_Click, "Edit Report", "&Open"},
    {"Delete", &ReportCommands::mnuDelete_Click, "Delete report", "&Delete"},
    {"Rename", &ReportCommands::mnuRename_Click, "Rename report", "&Rename"},
    {"Duplicate", &ReportCommands::mnuDuplicate_Click, "Duplicate report", "&Duplicate"},
    {"Make CSV", &ReportCommands::mnuConvert_Click, "Make CSV report", "&Create"},
    {"Edit Excel Template", &ReportCommands::mnuEditTemplate_Click, "Edit Excel Template", "&Open"},
};

class FrmReportListTest : public ReportsFixture {
protected:
    FrmReportListTest() {
        library.openReportSettings = [this] { settingsOpened.push_back(session.sReportName()); };
        for (const char* name : {"Alpha", "Beta", "Gamma"}) {
            addExcel(name);
        }
    }
    // Runs `command`; in the chooser, selects `position` (unless -1) and presses OK or Cancel.
    // A chooser that stays open is then cancelled, as the user would.
    void choose(void (ReportCommands::*command)(), int position, bool ok = true) {
        onOpen<FrmReportList>("frmReportList", [this, position, ok](FrmReportList& f) {
            caption = f.caption();
            okCaption = f.cmdOK().caption();
            preselected = f.lstReports().listIndex();
            if (position >= 0) {
                f.lstReports().setListIndex(position);
            }
            if (ok) {
                f.pressEnter();
            } else {
                f.pressEscape();
            }
            stayedOpen = f.visible();
            if (stayedOpen) {
                f.pressEscape();
            }
        });
        (commands.*command)();
    }

    std::vector<std::string> settingsOpened;
    std::string caption, okCaption;
    int preselected = -2;
    bool stayedOpen = false;
};

TEST_F(FrmReportListTest, EveryModeHasItsCaptionsAndCancelDoesNothing) {
    showList(kExcelReport, 1);
    for (const ModeCase& m : kModes) {
        SCOPED_TRACE(m.mode);
        choose(m.command, -1, false);
        EXPECT_EQ(library.sChooserMode, m.mode);
        EXPECT_EQ(caption, m.caption);
        EXPECT_EQ(okCaption, m.okCaption);
        EXPECT_EQ(preselected, 1);  // the main list's selection
        EXPECT_FALSE(stayedOpen);
        EXPECT_EQ(current(), "Beta");
    }
    EXPECT_EQ(files().size(), 6u);
    EXPECT_TRUE(ui.messages().empty());
    EXPECT_TRUE(settingsOpened.empty());
    EXPECT_TRUE(launcher.launches().empty());
}

TEST_F(FrmReportListTest, WithoutAMainSelectionTheFirstEntryIsPreselected) {
    showList(kExcelReport, -1);
    window.lstReports().setListIndex(-1);
    choose(&ReportCommands::mnuEdit_Click, -1, false);
    EXPECT_EQ(library.ReportsListIndex, -1);
    EXPECT_EQ(preselected, 0);
}

TEST_F(FrmReportListTest, OkWithNothingSelectedDoesNothingInEveryMode) {
    std::filesystem::remove_all(temp.path() / "Templates");
    std::filesystem::create_directory(temp.path() / "Templates");
    showList(kExcelReport);
    for (const ModeCase& m : kModes) {
        SCOPED_TRACE(m.mode);
        choose(m.command, -1);
        EXPECT_EQ(preselected, -1);
        EXPECT_TRUE(stayedOpen);
    }
    EXPECT_TRUE(ui.messages().empty());
    EXPECT_TRUE(files().empty());
    EXPECT_TRUE(settingsOpened.empty());
    EXPECT_TRUE(launcher.launches().empty());
    EXPECT_EQ(settings.GetSetting("Settings", "TemplatePath", "unset"), "unset");
    for (const auto& modal : ui.modals()) {
        EXPECT_EQ(modal.formName, "frmReportList");
    }
}

TEST_F(FrmReportListTest, EditOpensTheSettingsOfTheChosenReport) {
    showList(kExcelReport, 0);
    choose(&ReportCommands::mnuEdit_Click, 2);
    EXPECT_EQ(settingsOpened, std::vector<std::string>{"Gamma"});
    EXPECT_EQ(current(), "Alpha");  // the main list's own selection comes back
}

TEST_F(FrmReportListTest, DeleteRemovesTheFilesAndSelectsTheFirstEntry) {
    showList(kExcelReport, 2);
    ui.queueAnswer(forms::MsgResult::OK);
    choose(&ReportCommands::mnuDelete_Click, 1);
    EXPECT_EQ(ui.messages().at(0).request.title, "Confirm Deletion");
    EXPECT_EQ(ui.messages()[0].request.text,
              "Are you sure you want to delete the report named Beta ?");
    EXPECT_EQ(files(),
              (std::vector<std::string>{"Alpha.DXL", "Alpha.XLT", "Gamma.DXL", "Gamma.XLT"}));
    EXPECT_EQ(listed(), (std::vector<std::string>{"Alpha", "Gamma"}));
    EXPECT_EQ(current(), "Alpha");
    EXPECT_EQ(session.sReportName(), "Beta");
}

TEST_F(FrmReportListTest, DeleteCancelledKeepsTheFiles) {
    showList(kExcelReport, 2);
    choose(&ReportCommands::mnuDelete_Click, 1);  // the question's default: Cancel
    EXPECT_EQ(files().size(), 6u);
    EXPECT_EQ(listed().size(), 3u);
}

TEST_F(FrmReportListTest, FailingDeleteIsReportedAsFrmCopyAndTheChooserStays) {
    showList(kExcelReport);
    Undeletable locked(templ("Alpha.XLT"));
    if (!locked.active()) {
        GTEST_SKIP() << "no way to keep a file from being deleted here";
    }
    ui.queueAnswer(forms::MsgResult::OK);
    choose(&ReportCommands::mnuDelete_Click, 0);
    EXPECT_TRUE(stayedOpen);
    ASSERT_EQ(ui.messages().size(), 2u);
    EXPECT_EQ(ui.messages()[1].request.title, "brindlepath error");
    EXPECT_NE(ui.messages()[1].request.text.find("in frmCopy: Sub cmdOK_Click - Line # "),
              std::string::npos)
        << ui.messages()[1].request.text;
    EXPECT_TRUE(has("Alpha.DXL"));
    EXPECT_EQ(listed().size(), 3u);
}

TEST_F(FrmReportListTest, RenameRenamesTheChosenReportAndSelectsItInTheMainList) {
    showList(kExcelReport, 0);
    onOpen<FrmRename>("frmRename", [](FrmRename& f) { answer(f, "Omega"); });
    choose(&ReportCommands::mnuRename_Click, 1);
    EXPECT_EQ(library.sOldName, "Beta");
    EXPECT_EQ(listed(), (std::vector<std::string>{"Alpha", "Gamma", "Omega"}));
    EXPECT_EQ(current(), "Omega");
    EXPECT_EQ(read("Omega.DXL"), "Beta definition");
}

TEST_F(FrmReportListTest, DuplicateCopiesTheChosenReport) {
    showList(kExcelReport, 2);
    library.bCopy = false;
    onOpen<FrmNew>("frmNew", [](FrmNew& f) { answer(f, "Delta"); });
    choose(&ReportCommands::mnuDuplicate_Click, 0);
    EXPECT_TRUE(library.bCopy);
    EXPECT_EQ(library.sReportToBeCopied, "Alpha");
    EXPECT_EQ(read("Delta.DXL"), "Alpha definition");
    EXPECT_EQ(read("Delta.XLT"), "Alpha template");
    EXPECT_EQ(listed(), (std::vector<std::string>{"Alpha", "Beta", "Delta", "Gamma"}));
    EXPECT_EQ(current(), "Delta");  // position 2 of the reloaded list
}

TEST_F(FrmReportListTest, MakeCsvCopiesTheChosenDefinition) {
    showList(kExcelReport, 0);
    choose(&ReportCommands::mnuConvert_Click, 2);
    EXPECT_EQ(read("Gamma.DCS"), "Gamma definition");
    EXPECT_EQ(ui.messages().at(0).request.text, kCsvCreated);
    EXPECT_EQ(current(), "Alpha");
}

TEST_F(FrmReportListTest, EditExcelTemplateStartsTheBuilderOnTheChosenTemplate) {
    showList(kExcelReport, 0);
    choose(&ReportCommands::mnuEditTemplate_Click, 1);
    EXPECT_EQ(settings.GetSetting("Settings", "Template", ""), "1");
    EXPECT_EQ(settings.GetSetting("Settings", "TemplatePath", ""), templ("Beta.XLT"));
    EXPECT_EQ(launcher.launches(), std::vector<std::string>{session.programFolder});
    EXPECT_EQ(current(), "Alpha");
}

TEST_F(FrmReportListTest, DoubleClickOnAnEntryActsAsOk) {
    showList(kExcelReport, 0);
    onOpen<FrmReportList>("frmReportList", [](FrmReportList& f) { f.lstReports().doubleClick(2); });
    commands.mnuEdit_Click();
    EXPECT_EQ(settingsOpened, std::vector<std::string>{"Gamma"});
}

}  // namespace
}  // namespace bp::reports::test
