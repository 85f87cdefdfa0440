// A tab control in the Win32 window: the model's tab selects the tab item and shows its page
// alone; a user's pick goes through the model, which may refuse it; hidden tabs leave the
// tab row; Ctrl+Tab turns the pages; the pages' controls sit inside the tab control.

#include "win/TabBinding.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <memory>
#include <vector>

#include "forms/Controls.h"
#include "forms/DialogButtons.h"
#include "forms/Form.h"
#include "forms/ScriptedUi.h"
#include "win/WinFormWindow.h"
#include "win/WinTestSupport.h"

namespace bp::win::test {
namespace {

class TabForm : public forms::Form {
public:
    explicit TabForm(forms::UiService& ui) : Form(ui, "frmTabs", "Tabs") {
        lblTitle = &add<forms::Label>("lblTitle");
        lblTitle->setCaption("Settings");
        lblTitle->setLayout(0, 0);
        tabs = &add<forms::TabControl>("tabs");
        tabs->setLayout(1, 0);
        for (const char* caption : {"General", "Filter", "Fields"}) {
            tabs->addTab(caption);
        }
        tabs->onClick = [this](int previous) { previousTabs.push_back(previous); };
        txtName = &add<forms::TextBox>("txtName", -1, tabs, 0);
        txtName->setLayout(0, 0);
        fraSort = &add<forms::Frame>("fraSort", -1, tabs, 1);
        fraSort->setCaption("Sort");
        fraSort->setLayout(0, 0);
        chkTitle = &add<forms::CheckBox>("chkTitle", -1, fraSort);
        chkTitle->setCaption("Add a title");
        chkTitle->setLayout(0, 0);
        lstFields = &add<forms::ListBox>("lstFields", -1, tabs, 2);
        lstFields->setLayout(0, 0);
        for (const char* field : {"Company", "Contact", "City", "Phone", "Sales stage"}) {
            lstFields->addItem(field);
        }
        cmdClose = &forms::addDialogButton(*this, "cmdClose", {"Close", 2, 0},
                                           forms::ButtonRole::Cancel, [this] { hide(); });
    }

    forms::Label* lblTitle = nullptr;
    forms::TabControl* tabs = nullptr;
    forms::TextBox* txtName = nullptr;
    forms::Frame* fraSort = nullptr;
    forms::CheckBox* chkTitle = nullptr;
    forms::ListBox* lstFields = nullptr;
    forms::CommandButton* cmdClose = nullptr;
    std::vector<int> previousTabs;
};

class TabBindingTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!hasDisplay()) {
            GTEST_SKIP() << kNoDisplay;
        }
        form.load();
        window = std::make_unique<WinFormWindow>(form);
        form.show();
        tabs = handle(*form.tabs);
    }
    void TearDown() override {
        window.reset();
        setModifiers(false, false);
    }

    HWND handle(const forms::Control& control) const { return window->handleFor(control); }
    bool shown(const forms::Control& control) const {
        return IsWindowVisible(handle(control)) != FALSE;
    }
    int items() const { return static_cast<int>(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0)); }
    int currentItem() const { return static_cast<int>(SendMessageW(tabs, TCM_GETCURSEL, 0, 0)); }
    std::string itemText(int item) const {
        wchar_t text[64] = {};
        TCITEMW tab{};
        tab.mask = TCIF_TEXT;
        tab.pszText = text;
        tab.cchTextMax = 64;
        SendMessageW(tabs, TCM_GETITEMW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&tab));
        return platform::toUtf8(text);
    }
    // The user clicks tab item `item` with the mouse.
    void clickItem(int item) {
        RECT rect{};
        SendMessageW(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(item),
                     reinterpret_cast<LPARAM>(&rect));
        const LPARAM at = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
        SendMessageW(tabs, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageW(tabs, WM_LBUTTONUP, 0, at);
    }
    static void setModifiers(bool control, bool shift) {
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        keys[VK_CONTROL] = control ? 0x80 : 0;
        keys[VK_SHIFT] = shift ? 0x80 : 0;
        SetKeyboardState(keys);
    }
    // `key` pressed with Ctrl (and Shift) held, through the window's dialog keys.
    bool pressWithCtrl(WPARAM key, bool shift = false) {
        setModifiers(true, shift);
        MSG message{GetFocus(), WM_KEYDOWN, key, 1, 0, {0, 0}};
        const bool used = window->translate(message);
        setModifiers(false, false);
        return used;
    }
    bool pressCtrlTab(bool shift) { return pressWithCtrl(VK_TAB, shift); }
    // `key` pressed while `focus` has the keyboard, through the window's dialog keys.
    bool press(HWND focus, WPARAM key) {
        MSG message{focus, WM_KEYDOWN, key, 1, 0, {0, 0}};
        return window->translate(message);
    }

    forms::ScriptedUi ui;
    TabForm form{ui};
    std::unique_ptr<WinFormWindow> window;
    HWND tabs = nullptr;
};

