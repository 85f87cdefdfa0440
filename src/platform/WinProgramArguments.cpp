#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include "platform/ProgramArguments.h"
#include "platform/WinText.h"

namespace bp::platform {

// CommandLineToArgvW splits as the C runtime does; argv stands in when it fails.
std::vector<std::string> programArguments(int argc, char** argv) {
    int count = 0;
    wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (wide == nullptr) {
        return std::vector<std::string>(argv, argv + argc);
    }
    std::vector<std::string> arguments;
    arguments.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        arguments.push_back(toUtf8(wide[i]));
    }
    ::LocalFree(wide);
    return arguments;
}

}  // namespace bp::platform
