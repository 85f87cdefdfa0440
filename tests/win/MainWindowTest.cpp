// The Windows desktop program's main window on a host reached by automation, as users run it:
// the stand-in server serves a temporary host database through the host's program ids. The
// test is the user: it picks tabs, option buttons, check boxes and list entries by messages
// to the real control handles, runs a lookup with OK and reads the host's lookup afterwards;
// it closes the window, and it closes the host under it.

#include <windows.h>

#include <gtest/gtest.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "app/FrmMain.h"
#include "criteria/CriteriaControls.h"
#include "platform/TestSupport.h"
#include "support/RunProgram.h"
#include "win/ProgramFixture.h"
#include "win/WinFormWindow.h"
#include "win/WinProgram.h"

namespace bp::win::test {
namespace {

const std::string kData = std::string(BRINDLEPATH_TEST_SOURCE_DIR) + "/tests/app/data/";

// The stored choices the window opens with: a report, added to the lookup, every status
// unticked, every contact manager; sales created in 2025. The test changes all but the dates.
constexpr const char* kStoredChoices =
    "[Settings]\nLookup=0\nReport=-1\nLookup0=0\nLookup1=-1\nLookup2=0\n"
    "chkSales0=0\nchkSales1=0\nchkSales2=0\nchkSales3=0\nManagedBy0=-1\nManagedBy1=0\n"
    "Date0=0\nDate1=-1\nSalesDateStart=1/1/2025\nSalesDateEnd=12/31/2025\n";

bp::test::ProgramResult hostTool(const std::vector<std::string>& args) {
    return bp::test::runProgram(bp::test::builtProgram("brindlepath-host"), args);
}

class MainWindowTest : public ProgramFixture {
protected:
    void SetUp() override {
        ProgramFixture::SetUp();
        if (IsSkipped()) {
            return;
        }
        auto registered = hostTool({"register"});
        ASSERT_EQ(registered.exitCode, 0) << registered.output;
        platform::test::writeFile(file("settings.ini"), kStoredChoices);
        program_ = std::make_unique<WinProgram>(ui);
        std::string said;
        bool started = false;
        {
            LoopRobot robot([&] {
                if (HWND box = shownMessageBox()) {
                    said += messageBoxText(box) + "\n";
                    answerMessageBox(box, IDOK);
                }
            });
            started = program_->start();
        }
        ASSERT_TRUE(started) << "start-up ended: " << said;
        ASSERT_EQ(said, "");
        window_ = program_->mainWindowWindow();
        ASSERT_NE(window_, nullptr);
    }
    void TearDown() override {
        program_.reset();
        // The other tests of this build find the stand-in registered, as they left it.
        hostTool({"register"});
    }

