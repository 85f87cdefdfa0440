#include "win/ComboBinding.h"

#include <algorithm>

#include "platform/WinText.h"
#include "win/DialogMetrics.h"

namespace bp::win {
namespace {

DWORD comboStyle(const forms::ComboBox& combo) {
    // FIXME: the style is read once; a form that switches it after its window opens keeps
    // the first one. No form does so yet.
    return combo.style() == forms::ComboStyle::DropDownList ? CBS_DROPDOWNLIST
                                                            : CBS_DROPDOWN | CBS_AUTOHSCROLL;
}

}  // namespace

ComboBinding::ComboBinding(forms::ComboBox& combo, const ChildPlace& place)
    : WinBinding(combo, create(place, L"COMBOBOX",
                               WS_TABSTOP | WS_GROUP | WS_VSCROLL | comboStyle(combo))),
      model_(combo) {}

SIZE ComboBinding::preferredSize(const DialogMetrics& metrics) const {
    LONG widest = metrics.x(60);
    for (const forms::ListEntry& entry : model_.entries()) {
        widest = std::max(widest, metrics.textSize(platform::toWide(entry.text)).cx);
    }
    // Room for the drop-down arrow beside the widest entry.
    return SIZE{widest + GetSystemMetrics(SM_CXVSCROLL) + metrics.x(8), metrics.y(14)};
}

void ComboBinding::sync(forms::Property property) {
    switch (property) {
        case forms::Property::Items:
            pushItems();
            break;
        case forms::Property::ListIndex:
        case forms::Property::Text:
            pushCurrent();
            break;
        default:
            break;
    }
}

void ComboBinding::syncContent() {
    pushItems();
}

void ComboBinding::notified(int code) {
    switch (code) {
        case CBN_SELCHANGE: {
            const auto index = static_cast<int>(SendMessageW(hwnd(), CB_GETCURSEL, 0, 0));
            if (index >= 0 && index < model_.listCount()) {
                model_.choose(index);
            }
            pushCurrent();
            break;
        }
        case CBN_EDITCHANGE:
            // FIXME: typed keys reach the model as a changed text, not key by key; no form
            // filters the keys of a combo box yet.
            typed();
            break;
        case CBN_SETFOCUS:
            focused();
            break;
        default:
            break;
    }
}

void ComboBinding::typed() {
    // A typed text that matches an entry makes it current, and the combo box would select
    // its whole text; the caret stays where the user is typing.
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(hwnd(), CB_GETEDITSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    model_.setText(text());
    const Push push(*this);
    pushCurrent();
    SendMessageW(hwnd(), CB_SETEDITSEL, 0,
                 MAKELPARAM(static_cast<WORD>(start), static_cast<WORD>(end)));
}

void ComboBinding::pushItems() {
    const Push push(*this);
    SendMessageW(hwnd(), CB_RESETCONTENT, 0, 0);
    for (const forms::ListEntry& entry : model_.entries()) {
        const std::wstring wide = platform::toWide(entry.text);
        SendMessageW(hwnd(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
    }
    pushCurrent();
}

void ComboBinding::pushCurrent() {
    const Push push(*this);
    const auto shown = static_cast<int>(SendMessageW(hwnd(), CB_GETCURSEL, 0, 0));
    if (shown != model_.listIndex()) {
        SendMessageW(hwnd(), CB_SETCURSEL, static_cast<WPARAM>(model_.listIndex()), 0);
    }
    // Setting the same text again would throw the caret to the end while the user types.
    if (model_.style() == forms::ComboStyle::DropDownCombo && text() != model_.text()) {
        setText(model_.text());
    }
}

}  // namespace bp::win
