#include <iostream>
#include <string>
#include <vector>

#include "HostTool.h"
#include "platform/ProgramArguments.h"

int main(int argc, char** argv) {
    std::vector<std::string> args = bp::platform::programArguments(argc, argv);
    args.erase(args.begin());
    return bp::sim::HostTool(std::cout, std::cerr).run(args);
}
