// A list view in the Win32 window: the model's columns, rows, selection and sort show in the
// control; a user's selection, double click and header click reach the model's events.

#include "win/ListViewBinding.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "forms/Controls.h"
#include "forms/DialogButtons.h"
#include "forms/Form.h"
#include "forms/ScriptedUi.h"
#include "win/WinFormWindow.h"
#include "win/WinTestSupport.h"

namespace bp::win::test {
namespace {

class ListForm : public forms::Form {
public:
    explicit ListForm(forms::UiService& ui) : Form(ui, "frmList", "Sales") {
        lvwSales = &add<forms::ListView>("lvwSales");
        lvwSales->setLayout(0, 0);
        lvwSales->addColumn("Company name of the contact");
        lvwSales->addColumn("Stage");
        lvwSales->addColumn("Amount", 80);
        const char* const rows[][3] = {
            {"Zephyr Ltd", "Won", "300"}, {"acme", "Lost", "20"}, {"Birch & Co", "Open", "1000"}};
        for (const auto& cells : rows) {
            const int row = lvwSales->addRow(cells[0]);
            lvwSales->setCell(row, 1, cells[1]);
            lvwSales->setCell(row, 2, cells[2]);
        }
        lvwSales->onItemClick = [this](int row) { itemClicks.push_back(row); };
        lvwSales->onDblClick = [this] { ++doubleClicks; };
        lvwSales->onMouseDown = [this](int button, int, int, int) { buttons.push_back(button); };
        // The usual header click: sort by that column, the second click reverses the order.
        lvwSales->onColumnClick = [this](int column) {
            columnClicks.push_back(column);
            if (lvwSales->sorted() && lvwSales->sortKey() == column) {
                lvwSales->setSortOrder(lvwSales->sortOrder() == forms::SortOrder::Ascending
                                           ? forms::SortOrder::Descending
                                           : forms::SortOrder::Ascending);
            } else {
                lvwSales->setSortKey(column);
                lvwSales->setSortOrder(forms::SortOrder::Ascending);
                lvwSales->setSorted(true);
            }
        };
        forms::addDialogButton(*this, "cmdClose", {"Close", 1, 0}, forms::ButtonRole::Cancel,
                               [this] { hide(); });
    }

    forms::ListView* lvwSales = nullptr;
    std::vector<int> itemClicks;
    std::vector<int> columnClicks;
    std::vector<int> buttons;
    int doubleClicks = 0;
};

class ListViewBindingTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!hasDisplay()) {
            GTEST_SKIP() << kNoDisplay;
        }
        form.load();
        window = std::make_unique<WinFormWindow>(form);
        form.show();
        list = window->handleFor(*form.lvwSales);
        header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
    }
    void TearDown() override { window.reset(); }

    // The message loop turns: what the binding left for it (the rows' new count) is done.
    static void settle() {
        MSG message{};
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    int count() const { return static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)); }
    std::string cellText(int row, int column) const {
        wchar_t text[256] = {};
        LVITEMW item{};
        item.iSubItem = column;
        item.pszText = text;
        item.cchTextMax = 256;
        SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row),
                     reinterpret_cast<LPARAM>(&item));
        return platform::toUtf8(text);
    }
    std::vector<std::string> shownColumn(int column) const {
        std::vector<std::string> texts;
        for (int row = 0; row < count(); ++row) {
            texts.push_back(cellText(row, column));
        }
        return texts;
    }
    int selectedItem() const {
        return static_cast<int>(
            SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    }
    int headerFormat(int column) const {
        HDITEMW item{};
        item.mask = HDI_FORMAT;
        SendMessageW(header, HDM_GETITEMW, static_cast<WPARAM>(column),
                     reinterpret_cast<LPARAM>(&item));
        return item.fmt & (HDF_SORTUP | HDF_SORTDOWN);
    }
    // The user selects row `row` as the control's own selection change does.
    void selectItem(int row) {
        LVITEMW state{};
        state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        state.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row),
                     reinterpret_cast<LPARAM>(&state));
    }
    // The user clicks row `row` with a mouse button: the release waits in the queue, where
    // the list view looks for it while it tells a click from a drag.
    void clickRow(int row, UINT down, UINT up) {
        RECT rect{};
        rect.left = LVIR_LABEL;
        SendMessageW(list, LVM_GETITEMRECT, static_cast<WPARAM>(row),
                     reinterpret_cast<LPARAM>(&rect));
        const LPARAM at = MAKELPARAM(rect.left + 5, (rect.top + rect.bottom) / 2);
        PostMessageW(list, up, 0, at);
        SendMessageW(list, down, down == WM_LBUTTONDOWN ? MK_LBUTTON : MK_RBUTTON, at);
        settle();
    }
    // The user clicks the header of `column` with the mouse.
    void clickHeader(int column) {
        RECT rect{};
        SendMessageW(header, HDM_GETITEMRECT, static_cast<WPARAM>(column),
                     reinterpret_cast<LPARAM>(&rect));
        const LPARAM at = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
        SendMessageW(header, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageW(header, WM_LBUTTONUP, 0, at);
    }

    forms::ScriptedUi ui;
    ListForm form{ui};
    std::unique_ptr<WinFormWindow> window;
    HWND list = nullptr;
    HWND header = nullptr;
};

