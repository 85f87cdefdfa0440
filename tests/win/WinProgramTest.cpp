// The Windows desktop program's start and end. brindlepath --integrate: start-up on the host,
// the integration dialog alone, driven through its real check boxes and buttons, and the
// program's end: at once, or after the host was asked to re-start, once the main window's
// re-start timer has run out. brindlepath started without words: the main window until the
// user closes it.

#include "win/WinProgram.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "integration/FrmIntegrate.h"
#include "platform/TestSupport.h"
#include "support/RunProgram.h"
#include "win/ProgramFixture.h"
#include "win/WinFormWindow.h"

namespace bp::win::test {
namespace {

constexpr const char* kCommand = "brindlepath";

class IntegrateTest : public ProgramFixture {
protected:
    // The integration dialog while it is on screen, else nullptr.
    WinFormWindow* dialog() const {
        for (WinFormWindow* window : ui.modalWindows()) {
            if (window->form().name() == "frmIntegrate" && IsWindowVisible(window->hwnd())) {
                return window;
            }
        }
        return nullptr;
    }
    static integration::FrmIntegrate& integrate(WinFormWindow& window) {
        return static_cast<integration::FrmIntegrate&>(window.form());
    }

    // The user ticks the Contacts view's toolbar and Tools menu boxes, presses Close and
    // answers the question about re-starting the host with `answer`.
    std::function<void()> tickBothAndClose(int answer) {
        return [this, answer] {
            if (HWND box = shownMessageBox()) {
                question = messageBoxText(box);
                answerMessageBox(box, answer);
                return;
            }
            WinFormWindow* window = dialog();
            if (window == nullptr || !question.empty()) {
                return;
            }
            auto& form = integrate(*window);
            if (!clicked) {
                clicked = true;
                postClick(window->handleFor(form.chkScreen(0)));
                postClick(window->handleFor(form.chkScreen(integration::FrmIntegrate::kViews)));
            } else if (form.chkScreen(0).checked() &&
                       form.chkScreen(integration::FrmIntegrate::kViews).checked() && !closed) {
                closed = true;
                postClick(window->handleFor(form.cmdOK()));
            }
        };
    }

