// The desktop program: start-up on the host, the main window, one run, then exit. The
// command line it understands is app/ProgramCommand.h's.

#include <QApplication>
#include <QDir>
#include <QStringList>
#include <QStyleFactory>
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "app/BatchRun.h"
#include "app/ProgramCommand.h"
#include "platform/ConsoleOutput.h"
#include "platform/ProgramArguments.h"

#include "gui/Program.h"
#include "gui/QtUi.h"

namespace {

using bp::app::kUsageError;
using bp::app::ProgramCommand;

int screenshots(const QString& folder) {
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "brindlepath: cannot create %s\n", qUtf8Printable(folder));
        return 1;
    }
    bp::gui::QtUi ui;
    bp::gui::Program program(ui);
    if (!program.start()) {
        return kUsageError;
    }
    // Dialogs are pictured without being answered, so nothing they would save is saved; the
    // settings' staging area, which every run and edit fills anew, holds the starter definition.
    return program.screenshots(folder);
}

int desktop() {
    bp::gui::QtUi ui;
    bp::gui::Program program(ui);
    if (!program.start()) {
        return 1;
    }
    return program.exec();
}

// The words Qt left after taking its own options (-platform, -style, ...).
std::vector<std::string> wordsAfterQt() {
    std::vector<std::string> words;
    const QStringList args = QApplication::arguments();
    for (qsizetype i = 1; i < args.size(); ++i) {
        words.push_back(args[i].toStdString());
    }
    return words;
}

}  // namespace

int main(int argc, char** argv) {
    // A batch run needs no display: it runs before any window system is touched.
    ProgramCommand command =
        bp::app::parseProgramCommand(bp::platform::programArguments(argc, argv));
    if (command.kind == ProgramCommand::Kind::Run) {
        return bp::app::runBatch(command.operands, std::cout, std::cerr, bp::platform::errorIsTerminal());
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("brindlepath"));
    if (QApplication::platformName() == QStringLiteral("offscreen")) {
        // The same look on every machine for pictures taken without a display.
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    }
    command = bp::app::parseProgramCommand(wordsAfterQt());
    switch (command.kind) {
        case ProgramCommand::Kind::Screenshots:
            return screenshots(QString::fromStdString(command.operands.front()));
        case ProgramCommand::Kind::Desktop:
            return desktop();
        case ProgramCommand::Kind::Integrate:
            // The embedded host has no toolbars of its own to place a command in; the dialog
            // stays in the main window's Options menu.
            return bp::app::printUsage(std::cerr, "--integrate needs the Windows edition",
                                       bp::app::UsageLine::AllCommands);
        default:
            return bp::app::printUsage(std::cerr, command.problem, bp::app::UsageLine::AllCommands);
    }
}
