#include <gtest/gtest.h>

#include <sstream>

#include "forms/Form.h"
#include "output/BatchUi.h"
#include "output/SettingsOverlay.h"
#include "platform/MemorySettingsStore.h"

namespace bp::output {
namespace {

class SettingsOverlayTest : public testing::Test {
protected:
    SettingsOverlayTest() {
        user_.SaveSetting("Settings", "chkSales0", "1");
        user_.SaveSetting("Settings", "lstCriteria0", "2\f");
        user_.SaveSetting("Settings", "Lookup", "-1");
    }
    platform::MemorySettingsStore user_;
};

TEST_F(SettingsOverlayTest, SelectionKeysWinForThisRunOnly) {
    SettingsOverlay run(user_, {{"chksales0", "0"}, {"Report", "-1"}});
    EXPECT_EQ(run.GetSetting("Settings", "ChkSales0", "x"), "0");
    EXPECT_EQ(run.GetSetting("Settings", "Lookup", "x"), "-1");
    EXPECT_EQ(run.GetSetting("Settings", "Report", "x"), "-1");
    EXPECT_EQ(user_.GetSetting("Settings", "chkSales0", "x"), "1");
    EXPECT_EQ(user_.GetSetting("Settings", "Report", "x"), "x");
}

TEST_F(SettingsOverlayTest, TheRunLeavesTheUsersWindowStateAlone) {
    SettingsOverlay run(user_, {});
    run.SaveSetting("Settings", "Lookup", "0");
    run.DeleteSetting("Settings", "lstCriteria0");
    EXPECT_EQ(run.GetSetting("Settings", "Lookup", "x"), "0");
    EXPECT_EQ(run.GetSetting("Settings", "lstCriteria0", "gone"), "gone");
    EXPECT_EQ(user_.GetSetting("Settings", "Lookup", "x"), "-1");
    EXPECT_EQ(user_.GetSetting("Settings", "lstCriteria0", "x"), "2\f");
}

TEST_F(SettingsOverlayTest, WhatTheReportBuilderReadsReachesTheStore) {
    SettingsOverlay run(user_, {});
    run.SaveSetting("Settings", "DataFile", "/tmp/p/data.CSV");
    run.SaveSetting("Report", "Sort0", "34");
    run.DeleteSetting("Report");
    run.SaveSetting("Report", "Path", "/t/A.XLT");
    EXPECT_EQ(user_.GetSetting("Settings", "DataFile", ""), "/tmp/p/data.CSV");
    EXPECT_EQ(user_.GetSetting("Report", "Sort0", "none"), "none");
    EXPECT_EQ(user_.GetSetting("Report", "Path", ""), "/t/A.XLT");
}

TEST_F(SettingsOverlayTest, ListsTheSectionAsTheRunSeesIt) {
    SettingsOverlay run(user_, {{"Lookup", "0"}});
    run.DeleteSetting("Settings", "chkSales0");
    auto pairs = run.GetAllSettings("Settings");
    ASSERT_EQ(pairs.size(), 2u);
    EXPECT_EQ(pairs[0], (std::pair<std::string, std::string>{"lstCriteria0", "2\f"}));
    EXPECT_EQ(pairs[1], (std::pair<std::string, std::string>{"Lookup", "0"}));
}

TEST(BatchUiTest, MessagesGoToStandardErrorAndTakeTheDefaultButton) {
    std::ostringstream err;
    BatchUi ui(err, std::nullopt);
    auto answer = ui.message({"Conflicting conditions", "line one\r\nline two",
                              forms::MsgButtons::YesNo, forms::MsgIcon::Exclamation, 1});
    EXPECT_EQ(answer, forms::MsgResult::No);
    EXPECT_EQ(err.str(), "Conflicting conditions: line one\nline two\n");
    EXPECT_EQ(ui.messageCount(), 1);
}

TEST(BatchUiTest, TheSaveDialogIsAnsweredWithTheOutputFile) {
    std::ostringstream err;
    EXPECT_EQ(BatchUi(err, "/tmp/out.csv").saveFile({}), "/tmp/out.csv");
    EXPECT_EQ(BatchUi(err, std::nullopt).saveFile({}), std::nullopt);
}

TEST(BatchUiTest, AModalWindowClosesAsCancelled) {
    std::ostringstream err;
    BatchUi ui(err, std::nullopt);
    forms::Form dialog(ui, "frmNew");
    dialog.load();
    ui.showModal(dialog);
    EXPECT_FALSE(dialog.loaded());
}

// On a terminal a message starts on a line of its own: the bar is wiped first.
TEST(BatchUiProgress, AMessageWipesTheBarFirst) {
    std::ostringstream out;
    BatchUi ui(out, std::nullopt);
    // Off a terminal the sink is there for Ctrl+C only: it draws nothing.
    ASSERT_NE(ui.progressSink(), nullptr);
    ui.progressSink()->show("Writing", -1);
    EXPECT_EQ(out.str(), "");
    ui.showProgress({});
    ASSERT_NE(ui.progressSink(), nullptr);
    ui.progressSink()->show("Writing", -1);
    ui.message({"brindlepath", "Stopped", forms::MsgButtons::OK, forms::MsgIcon::None});
    EXPECT_EQ(out.str(), "\rWriting...\r" + std::string(10, ' ') + "\rbrindlepath: Stopped\n");
}

}  // namespace
}  // namespace bp::output
