#pragma once
// File helpers with the Windows program's semantics. Names are found without regard to
// letter case, as the Windows file system finds them ("data.csv" finds "data.CSV"); paths
// the program builds keep their exact names. Failures raise bp::Error: 53 file not found,
// 58 file already exists, 70 permission denied, 76 path not found, 75 any other access
// error; the description names the path and the error carries the caller's line.

#include <optional>
#include <string>
#include <vector>

#include "platform/Error.h"

namespace bp::platform {

// The real path of an existing regular file (or folder), letter case ignored.
std::optional<std::string> findFile(const std::string& path);
std::optional<std::string> findFolder(const std::string& path);
bool fileExists(const std::string& path);
bool folderExists(const std::string& path);

// Replaces the destination as a whole: a failed copy leaves any earlier file untouched,
// and copying a file onto itself keeps it.
void copyFile(const std::string& from, const std::string& to,
              bp::SourceLine where = bp::SourceLine::current());
// As copyFile, but where the system allows it `to` becomes a second name of the file `from`
// instead of a copy, so its bytes are not written again (a copy where it does not, as across
// file systems). Only for a source that is always replaced whole by renaming, never changed
// in place: the other name would change with it.
void shareFile(const std::string& from, const std::string& to,
               bp::SourceLine where = bp::SourceLine::current());
void deleteFile(const std::string& path,
                bp::SourceLine where = bp::SourceLine::current());
// Renames a file or folder; an existing destination is never replaced (58).
void renameFile(const std::string& from, const std::string& to,
                bp::SourceLine where = bp::SourceLine::current());
// The names of the files in a folder (not its subfolders), in case-insensitive order.
std::vector<std::string> listFiles(const std::string& folder,
                                   bp::SourceLine where = bp::SourceLine::current());
// Creates the folder and any missing parents; an existing folder is no error.
void createFolders(const std::string& path,
                   bp::SourceLine where = bp::SourceLine::current());

}  // namespace bp::platform
