#pragma once
// Start-up: how data flows through the program. Sub_Main attaches to the host and fills the
// Session (host -> shared table objects); the main window's criteria panel describes the
// selection (criteria/); the filter engine turns it into sales and contact ID lists
// (filter/); the output layer makes a host lookup, a data file for the report builder or a
// CSV export from them (output/).

#include <functional>
#include <memory>

#include "act/Session.h"
#include "app/FrmMain.h"
#include "app/FrmSplash.h"
#include "platform/SingleInstance.h"

namespace bp::app {

// What a caller adds to start-up. `drawSplash` runs once the splash window is shown, so a
// windowing front end can paint it before the host is opened; what it returns (the window
// drawn) is kept until the splash goes. `openHost` opens the host into the session after the
// single-instance check, and returns false after telling the user why.
struct StartUpSteps {
    std::function<std::shared_ptr<void>(FrmSplash&)> drawSplash;
    std::function<bool()> openHost;
};

// Refuses a second copy, attaches to the host and its open database, opens the shared
// objects into `session` (whose services the caller set, and its host unless `steps` opens
// it) and shows the main window. Returns the shown main window, or nullptr when start-up
// ended with a message; then no window is left and the session holds no host object.
std::unique_ptr<FrmMain> Sub_Main(act::Session& session, const platform::SingleInstance& instance,
                                  const StartUpSteps& steps = {});

}  // namespace bp::app
