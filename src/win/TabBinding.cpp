#include "win/TabBinding.h"

#include <commctrl.h>

#include <algorithm>

#include "platform/Error.h"
#include "platform/WinText.h"
#include "win/DialogMetrics.h"

namespace bp::win {
namespace {

constexpr const wchar_t* kPageClass = L"BrindlepathTabPage";

// A page passes what its controls tell it on to the form's window, which routes it to their
// bindings as it does for controls placed on the window itself.
LRESULT CALLBACK pageProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
        case WM_NOTIFY:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_DRAWITEM:
        case WM_MEASUREITEM:
            return SendMessageW(GetAncestor(hwnd, GA_ROOT), message, wParam, lParam);
        default:
            return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

// The tab control's window class, registered by the common controls on first use.
const wchar_t* tabClass() {
    static const bool loaded = [] {
        INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_TAB_CLASSES};
        return InitCommonControlsEx(&classes) != FALSE;
    }();
    (void)loaded;
    return WC_TABCONTROLW;
}

void registerPageClass() {
    static const bool registered = [] {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        windowClass.lpszClassName = kPageClass;
        windowClass.lpfnWndProc = &pageProc;
        return RegisterClassExW(&windowClass) != 0;
    }();
    if (!registered) {
        throw Error(kErrInternal, "The program cannot register its tab page window class.");
    }
}

}  // namespace

TabBinding::TabBinding(forms::TabControl& tabs, const ChildPlace& place)
    : WinBinding(tabs, create(place, tabClass(), WS_TABSTOP | WS_GROUP | WS_CLIPSIBLINGS)),
      model_(tabs) {
    registerPageClass();
    ensurePages(model_.tabs());
}

HWND TabBinding::pageWindow(int page) {
    ensurePages(std::max(0, page) + 1);
    return pages_[static_cast<std::size_t>(std::max(0, page))];
}

