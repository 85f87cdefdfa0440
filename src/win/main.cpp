// The Windows edition's program. It belongs to the windows subsystem, so starting it from the
// desktop opens no console window:
//
//   brindlepath                                      the main window on the running host
//   brindlepath --integrate                          the dialog that places the program's
//                                                    command in the host, alone
//   brindlepath --screenshots DIR                    a PNG of every window drawn
//   brindlepath --run [SELECTION.ini] [--out FILE]   one selection without windows
//
// What the commands print goes to the standard handles the program was given (a pipe or a
// file); started from a console, which gives a program of this subsystem none, to that console.

#include <windows.h>

#include <cstdio>
#include <exception>
#include <iostream>

#include "app/BatchRun.h"
#include "app/ProgramCommand.h"
#include "platform/AppInfo.h"
#include "platform/ConsoleOutput.h"
#include "platform/ProgramArguments.h"
#include "platform/WinText.h"
#include "win/WinPictures.h"
#include "win/WinProgram.h"
#include "win/WinUi.h"

namespace {

using bp::app::ProgramCommand;

bool hasHandle(DWORD which) {
    HANDLE handle = GetStdHandle(which);
    return handle != nullptr && handle != INVALID_HANDLE_VALUE;
}

void reopenOnConsole(DWORD which, FILE* stream) {
    if (!hasHandle(which) && std::freopen("CONOUT$", "w", stream) != nullptr) {
        HANDLE console =
            CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE,
                        FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
        if (console != INVALID_HANDLE_VALUE) {
            SetStdHandle(which, console);
        }
    }
}

// The console of the command prompt the program was started from, for the standard handles
// it was not given; started from the desktop there is none, and nobody would read them.
void useParentConsole() {
    if (hasHandle(STD_OUTPUT_HANDLE) && hasHandle(STD_ERROR_HANDLE)) {
        return;
    }
    if (!AttachConsole(ATTACH_PARENT_PROCESS)) {
        return;
    }
    reopenOnConsole(STD_OUTPUT_HANDLE, stdout);
    reopenOnConsole(STD_ERROR_HANDLE, stderr);
}

int windows(const ProgramCommand& command) {
    bp::win::WinUi ui;
    bp::win::WinProgram program(ui);
    if (command.kind == ProgramCommand::Kind::Integrate) {
        return program.integrate();
    }
    if (!program.start()) {
        return 1;
    }
    return program.exec();
}

}  // namespace

int main(int argc, char** argv) {
    const ProgramCommand command =
        bp::app::parseProgramCommand(bp::platform::programArguments(argc, argv));
    switch (command.kind) {
        case ProgramCommand::Kind::Desktop:
        case ProgramCommand::Kind::Integrate:
            try {
                return windows(command);
            } catch (const std::exception& error) {
                // Nothing the windows raise may end the program without a word.
                MessageBoxW(nullptr, bp::platform::toWide(error.what()).c_str(),
                            bp::platform::toWide(std::string(bp::platform::kAppTitle)).c_str(),
                            MB_OK | MB_ICONERROR);
                return 1;
            }
        case ProgramCommand::Kind::Run:
            useParentConsole();
            return bp::app::runBatch(command.operands, std::cout, bp::platform::errorOutput(),
                                     bp::platform::errorIsTerminal());
        case ProgramCommand::Kind::Screenshots:
            useParentConsole();
            return bp::win::takeScreenshots(command.operands.front(), std::cout,
                                            bp::platform::errorOutput());
        case ProgramCommand::Kind::Unknown:
            break;
    }
    useParentConsole();
    return bp::app::printUsage(bp::platform::errorOutput(), command.problem,
                               bp::app::UsageLine::AllCommands);
}