TEST_F(ListViewBindingTest, IsAReportWithFullRowSelection) {
    const auto style = GetWindowLongW(list, GWL_STYLE);
    EXPECT_EQ(style & LVS_TYPEMASK, LVS_REPORT);
    EXPECT_NE(style & LVS_SHOWSELALWAYS, 0);
    EXPECT_NE(SendMessageW(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_FULLROWSELECT, 0);
}

TEST_F(ListViewBindingTest, ColumnsShowWithTheModelsCaptionsAndWidths) {
    ASSERT_EQ(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0), 3);
    wchar_t text[64] = {};
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT;
    column.pszText = text;
    column.cchTextMax = 64;
    SendMessageW(list, LVM_GETCOLUMNW, 1, reinterpret_cast<LPARAM>(&column));
    EXPECT_EQ(platform::toUtf8(text), "Stage");
    const UINT dpi = windowDpi(list);
    EXPECT_EQ(SendMessageW(list, LVM_GETCOLUMNWIDTH, 2, 0), MulDiv(80, static_cast<int>(dpi), 96));
    // A column without a width of its own fits its caption.
    const HDC dc = GetDC(list);
    const HGDIOBJ old =
        SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(list, WM_GETFONT, 0, 0)));
    SIZE caption{};
    GetTextExtentPoint32W(dc, L"Company name of the contact", 27, &caption);
    SelectObject(dc, old);
    ReleaseDC(list, dc);
    EXPECT_GE(SendMessageW(list, LVM_GETCOLUMNWIDTH, 0, 0), caption.cx);
    form.lvwSales->addColumn("Owner");
    EXPECT_EQ(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0), 4);
}

TEST_F(ListViewBindingTest, RowsShowTheModelsCells) {
    EXPECT_EQ(count(), 3);
    EXPECT_EQ(cellText(0, 0), "Zephyr Ltd");
    EXPECT_EQ(cellText(2, 2), "1000");
    form.lvwSales->setCell(1, 1, "Won");
    EXPECT_EQ(cellText(1, 1), "Won");
    form.lvwSales->addRow("Cedar", 0);
    settle();
    EXPECT_EQ(count(), 4);
    EXPECT_EQ(cellText(0, 0), "Cedar");
    EXPECT_EQ(cellText(0, 2), "");
    form.lvwSales->removeRow(0);
    form.lvwSales->removeRow(0);
    settle();
    EXPECT_EQ(shownColumn(0), (std::vector<std::string>{"acme", "Birch & Co"}));
    form.lvwSales->clearRows();
    settle();
    EXPECT_EQ(count(), 0);
}

TEST_F(ListViewBindingTest, UserSelectionReachesTheModelAsItemClick) {
    selectItem(2);
    EXPECT_EQ(form.lvwSales->selectedRow(), 2);
    EXPECT_EQ(form.itemClicks, std::vector<int>{2});
    SetFocus(list);
    SendMessageW(list, WM_KEYDOWN, VK_UP, 1);
    EXPECT_EQ(form.lvwSales->selectedRow(), 1);
    EXPECT_EQ(form.itemClicks, (std::vector<int>{2, 1}));
}

TEST_F(ListViewBindingTest, MouseClicksOnARowSelectItAndRaiseMouseDown) {
    clickRow(1, WM_LBUTTONDOWN, WM_LBUTTONUP);
    EXPECT_EQ(form.lvwSales->selectedRow(), 1);
    EXPECT_EQ(form.itemClicks, std::vector<int>{1});
    clickRow(2, WM_RBUTTONDOWN, WM_RBUTTONUP);
    EXPECT_EQ(form.buttons, (std::vector<int>{1, 2}));
}

