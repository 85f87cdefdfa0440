#pragma once
// The desktop program on Windows: start-up (app::StartUp, on the host its factory opens) with
// the splash window drawn while the host opens, the main window shown without waiting, and
// the message loop that ends with it; or the integration dialog alone, for --integrate.
// main() only parses the command line; tests drive a WinProgram on a temporary host the same
// way.

#include <memory>

#include "act/Session.h"
#include "app/FrmMain.h"
#include "app/HostFactory.h"
#include "app/StartUp.h"
#include "win/WinUi.h"

namespace bp::win {

class WinFormWindow;

class WinProgram {
public:
    explicit WinProgram(WinUi& ui,
                        std::unique_ptr<app::HostFactory> hostFactory = app::makeHostFactory());
    ~WinProgram();
    WinProgram(const WinProgram&) = delete;
    WinProgram& operator=(const WinProgram&) = delete;

    // Runs start-up with the splash window drawn and shows the main window. False when
    // start-up ended or the main window could not be drawn; the user was told why.
    bool start();
    // Runs the message loop until the main window is gone: unloaded after a run or by the
    // user, or ended by the host closing (after a re-start of the host, once its timer has
    // run out). Returns the exit status.
    int exec();
    // Start-up, then the integration dialog as the main window's menu opens it, without the
    // main window on screen; the main window's closing sequence follows it. Exit status.
    int integrate();

    act::Session& session() { return startUp_.session(); }
    app::FrmMain* mainWindow() const { return frmMain_.get(); }
    // The main window's window, once start() has drawn it.
    WinFormWindow* mainWindowWindow() const;

private:
    bool startUp();
    // Until the main window is unloaded and no re-start of the host keeps the program alive.
    void runMainWindow();
    std::shared_ptr<void> drawSplash(app::FrmSplash& splash);

    WinUi& ui_;
    app::StartUp startUp_;
    std::unique_ptr<app::FrmMain> frmMain_;
};

}  // namespace bp::win
