#include "win/TextBoxBinding.h"

#include <commctrl.h>

#include <algorithm>

#include "forms/Utf8.h"
#include "platform/WinText.h"
#include "win/DialogMetrics.h"

namespace bp::win {
namespace {

constexpr UINT_PTR kEditSubclassId = 1;
constexpr int kMostCharactersShown = 48;

LRESULT CALLBACK editProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                          DWORD_PTR data) {
    (void)id;
    auto* binding = reinterpret_cast<TextBoxBinding*>(data);
    if (binding->keyMessage(message, wParam)) {
        return 0;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

// Characters (code points) before UTF-16 position `units` of `text`.
int characterPosition(const std::wstring& text, int units) {
    int characters = 0;
    const int end = std::min(units, static_cast<int>(text.size()));
    for (int i = 0; i < end; ++i) {
        const wchar_t c = text[static_cast<std::size_t>(i)];
        if (c < 0xDC00 || c > 0xDFFF) {
            ++characters;
        }
    }
    return characters;
}

// UTF-16 position of character `characters` of `text`.
int unitPosition(const std::wstring& text, int characters) {
    int seen = 0;
    int i = 0;
    for (; i < static_cast<int>(text.size()); ++i) {
        const wchar_t c = text[static_cast<std::size_t>(i)];
        if (c >= 0xDC00 && c <= 0xDFFF) {
            continue;
        }
        if (seen == characters) {
            return i;
        }
        ++seen;
    }
    return i;
}

std::wstring clipboardText(HWND owner) {
    std::wstring result;
    if (!IsClipboardFormatAvailable(CF_UNICODETEXT) || !OpenClipboard(owner)) {
        return result;
    }
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* text = static_cast<const wchar_t*>(GlobalLock(data))) {
            result = text;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return result;
}

void setClipboardText(HWND owner, const std::wstring& text) {
    if (!OpenClipboard(owner)) {
        return;
    }
    EmptyClipboard();
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes)) {
        if (void* target = GlobalLock(memory)) {
            std::copy_n(text.c_str(), text.size() + 1, static_cast<wchar_t*>(target));
            GlobalUnlock(memory);
            if (SetClipboardData(CF_UNICODETEXT, memory) == nullptr) {
                GlobalFree(memory);
            }
        } else {
            GlobalFree(memory);
        }
    }
    CloseClipboard();
}

}  // namespace

TextBoxBinding::TextBoxBinding(forms::TextBox& box, const ChildPlace& place)
    : WinBinding(box, create(place, L"EDIT", WS_TABSTOP | WS_GROUP | ES_AUTOHSCROLL, {},
                             WS_EX_CLIENTEDGE)),
      model_(box) {
    SetWindowSubclass(hwnd(), editProc, kEditSubclassId, reinterpret_cast<DWORD_PTR>(this));
}

TextBoxBinding::~TextBoxBinding() {
    RemoveWindowSubclass(hwnd(), editProc, kEditSubclassId);
}

SIZE TextBoxBinding::preferredSize(const DialogMetrics& metrics) const {
    // A value the program fills in (a path, a name) is shown whole, up to a width that keeps
    // the window on screen; what the user types later may scroll.
    const SIZE text = metrics.textSize(platform::toWide(model_.text()));
    const LONG widest = metrics.averageCharWidth() * kMostCharactersShown;
    // Beside the text: the edit control's borders and inner margins, and room for the caret.
    const LONG frame = 4 * GetSystemMetrics(SM_CXEDGE) + metrics.x(8);
    const LONG width = std::min(text.cx, widest) + frame;
    return SIZE{std::max(width, static_cast<LONG>(metrics.x(100))),
                std::max(text.cy + metrics.y(6), static_cast<LONG>(metrics.y(14)))};
}

void TextBoxBinding::placed() {
    // The edit control keeps the scroll position it had while it was narrow, which can hide
    // the start of a text that now fits; it scrolls home before the selection goes back.
    const Push push(*this);
    SendMessageW(hwnd(), EM_SETSEL, 0, 0);
    SendMessageW(hwnd(), EM_SCROLLCARET, 0, 0);
    pushSelection();
}

bool TextBoxBinding::keyMessage(UINT message, WPARAM wParam) {
    switch (message) {
        case WM_CHAR:
            if (wParam == VK_BACK) {
                copySelectionToModel();
                model_.pressKey(forms::TextBox::kBackspace);
                return true;
            }
            if (wParam < 32 || wParam == 0x7F) {
                return false;  // Enter, Tab, Esc and control keys: the dialog's own
            }
            copySelectionToModel();
            typeCharacters(std::wstring(1, static_cast<wchar_t>(wParam)));
            return true;
        case WM_KEYDOWN:
            if (wParam == VK_DELETE) {
                copySelectionToModel();
                model_.pressDelete();
                return true;
            }
            return false;
        case WM_PASTE:
            paste();
            return true;
        case WM_CUT:
            cut();
            return true;
        case WM_CLEAR:
            copySelectionToModel();
            model_.pressDelete();
            return true;
        case WM_UNDO:
        case EM_UNDO:
            return true;  // FIXME: undo would restore text the form's rules never saw.
        default:
            return false;
    }
}

void TextBoxBinding::sync(forms::Property property) {
    switch (property) {
        case forms::Property::Text:
            pushText();
            break;
        case forms::Property::Selection:
            pushSelection();
            break;
        case forms::Property::Style:
            pushStyle();
            break;
        default:
            break;
    }
}

void TextBoxBinding::syncContent() {
    pushStyle();
    pushText();
}

void TextBoxBinding::notified(int code) {
    if (code == EN_CHANGE) {
        takeForeignText();
    } else if (code == EN_SETFOCUS) {
        focused();
    }
}

void TextBoxBinding::pushText() {
    const Push push(*this);
    if (text() != model_.text()) {
        setText(model_.text());
    }
    pushSelection();
}

void TextBoxBinding::pushSelection() {
    const Push push(*this);
    const std::wstring wide = platform::toWide(model_.text());
    const int start = unitPosition(wide, model_.selStart());
    const int end = unitPosition(wide, model_.selStart() + model_.selLength());
    SendMessageW(hwnd(), EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(end));
}

void TextBoxBinding::pushStyle() {
    const Push push(*this);
    SendMessageW(hwnd(), EM_SETREADONLY, model_.locked() ? TRUE : FALSE, 0);
}

void TextBoxBinding::copySelectionToModel() {
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(hwnd(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    const std::wstring wide = platform::toWide(text());
    const int first = characterPosition(wide, static_cast<int>(start));
    const int last = characterPosition(wide, static_cast<int>(end));
    model_.setSelStart(first);
    model_.setSelLength(last - first);
}

void TextBoxBinding::typeCharacters(const std::wstring& text) {
    for (const int c : forms::utf8::decode(platform::toUtf8(text))) {
        if (c >= 32) {
            model_.pressKey(c);
        }
    }
}

void TextBoxBinding::paste() {
    copySelectionToModel();
    typeCharacters(clipboardText(hwnd()));
}

void TextBoxBinding::cut() {
    copySelectionToModel();
    setClipboardText(hwnd(), platform::toWide(model_.selText()));
    model_.pressDelete();
}

void TextBoxBinding::takeForeignText() {
    const std::string arrived = text();
    if (arrived == model_.text()) {
        return;
    }
    model_.setSelStart(0);
    model_.setSelLength(model_.length());
    if (arrived.empty()) {
        model_.pressDelete();
    } else {
        typeCharacters(platform::toWide(arrived));
    }
    pushText();
}

}  // namespace bp::win