TEST_F(ListViewBindingTest, UserClearingTheSelectionClearsTheModels) {
    selectItem(2);
    LVITEMW state{};
    state.stateMask = LVIS_SELECTED;
    SendMessageW(list, LVM_SETITEMSTATE, 2, reinterpret_cast<LPARAM>(&state));
    EXPECT_EQ(form.lvwSales->selectedRow(), -1);
    EXPECT_EQ(form.itemClicks, std::vector<int>{2});
}

TEST_F(ListViewBindingTest, ModelSelectionShowsWithoutItemClickAndFollowsItsRow) {
    form.lvwSales->setSelectedRow(1);
    EXPECT_EQ(selectedItem(), 1);
    form.lvwSales->setSorted(true);  // acme, Birch & Co, Zephyr Ltd
    settle();
    EXPECT_EQ(selectedItem(), 0);
    EXPECT_EQ(cellText(selectedItem(), 0), "acme");
    form.lvwSales->setSelectedRow(-1);
    EXPECT_EQ(selectedItem(), -1);
    EXPECT_TRUE(form.itemClicks.empty());
}

TEST_F(ListViewBindingTest, HeaderClickRaisesColumnClickAndTheSortShowsWithItsArrow) {
    EXPECT_EQ(headerFormat(0), 0);
    clickHeader(0);
    settle();
    EXPECT_EQ(form.columnClicks, std::vector<int>{0});
    EXPECT_EQ(shownColumn(0), (std::vector<std::string>{"acme", "Birch & Co", "Zephyr Ltd"}));
    EXPECT_EQ(headerFormat(0), HDF_SORTUP);
    clickHeader(0);
    settle();
    EXPECT_EQ(shownColumn(0), (std::vector<std::string>{"Zephyr Ltd", "Birch & Co", "acme"}));
    EXPECT_EQ(headerFormat(0), HDF_SORTDOWN);
    clickHeader(1);
    settle();
    EXPECT_EQ(shownColumn(1), (std::vector<std::string>{"Lost", "Open", "Won"}));
    EXPECT_EQ(headerFormat(0), 0);
    EXPECT_EQ(headerFormat(1), HDF_SORTUP);
    form.lvwSales->setSorted(false);
    EXPECT_EQ(headerFormat(1), 0);
}

TEST_F(ListViewBindingTest, DoubleClickOnARowRaisesDblClick) {
    RECT row{};
    row.left = LVIR_BOUNDS;
    SendMessageW(list, LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&row));
    const LPARAM at = MAKELPARAM(row.left + 5, (row.top + row.bottom) / 2);
    SendMessageW(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    EXPECT_EQ(form.doubleClicks, 1);
}

TEST_F(ListViewBindingTest, KeysReachTheFormsKeyPress) {
    std::vector<int> keys;
    form.lvwSales->onKeyPress = [&keys](int& key) { keys.push_back(key); };
    SendMessageW(list, WM_CHAR, 'a', 1);
    SendMessageW(list, WM_CHAR, 'x', 1);
    EXPECT_EQ(keys, (std::vector<int>{'a', 'x'}));
}

TEST_F(ListViewBindingTest, TypingARowsFirstLetterSelectsThatRow) {
    SetFocus(list);
    SendMessageW(list, WM_CHAR, 'b', 1);
    EXPECT_EQ(form.lvwSales->selectedRow(), 2);
    EXPECT_EQ(form.itemClicks, std::vector<int>{2});
    SendMessageW(list, WM_CHAR, 'q', 1);  // no row starts with it: nothing moves
    EXPECT_EQ(form.lvwSales->selectedRow(), 2);
}

TEST_F(ListViewBindingTest, AThousandRowsAreAllThere) {
    form.lvwSales->clearRows();
    for (int i = 0; i < 1000; ++i) {
        const int row = form.lvwSales->addRow("Contact " + std::to_string(i));
        form.lvwSales->setCell(row, 2, std::to_string(i * 10));
    }
    settle();
    EXPECT_EQ(count(), 1000);
    EXPECT_EQ(cellText(999, 0), "Contact 999");
    EXPECT_EQ(cellText(500, 2), "5000");
    form.lvwSales->setSelectedRow(900);
    EXPECT_EQ(selectedItem(), 900);
    const auto top = static_cast<int>(SendMessageW(list, LVM_GETTOPINDEX, 0, 0));
    const auto perPage = static_cast<int>(SendMessageW(list, LVM_GETCOUNTPERPAGE, 0, 0));
    EXPECT_LE(top, 900);  // scrolled into view
    EXPECT_GT(top + perPage, 900);
    selectItem(10);
    EXPECT_EQ(form.lvwSales->selectedRow(), 10);
    EXPECT_EQ(form.itemClicks, std::vector<int>{10});
}

}  // namespace
}  // namespace bp::win::test
