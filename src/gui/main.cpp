// The desktop program: start-up on the host, the main window, one run, then exit.
//
//   brindlepath                      the program with its windows
//   brindlepath --screenshots DIR    a PNG of every window (and each of its tabs) in DIR
//   brindlepath --run [FILE] [--out FILE]   one selection without windows

#include <QApplication>
#include <QDir>
#include <QStringList>
#include <QStyleFactory>
#include <cstdio>

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
    // FIXME: the program's windows (frmMain and its dialogs) are not part of this build yet;
    // once start-up exists, every form it knows is rendered here through bp::gui::Screenshots.
    std::fprintf(stderr, "brindlepath: no windows to render yet\n");
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
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
    if (!args.isEmpty() && args.front() == QStringLiteral("--run")) {
        // FIXME: the batch run belongs to the run command; it plugs in here.
        return usage("--run is not available in this build yet");
    }
    if (!args.isEmpty()) {
        return usage("unknown option");
    }
    // FIXME: start-up (Sub_Main on the host named by $BRINDLEPATH_HOST) and the main window
    // are not part of this build yet; the renderer and the Qt UI service are ready for them.
    bp::gui::QtUi ui;
    std::fprintf(stderr, "brindlepath: the main window is not part of this build yet\n");
    return 1;
}