    criteria::CriteriaControls& controls() { return program_->mainWindow()->criteriaControls(); }
    HWND handle(const forms::Control& control) const { return window_->handleFor(control); }
    bool shown(const forms::Control& control) const {
        return IsWindowVisible(handle(control)) != FALSE;
    }
    // The user clicks the tab `page` in the tab row.
    void openTab(int page) {
        HWND tabs = handle(program_->mainWindow()->mstSSTab());
        RECT rect{};
        SendMessageW(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(page),
                     reinterpret_cast<LPARAM>(&rect));
        const LPARAM at = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
        SendMessageW(tabs, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageW(tabs, WM_LBUTTONUP, 0, at);
    }
    void click(const forms::Control& control) { SendMessageW(handle(control), BM_CLICK, 0, 0); }
    // The user picks the entry `text` of a list of several choices.
    void pick(const forms::ListBox& list, const std::string& text) {
        HWND box = handle(list);
        const LRESULT at = SendMessageW(box, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                        reinterpret_cast<LPARAM>(platform::toWide(text).c_str()));
        ASSERT_NE(at, LB_ERR) << text;
        SendMessageW(box, LB_SETSEL, TRUE, at);
        notify(box, LBN_SELCHANGE);
    }
    std::string hostLookup() {
        auto lookup = hostTool({"--db", hostDb_, "lookup"});
        EXPECT_EQ(lookup.exitCode, 0) << lookup.output;
        return lookup.output;
    }
    // Runs the program's loop until the main window is gone, answering every message box with
    // OK; returns what they said.
    std::vector<std::string> runToTheEnd(int& status) {
        std::vector<std::string> said;
        LoopRobot robot([&] {
            if (HWND box = shownMessageBox()) {
                said.push_back(messageBoxText(box));
                answerMessageBox(box, IDOK);
            }
        });
        status = program_->exec();
        EXPECT_FALSE(robot.gaveUp()) << "the main window stayed";
        return said;
    }

    platform::test::ScopedEnv automation_{"BRINDLEPATH_ATTACH", std::string("automation")};
    WinUi ui;
    std::unique_ptr<WinProgram> program_;
    WinFormWindow* window_ = nullptr;
};

TEST_F(MainWindowTest, TheMainWindowShowsWithTheStoredChoices) {
    EXPECT_TRUE(IsWindowVisible(window_->hwnd()));
    EXPECT_EQ(windowText(window_->hwnd()), program_->mainWindow()->caption());
    EXPECT_NE(SendMessageW(window_->hwnd(), WM_GETICON, ICON_BIG, 0), 0) << "no program icon";
    auto& c = controls();
    EXPECT_EQ(SendMessageW(handle(c.optChoice[1]), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageW(handle(c.optChoice[0]), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_TRUE(shown(c.optChoice[0]));
    EXPECT_FALSE(shown(c.chkSales[0])) << "a control of the Filter tab shows on General";
}

TEST_F(MainWindowTest, ALookupChosenOnTheWindowReplacesTheHostsLookup) {
    auto& c = controls();
    click(c.optChoice[0]);
    click(c.optLookup[0]);
    openTab(criteria::kTabFilter);
    EXPECT_TRUE(shown(c.chkSales[0]));
    click(c.chkSales[0]);
    click(c.chkSales[1]);
    click(c.optManagedby[1]);
    pick(*c.lstUsers, "Björn Åström");
    pick(*c.lstUsers, "Zoë Dupré");
    EXPECT_TRUE(c.chkSales[1].checked());
    click(program_->mainWindow()->cmdOK());
    int status = -1;
    const auto said = runToTheEnd(status);
    EXPECT_EQ(status, 0);
    EXPECT_TRUE(said.empty()) << said.front();
    EXPECT_FALSE(program_->mainWindow()->loaded()) << "one start serves one run";
    EXPECT_EQ(hostLookup(), platform::test::readFile(kData + "expected/lookup-replace.txt"));
}

TEST_F(MainWindowTest, ClosingTheWindowEndsTheProgramAndKeepsTheChoices) {
    const std::string before = hostLookup();
    click(controls().optChoice[0]);
    click(program_->mainWindow()->cmdCancel());
    int status = -1;
    runToTheEnd(status);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(hostLookup(), before);
    const std::string stored = platform::test::readFile(file("settings.ini"));
    EXPECT_NE(stored.find("Lookup=-1"), std::string::npos) << stored;
}

TEST_F(MainWindowTest, TheHostClosingEndsTheProgram) {
    bool closed = false;
    std::vector<std::string> said;
    int status = -1;
    {
        LoopRobot robot([&] {
            if (HWND box = shownMessageBox()) {
                said.push_back(messageBoxText(box));
                answerMessageBox(box, IDOK);
            } else if (!closed) {
                closed = true;
                auto close = hostTool({"--db", hostDb_, "close"});
                EXPECT_EQ(close.exitCode, 0) << close.output;
            }
        });
        status = program_->exec();
        EXPECT_FALSE(robot.gaveUp()) << "the main window outlived the host";
    }
    EXPECT_TRUE(closed);
    EXPECT_EQ(status, 0);
    EXPECT_TRUE(said.empty()) << said.front();
    EXPECT_FALSE(program_->mainWindow()->loaded());
}

}  // namespace
}  // namespace bp::win::test
