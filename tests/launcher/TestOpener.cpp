// Stands in for the user's spreadsheet program in the tests that open a finished report:
//   launcher_test_opener MARKER FILE
// writes FILE, the path it was asked to open, to MARKER. It writes a neighbour first and
// renames it, so a test that sees MARKER sees all of it.

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/PathText.h"
#include "platform/ProgramArguments.h"

int main(int argc, char** argv) {
    std::vector<std::string> arguments = bp::platform::programArguments(argc, argv);
    if (arguments.size() != 2) {
        return 2;
    }
    std::filesystem::path marker = bp::platform::pathFromUtf8(arguments[0]);
    std::filesystem::path partial = marker;
    partial += ".partial";
    {
        std::ofstream out(partial, std::ios::binary);
        out << arguments[1];
        if (!out) {
            return 1;
        }
    }
    std::error_code error;
    std::filesystem::rename(partial, marker, error);
    return error ? 1 : 0;
}