TEST_F(TabBindingTest, OnlyTheCurrentPageShows) {
    EXPECT_EQ(items(), 3);
    EXPECT_EQ(itemText(1), "Filter");
    EXPECT_EQ(currentItem(), 0);
    EXPECT_TRUE(shown(*form.txtName));
    EXPECT_FALSE(shown(*form.chkTitle));
    EXPECT_FALSE(shown(*form.fraSort));
    EXPECT_FALSE(shown(*form.lstFields));
    EXPECT_TRUE(shown(*form.lblTitle));
    EXPECT_TRUE(shown(*form.cmdClose));
}

TEST_F(TabBindingTest, ModelTabSelectsTheItemAndSwapsThePages) {
    form.tabs->setTab(1, forms::Announcement::BeQuiet);
    EXPECT_EQ(currentItem(), 1);
    EXPECT_FALSE(shown(*form.txtName));
    EXPECT_TRUE(shown(*form.fraSort));
    EXPECT_TRUE(shown(*form.chkTitle));  // nested in a frame on the page
    form.tabs->setTab(2);
    EXPECT_EQ(currentItem(), 2);
    EXPECT_TRUE(shown(*form.lstFields));
    EXPECT_FALSE(shown(*form.chkTitle));
    EXPECT_EQ(form.previousTabs, std::vector<int>{1});
}

TEST_F(TabBindingTest, ClickOnATabPicksItThroughTheModel) {
    clickItem(2);
    EXPECT_EQ(form.tabs->tab(), 2);
    EXPECT_EQ(form.previousTabs, std::vector<int>{0});
    EXPECT_EQ(currentItem(), 2);
    EXPECT_TRUE(shown(*form.lstFields));
    EXPECT_FALSE(shown(*form.txtName));
}

TEST_F(TabBindingTest, RefusedPickOfADisabledTabSnapsBack) {
    form.tabs->setTabEnabled(1, false);
    clickItem(1);
    EXPECT_EQ(form.tabs->tab(), 0);
    EXPECT_TRUE(form.previousTabs.empty());
    EXPECT_EQ(currentItem(), 0);
    EXPECT_TRUE(shown(*form.txtName));
    EXPECT_FALSE(shown(*form.chkTitle));
}

TEST_F(TabBindingTest, PickTheFormsHandlerRedirectsShowsWhereTheModelWent) {
    form.tabs->onClick = [this](int) {
        if (form.tabs->tab() == 2) {
            form.tabs->setTab(1, forms::Announcement::BeQuiet);
        }
    };
    clickItem(2);
    EXPECT_EQ(form.tabs->tab(), 1);
    EXPECT_EQ(currentItem(), 1);
    EXPECT_TRUE(shown(*form.chkTitle));
    EXPECT_FALSE(shown(*form.lstFields));
}

TEST_F(TabBindingTest, HiddenTabLeavesTheTabRow) {
    form.tabs->setTabVisible(1, false);
    ASSERT_EQ(items(), 2);
    EXPECT_EQ(itemText(0), "General");
    EXPECT_EQ(itemText(1), "Fields");
    clickItem(1);
    EXPECT_EQ(form.tabs->tab(), 2);
    EXPECT_TRUE(shown(*form.lstFields));
    form.tabs->setTabVisible(1, true);
    EXPECT_EQ(items(), 3);
    EXPECT_EQ(itemText(1), "Filter");
    EXPECT_EQ(currentItem(), 2);
}

TEST_F(TabBindingTest, HidingTheCurrentTabShowsTheFirstVisibleOne) {
    form.tabs->setTab(2);
    form.tabs->setTabVisible(2, false);
    EXPECT_EQ(form.tabs->tab(), 0);
    EXPECT_EQ(items(), 2);
    EXPECT_EQ(currentItem(), 0);
    EXPECT_TRUE(shown(*form.txtName));
    EXPECT_FALSE(shown(*form.lstFields));
}

TEST_F(TabBindingTest, CaptionChangesShowOnTheTab) {
    form.tabs->setTabCaption(2, "Fields && more");
    EXPECT_EQ(itemText(2), "Fields && more");
}

TEST_F(TabBindingTest, LongerCaptionsGetRoomOnceTheMessageLoopTurns) {
    form.tabs->setTabCaption(2, "Fields included in the report and their order");
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        DispatchMessageW(&message);
    }
    RECT last{};
    SendMessageW(tabs, TCM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&last));
    RECT client{};
    GetClientRect(tabs, &client);
    EXPECT_LE(last.right, client.right);
}

