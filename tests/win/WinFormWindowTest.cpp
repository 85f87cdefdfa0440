// The Win32 window of a form: the user's actions on the real controls reach the model, the
// model's changes show in the controls without firing its handlers back, and the controls are
// laid out on the form's grid.

#include "win/WinFormWindow.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include "forms/ScriptedUi.h"
#include "win/SampleForm.h"
#include "win/WinTestSupport.h"

namespace bp::win::test {
namespace {

class WinFormWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!hasDisplay()) {
            GTEST_SKIP() << kNoDisplay;
        }
        form.load();
        window = std::make_unique<WinFormWindow>(form);
        form.show();
    }
    void TearDown() override { window.reset(); }

    HWND handle(const forms::Control& control) const { return window->handleFor(control); }
    // A key pressed while `focus` has the keyboard, through the window's dialog keys.
    bool press(HWND focus, WPARAM key) {
        MSG message{focus, WM_KEYDOWN, key, 1, 0, {0, 0}};
        return window->translate(message);
    }

    forms::ScriptedUi ui;
    SampleForm form{ui};
    std::unique_ptr<WinFormWindow> window;
};

TEST_F(WinFormWindowTest, ShowingTheFormShowsTheWindowWithItsCaption) {
    EXPECT_TRUE(IsWindowVisible(window->hwnd()));
    EXPECT_EQ(windowText(window->hwnd()), "Sample");
    form.setCaption("Renamed");
    EXPECT_EQ(windowText(window->hwnd()), "Renamed");
}

TEST_F(WinFormWindowTest, TypedNameIsTheResultOfEnter) {
    HWND edit = handle(*form.txtName);
    typeInto(edit, "Monthly");
    EXPECT_EQ(form.txtName->text(), "Monthly");
    EXPECT_EQ(windowText(edit), "Monthly");
    EXPECT_TRUE(press(edit, VK_RETURN));
    EXPECT_EQ(form.result, "Monthly");
    EXPECT_FALSE(form.visible());
    EXPECT_FALSE(IsWindowVisible(window->hwnd()));
}

TEST_F(WinFormWindowTest, OkButtonClickTakesTheTypedName) {
    typeInto(handle(*form.txtName), "Zoë");
    SendMessageW(handle(*form.cmdOK), BM_CLICK, 0, 0);
    EXPECT_EQ(form.result, "Zoë");
    EXPECT_FALSE(form.cancelled);
}

TEST_F(WinFormWindowTest, EscapeCancels) {
    HWND edit = handle(*form.txtName);
    typeInto(edit, "Draft");
    EXPECT_TRUE(press(edit, VK_ESCAPE));
    EXPECT_TRUE(form.cancelled);
    EXPECT_EQ(form.result, "");
    EXPECT_FALSE(form.visible());
}

TEST_F(WinFormWindowTest, KeyTheFormRefusesNeverReachesTheBox) {
    HWND edit = handle(*form.txtName);
    typeInto(edit, "a/b");
    EXPECT_EQ(form.txtName->text(), "ab");
    EXPECT_EQ(windowText(edit), "ab");
    SendMessageW(edit, WM_CHAR, VK_BACK, 1);
    EXPECT_EQ(windowText(edit), "a");
    EXPECT_EQ(form.txtName->text(), "a");
}

TEST_F(WinFormWindowTest, TextSetFromOutsideGoesThroughTheKeys) {
    HWND edit = handle(*form.txtName);
    SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"x/y"));
    notify(edit, EN_CHANGE);
    EXPECT_EQ(form.txtName->text(), "xy");
    EXPECT_EQ(windowText(edit), "xy");
}

TEST_F(WinFormWindowTest, ModelTextShowsWithoutFiringChangeBack) {
    form.txtName->setText("Quarter", forms::Announcement::BeQuiet);
    EXPECT_EQ(windowText(handle(*form.txtName)), "Quarter");
    EXPECT_EQ(form.changes, 0);
    form.txtName->setText("Year");
    EXPECT_EQ(windowText(handle(*form.txtName)), "Year");
    EXPECT_EQ(form.changes, 1);
}

