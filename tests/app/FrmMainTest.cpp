// The main window's load, unload and closing as the user and the host see them.

#include <gtest/gtest.h>

#include "act/sim/SimHost.h"
#include "app/AppFixture.h"
#include "criteria/CriteriaTexts.h"
#include "support/SessionSeed.h"

namespace bp::app {
namespace {

using forms::MsgIcon;

class FrmMainTest : public test::AppFixture {};

TEST_F(FrmMainTest, EmptyStoreGivesTheDefaultWindow) {
    FrmMain& w = openWindow();
    ASSERT_TRUE(w.loaded());
    EXPECT_TRUE(ui.messages().empty());
    EXPECT_TRUE(c().optChoice[0].value());
    EXPECT_TRUE(c().optLookup[0].value());
    EXPECT_TRUE(c().optReport[1].value());
    EXPECT_TRUE(c().chkSales[0].checked());
    for (int i = 1; i < 4; ++i) {
        EXPECT_FALSE(c().chkSales[i].checked());
    }
    EXPECT_TRUE(c().optManagedby[0].value());
    EXPECT_TRUE(c().optSalesManagedBy[0].value());
    EXPECT_TRUE(c().optDate[0].value());
    EXPECT_FALSE(c().chkCondition[0].checked());
    EXPECT_FALSE(c().chkCondition[1].checked());
    EXPECT_EQ(c().cboOutput->text(), "Excel Report");
    ASSERT_EQ(c().lstReports->listCount(), 3);
    EXPECT_EQ(c().lstReports->list(0), "alpha");  // sorted without regard to case
    EXPECT_EQ(c().lstReports->listIndex(), 0);
    EXPECT_EQ(c().dtpStartDate->value().date(), DateTime::now().date());
    EXPECT_EQ(c().dtpEnd[1].value().date(), DateTime::now().date());
    EXPECT_EQ(w.mstSSTab().tab(), 0);
    EXPECT_FALSE(w.menu("mnuReport").visible());
    EXPECT_FALSE(c().lstReports->enabled());
    const std::string sep = platform::test::kSeparator;
    EXPECT_EQ(session.sTemplatesFolder(), folder() + sep + "Templates" + sep);
    EXPECT_EQ(w.dlgHelpFile, folder() + sep + "brindlepath.hlp");
    EXPECT_FALSE(w.bLoading);
}

TEST_F(FrmMainTest, AClearedTemplatesFolderMeansTheDefaultOne) {
    const std::string sep = platform::test::kSeparator;
    for (const char* cleared : {"", "   "}) {
        store.SaveSetting("Settings", "TemplatesFolder", cleared);
        openWindow();
        EXPECT_EQ(session.sTemplatesFolder(), folder() + sep + "Templates" + sep) << '"' << cleared;
    }
}

TEST_F(FrmMainTest, WindowCarriesItsMenusAndButtons) {
    FrmMain& w = openWindow();
    EXPECT_EQ(w.cmdCancel().caption(), "&Close");
    EXPECT_EQ(w.cmdPreview().caption(), "Pre&view");
    EXPECT_EQ(w.menu("mnuReport").caption(), "&Report  ");
    EXPECT_EQ(w.menu("mnuIntegrate").caption(), "&Integrate with ACT!");
    EXPECT_EQ(w.menu("mnuTemplateFolder").caption(), "Template folder...");
    EXPECT_TRUE(w.menu("mnuSep99").separator());
    EXPECT_FALSE(w.menu("mnuPopup").visible());
    EXPECT_EQ(w.menu("mnuPopup").children().size(), 10u);
    EXPECT_EQ(w.lvwSales().columnCount(), 26);
    EXPECT_FALSE(w.lvwSales().visible());
    int news = 0;
    w.commands.mnuNew = [&] { ++news; };
    ui.queuePopupChoice("mnuPopupNew");
    w.popupMenu(w.menu("mnuPopup"));
    EXPECT_EQ(news, 1);
}

// The preview's access key belongs to it alone among the window's controls and menus.
TEST_F(FrmMainTest, ThePreviewsAccessKeyIsTheWindowsOnly) {
    FrmMain& w = openWindow();
    int owners = 0;
    w.forEachControl([&](forms::Control& control) {
        std::string caption;
        if (auto* button = dynamic_cast<forms::CommandButton*>(&control)) {
            caption = button->caption();
        } else if (auto* option = dynamic_cast<forms::OptionButton*>(&control)) {
            caption = option->caption();
        } else if (auto* check = dynamic_cast<forms::CheckBox*>(&control)) {
            caption = check->caption();
        } else if (auto* entry = dynamic_cast<forms::MenuEntry*>(&control)) {
            caption = entry->caption();
        }
        auto mark = caption.find('&');
        if (mark != std::string::npos && mark + 1 < caption.size() &&
            (caption[mark + 1] == 'v' || caption[mark + 1] == 'V')) {
            ++owners;
        }
    });
    EXPECT_EQ(owners, 1);
}

TEST_F(FrmMainTest, EverySettingSurvivesASaveAndRestore) {
    FrmMain& w = openWindow();
    c().optLookup[2].click();
    c().optChoice[1].click();
    c().cboOutput->choose(1);
    c().optReport[2].click();
    c().chkSales[1].click();
    c().optManagedby[1].click();
    c().lstUsers->click(1);
    c().optSalesManagedBy[1].click();
    c().lstSalesUsers->click(0);
    c().lstSalesUsers->click(2);
    c().optDate[1].click();
    c().dtpStartDate->setValue({2025, 1, 2, 0, 0, 0});
    c().dtpEndDate->setValue({2025, 12, 31, 0, 0, 0});
    c().chkCondition[0].click();
    c().cboCondition[0].choose("Types");
    c().lstCriteria[0].click(0);
    c().lstCriteria[0].click(2);
    c().optAnd[0].click();
    c().chkCondition[1].click();
    c().cboCondition[1].choose("Amounts");
    c().txtValueMin[1].setText("10");
    c().txtValueMax[1].setText("99");
    c().dtpStart[0].setValue({2024, 3, 14, 9, 30, 0});
    c().chkReverse->click();
    ASSERT_TRUE(ui.messages().empty());
    w.unload();
    EXPECT_EQ(store.GetSetting("Settings", "Report", ""), "-1");
    EXPECT_EQ(store.GetSetting("Settings", "chkSales1", ""), "1");
    EXPECT_EQ(store.GetSetting("Settings", "lstSalesUsers0", ""),
              "Ann\x0C"
              "Bob Baker\x0C");
    EXPECT_EQ(store.GetSetting("Settings", "lstCriteria0", ""),
              "0\x0C"
              "2\x0C");
    const platform::SettingPairs saved = store.GetAllSettings("Settings");

    openTables();
    openWindow();
    EXPECT_TRUE(c().optChoice[1].value());
    EXPECT_EQ(c().cboOutput->listIndex(), 1);
    EXPECT_EQ(c().lstReports->list(0), "Export");
    EXPECT_TRUE(c().optLookup[2].value());
    EXPECT_TRUE(c().optReport[2].value());
    EXPECT_EQ(c().lstUsers->selectedIndices(), std::vector<int>{1});
    EXPECT_EQ(c().lstSalesUsers->selectedIndices(), (std::vector<int>{0, 2}));
    EXPECT_EQ(c().dtpEndDate->value(), (DateTime{2025, 12, 31, 0, 0, 0}));
    EXPECT_EQ(c().dtpStart[0].value(), (DateTime{2024, 3, 14, 9, 30, 0}));
    EXPECT_EQ(c().cboCondition[0].text(), "Types");
    EXPECT_EQ(c().lstCriteria[0].selectedIndices(), (std::vector<int>{0, 2}));
    EXPECT_TRUE(c().optAnd[0].value());
    EXPECT_TRUE(c().optAnd[0].enabled());
    EXPECT_EQ(c().cboCondition[1].text(), "Amounts");
    EXPECT_EQ(c().txtValueMax[1].text(), "99");
    EXPECT_TRUE(c().chkReverse->checked());
    EXPECT_EQ(c().lblReverse->caption(), criteria::kReverseAndNot);
    EXPECT_EQ(window->mstSSTab().tabCaption(3), "*2nd Condition*");
    EXPECT_TRUE(ui.messages().empty());
    window->unload();
    const platform::SettingPairs again = store.GetAllSettings("Settings");
    ASSERT_EQ(again.size(), saved.size());
    for (std::size_t i = 0; i < saved.size(); ++i) {
        EXPECT_EQ(again[i], saved[i]) << saved[i].first;
    }
}

TEST_F(FrmMainTest, DamagedValuesTakeTheirDefaultsAndTheRestIsRestored) {
    store.SaveSetting("Settings", "Lookup", "maybe");
    store.SaveSetting("Settings", "Report", "-1");
    store.SaveSetting("Settings", "chkSales1", "seven");
    store.SaveSetting("Settings", "chkSales2", "1");
    store.SaveSetting("Settings", "cboOutput", "40000");
    store.SaveSetting("Settings", "SalesDateStart", "not a date");
    store.SaveSetting("Settings", "SalesDateEnd", "2/3/2025");
    openWindow();
    EXPECT_TRUE(ui.messages().empty());
    EXPECT_TRUE(c().optChoice[1].value());
    EXPECT_TRUE(c().chkSales[2].checked());
    EXPECT_FALSE(c().chkSales[1].checked());
    EXPECT_EQ(c().cboOutput->listIndex(), 0);
    EXPECT_EQ(c().dtpStartDate->value().date(), DateTime::now().date());
    EXPECT_EQ(c().dtpEndDate->value(), (DateTime{2025, 2, 3, 0, 0, 0}));
}

// A host failure while a list fills is reported, the rest of the window is restored, and
// closing the window keeps the stored selection instead of the half-filled one.
TEST_F(FrmMainTest, AListThatCannotBeFilledAtLoadLeavesTheStoredCriteriaAlone) {
    const struct {
        const char* name;
        const char* member;
        std::uint64_t afterCalls;
        const char* routine;
    } faults[] = {
        {"the first user list", "Users.Name", 1, "Load_Users"},
        {"the second user list", "Users.Name", 3, "Load_Users"},
        {"the condition's criteria list", "ListTable.Data", 1, "cboCondition_Click"},
    };
    for (const auto& f : faults) {
        store.SaveSetting("Settings", "ManagedBy1", "-1");
        store.SaveSetting("Settings", "lstUsers0", "Anne\x0C");
        store.SaveSetting("Settings", "SalesManagedBy1", "-1");
        store.SaveSetting("Settings", "lstSalesUsers0",
                          "Ann\x0C"
                          "Bob Baker\x0C");
        store.SaveSetting("Settings", "Condition0", "1");
        store.SaveSetting("Settings", "cboCondition0", "1");
        store.SaveSetting("Settings", "lstCriteria0",
                          "0\x0C"
                          "2\x0C");
        store.SaveSetting("Settings", "Condition1", "1");
        store.SaveSetting("Settings", "cboCondition1", "7");
        store.SaveSetting("Settings", "Min1", "10");
        const platform::SettingPairs stored = store.GetAllSettings("Settings");
        ui.clearRecords();
        openTables();
        host->failAt(f.member, f.afterCalls, 13, "Type mismatch");
        FrmMain& w = openWindow();
        host->clearFaults();
        ASSERT_FALSE(ui.messages().empty()) << f.name;
        EXPECT_EQ(ui.messages()[0].request.title, "brindlepath error") << f.name;
        EXPECT_NE(ui.messages()[0].request.text.find(f.routine), std::string::npos)
            << f.name << ": " << ui.messages()[0].request.text;
        EXPECT_TRUE(w.loaded()) << f.name;
        // The load went on past the failing list: both condition combos are filled and set.
        EXPECT_EQ(c().cboCondition[0].listCount(), 9) << f.name;
        EXPECT_EQ(c().cboCondition[1].text(), "Amounts") << f.name;
        EXPECT_EQ(c().txtValueMin[1].text(), "10") << f.name;
        w.unload();
        EXPECT_EQ(store.GetAllSettings("Settings"), stored) << f.name;
    }
}

TEST_F(FrmMainTest, UsersAreRestoredByTheirWholeName) {
    store.SaveSetting("Settings", "ManagedBy1", "-1");
    store.SaveSetting("Settings", "ManagedBy0", "0");
    store.SaveSetting("Settings", "lstUsers0", "Anne\x0C");
    openWindow();
    EXPECT_EQ(c().lstUsers->selectedIndices(), std::vector<int>{1});
}

TEST_F(FrmMainTest, ListPositionsBeyondSixteenBitsAndDamagedEntriesAreSkipped) {
    store.SaveSetting("Settings", "Condition0", "1");
    store.SaveSetting("Settings", "lstCriteria0",
                      "70000\x0Cx\x0C"
                      "1\x0C");
    openWindow();
    EXPECT_EQ(c().lstCriteria[0].selectedIndices(), std::vector<int>{1});
}

TEST_F(FrmMainTest, SavedReportBeyondTheListSelectsTheFirst) {
    store.SaveSetting("Settings", "ReportsListIndex", "3");
    openWindow();
    EXPECT_EQ(c().lstReports->listIndex(), 0);
    window->unload();
    store.SaveSetting("Settings", "ReportsListIndex", "2");
    openTables();
    openWindow();
    EXPECT_EQ(c().lstReports->list(c().lstReports->listIndex()), "Zeta");
}

TEST_F(FrmMainTest, ReportMenuFollowsTheListAndTheOutputKind) {
    FrmMain& w = openWindow();
    c().optChoice[1].click();
    EXPECT_TRUE(w.menu("mnuReport").visible());
    EXPECT_TRUE(w.menu("mnuConvert").enabled());
    c().cboOutput->choose(1);
    EXPECT_TRUE(w.menu("mnuEdit").enabled());
    EXPECT_FALSE(w.menu("mnuConvert").enabled());
    EXPECT_FALSE(w.menu("mnuEditTemplate").enabled());
    std::filesystem::remove(folder() + "/Templates/Export.DCS");
    c().cboOutput->choose(1);
    EXPECT_FALSE(w.menu("mnuEdit").enabled());
    EXPECT_FALSE(w.menu("mnuDelete").enabled());
    EXPECT_TRUE(w.menu("mnuNew").enabled());
}

TEST_F(FrmMainTest, FailedRegistrationWithTheHostRunningCarriesOn) {
    host->forceResult("ActEvent.Register", 0);
    FrmMain& w = openWindow();
    ASSERT_EQ(ui.messages().size(), 1u);
    EXPECT_EQ(ui.messages()[0].request.text,
              "Problem registering ACT! event.\r\n"
              "Please run actreg.exe in your ACT! folder and try again.");
    EXPECT_EQ(ui.messages()[0].request.icon, MsgIcon::Critical);
    EXPECT_TRUE(w.loaded());
    EXPECT_EQ(c().lstReports->listCount(), 3);
}

TEST_F(FrmMainTest, RegistrationResultsThatCountAsSuccess) {
    for (int result : {-1, 1, 5}) {
        host->forceResult("ActEvent.Register", result);
        ui.clearRecords();
        openTables();
        openWindow();
        EXPECT_TRUE(ui.messages().empty()) << result;
    }
}

TEST_F(FrmMainTest, FailedRegistrationWithoutTheHostClosesWithoutSaving) {
    host->forceResult("ActEvent.Register", -2);
    host->setHostRunning(false);
    FrmMain& w = openWindow();
    ASSERT_EQ(ui.messages().size(), 1u);
    EXPECT_EQ(ui.messages()[0].request.text, "Please run ACT! before running brindlepath");
    EXPECT_EQ(ui.messages()[0].request.icon, MsgIcon::Exclamation);
    EXPECT_FALSE(w.loaded());
    EXPECT_TRUE(store.GetAllSettings("Settings").empty());
    EXPECT_EQ(session.objDatabase, nullptr);
}

TEST_F(FrmMainTest, HostClosingEndsTheProgram) {
    FrmMain& w = openWindow();
    int integrateUnloads = 0;
    w.commands.unloadIntegrate = [&] { ++integrateUnloads; };
    w.tmrActEvent().tick();
    EXPECT_TRUE(w.loaded());
    sim::SimHost(file("host.db")).createAppObject()->Command(150);
    w.tmrActEvent().tick();
    EXPECT_FALSE(w.loaded());
    EXPECT_EQ(integrateUnloads, 1);
    EXPECT_TRUE(ui.messages().empty());
    EXPECT_EQ(store.GetSetting("Settings", "Lookup", ""), "-1");
    EXPECT_EQ(session.objActApp, nullptr);
}

TEST_F(FrmMainTest, HostClosingDuringARestartLeavesTheWindowToItsTimer) {
    FrmMain& w = openWindow();
    bp::test::SessionSeed::bRestartAct(session, true);
    sim::SimHost(file("host.db")).createAppObject()->Command(150);
    w.tmrActEvent().tick();
    EXPECT_TRUE(w.loaded());
}

TEST_F(FrmMainTest, RestartReopensTheHostDatabaseAndEndsAfterTwoTicks) {
    session.objActApp = host->createAppObject();
    FrmMain& w = openWindow();
    bool ended = false;
    w.End = [&] { ended = true; };
    bp::test::SessionSeed::bRestartAct(session, true);
    w.cmdCancel().click();
    EXPECT_FALSE(w.loaded());
    ASSERT_EQ(shell.calls().size(), 1u);
    EXPECT_EQ(shell.calls()[0].path, "/home/ann/Contacts/demo.dbf");
    EXPECT_EQ(shell.calls()[0].workingFolder, folder());
    EXPECT_TRUE(w.restartPending());
    EXPECT_EQ(w.tmr1().interval(), 1000);
    w.tmr1().tick();
    EXPECT_FALSE(ended);
    w.tmr1().tick();
    EXPECT_TRUE(ended);
    EXPECT_FALSE(w.restartPending());
    EXPECT_FALSE(w.visible());
    EXPECT_TRUE(ui.messages().empty());
    EXPECT_EQ(host->callCounts()["App.Command"], 1u);
}

}  // namespace
}  // namespace bp::app
