#ifdef _WIN32
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#endif

#include <iostream>
#include <string>
#include <vector>

#include "HostTool.h"

int main(int argc, char** argv) {
#ifdef _WIN32
    // What the tool prints (IDs, exported JSON) is the same bytes on every system; text mode
    // would turn each line feed into a carriage return and a line feed.
    ::_setmode(::_fileno(stdout), _O_BINARY);
    ::_setmode(::_fileno(stderr), _O_BINARY);
#endif
    std::vector<std::string> args(argv + 1, argv + argc);
    return bp::sim::HostTool(std::cout, std::cerr).run(args);
}
