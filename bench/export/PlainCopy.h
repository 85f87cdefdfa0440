#pragma once
// The embedded host's records as a user would keep them in plain SQLite: one table per record
// kind with a real column per field (named for what it holds, NULL where the host record has
// no such field, the values as the host's text), the ID as primary key, and the users' names
// in a table of their own. With it, the query that writes the same rows as the program's CSV
// export of open and lost sales on all contacts.

#include <string>

namespace bp::bench {

// Writes the copy of the host database `hostPath` to `copyPath` (replaced when it exists).
void makePlainCopy(const std::string& hostPath, const std::string& copyPath);

// The sqlite3 shell's commands (one per line) that write the rows of the export to `csvPath`.
std::string exportQueryScript(const std::string& csvPath);

}  // namespace bp::bench
