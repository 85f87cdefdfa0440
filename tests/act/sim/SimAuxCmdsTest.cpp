// The program's command placed in the host's toolbars and Tools menus.
#include <gtest/gtest.h>

#include "act/sim/DatasetJson.h"
#include "act/sim/HostTestSupport.h"
#include "act/sim/SimHost.h"

namespace bp::sim::test {
namespace {

class SimAuxCmdsTest : public TempHostFolder {
protected:
    void SetUp() override {
        TempHostFolder::SetUp();
        DatasetJson::importText(path("host.db"), kSmallDataset);
        host_ = std::make_unique<SimHost>(path("host.db"));
        aux_ = host_->createAuxCmds();
    }
    int define() {
        return aux_->AddAuxCommand("brindlepath", "/opt/bp/BRINDLEPATH.EXE", "/opt/bp",
                                   "Brindlepath", "click to launch Brindlepath", "/opt/bp/b.ico",
                                   "/opt/bp/b32.ico", 1);
    }

    std::unique_ptr<SimHost> host_;
    std::shared_ptr<act::AuxCmds> aux_;
};

TEST_F(SimAuxCmdsTest, DefineThenPlaceInEachViewSeparately) {
    EXPECT_EQ(aux_->AuxCommandExists("brindlepath"), 0);
    ASSERT_EQ(define(), 0);
    EXPECT_EQ(aux_->AuxCommandExists("brindlepath"), 1);
    EXPECT_EQ(aux_->AddAuxCommandToToolbar(3, "brindlepath"), 0);
    EXPECT_EQ(aux_->AddAuxCommandToToolsMenu(6, "brindlepath"), 0);
    for (int view = 1; view <= 6; ++view) {
        EXPECT_EQ(aux_->AuxCommandExistsInToolbar(view, "brindlepath"), view == 3 ? 1 : 0);
        EXPECT_EQ(aux_->AuxCommandExistsInToolsMenu(view, "brindlepath"), view == 6 ? 1 : 0);
    }
    EXPECT_EQ(aux_->RemoveAuxCommandFromToolbar(3, "brindlepath"), 0);
    EXPECT_EQ(aux_->AuxCommandExistsInToolbar(3, "brindlepath"), 0);
    EXPECT_EQ(aux_->AuxCommandExistsInToolsMenu(6, "brindlepath"), 1);
}

TEST_F(SimAuxCmdsTest, PlacingAnUnknownCommandOrViewIsRefused) {
    EXPECT_NE(aux_->AddAuxCommandToToolbar(1, "brindlepath"), 0);
    ASSERT_EQ(define(), 0);
    EXPECT_NE(aux_->AddAuxCommandToToolbar(7, "brindlepath"), 0);
    EXPECT_NE(aux_->AddAuxCommandToToolsMenu(0, "brindlepath"), 0);
    EXPECT_EQ(aux_->AuxCommandExistsInToolbar(7, "brindlepath"), 0);
    EXPECT_NE(aux_->AddAuxCommand("", "x", "x", "x", "x", "x", "x", 1), 0);
}

TEST_F(SimAuxCmdsTest, PlacementsAreKeptInTheHostDatabase) {
    ASSERT_EQ(define(), 0);
    ASSERT_EQ(aux_->AddAuxCommandToToolbar(2, "brindlepath"), 0);
    ASSERT_EQ(aux_->AddAuxCommandToToolbar(5, "brindlepath"), 0);
    ASSERT_EQ(aux_->AddAuxCommandToToolsMenu(1, "brindlepath"), 0);
    auto later = SimHost(path("host.db")).createAuxCmds();
    EXPECT_EQ(later->AuxCommandExistsInToolbar(5, "brindlepath"), 1);

    ToolResult listed = runOnHost({"commands"});
    ASSERT_EQ(listed.exitCode, 0) << listed.output;
    EXPECT_EQ(listed.output,
              "brindlepath: /opt/bp/BRINDLEPATH.EXE (\"Brindlepath\")\n"
              "  toolbar: views 2, 5\n"
              "  tools menu: views 1\n");
}

}  // namespace
}  // namespace bp::sim::test