    WinUi ui;
    std::string question;
    bool clicked = false;
    bool closed = false;
};

TEST_F(IntegrateTest, TickedBoxesPlaceTheCommandAndTheProgramEnds) {
    int status = -1;
    {
        WinProgram program(ui);
        LoopRobot robot(tickBothAndClose(IDNO));
        status = program.integrate();
        EXPECT_FALSE(robot.gaveUp());
        ASSERT_NE(program.mainWindow(), nullptr);
        EXPECT_FALSE(program.mainWindow()->loaded());
        EXPECT_FALSE(program.mainWindow()->programEnded()) << "no re-start was asked for";
        EXPECT_EQ(program.mainWindowWindow(), nullptr) << "the main window was drawn";
    }
    EXPECT_EQ(status, 0);
    EXPECT_NE(question.find("re-start ACT!"), std::string::npos) << question;
    auto host = hostAfterwards();
    auto aux = host->createAuxCmds();
    EXPECT_EQ(aux->AuxCommandExistsInToolbar(1, kCommand), 1);
    EXPECT_EQ(aux->AuxCommandExistsInToolsMenu(1, kCommand), 1);
    EXPECT_EQ(aux->AuxCommandExistsInToolbar(2, kCommand), 0);
    EXPECT_TRUE(host->createAppObject()->IsDBOpen());
}

TEST_F(IntegrateTest, ARestartClosesTheHostAndEndsWhenTheTimerRunsOut) {
    int status = -1;
    {
        WinProgram program(ui);
        LoopRobot robot(tickBothAndClose(IDYES));
        status = program.integrate();
        EXPECT_FALSE(robot.gaveUp());
        ASSERT_NE(program.mainWindow(), nullptr);
        EXPECT_TRUE(program.mainWindow()->programEnded());
        EXPECT_FALSE(program.mainWindow()->restartPending());
    }
    EXPECT_EQ(status, 0);
    auto host = hostAfterwards();
    EXPECT_EQ(host->createAuxCmds()->AuxCommandExistsInToolbar(1, kCommand), 1);
    EXPECT_FALSE(host->createAppObject()->IsDBOpen()) << "the host was not closed for its re-start";
}

TEST_F(IntegrateTest, WithoutAnOpenDatabaseTheUserIsToldAndNothingIsShown) {
    auto dataset = nlohmann::json::parse(platform::test::readFile(
        std::string(BRINDLEPATH_TEST_SOURCE_DIR) + "/tests/app/data/same-output.json"));
    dataset["open"] = false;
    sim::DatasetJson::importJson(hostDb_, dataset);
    std::string told;
    bool dialogShown = false;
    int status = -1;
    {
        WinProgram program(ui);
        LoopRobot robot([&] {
            dialogShown = dialogShown || dialog() != nullptr;
            if (HWND box = shownMessageBox()) {
                told = messageBoxText(box);
                answerMessageBox(box, IDOK);
            }
        });
        status = program.integrate();
        EXPECT_FALSE(robot.gaveUp());
    }
    EXPECT_EQ(status, 1);
    EXPECT_FALSE(dialogShown);
    EXPECT_NE(told.find("Please open a database"), std::string::npos) << told;
}

// The built program started without words, as the Start menu starts it, in a process of its
// own on the fixture's host.
class DesktopProgramTest : public ProgramFixture {
protected:
    void TearDown() override {
        if (process_.hProcess != nullptr) {
            if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
                TerminateProcess(process_.hProcess, 99);
            }
            CloseHandle(process_.hProcess);
            CloseHandle(process_.hThread);
        }
    }
    bool start() {
        std::wstring line = L"\"" + platform::toWide(bp::test::builtProgram("brindlepath")) + L"\"";
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        return CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                              &startup, &process_) != FALSE;
    }
    struct Search {
        DWORD process;
        HWND found;
    };
    static BOOL CALLBACK takeMainWindow(HWND hwnd, LPARAM data) {
        auto* search = reinterpret_cast<Search*>(data);
        DWORD owner = 0;
        GetWindowThreadProcessId(hwnd, &owner);
        // The splash has the same title; the main window has the menu bar.
        if (owner == search->process && IsWindowVisible(hwnd) && GetMenu(hwnd) != nullptr) {
            search->found = hwnd;
            return FALSE;
        }
        return TRUE;
    }
    // The program's main window once it shows; nullptr after a while without it.
    HWND mainWindow() const {
        for (int wait = 0; wait < 600; ++wait) {
            Search search{process_.dwProcessId, nullptr};
            EnumWindows(&takeMainWindow, reinterpret_cast<LPARAM>(&search));
            if (search.found != nullptr ||
                WaitForSingleObject(process_.hProcess, 50) != WAIT_TIMEOUT) {
                return search.found;
            }
        }
        return nullptr;
    }

    PROCESS_INFORMATION process_{};
};

TEST_F(DesktopProgramTest, StartedWithoutWordsItShowsTheMainWindowUntilTheUserClosesIt) {
    ASSERT_TRUE(start());
    HWND window = mainWindow();
    ASSERT_NE(window, nullptr) << "no main window showed";
    EXPECT_EQ(windowText(window), "brindlepath");
    PostMessageW(window, WM_CLOSE, 0, 0);
    ASSERT_EQ(WaitForSingleObject(process_.hProcess, 30000), WAIT_OBJECT_0)
        << "the program outlived its main window";
    DWORD status = 99;
    GetExitCodeProcess(process_.hProcess, &status);
    EXPECT_EQ(status, 0u);
    // Closing the window saved its choices, as the program's end does.
    EXPECT_NE(platform::test::readFile(file("settings.ini")).find("Lookup="), std::string::npos);
}

}  // namespace
}  // namespace bp::win::test