TEST_F(WinFormWindowTest, ModelSelectionShowsInTheBox) {
    form.txtName->setText("Sales by Company", forms::Announcement::BeQuiet);
    form.txtName->setSelStart(6);
    form.txtName->setSelLength(2);
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(handle(*form.txtName), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 6u);
    EXPECT_EQ(end, 8u);
}

TEST_F(WinFormWindowTest, CheckBoxClickSetsTheModelsValue) {
    HWND box = handle(*form.chkAll);
    SendMessageW(box, BM_CLICK, 0, 0);
    EXPECT_EQ(form.chkAll->value(), forms::CheckBox::kChecked);
    EXPECT_EQ(form.checkClicks, 1);
    EXPECT_EQ(SendMessageW(box, BM_GETCHECK, 0, 0), BST_CHECKED);
    SendMessageW(box, BM_CLICK, 0, 0);
    EXPECT_EQ(form.chkAll->value(), forms::CheckBox::kUnchecked);
    EXPECT_EQ(SendMessageW(box, BM_GETCHECK, 0, 0), BST_UNCHECKED);
}

TEST_F(WinFormWindowTest, ModelValueShowsInTheCheckBoxWithoutAClick) {
    form.chkAll->setValue(forms::CheckBox::kGrayed, forms::Announcement::BeQuiet);
    EXPECT_EQ(SendMessageW(handle(*form.chkAll), BM_GETCHECK, 0, 0), BST_INDETERMINATE);
    EXPECT_EQ(form.checkClicks, 0);
}

TEST_F(WinFormWindowTest, OptionClickClearsTheOtherOptionOfItsFrame) {
    form.optFirst->setValue(true);
    HWND second = handle(*form.optSecond);
    SendMessageW(second, BM_CLICK, 0, 0);
    EXPECT_TRUE(form.optSecond->value());
    EXPECT_FALSE(form.optFirst->value());
    EXPECT_EQ(form.optionClicks, 1);
    EXPECT_EQ(SendMessageW(second, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageW(handle(*form.optFirst), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    form.optFirst->setValue(true);
    EXPECT_EQ(SendMessageW(second, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(SendMessageW(handle(*form.optFirst), BM_GETCHECK, 0, 0), BST_CHECKED);
}

TEST_F(WinFormWindowTest, OptionsOfOneContainerFormOneGroup) {
    EXPECT_NE(GetWindowLongW(handle(*form.optFirst), GWL_STYLE) & WS_GROUP, 0);
    EXPECT_EQ(GetWindowLongW(handle(*form.optSecond), GWL_STYLE) & WS_GROUP, 0);
}

TEST_F(WinFormWindowTest, ComboPickReachesTheModel) {
    HWND combo = handle(*form.cboKind);
    EXPECT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0), 3);
    SendMessageW(combo, CB_SETCURSEL, 1, 0);
    notify(combo, CBN_SELCHANGE);
    EXPECT_EQ(form.cboKind->listIndex(), 1);
    EXPECT_EQ(form.cboKind->text(), "CSV");
    EXPECT_EQ(form.comboClicks, 1);
}

TEST_F(WinFormWindowTest, ModelListIndexAndEntriesShowInTheCombo) {
    HWND combo = handle(*form.cboKind);
    form.cboKind->setListIndex(2, forms::Announcement::BeQuiet);
    EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 2);
    form.cboKind->addItem("Archive", 0);
    EXPECT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0), 4);
    EXPECT_EQ(windowText(combo), "Lookup");
    EXPECT_EQ(form.comboClicks, 0);
}

TEST_F(WinFormWindowTest, TextTypedIntoAComboKeepsTheCaretWhereTheUserTypes) {
    HWND combo = handle(*form.cboCity);
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    ASSERT_TRUE(GetComboBoxInfo(combo, &info));
    typeInto(info.hwndItem, "Bern");
    EXPECT_EQ(form.cboCity->text(), "Bern");
    EXPECT_EQ(form.cboCity->listIndex(), 1);  // the typed text names an entry
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(info.hwndItem, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 4u);
    EXPECT_EQ(end, 4u);
    typeInto(info.hwndItem, "e");
    EXPECT_EQ(form.cboCity->text(), "Berne");
    EXPECT_EQ(windowText(combo), "Berne");
    EXPECT_EQ(form.cboCity->listIndex(), -1);
    EXPECT_EQ(form.cityChanges, 5);
}

