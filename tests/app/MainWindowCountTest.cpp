// The live match count on the main window: the line under the tabs follows the user's
// choices, says "Counting..." while they change, answers what the run then produces, says in
// the run's words what is missing, costs the host no call per count, and reads the host again
// only when asked to.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>

#include "act/sim/DemoGenerator.h"
#include "act/sim/HostStore.h"
#include "app/MainWindowCommands.h"
#include "app/MainWindowCount.h"
#include "app/Module1.h"
#include "criteria/HostFixture.h"
#include "platform/SingleInstance.h"

namespace bp::app {
namespace {

using namespace std::chrono_literals;

class MainWindowCountTest : public bp::test::HostFixture {
protected:
    void SetUp() override {
        HostFixture::SetUp();
        bp::test::releaseHost(session);
        host.reset();
        sim::DemoOptions demo;
        demo.contacts = 80;
        sim::DemoGenerator::generate(file("host.db"), demo);
        host = std::make_unique<sim::SimHost>(file("host.db"));
        session.host = host.get();
        window = Sub_Main(session, instance);
        ASSERT_NE(window, nullptr);
        count = &static_cast<MainWindowCommands*>(window->commandsOwner())->count();
    }

    // Ticks the count timer until the host has been read, as the window's timer would.
    void readHost() {
        for (int n = 0; n < 1000 && (line().empty() || line() == "Reading the database\u2026");
             ++n) {
            tick(MainWindowCount::kTickMs * 1ms);
        }
        ASSERT_NE(line(), "Reading the database\u2026");
    }
    void tick(std::chrono::milliseconds later) {
        now += later;
        count->tick(now);
    }
    // Lets the choices settle and waits for their count.
    std::string settle() {
        readHost();
        tick(30ms);
        tick(MainWindowCount::kSettleMs);
        count->finishCount();
        return line();
    }
    std::string line() const { return window->lblCount().caption(); }
    criteria::CriteriaControls& c() { return window->criteriaControls(); }
    void lookupOfEveryStatus() {
        c().optChoice[0].setValue(true);
        c().optLookup[0].setValue(true);
        for (int box = 0; box < 3; ++box) {
            c().chkSales[box].setValue(forms::CheckBox::kChecked);
        }
    }
    static std::string counted(std::size_t contacts, std::size_t opportunities) {
        return std::to_string(contacts) + " contacts \u00B7 " + std::to_string(opportunities) +
               " opportunities match";
    }

