#pragma once
// One QApplication for a GUI test program, on the offscreen platform with the Fusion style,
// whatever the caller's environment says; and helpers to act on a modal window from inside
// its event loop.

#include <QApplication>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <cstdlib>
#include <functional>
#include <memory>

namespace bp::gui::test {

inline QApplication& application() {
    // Never destroyed: at exit QtTest's own input devices are gone before a static
    // QApplication would be, and its destructor would touch them.
    static QApplication* app = [] {
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        // Qt's settings and caches go to a throw-away home, never the user's own.
        static QTemporaryDir home;
        ::setenv("XDG_CONFIG_HOME", qUtf8Printable(home.path()), 1);
        ::setenv("XDG_CACHE_HOME", qUtf8Printable(home.path()), 1);
        static int argc = 1;
        static char name[] = "bp_gui_tests";
        static char* argv[] = {name, nullptr};
        auto* made = new QApplication(argc, argv);
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
        return made;
    }();
    return *app;
}

// Runs `act` on the modal window once it is up (message box, file dialog, modal form).
// `act` must close it; the window is closed anyway after a few tries so a test never hangs.
inline void whenModal(std::function<void(QWidget&)> act) {
    auto tries = std::make_shared<int>(0);
    auto poll = std::make_shared<std::function<void()>>();
    *poll = [act = std::move(act), tries, poll] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr && QApplication::activePopupWidget() != nullptr) {
            modal = QApplication::activePopupWidget();
        }
        if (modal != nullptr) {
            act(*modal);
            return;
        }
        if (++*tries < 50) {
            QTimer::singleShot(20, qApp, *poll);
        }
    };
    QTimer::singleShot(0, qApp, *poll);
}

}  // namespace bp::gui::test
