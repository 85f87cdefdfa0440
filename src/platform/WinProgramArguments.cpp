#include <windows.h>

#include <shellapi.h>

#include "platform/ProgramArguments.h"
#include "platform/WinText.h"

namespace bp::platform {

std::vector<std::string> programArguments(int argc, char** argv) {
    int count = 0;
    wchar_t** words = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (words == nullptr) {
        // Out of memory: the ANSI words are better than none.
        return std::vector<std::string>(argv + 1, argv + argc);
    }
    std::vector<std::string> arguments;
    for (int i = 1; i < count; ++i) {
        arguments.push_back(toUtf8(words[i]));
    }
    ::LocalFree(words);
    return arguments;
}

}  // namespace bp::platform
