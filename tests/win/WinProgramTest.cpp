// brindlepath --integrate: start-up on the host, the integration dialog alone, driven through
// its real check boxes and buttons, and the program's end: at once, or after the host was
// asked to re-start, once the main window's re-start timer has run out.

#include "win/WinProgram.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "integration/FrmIntegrate.h"
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

}  // namespace
}  // namespace bp::win::test
