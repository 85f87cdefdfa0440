#pragma once
// Start-up: how data flows through the program. Sub_Main attaches to the host and fills the
// Session (host -> shared table objects); the main window's criteria panel describes the
// selection (criteria/); the filter engine turns it into sales and contact ID lists
// (filter/); the output layer makes a host lookup, a data file for the report builder or a
// CSV export from them (output/).

#include <memory>

#include "act/Session.h"
#include "app/FrmMain.h"
#include "platform/SingleInstance.h"

namespace bp::app {

// The file the host's current lookup is saved to at start-up, in the program folder; a
// lookup run that adds to the starting lookup reads it back.
inline constexpr const char* kStartLookupFile = "/~currentLU.lku";

// Refuses a second copy, attaches to the host and its open database, opens the shared
// objects into `session` (whose services and host the caller set) and shows the main window.
// Returns the shown main window, or nullptr when start-up ended with a message; then no
// window is left and the session holds no host object.
std::unique_ptr<FrmMain> Sub_Main(act::Session& session, const platform::SingleInstance& instance);

}  // namespace bp::app
