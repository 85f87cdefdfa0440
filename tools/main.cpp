#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <cstdio>

#include "platform/WinText.h"
#endif

#include <iostream>
#include <string>
#include <vector>

#include "HostTool.h"

namespace {

// The arguments as UTF-8. On Windows argv holds them in the ANSI code page, which loses
// whatever it cannot spell, so they are taken from the UTF-16 command line instead.
std::vector<std::string> arguments(int argc, char** argv) {
#ifdef _WIN32
    int count = 0;
    if (wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count)) {
        std::vector<std::string> args;
        for (int i = 1; i < count; ++i) {
            args.push_back(bp::platform::toUtf8(wide[i]));
        }
        ::LocalFree(wide);
        return args;
    }
#endif
    return std::vector<std::string>(argv + 1, argv + argc);
}

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
    // What the tool prints (IDs, exported JSON) is the same bytes on every system; text mode
    // would turn each line feed into a carriage return and a line feed.
    ::_setmode(::_fileno(stdout), _O_BINARY);
    ::_setmode(::_fileno(stderr), _O_BINARY);
#endif
    return bp::sim::HostTool(std::cout, std::cerr).run(arguments(argc, argv));
}