TEST_F(TabBindingTest, CtrlTabTurnsThePagesSkippingTabsThatCannotBePicked) {
    SetFocus(handle(*form.txtName));
    EXPECT_TRUE(pressCtrlTab(false));
    EXPECT_EQ(form.tabs->tab(), 1);
    EXPECT_EQ(currentItem(), 1);
    EXPECT_TRUE(shown(*form.chkTitle));
    EXPECT_TRUE(pressCtrlTab(true));
    EXPECT_EQ(form.tabs->tab(), 0);
    EXPECT_TRUE(pressCtrlTab(true));  // wraps round to the last tab
    EXPECT_EQ(form.tabs->tab(), 2);
    form.tabs->setTabEnabled(0, false);
    EXPECT_TRUE(pressCtrlTab(false));
    EXPECT_EQ(form.tabs->tab(), 1);
    EXPECT_EQ(form.previousTabs, (std::vector<int>{0, 1, 0, 2}));
}

TEST_F(TabBindingTest, CtrlPageDownAndPageUpTurnThePagesToo) {
    SetFocus(handle(*form.txtName));
    EXPECT_TRUE(pressWithCtrl(VK_NEXT));
    EXPECT_EQ(form.tabs->tab(), 1);
    EXPECT_TRUE(pressWithCtrl(VK_PRIOR));
    EXPECT_EQ(form.tabs->tab(), 0);
    EXPECT_EQ(currentItem(), 0);
}

TEST_F(TabBindingTest, ArrowKeysOnTheTabsPickThroughTheModel) {
    SetFocus(tabs);
    ASSERT_EQ(GetFocus(), tabs);
    press(tabs, VK_RIGHT);
    EXPECT_EQ(form.tabs->tab(), 1);
    EXPECT_TRUE(shown(*form.chkTitle));
    form.tabs->setTabEnabled(2, false);
    press(tabs, VK_RIGHT);  // refused: the page stays
    EXPECT_EQ(form.tabs->tab(), 1);
    EXPECT_EQ(currentItem(), 1);
    EXPECT_EQ(form.previousTabs, std::vector<int>{0});
}

TEST_F(TabBindingTest, TabKeyGoesFromTheTabsIntoThePage) {
    EXPECT_EQ(GetNextDlgTabItem(window->hwnd(), tabs, FALSE), handle(*form.txtName));
    form.tabs->setTab(2);
    EXPECT_EQ(GetNextDlgTabItem(window->hwnd(), tabs, FALSE), handle(*form.lstFields));
}

TEST_F(TabBindingTest, FocusOnAPageThatGoesAwayMovesToTheTabs) {
    SetFocus(handle(*form.txtName));
    ASSERT_EQ(GetFocus(), handle(*form.txtName));
    form.tabs->setTab(1);
    EXPECT_EQ(GetFocus(), tabs);
}

TEST_F(TabBindingTest, ControlsOnAPageReachTheModel) {
    typeInto(handle(*form.txtName), "Monthly");
    EXPECT_EQ(form.txtName->text(), "Monthly");
    form.tabs->setTab(1);
    SendMessageW(handle(*form.chkTitle), BM_CLICK, 0, 0);
    EXPECT_EQ(form.chkTitle->value(), forms::CheckBox::kChecked);
}

TEST_F(TabBindingTest, HiddenOrDisabledTabControlTakesItsPagesAlong) {
    form.tabs->setVisible(false);
    EXPECT_FALSE(shown(*form.txtName));
    form.tabs->setVisible(true);
    EXPECT_TRUE(shown(*form.txtName));
    form.tabs->setEnabled(false);
    EXPECT_FALSE(IsWindowEnabled(handle(*form.txtName)));
}

TEST_F(TabBindingTest, EveryPageFitsInsideTheTabsDisplayArea) {
    RECT display{};
    GetWindowRect(tabs, &display);
    SendMessageW(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
    RECT tabRow{};
    SendMessageW(tabs, TCM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&tabRow));
    RECT tabsRect{};
    GetClientRect(tabs, &tabsRect);
    EXPECT_LE(tabRow.right, tabsRect.right);  // every tab in sight
    const forms::Control* onPages[] = {form.txtName, form.fraSort, form.chkTitle, form.lstFields};
    for (int tab = 0; tab < 3; ++tab) {
        form.tabs->setTab(tab);
        for (const forms::Control* control : onPages) {
            if (!shown(*control)) {
                continue;
            }
            RECT r{};
            GetWindowRect(handle(*control), &r);
            EXPECT_GE(r.left, display.left) << control->name();
            EXPECT_GE(r.top, display.top) << control->name();
            EXPECT_LE(r.right, display.right) << control->name();
            EXPECT_LE(r.bottom, display.bottom) << control->name();
            EXPECT_GT(r.bottom - r.top, 0) << control->name();
        }
    }
    RECT list{};
    GetWindowRect(handle(*form.lstFields), &list);
    RECT close{};
    GetWindowRect(handle(*form.cmdClose), &close);
    EXPECT_GE(close.top, display.bottom);  // the button row below the tab control
}

}  // namespace
}  // namespace bp::win::test
