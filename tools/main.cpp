#ifdef _WIN32
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#endif

#include <iostream>

#include "HostTool.h"
#include "platform/ProgramArguments.h"

int main(int argc, char** argv) {
#ifdef _WIN32
    // What the tool prints (IDs, exported JSON) is the same bytes on every system; text mode
    // would turn each line feed into a carriage return and a line feed.
    ::_setmode(::_fileno(stdout), _O_BINARY);
    ::_setmode(::_fileno(stderr), _O_BINARY);
#endif
    return bp::sim::HostTool(std::cout, std::cerr).run(bp::platform::programArguments(argc, argv));
}
