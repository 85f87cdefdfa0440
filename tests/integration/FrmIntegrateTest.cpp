#include <gtest/gtest.h>

#include "integration/FrmIntegrate.h"
#include "support/HostSession.h"

namespace bp::integration {
namespace {

constexpr const char* kHost = R"json({
  "users": [{"id": "U00000000001", "name": "Ann Admin"}],
  "contacts": [{"1": "C00000000001", "25": "Acme Ltd"}]
})json";

const char* const kRestartQuestion =
    "You need to re-start ACT! for the changes to take effect!\r\nDo you want to re-start it now?";
const char* const kFailure =
    "Can't add icon or menu item automatically. You will need to proceed manually.";

class FrmIntegrateTest : public testing::Test {
protected:
    FrmIntegrateTest() {
        form_.closeMainWindow = [this] { ++mainWindowClosed_; };
    }

    // What the host says now, through a fresh object as another program would ask.
    bool onToolbar(int view) {
        return host_.host->createAuxCmds()->AuxCommandExistsInToolbar(view, "brindlepath") == 1;
    }
    bool inToolsMenu(int view) {
        return host_.host->createAuxCmds()->AuxCommandExistsInToolsMenu(view, "brindlepath") == 1;
    }
    std::vector<std::string> texts() {
        std::vector<std::string> all;
        for (const auto& m : host_.ui.messages()) {
            all.push_back(m.request.text);
        }
        return all;
    }

    test::HostSession host_{kHost};
    FrmIntegrate form_{host_.session};
    int mainWindowClosed_ = 0;
};

TEST_F(FrmIntegrateTest, OpeningAndClosingWithoutAChangeSaysNothing) {
    form_.load();
    form_.cmdOK().click();
    EXPECT_TRUE(host_.ui.messages().empty());
    EXPECT_FALSE(form_.loaded());
    EXPECT_EQ(host_.host->callCounts()["AuxCmds.AddAuxCommand"], 0u);
}

TEST_F(FrmIntegrateTest, TheFirstTickDefinesTheCommandAndPlacesIt) {
    form_.load();
    form_.chkScreen(2).click();  // Groups toolbar
    EXPECT_TRUE(onToolbar(3));
    EXPECT_TRUE(host_.host->createAuxCmds()->AuxCommandExists("brindlepath") != 0);
    form_.chkScreen(7).click();  // Contact List Tools menu
    EXPECT_TRUE(inToolsMenu(2));
    EXPECT_EQ(host_.host->callCounts()["AuxCmds.AddAuxCommand"], 1u);
    EXPECT_TRUE(host_.ui.messages().empty());
}

TEST_F(FrmIntegrateTest, TheBoxesShowThePlacementsTheHostHas) {
    auto aux = host_.host->createAuxCmds();
    aux->AddAuxCommand("brindlepath", "p", "w", "d", "t", "i", "l", 1);
    aux->AddAuxCommandToToolbar(1, "brindlepath");
    aux->AddAuxCommandToToolsMenu(6, "brindlepath");
    form_.load();
    for (int i = 0; i < FrmIntegrate::kBoxes; ++i) {
        EXPECT_EQ(form_.chkScreen(i).checked(), i == 0 || i == 11) << i;
    }
    EXPECT_FALSE(form_.bChanged());
}

TEST_F(FrmIntegrateTest, ARefusedDefinitionIsReportedAtOnceAndStillPlaced) {
    host_.host->forceResult("AddAuxCommand", 5);
    form_.load();
    form_.chkScreen(0).click();
    EXPECT_EQ(texts(), std::vector<std::string>{kFailure});
    EXPECT_EQ(host_.host->callCounts()["AuxCmds.AddAuxCommandToToolbar"], 1u);
}

TEST_F(FrmIntegrateTest, ALabelClickTogglesItsBox) {
    form_.load();
    form_.lblScreen(9).click();
    EXPECT_TRUE(form_.chkScreen(9).checked());
    EXPECT_TRUE(inToolsMenu(4));
    form_.lblScreen(9).click();
    EXPECT_FALSE(form_.chkScreen(9).checked());
    EXPECT_FALSE(inToolsMenu(4));
}

