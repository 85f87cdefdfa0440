#pragma once
// The data file "data.CSV" in the program folder: the rows of the results list in their order,
// for the report builder (rows only) or for a CSV export (a header line of field names first).

#include <string>
#include <string_view>

#include "act/Session.h"
#include "forms/ListView.h"

namespace bp::output {

inline constexpr const char* kDataFileName = "data.CSV";

// The text with every double quote doubled.
std::string Check(const std::string& text);

// The data line of one row: quoted cells joined by commas; a CR LF inside a cell becomes a space.
std::string dataLine(const forms::ListViewRow& row, int columns);

// How many cells of each row of the results list the data file holds: the sort-name column is
// left out of an export; -1 when it holds no rows (an empty list, an export without field names).
int dataColumns(const act::Session& session, const forms::ListView& lvwSales, bool bNameSortAdded);

// A cell as a reader of the data file gets it back: a CR LF inside it became a space.
std::string cellAsRead(std::string_view text);

// The header line of a CSV export from the staged "FieldNamesIncluded".
std::string headerLine(const std::string& fieldNamesIncluded);

// Writes the data file and saves "Settings"/"DataFile". The file is replaced only when it was
// written completely. False when it could not be written: the user has been told ("The
// data.CSV file can not be accessed. Make sure it is not open." when it is in use, the common
// error message otherwise), and nothing may be launched or copied from it.
bool Write_File(act::Session& session, const forms::ListView& lvwSales, bool bNameSortAdded);

std::string dataFilePath(const act::Session& session);

}  // namespace bp::output
