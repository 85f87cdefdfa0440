#include "win/ListBoxBinding.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "platform/WinText.h"
#include "win/DialogMetrics.h"
#include "win/MouseDown.h"

namespace bp::win {
namespace {

constexpr int kRowsShown = 8;
constexpr UINT_PTR kSubclassId = 1;

// The form's MouseDown handler pops up a list's context menu.
LRESULT CALLBACK listProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                          DWORD_PTR data) {
    (void)id;
    forwardMouseDown(*reinterpret_cast<forms::Control*>(data), message, wParam, lParam);
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

DWORD selectionStyle(const forms::ListBox& list) {
    // FIXME: the selection mode is read once; no form changes it after its window opens.
    switch (list.multiSelect()) {
        case forms::MultiSelect::Simple:
            return LBS_MULTIPLESEL;
        case forms::MultiSelect::Extended:
            return LBS_EXTENDEDSEL;
        case forms::MultiSelect::None:
            break;
    }
    return 0;
}

}  // namespace

ListBoxBinding::ListBoxBinding(forms::ListBox& list, const ChildPlace& place)
    : WinBinding(list, create(place, L"LISTBOX",
                              WS_TABSTOP | WS_GROUP | WS_VSCROLL | LBS_NOTIFY |
                                  LBS_NOINTEGRALHEIGHT | selectionStyle(list),
                              {}, WS_EX_CLIENTEDGE)),
      model_(list) {
    SetWindowSubclass(hwnd(), listProc, kSubclassId,
                      reinterpret_cast<DWORD_PTR>(static_cast<forms::Control*>(&list)));
}

ListBoxBinding::~ListBoxBinding() {
    RemoveWindowSubclass(hwnd(), listProc, kSubclassId);
}

SIZE ListBoxBinding::preferredSize(const DialogMetrics& metrics) const {
    LONG widest = metrics.x(80);
    for (const forms::ListEntry& entry : model_.entries()) {
        widest = std::max(widest, metrics.textSize(platform::toWide(entry.text)).cx);
    }
    const auto row = static_cast<LONG>(SendMessageW(hwnd(), LB_GETITEMHEIGHT, 0, 0));
    const LONG rows = std::max(row, metrics.textSize(L"Ag").cy) * kRowsShown;
    const LONG edges = 2 * GetSystemMetrics(SM_CXEDGE);
    return SIZE{widest + GetSystemMetrics(SM_CXVSCROLL) + edges + metrics.x(4), rows + edges};
}

void ListBoxBinding::sync(forms::Property property) {
    switch (property) {
        case forms::Property::Items:
            pushItems();
            break;
        case forms::Property::ListIndex:
        case forms::Property::Selection:
            pushSelection();
            break;
        default:
            break;
    }
}

void ListBoxBinding::syncContent() {
    pushItems();
}

void ListBoxBinding::notified(int code) {
    switch (code) {
        case LBN_SELCHANGE:
            userChangedSelection();
            break;
        case LBN_DBLCLK:
            // The first click of the two has selected the entry already.
            model_.doubleClick();
            break;
        case LBN_SETFOCUS:
            focused();
            break;
        default:
            break;
    }
}

void ListBoxBinding::userChangedSelection() {
    if (model_.multiSelect() == forms::MultiSelect::None) {
        const auto index = static_cast<int>(SendMessageW(hwnd(), LB_GETCURSEL, 0, 0));
        if (index >= 0 && index < model_.listCount()) {
            model_.click(index);
        }
    } else {
        // A drag or Shift+click changes many entries at once; each changed one reaches the
        // model, which raises Click for it as it does for code that selects it. What the list
        // shows is read first: each change the model takes is pushed back into the list, which
        // would otherwise lose the user's selection of the entries not read yet.
        std::vector<bool> shown;
        for (int i = 0; i < model_.listCount(); ++i) {
            shown.push_back(SendMessageW(hwnd(), LB_GETSEL, static_cast<WPARAM>(i), 0) > 0);
        }
        for (int i = 0; i < static_cast<int>(shown.size()) && i < model_.listCount(); ++i) {
            if (shown[static_cast<std::size_t>(i)] != model_.selected(i)) {
                model_.setSelected(i, shown[static_cast<std::size_t>(i)]);
            }
        }
    }
    pushSelection();
}

void ListBoxBinding::pushItems() {
    const Push push(*this);
    SendMessageW(hwnd(), WM_SETREDRAW, FALSE, 0);
    SendMessageW(hwnd(), LB_RESETCONTENT, 0, 0);
    for (const forms::ListEntry& entry : model_.entries()) {
        const std::wstring wide = platform::toWide(entry.text);
        SendMessageW(hwnd(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
    }
    SendMessageW(hwnd(), WM_SETREDRAW, TRUE, 0);
    InvalidateRect(hwnd(), nullptr, TRUE);
    pushSelection();
}

void ListBoxBinding::pushSelection() {
    const Push push(*this);
    if (model_.multiSelect() == forms::MultiSelect::None) {
        SendMessageW(hwnd(), LB_SETCURSEL, static_cast<WPARAM>(model_.listIndex()), 0);
        return;
    }
    for (int i = 0; i < model_.listCount(); ++i) {
        SendMessageW(hwnd(), LB_SETSEL, model_.selected(i) ? TRUE : FALSE, static_cast<LPARAM>(i));
    }
    if (model_.listIndex() >= 0) {
        SendMessageW(hwnd(), LB_SETCARETINDEX, static_cast<WPARAM>(model_.listIndex()), FALSE);
    }
}

}  // namespace bp::win