TEST_F(WinFormWindowTest, DoubleClickOnAListEntryRaisesOneClickAndDblClick) {
    HWND list = handle(*form.lstItems);
    SendMessageW(list, LB_SETSEL, TRUE, 1);
    notify(list, LBN_SELCHANGE);
    notify(list, LBN_DBLCLK);
    EXPECT_EQ(form.listClicks, 1);
    EXPECT_EQ(form.listDoubleClicks, 1);
    EXPECT_TRUE(form.lstItems->selected(1));
}

TEST_F(WinFormWindowTest, MultiSelectListSelectionReachesTheModel) {
    HWND list = handle(*form.lstItems);
    EXPECT_NE(GetWindowLongW(list, GWL_STYLE) & LBS_MULTIPLESEL, 0);
    SendMessageW(list, LB_SETSEL, TRUE, 2);
    notify(list, LBN_SELCHANGE);
    EXPECT_TRUE(form.lstItems->selected(2));
    EXPECT_FALSE(form.lstItems->selected(0));
    EXPECT_EQ(form.listClicks, 1);
}

// A click on one entry of a multi-select list that had another selected: the model ends with
// what the list shows, not with a mix of before and after.
TEST_F(WinFormWindowTest, ANewMultiSelectionReplacesTheOldOneInTheModel) {
    HWND list = handle(*form.lstItems);
    form.lstItems->setSelected(0, true, forms::Announcement::BeQuiet);
    SendMessageW(list, LB_SETSEL, FALSE, -1);
    SendMessageW(list, LB_SETSEL, TRUE, 2);
    notify(list, LBN_SELCHANGE);
    EXPECT_EQ(form.lstItems->selectedIndices(), std::vector<int>{2});
    EXPECT_EQ(SendMessageW(list, LB_GETSEL, 0, 0), 0);
    EXPECT_GT(SendMessageW(list, LB_GETSEL, 2, 0), 0);
}

TEST_F(WinFormWindowTest, ModelSelectionAndEntriesShowInTheList) {
    HWND list = handle(*form.lstItems);
    form.lstItems->setSelected(0, true, forms::Announcement::BeQuiet);
    EXPECT_GT(SendMessageW(list, LB_GETSEL, 0, 0), 0);
    form.lstItems->addItem("Delta");
    EXPECT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 4);
    EXPECT_GT(SendMessageW(list, LB_GETSEL, 0, 0), 0);
    EXPECT_EQ(form.listClicks, 0);
}

TEST_F(WinFormWindowTest, DisabledOrHiddenFrameTakesItsOptionsAlong) {
    form.fraPick->setEnabled(false);
    EXPECT_FALSE(IsWindowEnabled(handle(*form.optFirst)));
    form.fraPick->setEnabled(true);
    EXPECT_TRUE(IsWindowEnabled(handle(*form.optFirst)));
    form.fraPick->setVisible(false);
    EXPECT_FALSE(IsWindowVisible(handle(*form.optSecond)));
    form.fraPick->setVisible(true);
    EXPECT_TRUE(IsWindowVisible(handle(*form.optSecond)));
}

TEST_F(WinFormWindowTest, ModelFocusMovesTheKeyboardFocus) {
    form.cboKind->setFocus();
    EXPECT_EQ(GetFocus(), handle(*form.cboKind));
    SetFocus(handle(*form.txtName));
    EXPECT_EQ(form.activeControl(), form.txtName);
}

TEST_F(WinFormWindowTest, TabOrderFollowsTheOrderOfCreation) {
    HWND name = handle(*form.txtName);
    EXPECT_EQ(GetNextDlgTabItem(window->hwnd(), name, FALSE), handle(*form.chkAll));
    EXPECT_EQ(GetNextDlgTabItem(window->hwnd(), handle(*form.cmdOK), FALSE),
              handle(*form.cmdCancel));
}

