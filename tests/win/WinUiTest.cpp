// The Windows UI service: message box styles and answers, a modal form's own message loop,
// a form shown without waiting (the main window) and the program's message loop, and the busy
// cursor.

#include "win/WinUi.h"

#include <gtest/gtest.h>

#include "platform/Error.h"
#include "win/SampleForm.h"
#include "win/WinFormWindow.h"
#include "win/WinTestSupport.h"

namespace bp::win::test {
namespace {

TEST(WinUiTest, MessageBoxStylesFollowTheRequest) {
    struct Case {
        forms::MsgButtons buttons;
        forms::MsgIcon icon;
        int defaultButton;
        UINT flags;
    };
    const Case cases[] = {
        {forms::MsgButtons::OK, forms::MsgIcon::None, 0, MB_OK},
        {forms::MsgButtons::OKCancel, forms::MsgIcon::Critical, 1,
         MB_OKCANCEL | MB_ICONERROR | MB_DEFBUTTON2},
        {forms::MsgButtons::AbortRetryIgnore, forms::MsgIcon::Exclamation, 2,
         MB_ABORTRETRYIGNORE | MB_ICONWARNING | MB_DEFBUTTON3},
        {forms::MsgButtons::YesNoCancel, forms::MsgIcon::Question, 0,
         MB_YESNOCANCEL | MB_ICONQUESTION},
        {forms::MsgButtons::YesNo, forms::MsgIcon::Information, 1,
         MB_YESNO | MB_ICONINFORMATION | MB_DEFBUTTON2},
        {forms::MsgButtons::RetryCancel, forms::MsgIcon::None, 0, MB_RETRYCANCEL},
    };
    for (const Case& c : cases) {
        forms::MessageRequest request;
        request.buttons = c.buttons;
        request.icon = c.icon;
        request.defaultButton = c.defaultButton;
        EXPECT_EQ(messageBoxFlags(request), c.flags) << static_cast<int>(c.buttons);
    }
}

TEST(WinUiTest, MessageBoxAnswersMapToTheModelsResults) {
    EXPECT_EQ(messageResult(IDOK), forms::MsgResult::OK);
    EXPECT_EQ(messageResult(IDCANCEL), forms::MsgResult::Cancel);
    EXPECT_EQ(messageResult(IDABORT), forms::MsgResult::Abort);
    EXPECT_EQ(messageResult(IDRETRY), forms::MsgResult::Retry);
    EXPECT_EQ(messageResult(IDIGNORE), forms::MsgResult::Ignore);
    EXPECT_EQ(messageResult(IDYES), forms::MsgResult::Yes);
    EXPECT_EQ(messageResult(IDNO), forms::MsgResult::No);
}

TEST(WinUiTest, NestedBusyStretchesEndWithOneRestore) {
    WinUi ui;
    ui.setBusy(true);
    ui.setBusy(true);
    EXPECT_TRUE(WinUi::busy());
    ui.setBusy(false);
    EXPECT_FALSE(WinUi::busy());
}

// The keys a user types once the modal window has the focus, queued for its message loop.
void queueKeys(const std::string& text, WPARAM finalKey) {
    HWND focus = GetFocus();
    for (const wchar_t c : platform::toWide(text)) {
        PostMessageW(focus, WM_CHAR, c, 1);
    }
    PostMessageW(focus, WM_KEYDOWN, finalKey, 1);
}

TEST(WinUiTest, ModalFormRunsItsOwnLoopUntilOkHidesIt) {
    if (!hasDisplay()) {
        GTEST_SKIP() << kNoDisplay;
    }
    WinUi ui;
    SampleForm form(ui);
    bool queued = false;
    form.txtName->onGotFocus = [&] {
        if (!queued) {
            queued = true;
            queueKeys("Weekly", VK_RETURN);
        }
    };
    form.showModal();
    EXPECT_TRUE(queued);
    EXPECT_EQ(form.result, "Weekly");
    EXPECT_FALSE(form.visible());
    EXPECT_TRUE(ui.modalWindows().empty());
}

TEST(WinUiTest, ModalFormEndsOnEscape) {
    if (!hasDisplay()) {
        GTEST_SKIP() << kNoDisplay;
    }
    WinUi ui;
    SampleForm form(ui);
    form.txtName->onGotFocus = [] { queueKeys("x", VK_ESCAPE); };
    form.showModal();
    EXPECT_TRUE(form.cancelled);
    EXPECT_EQ(form.result, "");
}

TEST(WinUiTest, DialogOpenedFromAModalFormDisablesIt) {
    if (!hasDisplay()) {
        GTEST_SKIP() << kNoDisplay;
    }
    WinUi ui;
    SampleForm outer(ui);
    SampleForm inner(ui);
    bool outerEnabledDuringInner = true;
    bool innerOwnedByOuter = false;
    bool opened = false;
    outer.txtName->onGotFocus = [&] {
        if (opened) {
            return;
        }
        opened = true;
        HWND outerWindow = ui.dialogOwner();
        inner.txtName->onGotFocus = [&, outerWindow] {
            outerEnabledDuringInner = IsWindowEnabled(outerWindow) != FALSE;
            innerOwnedByOuter = GetWindow(ui.dialogOwner(), GW_OWNER) == outerWindow;
            queueKeys("", VK_ESCAPE);
        };
        inner.showModal();
        EXPECT_TRUE(IsWindowEnabled(outerWindow));
        queueKeys("", VK_ESCAPE);
    };
    outer.showModal();
    EXPECT_FALSE(outerEnabledDuringInner);
    EXPECT_TRUE(innerOwnedByOuter);
    EXPECT_TRUE(inner.cancelled);
    EXPECT_TRUE(outer.cancelled);
}

TEST(WinUiTest, AFormShownWithoutWaitingFollowsItsVisibleUntilDetached) {
    if (!hasDisplay()) {
        GTEST_SKIP() << kNoDisplay;
    }
    WinUi ui;
    SampleForm form(ui);
    form.load();
    HWND hwnd = ui.attach(form).hwnd();
    EXPECT_EQ(&ui.attach(form), ui.windowOf(form)) << "a second attach draws a second window";
    EXPECT_FALSE(IsWindowVisible(hwnd));
    form.show();
    EXPECT_TRUE(IsWindowVisible(hwnd));
    form.hide();
    EXPECT_FALSE(IsWindowVisible(hwnd));
    ui.detach(form);
    EXPECT_EQ(ui.windowOf(form), nullptr);
    EXPECT_FALSE(IsWindow(hwnd));
}

TEST(WinUiTest, ADialogOfTheMainWindowBelongsToItAndDisablesIt) {
    if (!hasDisplay()) {
        GTEST_SKIP() << kNoDisplay;
    }
    WinUi ui;
    SampleForm main(ui);
    SampleForm dialog(ui);
    main.load();
    HWND mainWindow = ui.attach(main).hwnd();
    main.show();
    EXPECT_EQ(ui.dialogOwner(), mainWindow);
    bool mainEnabledDuringDialog = true;
    HWND dialogOwner = nullptr;
    dialog.txtName->onGotFocus = [&] {
        mainEnabledDuringDialog = IsWindowEnabled(mainWindow) != FALSE;
        dialogOwner = GetWindow(ui.dialogOwner(), GW_OWNER);
        queueKeys("", VK_ESCAPE);
    };
    dialog.showModal();
    EXPECT_TRUE(dialog.cancelled);
    EXPECT_FALSE(mainEnabledDuringDialog);
    EXPECT_EQ(dialogOwner, mainWindow);
    EXPECT_TRUE(IsWindowEnabled(mainWindow));
    // A hidden main window owns nothing: a dialog would be hidden with it.
    main.hide();
    EXPECT_EQ(ui.dialogOwner(), nullptr);
    ui.detach(main);
}

TEST(WinUiTest, TheMessageLoopGivesTheDialogKeysToTheWindowTheyAreTypedIn) {
    if (!hasDisplay()) {
        GTEST_SKIP() << kNoDisplay;
    }
    WinUi ui;
    SampleForm first(ui);
    SampleForm second(ui);
    for (SampleForm* form : {&first, &second}) {
        form->load();
        ui.attach(*form);
        form->show();
    }
    HWND edit = ui.windowOf(second)->handleFor(*second.txtName);
    typeInto(edit, "Daily");
    PostMessageW(edit, WM_KEYDOWN, VK_RETURN, 1);
    EXPECT_TRUE(runUntilOrGiveUp(ui, [&] { return !second.visible(); }));
    EXPECT_EQ(second.result, "Daily");
    EXPECT_TRUE(first.visible());
    EXPECT_EQ(first.result, "");
    ui.detach(first);
    ui.detach(second);
}

TEST(WinUiTest, TheMessageLoopEndsOnQuitAndLeavesTheQuitForTheOuterLoop) {
    WinUi ui;
    PostQuitMessage(3);
    EXPECT_FALSE(ui.runUntil([] { return false; }));
    MSG message{};
    ASSERT_TRUE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(message.wParam, 3u);
}

}  // namespace
}  // namespace bp::win::test
