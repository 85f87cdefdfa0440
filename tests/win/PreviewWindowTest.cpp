// The preview window drawn by the Win32 renderer: the rows under their captions, the total
// above them, the work list out of sight, and Close taking the window away.

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

#include "forms/ScriptedUi.h"
#include "output/FrmPreview.h"
#include "win/WinFormWindow.h"
#include "win/WinTestSupport.h"

namespace bp::win::test {
namespace {

std::string headerText(HWND list, int column) {
    HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
    wchar_t text[64] = {};
    HDITEMW item{};
    item.mask = HDI_TEXT;
    item.pszText = text;
    item.cchTextMax = 64;
    SendMessageW(header, HDM_GETITEMW, static_cast<WPARAM>(column),
                 reinterpret_cast<LPARAM>(&item));
    std::string narrow;
    for (const wchar_t* c = text; *c != 0; ++c) {
        narrow += static_cast<char>(*c);
    }
    return narrow;
}

TEST(PreviewWindowTest, ThePreviewShowsItsRowsAndTotalAndClosesOnClose) {
    if (!hasDisplay()) {
        GTEST_SKIP() << kNoDisplay;
    }
    forms::ScriptedUi ui;
    output::FrmPreview form(ui);
    form.showRows({"Company", "Contact"}, {{"Acme Ltd", "Jo Smith"}, {"Zeta Inc", "Cy Adams"}});
    form.setTotal(2, "contacts");
    form.load();
    WinFormWindow window(form);
    form.show();
    HWND rows = window.handleFor(form.lvwRows());
    ASSERT_NE(rows, nullptr);
    EXPECT_TRUE(IsWindowVisible(rows));
    EXPECT_EQ(SendMessageW(rows, LVM_GETITEMCOUNT, 0, 0), 2);
    EXPECT_EQ(headerText(rows, 0), "Company");
    EXPECT_EQ(headerText(rows, 1), "Contact");
    EXPECT_EQ(windowText(window.handleFor(form.lblTotal())), "2 contacts:");
    HWND work = window.handleFor(form.lvwWork());
    EXPECT_TRUE(work == nullptr || !IsWindowVisible(work));
    SendMessageW(window.handleFor(form.cmdClose()), BM_CLICK, 0, 0);
    EXPECT_FALSE(form.loaded());
}

}  // namespace
}  // namespace bp::win::test