void TabBinding::ensurePages(int count) {
    while (static_cast<int>(pages_.size()) < count) {
        // Right after the tab control (or its last page) in the window order, so the Tab key
        // goes from the tabs into the page.
        HWND after = pages_.empty() ? hwnd() : pages_.back();
        HWND page =
            CreateWindowExW(WS_EX_CONTROLPARENT, kPageClass, L"", WS_CHILD | WS_CLIPSIBLINGS, 0, 0,
                            10, 10, GetParent(hwnd()), nullptr, GetModuleHandleW(nullptr), nullptr);
        if (page == nullptr) {
            throw Error(kErrInternal, "The program cannot open a page of " + model_.name() + ".");
        }
        SetWindowPos(page, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        pages_.push_back(page);
    }
}

SIZE TabBinding::preferredSize(const DialogMetrics& metrics) const {
    // Every tab stays in sight: the tab row is as wide as all the captions together.
    LONG width = metrics.x(40);
    const auto count = static_cast<int>(SendMessageW(hwnd(), TCM_GETITEMCOUNT, 0, 0));
    if (count > 0) {
        RECT last{};
        SendMessageW(hwnd(), TCM_GETITEMRECT, static_cast<WPARAM>(count - 1),
                     reinterpret_cast<LPARAM>(&last));
        width = std::max(width, last.right + metrics.x(4));
    }
    const RECT inset = displayInset();
    return SIZE{width, inset.top + inset.bottom + metrics.y(20)};
}

RECT TabBinding::displayInset() const {
    RECT window{0, 0, 1000, 1000};
    RECT display = window;
    SendMessageW(hwnd(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
    return RECT{display.left, display.top, window.right - display.right,
                window.bottom - display.bottom};
}

RECT TabBinding::padding(const DialogMetrics& metrics) const {
    const RECT inset = displayInset();
    const POINT margin = pageOrigin(metrics);
    return RECT{inset.left + margin.x, inset.top + margin.y, inset.right + margin.x,
                inset.bottom + margin.y};
}

POINT TabBinding::pageOrigin(const DialogMetrics& metrics) const {
    return POINT{metrics.x(6), metrics.y(6)};
}

void TabBinding::placed() {
    laidOut_ = true;
    RECT rect{};
    GetWindowRect(hwnd(), &rect);
    MapWindowPoints(nullptr, GetParent(hwnd()), reinterpret_cast<POINT*>(&rect), 2);
    RECT display = rect;
    SendMessageW(hwnd(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
    for (HWND page : pages_) {
        SetWindowPos(page, nullptr, display.left, display.top, display.right - display.left,
                     display.bottom - display.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    // The tab control keeps its tabs and border; the pages beneath it show through the
    // display area, where it would otherwise paint over them.
    HRGN region = CreateRectRgn(0, 0, rect.right - rect.left, rect.bottom - rect.top);
    HRGN hole = CreateRectRgn(display.left - rect.left, display.top - rect.top,
                              display.right - rect.left, display.bottom - rect.top);
    CombineRgn(region, region, hole, RGN_DIFF);
    DeleteObject(hole);
    SetWindowRgn(hwnd(), region, TRUE);  // the window owns the region from here on
}

void TabBinding::syncUsable() {
    WinBinding::syncUsable();
    showPages();
}

void TabBinding::sync(forms::Property property) {
    if (property == forms::Property::Items) {
        pushTabs();
    } else if (property == forms::Property::ListIndex) {
        pushCurrent();
    }
}

void TabBinding::syncContent() {
    pushTabs();
}

void TabBinding::pushTabs() {
    const Push push(*this);
    ensurePages(model_.tabs());
    SendMessageW(hwnd(), TCM_DELETEALLITEMS, 0, 0);
    items_.clear();
    for (int tab = 0; tab < model_.tabs(); ++tab) {
        if (!model_.tabVisible(tab)) {
            continue;
        }
        std::wstring caption = platform::toWide(model_.tabCaption(tab));
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = caption.data();
        SendMessageW(hwnd(), TCM_INSERTITEMW, items_.size(), reinterpret_cast<LPARAM>(&item));
        items_.push_back(tab);
    }
    pushCurrent();
    askRoomForTabs();
}

void TabBinding::askRoomForTabs() {
    // Every tab stays in sight: when longer captions no longer fit the tab row, the window
    // makes room once the change is over.
    const auto count = static_cast<int>(SendMessageW(hwnd(), TCM_GETITEMCOUNT, 0, 0));
    RECT last{};
    RECT client{};
    GetClientRect(hwnd(), &client);
    if (laidOut_ && count > 0 &&
        SendMessageW(hwnd(), TCM_GETITEMRECT, static_cast<WPARAM>(count - 1),
                     reinterpret_cast<LPARAM>(&last)) != FALSE &&
        last.right > client.right) {
        PostMessageW(GetAncestor(hwnd(), GA_ROOT), kRelayoutMessage, 0, 0);
    }
}

void TabBinding::pushCurrent() {
    const Push push(*this);
    const auto item = std::find(items_.begin(), items_.end(), model_.tab());
    SendMessageW(hwnd(), TCM_SETCURSEL, item == items_.end() ? -1 : item - items_.begin(), 0);
    showPages();
}

void TabBinding::showPages() {
    const bool shown = (GetWindowLongW(hwnd(), GWL_STYLE) & WS_VISIBLE) != 0;
    const bool enabled = IsWindowEnabled(hwnd()) != FALSE;
    HWND focus = GetFocus();
    for (std::size_t page = 0; page < pages_.size(); ++page) {
        const bool current = static_cast<int>(page) == model_.tab();
        EnableWindow(pages_[page], enabled ? TRUE : FALSE);
        ShowWindow(pages_[page], shown && current ? SW_SHOWNA : SW_HIDE);
    }
    // The keyboard focus never stays on a control the user can no longer see.
    if (focus != nullptr && IsChild(GetAncestor(hwnd(), GA_ROOT), focus) &&
        !IsWindowVisible(focus) && IsWindowVisible(hwnd())) {
        SetFocus(hwnd());
    }
}

LRESULT TabBinding::noticed(const NMHDR& header) {
    if (header.code == TCN_SELCHANGE) {
        userPicked();
    } else if (header.code == NM_SETFOCUS) {
        focused();
    }
    return 0;
}

bool TabBinding::holds(HWND window) const {
    return window != nullptr &&
           (window == hwnd() || std::any_of(pages_.begin(), pages_.end(), [window](HWND page) {
                return page == window || IsChild(page, window);
            }));
}

int TabBinding::tabAt(int item) const {
    return item >= 0 && item < static_cast<int>(items_.size())
               ? items_[static_cast<std::size_t>(item)]
               : -1;
}

void TabBinding::userPicked() {
    const int tab = tabAt(static_cast<int>(SendMessageW(hwnd(), TCM_GETCURSEL, 0, 0)));
    if (tab >= 0 && tab != model_.tab()) {
        model_.clickTab(tab);
    }
    // Refused, or moved elsewhere by the form's Click handler: the model's tab shows.
    pushCurrent();
}

bool TabBinding::step(bool forward) {
    const int count = static_cast<int>(items_.size());
    const auto current = std::find(items_.begin(), items_.end(), model_.tab());
    int from = static_cast<int>(current - items_.begin());
    if (current == items_.end()) {
        from = forward ? -1 : count;
    }
    for (int n = 1; n <= count; ++n) {
        const int item = ((forward ? from + n : from - n) % count + count) % count;
        if (item == from) {
            break;
        }
        if (model_.clickTab(tabAt(item))) {
            pushCurrent();
            return true;
        }
    }
    return false;
}

}  // namespace bp::win
