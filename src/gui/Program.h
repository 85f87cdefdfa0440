#pragma once
// The desktop program on the embedded host: the services of a session, start-up through
// Sub_Main, the rendered main window, and the loop that ends with it. main() only parses the
// command line; tests drive a Program on a temporary host the same way.

#include <QString>
#include <memory>

#include "act/Session.h"
#include "gui/QtUi.h"
#include "platform/Launcher.h"

class QWidget;

namespace bp::app {
class FrmMain;
}
namespace bp::platform {
class SettingsStore;
class Shell;
class SingleInstance;
}  // namespace bp::platform
namespace bp::sim {
class SimHost;
}

namespace bp::gui {

class Screenshots;

class Program {
public:
    explicit Program(QtUi& ui);
    ~Program();

    // Opens the host named by $BRINDLEPATH_HOST (else the default database) and runs
    // start-up. False when start-up ended; the user was told why.
    bool start();
    // Runs until the main window is gone: unloaded after a run or by the user, or ended
    // by the host closing. Returns the exit status.
    int exec();
    // Pictures of every window the program has, for --screenshots. Exit status.
    int screenshots(const QString& folder);

    app::FrmMain* mainWindow() const { return frmMain_.get(); }
    FormRenderer* mainRenderer() const;

private:
    bool openHost();
    // Pictures of the dialogs the program runs modally; false when one was not written.
    bool pictureDialogs(Screenshots& shots);
    // The report settings and the dialogs they open, on the definition staged for them.
    bool pictureReportSettings(Screenshots& shots, QWidget* parent);

    QtUi& ui_;
    std::unique_ptr<platform::SettingsStore> settings_;
    std::unique_ptr<platform::Shell> shell_;
    platform::ReportBuilderLauncher launcher_;
    std::unique_ptr<sim::SimHost> host_;
    std::unique_ptr<platform::SingleInstance> instance_;
    act::Session session_;
    std::unique_ptr<app::FrmMain> frmMain_;
};

}  // namespace bp::gui
