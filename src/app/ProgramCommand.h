#pragma once
// What the words on the program's command line ask for, read the same way by every build of
// the program (with windows or without), and the one usage text they print.
//
//   brindlepath                             the program with its windows
//   brindlepath --integrate                 the dialog that places the program's command in the
//                                           host's toolbars and Tools menus, alone
//   brindlepath --screenshots DIR           a PNG of every window (and each of its tabs) in DIR
//   brindlepath --run [FILE] [--out FILE]   one selection without windows (BatchRun.h)

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace bp::app {

// The exit status of a command line the program does not understand.
inline constexpr int kUsageError = 2;

struct ProgramCommand {
    enum class Kind { Desktop, Integrate, Screenshots, Run, Unknown };
    Kind kind = Kind::Desktop;
    // The words after "--run", or the one folder of "--screenshots".
    std::vector<std::string> operands;
    // Why the words were not understood (Kind::Unknown).
    std::string problem;
};

// `args` are the words after the program's name.
ProgramCommand parseProgramCommand(const std::vector<std::string>& args);

// Which ways of calling the program a usage text shows: all of them, or only the batch run
// (for a build without windows, or for a mistake in the words after "--run").
enum class UsageLine { AllCommands, RunOnly };

// Says what was wrong and how the program is called; returns kUsageError.
int printUsage(std::ostream& err, std::string_view problem, UsageLine line);

}  // namespace bp::app