TEST_F(WinFormWindowTest, ClosingFromTheTitleBarUnloadsTheForm) {
    SendMessageW(window->hwnd(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(form.loaded());
    EXPECT_FALSE(IsWindowVisible(window->hwnd()));
}

TEST_F(WinFormWindowTest, ControlsSitOnTheGridInsideTheWindow) {
    RECT client{};
    GetClientRect(window->hwnd(), &client);
    for (const forms::Control* control : form.controls()) {
        const RECT r = childRect(handle(*control));
        EXPECT_GE(r.left, client.left) << control->name();
        EXPECT_GE(r.top, client.top) << control->name();
        EXPECT_LE(r.right, client.right) << control->name();
        EXPECT_LE(r.bottom, client.bottom) << control->name();
        EXPECT_GT(r.right - r.left, 0) << control->name();
    }
    const RECT label = childRect(handle(*form.lblName));
    const RECT name = childRect(handle(*form.txtName));
    const RECT all = childRect(handle(*form.chkAll));
    const RECT frame = childRect(handle(*form.fraPick));
    const RECT first = childRect(handle(*form.optFirst));
    const RECT second = childRect(handle(*form.optSecond));
    const RECT ok = childRect(handle(*form.cmdOK));
    const RECT cancel = childRect(handle(*form.cmdCancel));
    EXPECT_LE(label.right, name.left);                        // label, then its box
    EXPECT_GE(all.top, std::max(label.bottom, name.bottom));  // next row below
    EXPECT_GE(first.left, frame.left);                        // options inside the frame
    EXPECT_LE(second.right, frame.right);
    EXPECT_GT(first.top, frame.top);
    EXPECT_LE(first.bottom, frame.bottom);
    EXPECT_LE(first.right, second.left);
    EXPECT_EQ(ok.top, cancel.top);                              // one button row
    EXPECT_EQ(ok.right - ok.left, cancel.right - cancel.left);  // of one width
    EXPECT_LE(ok.right, cancel.left);
    EXPECT_GT(cancel.right, (client.right * 3) / 4);  // at the right
}

// A frame draws only its border and caption: what lies inside it between its controls is the
// window's own background, painted by the window, not whatever the screen held before.
TEST_F(WinFormWindowTest, TheInsideOfAFrameShowsTheWindowBackground) {
    RedrawWindow(window->hwnd(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        DispatchMessageW(&message);
    }
    const RECT first = childRect(handle(*form.optFirst));
    const RECT frame = childRect(handle(*form.fraPick));
    ASSERT_GT(frame.bottom - first.bottom, 4);
    HDC dc = GetDC(window->hwnd());
    const COLORREF inside = GetPixel(dc, first.left + 2, first.bottom + 2);
    const COLORREF background = GetNearestColor(dc, GetSysColor(COLOR_BTNFACE));
    ReleaseDC(window->hwnd(), dc);
    EXPECT_EQ(inside, background);
}

}  // namespace
}  // namespace bp::win::test

namespace bp::win::test {
namespace {

TEST(WinFormWindowOpeningTest, WhatTheFormHeldBeforeOpeningShows) {
    if (!hasDisplay()) {
        GTEST_SKIP() << kNoDisplay;
    }
    forms::ScriptedUi ui;
    SampleForm form(ui);
    form.txtName->setText("Sales by Company");
    form.txtName->setSelStart(0);
    form.txtName->setSelLength(form.txtName->length());
    form.chkAll->setValue(forms::CheckBox::kChecked);
    form.cboKind->setListIndex(1);
    WinFormWindow window(form);
    window.show();
    EXPECT_EQ(windowText(window.handleFor(*form.txtName)), "Sales by Company");
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(window.handleFor(*form.txtName), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(end - start, 16u);
    EXPECT_EQ(SendMessageW(window.handleFor(*form.chkAll), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(windowText(window.handleFor(*form.cboKind)), "CSV");
    EXPECT_EQ(form.txtName->text(), "Sales by Company");
}

}  // namespace
}  // namespace bp::win::test

namespace bp::win::test {
namespace {

// A long explanation wraps onto lines of its own rather than stretching the window across the
// screen; a short caption stays on one line.
TEST(WinFormWindowLabelTest, ALongCaptionWrapsAndAShortOneDoesNot) {
    if (!hasDisplay()) {
        GTEST_SKIP() << kNoDisplay;
    }
    forms::ScriptedUi ui;
    forms::Form form(ui, "frmNote", "Note");
    auto& note = form.add<forms::Label>("lblNote");
    const std::string text =
        "Selects contacts by their sales and opportunity records and sends them to a lookup, "
        "a spreadsheet report or a CSV file.";
    note.setCaption(text);
    note.setLayout(0, 0);
    auto& title = form.add<forms::Label>("lblTitle");
    title.setCaption("brindlepath");
    title.setLayout(1, 0);
    form.load();
    WinFormWindow window(form);
    const SIZE oneLine = window.metrics().textSize(platform::toWide(text));
    const SIZE shortLine = window.metrics().textSize(L"brindlepath");
    const RECT noteRect = childRect(window.handleFor(note));
    const RECT titleRect = childRect(window.handleFor(title));
    RECT client{};
    GetClientRect(window.hwnd(), &client);
    EXPECT_LT(client.right, oneLine.cx);
    EXPECT_GE(noteRect.bottom - noteRect.top, 2 * oneLine.cy);
    EXPECT_LE(noteRect.right, client.right);
    EXPECT_EQ(titleRect.bottom - titleRect.top, shortLine.cy);
}

}  // namespace
}  // namespace bp::win::test

namespace bp::win::test {
namespace {

// Two lines of text, and below them, hidden and without a place of its own, a list of long
// entries that only holds data.
class NoteForm : public forms::Form {
public:
    NoteForm(forms::UiService& ui, bool withHiddenList) : Form(ui, "frmNote", "Note") {
        auto& first = add<forms::Label>("lblFirst");
        first.setCaption("First line");
        first.setLayout(0, 0);
        auto& second = add<forms::Label>("lblSecond");
        second.setCaption("Second line");
        second.setLayout(1, 0);
        if (withHiddenList) {
            auto& list = add<forms::ListBox>("lstData");
            list.addItem(std::string(120, 'W'));
            list.setVisible(false);
        }
    }
};

SIZE clientSize(forms::Form& form) {
    form.load();
    WinFormWindow window(form);
    RECT client{};
    GetClientRect(window.hwnd(), &client);
    return SIZE{client.right, client.bottom};
}

TEST(WinFormWindowHiddenTest, AHiddenControlWithoutAPlaceTakesNoRoom) {
    if (!hasDisplay()) {
        GTEST_SKIP() << kNoDisplay;
    }
    forms::ScriptedUi ui;
    NoteForm plain(ui, false);
    NoteForm withList(ui, true);
    const SIZE expected = clientSize(plain);
    const SIZE actual = clientSize(withList);
    EXPECT_EQ(actual.cx, expected.cx);
    EXPECT_EQ(actual.cy, expected.cy);
}

}  // namespace
}  // namespace bp::win::test

namespace bp::win::test {
namespace {

// A check box without a caption of its own, and its caption as a label beside it.
class BoxAndLabelForm : public forms::Form {
public:
    explicit BoxAndLabelForm(forms::UiService& ui) : Form(ui, "frmViews", "Views") {
        box = &add<forms::CheckBox>("chkView");
        box->setLayout(0, 0);
        label = &add<forms::Label>("lblView");
        label->setCaption("Contacts");
        label->setLayout(0, 1);
    }
    forms::CheckBox* box = nullptr;
    forms::Label* label = nullptr;
};

TEST(WinFormWindowCheckBoxTest, ALabelBesideABoxWithoutCaptionFollowsItClosely) {
    if (!hasDisplay()) {
        GTEST_SKIP() << kNoDisplay;
    }
    forms::ScriptedUi ui;
    BoxAndLabelForm form(ui);
    form.load();
    WinFormWindow window(form);
    const RECT box = childRect(window.handleFor(*form.box));
    const RECT label = childRect(window.handleFor(*form.label));
    const DialogMetrics& metrics = window.metrics();
    EXPECT_GE(box.right - box.left, GetSystemMetrics(SM_CXMENUCHECK));
    EXPECT_LE(label.left - box.left, metrics.x(12) + metrics.x(4));
}

}  // namespace
}  // namespace bp::win::test
