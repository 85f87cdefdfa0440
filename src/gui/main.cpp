// The desktop program: start-up on the host, the main window, one run, then exit.
//
//   brindlepath                             the program with its windows
//   brindlepath --screenshots DIR           a PNG of every window (and each of its tabs) in DIR
//   brindlepath --run [FILE] [--out FILE]   one selection without windows

#include <QApplication>
#include <QDir>
#include <QStringList>
#include <QStyleFactory>
#include <cstdio>
#include <iostream>
#include <string_view>
#include <vector>
#include "app/BatchRun.h"

#include "gui/Program.h"
#include "gui/QtUi.h"

namespace {

constexpr int kUsageError = 2;

int usage(const char* problem) {
    std::fprintf(stderr,
                 "brindlepath: %s\n"
                 "usage: brindlepath [--screenshots DIR | --run [SELECTION.ini] [--out FILE]]\n",
                 problem);
    return kUsageError;
}

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

}  // namespace

int main(int argc, char** argv) {
    // A batch run needs no display: it runs before any window system is touched.
    if (argc >= 2 && std::string_view(argv[1]) == "--run") {
        return bp::app::runBatch(std::vector<std::string>(argv + 2, argv + argc), std::cerr);
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("brindlepath"));
    if (QApplication::platformName() == QStringLiteral("offscreen")) {
        // The same look on every machine for pictures taken without a display.
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    }
    const QStringList args = QApplication::arguments().mid(1);
    if (!args.isEmpty() && args.front() == QStringLiteral("--screenshots")) {
        return args.size() == 2 ? screenshots(args[1]) : usage("--screenshots needs one folder");
    }
    if (!args.isEmpty()) {
        return usage("unknown option");
    }
    return desktop();
}
