#pragma once
// The desktop program: start-up (app::StartUp, on the host its factory opens) with the splash
// window drawn, the rendered main window, and the loop that ends with it. main() only parses
// the command line; tests drive a Program on a temporary host the same way.

#include <QString>
#include <memory>

#include "act/Session.h"
#include "app/HostFactory.h"
#include "app/StartUp.h"
#include "gui/QtUi.h"

class QWidget;

namespace bp::app {
class FrmMain;
}

namespace bp::gui {

class Screenshots;

class Program {
public:
    explicit Program(QtUi& ui,
                     std::unique_ptr<app::HostFactory> hostFactory = app::makeHostFactory());
    ~Program();

    // Runs start-up on the host the factory opens (by default the one $BRINDLEPATH_HOST
    // names, else the user's default database), with the splash window drawn while it opens.
    // False when start-up ended; the user was told why.
    bool start();
    // Runs until the main window is gone: unloaded after a run or by the user, or ended
    // by the host closing. Returns the exit status.
    int exec();
    // Pictures of every window the program has, for --screenshots. Exit status.
    int screenshots(const QString& folder);

    app::FrmMain* mainWindow() const { return frmMain_.get(); }
    FormRenderer* mainRenderer() const;

private:
    // The splash window on screen and painted, before the host is opened.
    std::shared_ptr<void> drawSplash(app::FrmSplash& splash);
    // Pictures of the dialogs the program runs modally; false when one was not written.
    bool pictureDialogs(Screenshots& shots);
    // The report settings and the dialogs they open, on the definition staged for them.
    bool pictureReportSettings(Screenshots& shots, QWidget* parent);

    QtUi& ui_;
    app::StartUp startUp_;
    act::Session& session_;
    std::unique_ptr<app::FrmMain> frmMain_;
};

}  // namespace bp::gui
