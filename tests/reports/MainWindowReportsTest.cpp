// The report library wired into the real main window: its menus, popup and list reach the
// report commands, and the report menu follows the list they change.

#include <gtest/gtest.h>

#include "act/sim/SimHost.h"
#include "app/AppFixture.h"
#include "app/MainWindowReports.h"
#include "platform/Launcher.h"
#include "reports/FrmNew.h"

namespace bp::app {
namespace {

class MainWindowReportsTest : public test::AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        session.launcher = &launcher;
        openWindow();
        c().optChoice[1].click();  // the report output shows the list and the report menu
        reports = MainWindowReports::install(*window);
    }
    bool has(const std::string& file) const {
        return std::filesystem::exists(folder() + "/Templates/" + file);
    }

    platform::RecordingLauncher launcher;
    std::unique_ptr<MainWindowReports> reports;
};

TEST_F(MainWindowReportsTest, PopupDeleteRemovesTheSelectedReport) {
    ASSERT_EQ(c().lstReports->list(c().lstReports->listIndex()), "alpha");
    ui.queuePopupChoice("mnuPopupDelete");
    ui.queueAnswer(forms::MsgResult::OK);
    c().lstReports->mouseDown(forms::MouseButton::Right, 0, 3, 4);
    EXPECT_FALSE(has("alpha.DXL"));
    EXPECT_FALSE(has("alpha.XLT"));
    ASSERT_EQ(c().lstReports->listCount(), 2);
    EXPECT_EQ(c().lstReports->list(c().lstReports->listIndex()), "Beta");
}

TEST_F(MainWindowReportsTest, NewFromTheMenuIsListedAndTheMenuFollowsAnEmptiedList) {
    c().cboOutput->choose(1);
    std::filesystem::remove(folder() + "/Templates/Export.DCS");
    c().cboOutput->choose(1);
    ASSERT_FALSE(window->menu("mnuEdit").enabled());
    std::ofstream(folder() + "/brindlepath_def.DCS") << "starter";
    ui.onModal("frmNew", [](forms::Form& f) {
        dynamic_cast<reports::FrmNew&>(f).txtNewName().typeText("Quarterly");
        f.pressEnter();
    });
    ASSERT_TRUE(window->menu("mnuNew").click());
    EXPECT_TRUE(has("Quarterly.DCS"));
    EXPECT_EQ(c().lstReports->list(c().lstReports->listIndex()), "Quarterly");
    EXPECT_TRUE(window->menu("mnuEdit").enabled());
    EXPECT_TRUE(window->menu("mnuDelete").enabled());
}

TEST_F(MainWindowReportsTest, DoubleClickOpensTheSettingsHook) {
    std::string opened;
    reports->library().openReportSettings = [&] { opened = session.sReportName(); };
    c().lstReports->doubleClick(2);
    EXPECT_EQ(opened, "Zeta");
}

TEST_F(MainWindowReportsTest, HelpAndOptionsMenusReachTheirCommands) {
    ASSERT_TRUE(window->menu("mnuOnlineHelp").click());
    ASSERT_EQ(shell.calls().size(), 1u);
    EXPECT_EQ(shell.calls()[0].path, reports::kTutorialsAddress);
    ASSERT_TRUE(window->menu("mnuAbout").click());
    ASSERT_TRUE(window->menu("mnuTemplateFolder").click());
    ASSERT_EQ(ui.modals().size(), 2u);
    EXPECT_EQ(ui.modals()[0].formName, "frmAbout");
    EXPECT_EQ(ui.modals()[1].formName, "frmTemplateFolder");
}

TEST_F(MainWindowReportsTest, TheAboutBoxNamesTheHostTheProgramWorksOn) {
    std::string host;
    ui.onModal("frmAbout", [&](forms::Form& f) {
        host = dynamic_cast<reports::FrmAbout&>(f).lblHost().caption();
        f.pressEnter();
    });
    ASSERT_TRUE(window->menu("mnuAbout").click());
    EXPECT_EQ(host, "Working on " + session.host->describe() + ".");
    EXPECT_NE(host.find(static_cast<sim::SimHost&>(*session.host).path()), std::string::npos)
        << host;
}

TEST_F(MainWindowReportsTest, MenusDoNothingOnceTheReportsAreGone) {
    reports.reset();
    window->menu("mnuNew").click();
    window->menu("mnuAbout").click();
    c().lstReports->mouseDown(forms::MouseButton::Right, 0, 1, 1);
    EXPECT_TRUE(ui.modals().empty());
    EXPECT_TRUE(ui.popups().empty());
}

}  // namespace
}  // namespace bp::app
