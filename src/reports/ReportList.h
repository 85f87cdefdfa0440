#pragma once
// The report library as a list: the names of the definitions of one kind found in the
// templates folder. The main window's lstReports sorts what it is given (it is a sorted
// list); the chooser's list keeps the folder's order.

#include <string>

#include "forms/ListBox.h"

namespace bp::reports {

// Kinds of definition, by iOutputType.
enum ReportKind : int { kExcelReport = 0, kCsvExport = 1 };

inline constexpr const char* kDefinitionExcel = ".DXL";
inline constexpr const char* kTemplateExcel = ".XLT";
inline constexpr const char* kDefinitionCsv = ".DCS";

// Empties `list` and fills it with the report names of `kind` in `templatesFolder` (which
// ends in a separator). A spreadsheet definition is listed only when its template exists;
// extensions must be upper case, as the program writes them. A missing folder leaves the list
// empty.
void Load_Reports(forms::ListBox& list, int kind, const std::string& templatesFolder);

// The last four characters of a file name (".DXL"); the whole name when shorter.
std::string Ext(const std::string& fileName);
// The file name up to (not including) its first ".".
std::string NameOnly(const std::string& fileName);

}  // namespace bp::reports
