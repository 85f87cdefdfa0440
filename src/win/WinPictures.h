#pragma once
// brindlepath --screenshots DIR in the Windows edition: the program started on its host as
// the desktop starts it, then a picture of the main window and of every dialog (one per tab
// of a window with tabs), each loaded as its command loads it and never answered, so nothing
// is written but the pictures. Settings are kept in memory and the report settings are
// pictured on a copy of the starter definition, so the user's settings and templates folder
// are neither read nor written. A message the program would show is written to the error
// stream instead, so an unattended run never waits for a click.

#include <iosfwd>
#include <string>

namespace bp::win {

// Writes the pictures into `folder`, prints each path written on `out` and each failure on
// `err`; returns the program's exit code.
int takeScreenshots(const std::string& folder, std::ostream& out, std::ostream& err);

}  // namespace bp::win