    platform::SingleInstance instance{file("instance.lock")};
    std::unique_ptr<FrmMain> window;
    MainWindowCount* count = nullptr;
    MainWindowCount::Clock::time_point now = MainWindowCount::Clock::now();
};

TEST_F(MainWindowCountTest, TheTimerRunsOnceTheWindowHasLoadedAndStopsWithIt) {
    EXPECT_TRUE(window->tmrCount().running());
    EXPECT_EQ(window->tmrCount().interval(), MainWindowCount::kTickMs);
    window->unload();
    EXPECT_FALSE(window->tmrCount().running());
}

TEST_F(MainWindowCountTest, TheCountIsTheLookupTheRunThenMakes) {
    lookupOfEveryStatus();
    std::string shown = settle();
    window->cmdOK().click();
    auto lookup = sim::HostStore(file("host.db")).currentLookup();
    ASSERT_TRUE(lookup.has_value());
    EXPECT_EQ(shown.substr(0, shown.find(' ')), std::to_string(lookup->size())) << shown;
}

TEST_F(MainWindowCountTest, AChangeSaysCountingAtOnceAndIsCountedOnceTheChoicesSettle) {
    lookupOfEveryStatus();
    std::string everyStatus = settle();
    c().chkSales[0].setValue(forms::CheckBox::kUnchecked);
    c().chkSales[2].setValue(forms::CheckBox::kUnchecked);
    tick(30ms);
    EXPECT_EQ(line(), "Counting\u2026");
    tick(MainWindowCount::kSettleMs / 2);
    count->finishCount();
    EXPECT_EQ(line(), "Counting\u2026");  // not started while the choices may still change
    tick(MainWindowCount::kSettleMs);
    count->finishCount();
    std::string wonOnly = line();
    EXPECT_NE(wonOnly, everyStatus);
    EXPECT_NE(wonOnly.find(" opportunities match"), std::string::npos) << wonOnly;
}

TEST_F(MainWindowCountTest, ACountAsksTheHostNothing) {
    lookupOfEveryStatus();
    settle();
    auto before = host->callCounts();
    c().chkSales[1].setValue(forms::CheckBox::kUnchecked);
    settle();
    c().optLookup[2].setValue(true);
    settle();
    EXPECT_EQ(host->callCounts(), before);
}

TEST_F(MainWindowCountTest, IncompleteChoicesAreToldInTheRunsWordsWithoutAMessageBox) {
    lookupOfEveryStatus();
    c().chkCondition[0].setValue(forms::CheckBox::kChecked);
    c().cboCondition[0].setListIndex(criteria::kProducts);
    EXPECT_EQ(settle(), "You need to choose an item from the list for the 1st condition.");
    c().optChoice[1].setValue(true);
    c().lstReports->setListIndex(-1);
    EXPECT_EQ(settle(), "You need to select a report!");
    EXPECT_TRUE(ui.messages().empty());
}

// A report counts only once its definition would let it run: one that includes no field is
// named as the run names it; one that includes fields counts its rows.
TEST_F(MainWindowCountTest, AReportIsCountedOnceItsDefinitionIncludesAField) {
    std::filesystem::create_directories(file("Templates"));
    auto write = [&](const std::string& name, const std::string& text) {
        std::ofstream(file("Templates/" + name), std::ios::binary) << text;
    };
    write("Bare.DXL", "Name=Bare\r\nFieldsIncluded=\f\r\n");
    write("Bare.XLT", "x");
    write("Amounts.DXL", "Name=Amounts\r\nFieldsIncluded=25\f34\f\r\n");
    write("Amounts.XLT", "x");
    c().optChoice[1].setValue(true);
    c().optReport[2].setValue(true);  // all contacts
    for (int box = 0; box < 3; ++box) {
        c().chkSales[box].setValue(forms::CheckBox::kChecked);
    }
    window->Load_Reports();
    window->Update_ReportMenu();
    auto select = [&](const std::string& name) {
        for (int i = 0; i < c().lstReports->listCount(); ++i) {
            if (c().lstReports->list(i) == name) {
                c().lstReports->setListIndex(i);
            }
        }
        ASSERT_EQ(c().lstReports->list(c().lstReports->listIndex()), name);
    };
    select("Bare");
    EXPECT_EQ(settle(), "Please check the settings for this report: no fields are to be included!");
    // Fixed in the report's settings: the report commands have the choices counted again.
    write("Bare.DXL", "Name=Bare\r\nFieldsIncluded=25\f\r\n");
    window->menu("mnuEdit").click();
    ASSERT_EQ(ui.modals().size(), 1u);  // the report chooser, cancelled
    std::string bare = settle();
    EXPECT_NE(bare.find(" opportunities match"), std::string::npos) << bare;
    select("Amounts");
    std::string rows = settle();
    EXPECT_EQ(rows, bare);  // one row per sales record, whatever the columns
    EXPECT_NE(rows.find(" opportunities match"), std::string::npos) << rows;
    std::filesystem::remove(file("Templates/Amounts.DXL"));
    c().chkSales[0].setValue(forms::CheckBox::kUnchecked);
    EXPECT_EQ(settle(), "The definition file for this report is missing!");
    EXPECT_TRUE(ui.messages().empty());
}

TEST_F(MainWindowCountTest, AHostThatCannotBeReadIsToldAndReadAgainOnRefresh) {
    host->failAt("Sales.MoveNext", 3, 57, "Device I/O error");
    for (int n = 0; n < 100 && (line().empty() || line() == "Reading the database\u2026"); ++n) {
        tick(30ms);
    }
    EXPECT_EQ(line(), "The database could not be read: Device I/O error");
    EXPECT_TRUE(window->lblRefresh().visible());
    EXPECT_FALSE(window->tmrCount().running());
    EXPECT_TRUE(ui.messages().empty());
    host->clearFaults();
    window->lblRefresh().click();
    EXPECT_TRUE(window->tmrCount().running());
    EXPECT_NE(settle().find(" match"), std::string::npos) << line();
}

TEST_F(MainWindowCountTest, RefreshReadsTheHostAgain) {
    c().optChoice[0].setValue(true);
    c().optLookup[2].setValue(true);  // narrow the host's current lookup
    std::string before = settle();
    auto all = sim::HostStore(file("host.db"));
    all.setCurrentLookup({});
    EXPECT_EQ(settle(), before);  // the snapshot stands until the user asks
    window->lblRefresh().click();
    EXPECT_EQ(line(), "Reading the database\u2026");
    EXPECT_EQ(settle(), counted(0, 0));
}

TEST(MainWindowCountText, NumbersAreGroupedAsTheUserWritesThem) {
    filter::SelectionCount count;
    count.contacts = 1284;
    count.opportunities = 3920;
    EXPECT_EQ(MainWindowCount::countText(count, "."),
              "1.284 contacts \u00B7 3.920 opportunities match");
    count.contacts = 1;
    count.opportunities = 1;
    EXPECT_EQ(MainWindowCount::countText(count, ","), "1 contact \u00B7 1 opportunity match");
}

}  // namespace
}  // namespace bp::app
