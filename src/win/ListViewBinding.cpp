#include "win/ListViewBinding.h"

#include <commctrl.h>

#include <algorithm>

#include "core/CaseFold.h"
#include "platform/WinText.h"
#include "win/DialogMetrics.h"

namespace bp::win {
namespace {

constexpr int kViewRowsShown = 10;
constexpr int kRowsMeasured = 100;
// Room around a caption for the header's margins and sort arrow, and around a cell's text, in
// pixels at 96 DPI.
constexpr int kHeaderRoom = 48;
constexpr int kCellRoom = 14;

// The list view's window class, registered by the common controls on first use.
const wchar_t* listViewClass() {
    static const bool loaded = [] {
        INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_LISTVIEW_CLASSES};
        return InitCommonControlsEx(&classes) != FALSE;
    }();
    (void)loaded;
    return WC_LISTVIEWW;
}

constexpr UINT_PTR kViewSubclassId = 1;
// Posted to the list view itself: the rows changed, show their new count.
constexpr UINT kShowRows = WM_APP + 1;

LRESULT CALLBACK viewProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                          DWORD_PTR data) {
    (void)id;
    if (reinterpret_cast<ListViewBinding*>(data)->ownMessage(message, wParam)) {
        return 0;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

int shiftStateNow() {
    return (GetKeyState(VK_SHIFT) < 0 ? 1 : 0) | (GetKeyState(VK_CONTROL) < 0 ? 2 : 0) |
           (GetKeyState(VK_MENU) < 0 ? 4 : 0);
}

}  // namespace

ListViewBinding::ListViewBinding(forms::ListView& list, const ChildPlace& place)
    : WinBinding(list, create(place, listViewClass(),
                              WS_TABSTOP | WS_GROUP | LVS_REPORT | LVS_SHOWSELALWAYS |
                                  LVS_SINGLESEL | LVS_OWNERDATA,
                              {}, WS_EX_CLIENTEDGE)),
      model_(list) {
    const DWORD extended = LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER;
    SendMessageW(hwnd(), LVM_SETEXTENDEDLISTVIEWSTYLE, extended, extended);
    SetWindowSubclass(hwnd(), viewProc, kViewSubclassId, reinterpret_cast<DWORD_PTR>(this));
}

ListViewBinding::~ListViewBinding() {
    RemoveWindowSubclass(hwnd(), viewProc, kViewSubclassId);
}

bool ListViewBinding::ownMessage(UINT message, WPARAM wParam) {
    if (message == kShowRows) {
        if (rowsPending_) {
            pushRows();
        }
        return true;
    }
    if (message == WM_CHAR && !pushing()) {
        // The form sees the key first and may refuse it.
        return !model_.pressKey(static_cast<int>(wParam));
    }
    return false;
}

void ListViewBinding::scheduleRows() {
    // A form fills a list row by row and cell by cell; the control learns the new count once
    // the burst is over (each new count redraws its scroll bars), as the message loop turns.
    if (!rowsPending_) {
        rowsPending_ = true;
        PostMessageW(hwnd(), kShowRows, 0, 0);
    }
}

SIZE ListViewBinding::preferredSize(const DialogMetrics& metrics) const {
    LONG columns = 0;
    for (int c = 0; c < model_.columnCount(); ++c) {
        columns += static_cast<LONG>(SendMessageW(hwnd(), LVM_GETCOLUMNWIDTH, c, 0));
    }
    const LONG row = metrics.textSize(L"Ag").cy + metrics.y(3);
    const LONG edges = 2 * GetSystemMetrics(SM_CXEDGE);
    return SIZE{std::max(columns, static_cast<LONG>(metrics.x(160))) +
                    GetSystemMetrics(SM_CXVSCROLL) + edges,
                row * (kViewRowsShown + 1) + edges};
}

void ListViewBinding::sync(forms::Property property) {
    switch (property) {
        case forms::Property::Columns:
            pushColumns();
            break;
        case forms::Property::Items:
            scheduleRows();
            break;
        case forms::Property::Sort:
            scheduleRows();
            pushSortArrow();
            break;
        case forms::Property::Selection:
            if (!rowsPending_) {
                pushSelection();
            }
            break;
        default:
            break;
    }
}

void ListViewBinding::syncContent() {
    pushRows();
    pushColumns();
}

void ListViewBinding::pushColumns() {
    const Push push(*this);
    while (SendMessageW(hwnd(), LVM_DELETECOLUMN, 0, 0) != FALSE) {
    }
    for (int c = 0; c < model_.columnCount(); ++c) {
        std::wstring text = platform::toWide(model_.column(c).text);
        LVCOLUMNW header{};
        header.mask = LVCF_TEXT | LVCF_SUBITEM;
        header.pszText = text.data();
        header.iSubItem = c;
        SendMessageW(hwnd(), LVM_INSERTCOLUMNW, c, reinterpret_cast<LPARAM>(&header));
    }
    sizeColumns();
    pushSortArrow();
}

void ListViewBinding::sizeColumns() {
    // The model's widths are pixels at 96 DPI. A column without a width of its own is as wide
    // as its caption and the first rows' texts (not every row's: a list of thousands would be
    // measured on each layout).
    const int dpi = static_cast<int>(windowDpi(hwnd()));
    for (int c = 0; c < model_.columnCount(); ++c) {
        const forms::ListViewColumn& column = model_.column(c);
        if (column.width > 0) {
            SendMessageW(hwnd(), LVM_SETCOLUMNWIDTH, c, MulDiv(column.width, dpi, 96));
            continue;
        }
        int width = textWidth(column.text) + MulDiv(kHeaderRoom, dpi, 96);
        const int rows = std::min(model_.rowCount(), kRowsMeasured);
        for (int r = 0; r < rows; ++r) {
            width = std::max(width, textWidth(model_.rows()[static_cast<std::size_t>(r)].cell(c)) +
                                        MulDiv(kCellRoom, dpi, 96));
        }
        SendMessageW(hwnd(), LVM_SETCOLUMNWIDTH, c, width);
    }
}

int ListViewBinding::textWidth(std::string_view text) const {
    const std::wstring wide = platform::toWide(text);
    return static_cast<int>(
        SendMessageW(hwnd(), LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(wide.c_str())));
}

void ListViewBinding::placed() {
    // Laid out anew (a change of DPI among others): the columns follow the font.
    sizeColumns();
}

void ListViewBinding::pushRows() {
    const Push push(*this);
    rowsPending_ = false;
    SendMessageW(hwnd(), LVM_SETITEMCOUNT, static_cast<WPARAM>(model_.rowCount()), LVSICF_NOSCROLL);
    InvalidateRect(hwnd(), nullptr, FALSE);
    pushSelection();
}

void ListViewBinding::pushSortArrow() {
    HWND header = reinterpret_cast<HWND>(SendMessageW(hwnd(), LVM_GETHEADER, 0, 0));
    if (header == nullptr) {
        return;
    }
    const int count = static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
    for (int c = 0; c < count; ++c) {
        HDITEMW item{};
        item.mask = HDI_FORMAT;
        SendMessageW(header, HDM_GETITEMW, c, reinterpret_cast<LPARAM>(&item));
        item.fmt &= ~(HDF_SORTUP | HDF_SORTDOWN);
        if (model_.sorted() && c == model_.sortKey()) {
            item.fmt |=
                model_.sortOrder() == forms::SortOrder::Ascending ? HDF_SORTUP : HDF_SORTDOWN;
        }
        SendMessageW(header, HDM_SETITEMW, c, reinterpret_cast<LPARAM>(&item));
    }
}

void ListViewBinding::pushSelection() {
    const Push push(*this);
    // Only the rows whose state changes are touched: clearing every row's state walks the
    // whole list, once per change of a list being filled.
    const int shown = static_cast<int>(
        SendMessageW(hwnd(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    const int row = model_.selectedRow();
    if (shown == row) {
        return;
    }
    LVITEMW state{};
    if (shown >= 0) {
        state.stateMask = LVIS_SELECTED;
        SendMessageW(hwnd(), LVM_SETITEMSTATE, static_cast<WPARAM>(shown),
                     reinterpret_cast<LPARAM>(&state));
    }
    if (row >= 0) {
        state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        state.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageW(hwnd(), LVM_SETITEMSTATE, static_cast<WPARAM>(row),
                     reinterpret_cast<LPARAM>(&state));
        SendMessageW(hwnd(), LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
    }
}

LRESULT ListViewBinding::noticed(const NMHDR& header) {
    switch (header.code) {
        case LVN_GETDISPINFOW:
            supplyText(*reinterpret_cast<NMLVDISPINFOW*>(const_cast<NMHDR*>(&header)));
            break;
        case LVN_ODFINDITEMW:
            return findRow(reinterpret_cast<const NMLVFINDITEMW&>(header));
        case LVN_ITEMCHANGED: {
            const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
            if (((change.uOldState ^ change.uNewState) & LVIS_SELECTED) != 0) {
                userChangedSelection();
            }
            break;
        }
        case LVN_COLUMNCLICK:
            model_.clickColumn(reinterpret_cast<const NMLISTVIEW&>(header).iSubItem);
            break;
        case NM_CLICK:
            mouseDown(header, forms::MouseButton::Left);
            break;
        case NM_RCLICK:
            mouseDown(header, forms::MouseButton::Right);
            break;
        case NM_DBLCLK:
            model_.doubleClick();
            break;
        case NM_SETFOCUS:
            focused();
            break;
        default:
            break;
    }
    return 0;
}

void ListViewBinding::supplyText(NMLVDISPINFOW& request) const {
    LVITEMW& item = request.item;
    if ((item.mask & LVIF_TEXT) == 0 || item.pszText == nullptr || item.cchTextMax <= 0) {
        return;
    }
    // The control may ask for a row the model has just removed, before its new count arrives.
    const std::wstring text =
        item.iItem >= 0 && item.iItem < model_.rowCount()
            ? platform::toWide(
                  model_.rows()[static_cast<std::size_t>(item.iItem)].cell(item.iSubItem))
            : std::wstring();
    const std::size_t length = std::min(text.size(), static_cast<std::size_t>(item.cchTextMax - 1));
    std::copy_n(text.begin(), length, item.pszText);
    item.pszText[length] = L'\0';
}

LRESULT ListViewBinding::findRow(const NMLVFINDITEMW& request) const {
    // Typing a row's first letters finds it, as in lists that hold their own rows.
    const LVFINDINFOW& find = request.lvfi;
    if ((find.flags & (LVFI_STRING | LVFI_PARTIAL)) == 0 || find.psz == nullptr) {
        return -1;
    }
    const std::string wanted = core::foldCase(platform::toUtf8(find.psz));
    const bool partial = (find.flags & LVFI_PARTIAL) != 0;
    const int count = model_.rowCount();
    const int start = std::clamp(request.iStart, 0, std::max(0, count));
    const int tries = (find.flags & LVFI_WRAP) != 0 ? count : count - start;
    for (int n = 0; n < tries; ++n) {
        const int row = (start + n) % count;
        const std::string text =
            core::foldCase(model_.rows()[static_cast<std::size_t>(row)].cell(0));
        if (partial ? text.starts_with(wanted) : text == wanted) {
            return row;
        }
    }
    return -1;
}

void ListViewBinding::userChangedSelection() {
    const int row = static_cast<int>(
        SendMessageW(hwnd(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    if (row >= 0 && row < model_.rowCount()) {
        if (row != model_.selectedRow()) {
            model_.clickRow(row);
        }
    } else {
        model_.setSelectedRow(-1);
    }
    // The form's ItemClick may have selected another row.
    pushSelection();
}

void ListViewBinding::mouseDown(const NMHDR& header, forms::MouseButton button) {
    const auto& click = reinterpret_cast<const NMITEMACTIVATE&>(header);
    model_.mouseDown(button, shiftStateNow(), click.ptAction.x, click.ptAction.y);
}

}  // namespace bp::win
