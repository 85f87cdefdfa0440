#pragma once
// brindlepath --screenshots DIR in the Windows edition: a picture of every window it draws,
// each loaded as its command loads it and never answered, so nothing is written but the
// pictures. The session is the program's own folder with settings kept in memory, so the
// user's settings and templates folder are neither read nor written.

#include <iosfwd>
#include <string>

namespace bp::win {

// Writes the pictures into `folder`, prints each path written on `out` and each failure on
// `err`; returns the program's exit code.
int takeScreenshots(const std::string& folder, std::ostream& out, std::ostream& err);

}  // namespace bp::win
