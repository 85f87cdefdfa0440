// The report list's popup menu and double click on the main window: enabling, Delete with
// the selection it leaves, Make CSV report and Edit Excel Template.

#include <gtest/gtest.h>

#include <map>

#include "reports/ReportsFixture.h"
#include "reports/Undeletable.h"

namespace bp::reports::test {
namespace {

class ReportCommandsTest : public ReportsFixture {
protected:
    void rightClick(const std::string& choice = {}) {
        ui.queuePopupChoice(choice);
        window.lstReports().mouseDown(forms::MouseButton::Right, 0, 12, 34);
    }
    // Enabled state of each popup entry as last shown, separators left out.
    std::map<std::string, bool> shownEnabled() const {
        std::map<std::string, bool> states;
        for (const auto& e : ui.popups().back().entries) {
            if (e.caption.find("Sep") == std::string::npos) {
                states[e.name] = e.enabled;
            }
        }
        return states;
    }
};

TEST_F(ReportCommandsTest, PopupEnablesWhatTheSelectionAllows) {
    struct Case {
        const char* name;
        int kind;
        bool select;
        bool edit;   // Edit, Delete, Duplicate, Rename
        bool excel;  // Make CSV report, Edit Excel Template
    };
    const Case cases[] = {
        {"excel report selected", kExcelReport, true, true, true},
        {"csv file selected", kCsvExport, true, true, false},
        {"nothing selected", kExcelReport, false, false, false},
        {"nothing selected, csv", kCsvExport, false, false, false},
    };
    addExcel("Alpha");
    addCsv("Alpha");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        showList(c.kind, c.select ? 0 : -1);
        if (!c.select) {
            window.lstReports().setListIndex(-1);
        }
        rightClick();
        const std::map<std::string, bool> expected{{"mnuPopupNew", true},
                                                   {"mnuPopupEdit", c.edit},
                                                   {"mnuPopupDelete", c.edit},
                                                   {"mnuPopupDuplicate", c.edit},
                                                   {"mnuPopupRename", c.edit},
                                                   {"mnuPopupConvert", c.excel},
                                                   {"mnuPopupEditTemplate", c.excel}};
        EXPECT_EQ(shownEnabled(), expected);
        EXPECT_EQ(ui.popups().back().menuName, "mnuPopup");
        EXPECT_EQ(ui.popups().back().x, 12);
        EXPECT_EQ(ui.popups().back().y, 34);
    }
}

TEST_F(ReportCommandsTest, OnlyTheRightButtonPopsUpAndTheSelectionStays) {
    addExcel("Alpha");
    addExcel("Beta");
    showList(kExcelReport, 1);
    window.lstReports().mouseDown(forms::MouseButton::Left, 0, 1, 1);
    EXPECT_TRUE(ui.popups().empty());
    rightClick();
    EXPECT_EQ(ui.popups().size(), 1u);
    EXPECT_EQ(current(), "Beta");
}

TEST_F(ReportCommandsTest, DeleteLeavesTheEntryBeforeItSelected) {
    struct Case {
        int deleted;
        std::vector<std::string> left;
        std::string selected;
    };
    const Case cases[] = {
        {0, {"Beta", "Gamma"}, "Beta"},    // the new first entry
        {1, {"Alpha", "Gamma"}, "Alpha"},  // a middle entry: the one before it
        {2, {"Alpha", "Beta"}, "Beta"},    // the last entry: the one before it
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.deleted);
        for (const char* name : {"Alpha", "Beta", "Gamma"}) {
            addExcel(name);
        }
        showList(kExcelReport, c.deleted);
        const std::string name = current();
        ui.queueAnswer(forms::MsgResult::OK);
        rightClick("mnuPopupDelete");
        EXPECT_EQ(listed(), c.left);
        EXPECT_EQ(current(), c.selected);
        EXPECT_FALSE(has(name + ".DXL"));
        EXPECT_FALSE(has(name + ".XLT"));
        EXPECT_EQ(files().size(), 4u);
    }
}

TEST_F(ReportCommandsTest, DeletingTheOnlyEntryLeavesAnEmptyList) {
    addCsv("Export");
    showList(kCsvExport);
    ui.queueAnswer(forms::MsgResult::OK);
    rightClick("mnuPopupDelete");
    EXPECT_TRUE(listed().empty());
    EXPECT_EQ(window.lstReports().listIndex(), -1);
    EXPECT_TRUE(files().empty());
    EXPECT_GE(window.menuUpdates, 1);
}

TEST_F(ReportCommandsTest, DeleteAsksFirstAndCancelIsTheDefault) {
    addExcel("Alpha");
    showList(kExcelReport);
    rightClick("mnuPopupDelete");  // no answer queued: the default button
    ASSERT_EQ(ui.messages().size(), 1u);
    const forms::MessageRequest& ask = ui.messages()[0].request;
    EXPECT_EQ(ask.title, "Confirm Deletion");
    EXPECT_EQ(ask.text, "Are you sure you want to delete the report named Alpha ?");
    EXPECT_EQ(ask.buttons, forms::MsgButtons::OKCancel);
    EXPECT_EQ(ask.icon, forms::MsgIcon::Critical);
    EXPECT_EQ(ui.messages()[0].answer, forms::MsgResult::Cancel);
    EXPECT_EQ(files(), (std::vector<std::string>{"Alpha.DXL", "Alpha.XLT"}));
    EXPECT_EQ(listed(), std::vector<std::string>{"Alpha"});
}

