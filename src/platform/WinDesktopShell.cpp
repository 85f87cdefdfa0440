#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include "platform/DesktopShell.h"
#include "platform/Process.h"
#include "platform/WinText.h"

namespace bp::platform {

// Windows picks the program from the file's type, as Explorer does on a double click.
bool DesktopShell::open(const std::string& path, const std::string& workingFolder) {
    if (launchSuppressed()) {
        return false;
    }
    std::wstring folder = toWide(workingFolder);
    HINSTANCE result = ::ShellExecuteW(nullptr, L"open", toWide(path).c_str(), nullptr,
                                       folder.empty() ? nullptr : folder.c_str(), SW_SHOWNORMAL);
    // Values above 32 mean it started; the smaller ones are error codes.
    return reinterpret_cast<INT_PTR>(result) > 32;
}

}  // namespace bp::platform
