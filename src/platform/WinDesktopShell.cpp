#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include "platform/DesktopShell.h"
#include "platform/Process.h"
#include "platform/WinText.h"

namespace bp::platform {
namespace {

// Some messages name the file as "%1".
std::string systemWords(DWORD code, const std::string& path) {
    wchar_t* text = nullptr;
    DWORD length = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring words(text ? text : L"", length);
    ::LocalFree(text);
    while (!words.empty() && (words.back() == L'\n' || words.back() == L'\r' ||
                              words.back() == L' ' || words.back() == L'.')) {
        words.pop_back();
    }
    if (words.empty()) {
        return "system error " + std::to_string(code);
    }
    std::string said = toUtf8(words);
    for (size_t at = said.find("%1"); at != std::string::npos; at = said.find("%1", at)) {
        said.replace(at, 2, "\"" + path + "\"");
        at += path.size() + 2;
    }
    return said;
}

}  // namespace

// Windows picks the program from the file's type, as Explorer does on a double click. The
// shell shows no dialog of its own: the caller tells the user why it failed.
bool DesktopShell::open(const std::string& path, const std::string& workingFolder) {
    failure_.clear();
    if (launchSuppressed()) {
        return false;
    }
    std::wstring file = toWide(path);
    std::wstring folder = toWide(workingFolder);
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
    info.lpVerb = L"open";
    info.lpFile = file.c_str();
    info.lpDirectory = folder.empty() ? nullptr : folder.c_str();
    info.nShow = SW_SHOWNORMAL;
    if (!::ShellExecuteExW(&info)) {
        failure_ = systemWords(::GetLastError(), path);
        return false;
    }
    return true;
}

// A service's window station is invisible: nothing opened there reaches the user.
bool desktopSessionPresent() {
    HWINSTA station = ::GetProcessWindowStation();
    USEROBJECTFLAGS flags{};
    if (!station ||
        !::GetUserObjectInformationW(station, UOI_FLAGS, &flags, sizeof flags, nullptr)) {
        return true;
    }
    return (flags.dwFlags & WSF_VISIBLE) != 0;
}

}  // namespace bp::platform
