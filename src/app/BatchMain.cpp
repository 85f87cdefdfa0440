// The program in a build without windows (the Windows edition until its windows are drawn,
// and Linux builds without the Qt front end): the batch run, and a clear refusal of anything
// else.
//
//   brindlepath --run [SELECTION.ini] [--out FILE]   one selection without windows

#include <iostream>

#include "app/BatchRun.h"
#include "app/ProgramCommand.h"
#include "platform/ProgramArguments.h"

// FIXME: on a Windows console the messages arrive as UTF-8 bytes, which the console shows in
// its own code page; names outside ASCII read correctly only when redirected to a file or pipe.
int main(int argc, char** argv) {
    using bp::app::ProgramCommand;
    const ProgramCommand command =
        bp::app::parseProgramCommand(bp::platform::programArguments(argc, argv));
    if (command.kind == ProgramCommand::Kind::Run) {
        return bp::app::runBatch(command.operands, std::cerr);
    }
    if (command.kind == ProgramCommand::Kind::Unknown) {
        std::cerr << "brindlepath: " << command.problem << "\n";
    }
    return bp::app::printUsage(std::cerr, "this build has no windows yet",
                               bp::app::UsageLine::RunOnly);
}