TEST_F(FrmIntegrateTest, ARefusedPlacementIsReportedOnClose) {
    host_.host->forceResult("AddAuxCommandToToolbar", 3);
    form_.load();
    form_.chkScreen(4).click();
    EXPECT_TRUE(host_.ui.messages().empty());
    form_.cmdOK().click();
    EXPECT_EQ(texts(), std::vector<std::string>{kFailure});
    EXPECT_EQ(mainWindowClosed_, 0);
}

TEST_F(FrmIntegrateTest, NoToTheRestartRefreshesTheBoxesAndKeepsRunning) {
    form_.load();
    form_.chkScreen(1).click();
    // Another program removes the placement meanwhile; the refreshed boxes show it.
    host_.host->createAuxCmds()->RemoveAuxCommandFromToolbar(2, "brindlepath");
    host_.ui.queueAnswer(forms::MsgResult::No);
    form_.cmdOK().click();
    EXPECT_EQ(texts(), std::vector<std::string>{kRestartQuestion});
    EXPECT_EQ(host_.ui.messages()[0].request.buttons, forms::MsgButtons::YesNo);
    EXPECT_FALSE(form_.chkScreen(1).checked());
    EXPECT_FALSE(host_.session.bRestartAct());
    EXPECT_EQ(mainWindowClosed_, 0);
    EXPECT_FALSE(form_.loaded());
}

TEST_F(FrmIntegrateTest, YesSetsTheRestartAndClosesTheMainWindow) {
    form_.load();
    form_.chkScreen(6).click();
    host_.ui.queueAnswer(forms::MsgResult::Yes);
    form_.cmdOK().click();
    EXPECT_TRUE(host_.session.bRestartAct());
    EXPECT_EQ(mainWindowClosed_, 1);
    EXPECT_FALSE(form_.loaded());
}

TEST_F(FrmIntegrateTest, CancelAfterChangesAsksNothingAndKeepsThem) {
    form_.load();
    form_.chkScreen(5).click();
    form_.cmdCancel().click();
    EXPECT_TRUE(host_.ui.messages().empty());
    EXPECT_TRUE(onToolbar(6));
    EXPECT_FALSE(form_.loaded());
}

TEST_F(FrmIntegrateTest, TheCommandIsDefinedForThisPlatform) {
#ifdef _WIN32
    auto def = commandDefinition("C:\\Program Files\\Zoë bp", "brindlepath");
    EXPECT_EQ(def.programPath, "C:\\Program Files\\Zoë bp\\brindlepath.exe");
    EXPECT_EQ(def.workingFolder, "C:\\Program Files\\Zoë bp");
    EXPECT_EQ(def.iconFile, "C:\\Program Files\\Zoë bp\\brindlepath.ico");
    EXPECT_EQ(def.largeIconFile, "C:\\Program Files\\Zoë bp\\brindlepath32.ico");
#else
    auto def = commandDefinition("/opt/bp", "brindlepath");
    EXPECT_EQ(def.programPath, "/opt/bp/brindlepath");
    EXPECT_EQ(def.workingFolder, "/opt/bp");
    EXPECT_EQ(def.iconFile, "/opt/bp/brindlepath.ico");
    EXPECT_EQ(def.largeIconFile, "/opt/bp/brindlepath32.ico");
#endif
}

TEST_F(FrmIntegrateTest, AHostFailureIsReportedInTheCommonForm) {
    host_.host->failAt("AuxCmds.AuxCommandExists", 0, 440, "Automation error");
    form_.load();
    form_.chkScreen(0).click();
    ASSERT_EQ(host_.ui.messages().size(), 1u);
    EXPECT_EQ(host_.ui.messages()[0].request.title, "brindlepath error");
    EXPECT_NE(host_.ui.messages()[0].request.text.find("in frmIntegrate: Sub chkScreen_Click"),
              std::string::npos);
}

}  // namespace
}  // namespace bp::integration
