#include <gtest/gtest.h>

#include "app/MainWindowCommands.h"
#include "app/Module1.h"
#include "criteria/HostFixture.h"
#include "integration/FrmIntegrate.h"
#include "output/FrmPreview.h"
#include "platform/SingleInstance.h"

namespace bp::app {
namespace {

// The main window as start-up opens it, with every command connected.
class MainWindowCommandsTest : public bp::test::HostFixture {
protected:
    void SetUp() override {
        HostFixture::SetUp();
        window = Sub_Main(session, instance);
        ASSERT_NE(window, nullptr);
        window->End = [this] { ++ended; };
    }

    platform::SingleInstance instance{file("instance.lock")};
    std::unique_ptr<FrmMain> window;
    int ended = 0;
};

TEST_F(MainWindowCommandsTest, AgreeingToRestartTheHostClosesItReopensItAndEnds) {
    ui.onModal("frmIntegrate", [&](forms::Form& form) {
        auto& dialog = static_cast<integration::FrmIntegrate&>(form);
        dialog.chkScreen(0).click();
        ui.queueAnswer(forms::MsgResult::Yes);
        dialog.cmdOK().click();
    });
    window->menu("mnuIntegrate").click();
    EXPECT_TRUE(session.bRestartAct());
    EXPECT_FALSE(window->loaded());
    EXPECT_TRUE(window->restartPending());
    EXPECT_EQ(host->callCounts()["App.Command"], 1u);
    ASSERT_EQ(shell.calls().size(), 1u);
    EXPECT_EQ(shell.calls()[0].path, "/home/ann/Contacts/demo.dbf");
    window->tmr1().tick();
    EXPECT_EQ(ended, 0);
    window->tmr1().tick();
    EXPECT_EQ(ended, 1);
}

TEST_F(MainWindowCommandsTest, TheHostClosingClosesTheIntegrationWindowWithTheMainWindow) {
    integration::FrmIntegrate* open = nullptr;
    ui.onModal("frmIntegrate", [&](forms::Form& form) {
        open = static_cast<integration::FrmIntegrate*>(&form);
        window->ActEvent1_OnActUserWantsToClose();
        EXPECT_FALSE(form.loaded());
    });
    window->menu("mnuIntegrate").click();
    ASSERT_NE(open, nullptr);
    EXPECT_FALSE(window->loaded());
    EXPECT_FALSE(window->restartPending());
    EXPECT_FALSE(session.bRestartAct());
}

// A lookup on all contacts with every status: the preview lists it and leaves the host alone;
// the run button then gives the host the new lookup and closes the window.
TEST_F(MainWindowCommandsTest, ThePreviewShowsWhatTheRunButtonThenMakes) {
    auto& c = window->criteriaControls();
    c.optLookup[0].setValue(true);
    c.chkSales[1].setValue(forms::CheckBox::kChecked);
    c.chkSales[2].setValue(forms::CheckBox::kChecked);
    int contacts = -1;
    std::string total;
    ui.onModal("frmPreview", [&](forms::Form& form) {
        auto& preview = dynamic_cast<output::FrmPreview&>(form);
        contacts = preview.lvwRows().rowCount();
        total = preview.lblTotal().caption();
        preview.cmdClose().click();
    });
    window->cmdPreview().click();
    EXPECT_GT(contacts, 0);
    EXPECT_EQ(total, std::to_string(contacts) + " contacts:");
    EXPECT_EQ(host->callCounts()["ContactView.CreateLookup"], 0u);
    EXPECT_TRUE(window->loaded());
    window->cmdOK().click();
    EXPECT_EQ(host->callCounts()["ContactView.CreateLookup"], 1u);
    EXPECT_FALSE(window->loaded());
}

}  // namespace
}  // namespace bp::app
