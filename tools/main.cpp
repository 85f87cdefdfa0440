#include <iostream>
#include <string>
#include <vector>

#include "HostTool.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    return bp::sim::HostTool(std::cout, std::cerr).run(args);
}