TEST_F(ReportCommandsTest, CsvDeleteLeavesTheExcelReportOfThatName) {
    addExcel("Alpha");
    addCsv("Alpha");
    showList(kCsvExport);
    ui.queueAnswer(forms::MsgResult::OK);
    rightClick("mnuPopupDelete");
    EXPECT_EQ(files(), (std::vector<std::string>{"Alpha.DXL", "Alpha.XLT"}));
}

TEST_F(ReportCommandsTest, FileThatCannotBeDeletedIsReportedAndTheEntryStays) {
    addExcel("Alpha");
    addExcel("Beta");
    showList(kExcelReport, 1);
    Undeletable locked(templ("Beta.XLT"));
    if (!locked.active()) {
        GTEST_SKIP() << "no way to keep a file from being deleted here";
    }
    ui.queueAnswer(forms::MsgResult::OK);
    rightClick("mnuPopupDelete");
    ASSERT_EQ(ui.messages().size(), 2u);
    EXPECT_EQ(ui.messages()[1].request.text,
              "Unable to delete " + templ("Beta.XLT") +
                  "\rMake sure this file is not being used by another program.");
    EXPECT_EQ(listed(), (std::vector<std::string>{"Alpha", "Beta"}));
    EXPECT_EQ(current(), "Beta");
    EXPECT_TRUE(has("Beta.DXL"));  // the definition after the template is kept too
}

TEST_F(ReportCommandsTest, MakeCsvReplacesAnExistingCsvDefinitionWithoutAsking) {
    addExcel("Alpha");
    addCsv("Alpha");
    showList(kExcelReport);
    rightClick("mnuPopupConvert");
    EXPECT_EQ(read("Alpha.DCS"), "Alpha definition");
    ASSERT_EQ(ui.messages().size(), 1u);
    EXPECT_EQ(ui.messages()[0].request.text, kCsvCreated);
    EXPECT_EQ(ui.messages()[0].request.icon, forms::MsgIcon::None);
    EXPECT_EQ(ui.messages()[0].request.title, "brindlepath");
    EXPECT_EQ(listed(), std::vector<std::string>{"Alpha"});  // not reloaded
}

TEST_F(ReportCommandsTest, MakeCsvWithoutTheDefinitionReportsAnErrorNotSuccess) {
    addExcel("Alpha");
    showList(kExcelReport);
    std::filesystem::remove(templ("Alpha.DXL"));
    rightClick("mnuPopupConvert");
    ASSERT_EQ(ui.messages().size(), 1u);
    const std::string& text = ui.messages()[0].request.text;
    EXPECT_EQ(text.rfind("Error 53: ", 0), 0u) << text;
    EXPECT_NE(text.find("in frmMain: Sub mnuPopupConvert_Click"), std::string::npos) << text;
    EXPECT_FALSE(has("Alpha.DCS"));
}

TEST_F(ReportCommandsTest, EditExcelTemplateSavesThePathThenStartsTheBuilder) {
    addExcel("Alpha");
    addExcel("Beta");
    showList(kExcelReport, 1);
    settings.SaveSetting("Settings", "Template", "0");
    rightClick("mnuPopupEditTemplate");
    EXPECT_EQ(settings.GetSetting("Settings", "Template", ""), "1");
    EXPECT_EQ(settings.GetSetting("Settings", "TemplatePath", ""), templ("Beta.XLT"));
    EXPECT_EQ(launcher.launches(), std::vector<std::string>{session.programFolder});
    EXPECT_EQ(current(), "Beta");

    settings.SaveSetting("Settings", "Template", "0");  // the builder resets it
    window.lstReports().setListIndex(0);
    rightClick("mnuPopupEditTemplate");
    EXPECT_EQ(settings.GetSetting("Settings", "Template", ""), "1");
    EXPECT_EQ(settings.GetSetting("Settings", "TemplatePath", ""), templ("Alpha.XLT"));
    EXPECT_EQ(launcher.launches().size(), 2u);
}

TEST_F(ReportCommandsTest, ABuilderThatDoesNotStartLeavesTheNextRunAReport) {
    // A builder missing from the program folder, or suppressed on a server.
    class NotStarted : public platform::Launcher {
    public:
        bool launch(const std::string&) override {
            ++calls;
            return false;
        }
        int calls = 0;
    } notStarted;
    session.launcher = &notStarted;
    addExcel("Alpha");
    showList(kExcelReport, 0);
    settings.SaveSetting("Settings", "Template", "0");
    rightClick("mnuPopupEditTemplate");
    EXPECT_EQ(notStarted.calls, 1);
    EXPECT_EQ(settings.GetSetting("Settings", "Template", ""), "0");
    EXPECT_EQ(settings.GetSetting("Settings", "TemplatePath", ""), templ("Alpha.XLT"));
}

TEST_F(ReportCommandsTest, EditAndDoubleClickOpenTheSettingsOfTheSelectedReport) {
    std::vector<std::string> opened;
    library.openReportSettings = [&] { opened.push_back(session.sReportName()); };
    addExcel("Alpha");
    addExcel("Beta");
    showList(kExcelReport, 1);
    window.lstReports().doubleClick();
    rightClick("mnuPopupEdit");
    EXPECT_EQ(opened, (std::vector<std::string>{"Beta", "Beta"}));

    window.lstReports().setListIndex(-1);
    commands.lstReports_DblClick();
    EXPECT_EQ(opened.size(), 2u);  // nothing selected, nothing opened
}

TEST_F(ReportCommandsTest, EditWithoutASettingsDialogDoesNothing) {
    addExcel("Alpha");
    showList(kExcelReport);
    rightClick("mnuPopupEdit");
    EXPECT_TRUE(ui.messages().empty());
    EXPECT_TRUE(ui.modals().empty());
}

}  // namespace
}  // namespace bp::reports::test
