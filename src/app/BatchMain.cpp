// The program in a Linux build without the Qt front end: the batch run only.
//
//   brindlepath --run [SELECTION.ini] [--out FILE | --count]   one selection without windows

#include <iostream>

#include "app/BatchRun.h"
#include "app/ProgramCommand.h"
#include "platform/ConsoleOutput.h"
#include "platform/ProgramArguments.h"

int main(int argc, char** argv) {
    using bp::app::ProgramCommand;
    const ProgramCommand command =
        bp::app::parseProgramCommand(bp::platform::programArguments(argc, argv));
    std::ostream& err = bp::platform::errorOutput();
    if (command.kind == ProgramCommand::Kind::Run) {
        return bp::app::runBatch(command.operands, std::cout, err, bp::platform::errorIsTerminal());
    }
    if (command.kind == ProgramCommand::Kind::Unknown) {
        err << "brindlepath: " << command.problem << "\n";
    }
    return bp::app::printUsage(err, "this build has no windows yet", bp::app::UsageLine::RunOnly);
}
