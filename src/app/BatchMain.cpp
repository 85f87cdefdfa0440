// The program in a build without the Qt front end: the Windows edition, whose windows are
// being moved onto the system's own controls, and Linux builds without Qt.
//
//   brindlepath --run [SELECTION.ini] [--out FILE]   one selection without windows
//   brindlepath --screenshots DIR                    (Windows) a PNG of every window drawn

#include <iostream>

#include "app/BatchRun.h"
#include "app/ProgramCommand.h"
#include "platform/ConsoleOutput.h"
#include "platform/ProgramArguments.h"

#ifdef _WIN32
#include "win/WinPictures.h"
#endif

int main(int argc, char** argv) {
    using bp::app::ProgramCommand;
    const ProgramCommand command =
        bp::app::parseProgramCommand(bp::platform::programArguments(argc, argv));
    std::ostream& err = bp::platform::errorOutput();
    if (command.kind == ProgramCommand::Kind::Run) {
        return bp::app::runBatch(command.operands, err);
    }
    if (command.kind == ProgramCommand::Kind::Unknown) {
        err << "brindlepath: " << command.problem << "\n";
    }
#ifdef _WIN32
    if (command.kind == ProgramCommand::Kind::Screenshots) {
        return bp::win::takeScreenshots(command.operands.front(), std::cout, err);
    }
    // FIXME: the main window is not drawn with the system's controls yet.
    return bp::app::printUsage(err, "this build has no main window yet",
                               bp::app::UsageLine::AllCommands);
#else
    return bp::app::printUsage(err, "this build has no windows yet", bp::app::UsageLine::RunOnly);
#endif
}
