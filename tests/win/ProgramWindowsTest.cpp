// The program's own windows with tab controls drawn by the Win32 renderer on a temporary
// embedded host: every tab shows its own controls inside the tab control and nothing else's.

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/AppFixture.h"
#include "criteria/CriteriaControls.h"
#include "definitions/EditorFixture.h"
#include "forms/Form.h"
#include "forms/ScriptedUi.h"
#include "forms/TabControl.h"
#include "win/WinFormWindow.h"
#include "win/WinTestSupport.h"

namespace bp::win::test {
namespace {

// The page of `tabs` that holds `control` (directly or inside a frame there), or -1.
int pageIn(const forms::Control& control, const forms::Control& tabs) {
    const forms::Control* child = &control;
    for (const forms::Control* c = control.container(); c != nullptr; c = c->container()) {
        if (c == &tabs) {
            return child->tabPage();
        }
        child = c;
    }
    return -1;
}

bool shownInModel(const forms::Control& control) {
    for (const forms::Control* c = &control; c != nullptr; c = c->container()) {
        if (!c->visible()) {
            return false;
        }
    }
    return true;
}

RECT displayArea(HWND tabs) {
    RECT display{};
    GetWindowRect(tabs, &display);
    SendMessageW(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
    return display;
}

// Turns to every tab of `tabs` in turn and checks what shows on each.
void expectEachTabShowsItsOwnControls(const WinFormWindow& window, forms::TabControl& tabs) {
    HWND tabsHandle = window.handleFor(tabs);
    ASSERT_NE(tabsHandle, nullptr);
    ASSERT_TRUE(IsWindowVisible(tabsHandle));
    const RECT display = displayArea(tabsHandle);
    for (int tab = 0; tab < tabs.tabs(); ++tab) {
        if (!tabs.clickTab(tab)) {
            continue;
        }
        int shown = 0;
        for (const forms::Control* control : window.form().controls()) {
            const int page = pageIn(*control, tabs);
            HWND handle = window.handleFor(*control);
            if (page < 0 || handle == nullptr) {
                continue;
            }
            const bool expected = page == tab && shownInModel(*control);
            EXPECT_EQ(IsWindowVisible(handle) != FALSE, expected)
                << control->name() << " on tab " << tab;
            if (!expected) {
                continue;
            }
            ++shown;
            RECT r{};
            GetWindowRect(handle, &r);
            EXPECT_GE(r.left, display.left) << control->name() << " on tab " << tab;
            EXPECT_GE(r.top, display.top) << control->name() << " on tab " << tab;
            EXPECT_LE(r.right, display.right) << control->name() << " on tab " << tab;
            EXPECT_LE(r.bottom, display.bottom) << control->name() << " on tab " << tab;
        }
        EXPECT_GT(shown, 0) << "tab " << tab;
    }
}

class ReportSettingsWindowTest : public definitions::test::ReportSettingsTest {
protected:
    void SetUp() override {
        if (!hasDisplay()) {
            GTEST_SKIP() << kNoDisplay;
        }
    }
};

TEST_F(ReportSettingsWindowTest, EveryTabShowsItsOwnControlsInsideTheTabControl) {
    auto& frm = open("TopLeftCol=C\r\nTopLeftRow=4\r\n");
    WinFormWindow window(frm);
    window.show();
    EXPECT_EQ(windowText(window.handleFor(frm.txtTopLeftCol())), "C");
    expectEachTabShowsItsOwnControls(window, frm.mstSettings());
}

// The main window's tab control with the criteria on its four pages, as start-up creates them.
class CriteriaForm : public forms::Form {
public:
    explicit CriteriaForm(forms::UiService& ui) : Form(ui, "frmCriteria", "Criteria") {
        tabs = &add<forms::TabControl>("mstSSTab");
        tabs->setLayout(0, 0, 1, 2);
        controls = criteria::CriteriaControls::create(*this, *tabs);
    }

    forms::TabControl* tabs = nullptr;
    criteria::CriteriaControls controls;
};

TEST(MainWindowTabsTest, EveryCriteriaTabShowsItsOwnControlsInsideTheTabControl) {
    if (!hasDisplay()) {
        GTEST_SKIP() << kNoDisplay;
    }
    forms::ScriptedUi ui;
    CriteriaForm form(ui);
    form.load();
    WinFormWindow window(form);
    form.show();
    expectEachTabShowsItsOwnControls(window, *form.tabs);
}

class MainWindowTabsTest : public app::test::AppFixture {
protected:
    void SetUp() override {
        if (!hasDisplay()) {
            GTEST_SKIP() << kNoDisplay;
        }
        AppFixture::SetUp();
    }
};

TEST_F(MainWindowTabsTest, TheMainWindowShowsItsTabsAndKeepsItsResultsListOutOfSight) {
    app::FrmMain& frm = openWindow();
    WinFormWindow window(frm);
    frm.show();
    ASSERT_TRUE(IsWindowVisible(window.hwnd()));
    expectEachTabShowsItsOwnControls(window, frm.mstSSTab());
    HWND results = window.handleFor(frm.lvwSales());
    ASSERT_NE(results, nullptr);
    EXPECT_FALSE(IsWindowVisible(results));
    HWND header = reinterpret_cast<HWND>(SendMessageW(results, LVM_GETHEADER, 0, 0));
    EXPECT_EQ(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0), frm.lvwSales().columnCount());
}

}  // namespace
}  // namespace bp::win::test
