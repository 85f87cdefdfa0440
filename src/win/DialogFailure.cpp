#include "win/DialogFailure.h"

#include <commdlg.h>

#include <cstdio>

#include "platform/Error.h"
#include "platform/WinText.h"

namespace bp::win {
namespace {

std::string hex(unsigned long code) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08lX", code);
    return text;
}

}  // namespace

std::string hresultText(HRESULT hr) {
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, static_cast<DWORD>(hr), 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring words(buffer != nullptr ? buffer : L"", length);
    LocalFree(buffer);
    while (!words.empty() && (words.back() == L'\n' || words.back() == L'\r' ||
                              words.back() == L' ' || words.back() == L'.')) {
        words.pop_back();
    }
    const std::string number = hex(static_cast<unsigned long>(hr));
    return words.empty() ? "system error " + number : platform::toUtf8(words) + " (" + number + ")";
}

std::string commonDialogText(DWORD code) {
    switch (code) {
        case CDERR_DIALOGFAILURE:
            return "the dialog box could not be created";
        case CDERR_INITIALIZATION:
        case CDERR_MEMALLOCFAILURE:
        case CDERR_MEMLOCKFAILURE:
            return "there is not enough memory";
        case CDERR_LOADRESFAILURE:
        case CDERR_FINDRESFAILURE:
        case CDERR_LOADSTRFAILURE:
            return "the dialog's resources could not be loaded";
        case FNERR_INVALIDFILENAME:
            return "the file name is not valid";
        case FNERR_BUFFERTOOSMALL:
            return "the file name is too long";
        case CFERR_NOFONTS:
            return "no fonts are installed";
        default:
            return "common dialog error " + hex(code);
    }
}

void raiseDialogFailure(std::string_view dialog, HRESULT hr) {
    raise(kErrInternal, "The " + std::string(dialog) + " could not be shown: " + hresultText(hr));
}

void raiseCommonDialogFailure(std::string_view dialog, DWORD code) {
    raise(kErrInternal,
          "The " + std::string(dialog) + " could not be shown: " + commonDialogText(code));
}

}  // namespace bp::win
