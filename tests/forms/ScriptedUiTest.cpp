// The scripted UI service: answers from queues, defaults, modal scripts, recorded requests.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "forms/Controls.h"
#include "forms/MessageAssertions.h"
#include "forms/ScriptedUi.h"

namespace bp::forms {
namespace {

using testing::ExpectedMessage;
using testing::showedMessage;
using testing::showedMessages;
using testing::showedNoMessage;

// A dialog whose OK button closes it, and whose load may refuse to open.
class ScriptedDialogForm : public Form {
public:
    ScriptedDialogForm(UiService& ui, std::string name) : Form(ui, std::move(name)) {
        cmdOK = &add<CommandButton>("cmdOK");
        cmdOK->onClick = [this] { unload(); };
    }
    bool refuseToOpen = false;
    int loads = 0;
    CommandButton* cmdOK = nullptr;

protected:
    void Form_Load() override {
        ++loads;
        if (refuseToOpen) {
            unload();
        }
    }
};

class ScriptedUiTest : public ::testing::Test {
protected:
    MsgResult ask(MsgButtons buttons, int defaultButton = 0, std::string text = "Sure?") {
        return ui.message(
            {"Brindlepath", std::move(text), buttons, MsgIcon::Question, defaultButton});
    }
    ScriptedUi ui;
};

TEST_F(ScriptedUiTest, EmptyQueueAnswersWithTheDefaultButton) {
    struct Case {
        MsgButtons buttons;
        int defaultButton;
        MsgResult answer;
    };
    const Case cases[] = {
        {MsgButtons::OK, 0, MsgResult::OK},
        {MsgButtons::OKCancel, 1, MsgResult::Cancel},
        {MsgButtons::YesNo, 0, MsgResult::Yes},
        {MsgButtons::YesNoCancel, 2, MsgResult::Cancel},
        {MsgButtons::AbortRetryIgnore, 1, MsgResult::Retry},
        {MsgButtons::RetryCancel, 0, MsgResult::Retry},
        {MsgButtons::YesNo, 5, MsgResult::Yes},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ask(c.buttons, c.defaultButton), c.answer)
            << "buttons " << static_cast<int>(c.buttons) << " default " << c.defaultButton;
    }
}

TEST_F(ScriptedUiTest, QueuedAnswersAreUsedInOrderThenTheDefault) {
    ui.queueAnswer(MsgResult::No);
    ui.queueAnswer(MsgResult::Cancel);
    EXPECT_EQ(ask(MsgButtons::YesNoCancel, 0, "first"), MsgResult::No);
    EXPECT_EQ(ask(MsgButtons::OKCancel, 0, "second"), MsgResult::Cancel);
    EXPECT_EQ(ask(MsgButtons::OKCancel, 0, "third"), MsgResult::OK);
    ASSERT_EQ(ui.messages().size(), 3u);
    EXPECT_EQ(ui.messages()[0].answer, MsgResult::No);
    EXPECT_TRUE(showedMessages(ui, {{"first"}, {"second"}, {"third"}}));
}

TEST_F(ScriptedUiTest, AnswerThatIsNoButtonOfTheBoxIsATestError) {
    ui.queueAnswer(MsgResult::Yes);
    EXPECT_THROW(ask(MsgButtons::OKCancel), std::logic_error);
}

TEST_F(ScriptedUiTest, MessageAssertionsCompareEveryGivenField) {
    ui.message({"Empty Report", "There is no data to display or export!", MsgButtons::OK,
                MsgIcon::Exclamation});
    EXPECT_TRUE(showedMessage(ui, {"There is no data to display or export!", "Empty Report",
                                   MsgIcon::Exclamation, MsgButtons::OK}));
    EXPECT_FALSE(showedMessage(ui, {"There is no data to display or export!", "Brindlepath"}));
    EXPECT_FALSE(showedMessage(
        ui, {"There is no data to display or export!", std::nullopt, MsgIcon::Information}));
    EXPECT_FALSE(showedNoMessage(ui));
    EXPECT_FALSE(showedMessages(ui, {}));
}

TEST_F(ScriptedUiTest, ModalScriptRunsWhileTheFormIsShown) {
    ScriptedDialogForm dialog(ui, "frmRename");
    bool shownDuringScript = false;
    ui.onModal("frmRename", [&](Form& form) {
        shownDuringScript = form.visible() && form.modal();
        static_cast<ScriptedDialogForm&>(form).cmdOK->click();
    });
    dialog.showModal();
    EXPECT_TRUE(shownDuringScript);
    EXPECT_FALSE(dialog.loaded());
    ASSERT_EQ(ui.modals().size(), 1u);
    EXPECT_TRUE(ui.modals()[0].scripted);
    EXPECT_FALSE(ui.modals()[0].leftOpen);
}

TEST_F(ScriptedUiTest, FormLeftOpenIsHiddenAndRecorded) {
    ScriptedDialogForm dialog(ui, "frmNew");
    dialog.showModal();
    EXPECT_FALSE(dialog.visible());
    EXPECT_FALSE(dialog.modal());
    ASSERT_EQ(ui.modals().size(), 1u);
    EXPECT_FALSE(ui.modals()[0].scripted);
    EXPECT_TRUE(ui.modals()[0].leftOpen);
}

TEST_F(ScriptedUiTest, FormThatUnloadsWhileLoadingIsNeverShown) {
    ScriptedDialogForm dialog(ui, "frmReportSettings");
    dialog.refuseToOpen = true;
    dialog.showModal();
    EXPECT_EQ(dialog.loads, 1);
    EXPECT_TRUE(ui.modals().empty());
}

TEST_F(ScriptedUiTest, ModalFormsNest) {
    ScriptedDialogForm outer(ui, "frmReportList");
    ScriptedDialogForm inner(ui, "frmNew");
    std::vector<std::string> order;
    ui.onModal("frmReportList", [&](Form&) {
        order.push_back("outer open");
        inner.showModal();
        order.push_back("outer resumes");
        outer.cmdOK->click();
    });
    ui.onModal("frmNew", [&](Form&) {
        order.push_back("inner");
        inner.cmdOK->click();
    });
    outer.showModal();
    EXPECT_EQ(order, (std::vector<std::string>{"outer open", "inner", "outer resumes"}));
    ASSERT_EQ(ui.modals().size(), 2u);
    EXPECT_EQ(ui.modals()[0].formName, "frmReportList");
    EXPECT_EQ(ui.modals()[1].formName, "frmNew");
}

TEST_F(ScriptedUiTest, ShowingAVisibleFormModallyIsAnError) {
    ScriptedDialogForm dialog(ui, "frmNew");
    dialog.show();
    EXPECT_THROW(dialog.showModal(), std::logic_error);
}

TEST_F(ScriptedUiTest, DialogsAnswerFromTheirQueuesAndCancelWhenEmpty) {
    ui.queueSaveFile("/tmp/out.CSV");
    SaveFileRequest request{"Save", "CSV Files (*.CSV)|*.CSV", "CSV", "/home/ann/CSV Files"};
    EXPECT_EQ(ui.saveFile(request), "/tmp/out.CSV");
    EXPECT_EQ(ui.saveFile(request), std::nullopt);
    ASSERT_EQ(ui.saveRequests().size(), 2u);
    EXPECT_EQ(ui.saveRequests()[0].initialFolder, "/home/ann/CSV Files");

    ui.queueColor(0x0000FF);
    EXPECT_EQ(ui.chooseColor(0xFFFFFF), 0x0000FFu);
    EXPECT_EQ(ui.chooseColor(0xFFFFFF), std::nullopt);
    EXPECT_EQ(ui.colorRequests(), (std::vector<std::uint32_t>{0xFFFFFF, 0xFFFFFF}));

    FontChoice bold;
    bold.bold = true;
    ui.queueFont(bold);
    ui.queueFont(std::nullopt);
    EXPECT_TRUE(ui.chooseFont({})->bold);
    EXPECT_EQ(ui.chooseFont({}), std::nullopt);

    ui.queueFolder("/srv/templates");
    EXPECT_EQ(ui.browseFolder("Templates", "/home"), "/srv/templates");
    EXPECT_EQ(ui.browseFolder("Templates", "/home"), std::nullopt);
    EXPECT_EQ(ui.folderRequests().size(), 2u);
}

TEST_F(ScriptedUiTest, BeepsAndBusyPointerAreRecorded) {
    ui.beep();
    ui.setBusy(true);
    ui.setBusy(false);
    EXPECT_EQ(ui.beeps(), 1);
    EXPECT_FALSE(ui.busy());
    EXPECT_EQ(ui.busyChanges(), (std::vector<bool>{true, false}));
}

TEST_F(ScriptedUiTest, PopupMenuRunsTheChosenEntryBeforeReturning) {
    Form form(ui, "frmMain");
    auto& popup = form.add<MenuEntry>("mnuPopup");
    popup.setVisible(false);  // kept out of the menu bar, shown only as a popup
    auto& edit = form.add<MenuEntry>("mnuPopupEdit", -1, &popup);
    auto& del = form.add<MenuEntry>("mnuPopupDelete", -1, &popup);
    del.setEnabled(false);
    std::vector<std::string> clicked;
    edit.onClick = [&] { clicked.push_back("edit"); };
    del.onClick = [&] { clicked.push_back("delete"); };

    ui.queuePopupChoice("mnuPopupEdit");
    ui.queuePopupChoice("mnuPopupDelete");
    form.popupMenu(popup, 10, 20);
    form.popupMenu(popup);
    form.popupMenu(popup);

    EXPECT_EQ(clicked, (std::vector<std::string>{"edit"})) << "a disabled entry cannot be chosen";
    EXPECT_EQ(form.poppedUpMenu(), nullptr);
    ASSERT_EQ(ui.popups().size(), 3u);
    EXPECT_EQ(ui.popups()[0].x, 10);
    EXPECT_FALSE(ui.popups()[1].entries[1].enabled);
    EXPECT_EQ(ui.popups()[2].chosen, "");
    EXPECT_FALSE(edit.click()) << "outside the popup its hidden parent hides it";
}

TEST_F(ScriptedUiTest, PopupChoiceThatIsNoEntryIsATestError) {
    Form form(ui, "frmMain");
    auto& popup = form.add<MenuEntry>("mnuPopup");
    form.add<MenuEntry>("mnuPopupNew", -1, &popup);
    ui.queuePopupChoice("mnuNothing");
    EXPECT_THROW(form.popupMenu(popup), std::logic_error);
    EXPECT_EQ(form.poppedUpMenu(), nullptr);
}

}  // namespace
}  // namespace bp::forms
