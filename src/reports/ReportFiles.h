#pragma once
// The files of a definition in the templates folder and the starter files in the program
// folder, and the rules a report name must meet to become a file name there.

#include <string>
#include <vector>

namespace bp::reports {

// Starter files the New command copies, in the program folder.
inline constexpr const char* kStarterTemplate = "brindlepath_template.XLT";
inline constexpr const char* kStarterExcel = "brindlepath_def.DXL";
inline constexpr const char* kStarterCsv = "brindlepath_def.DCS";

// The definition's extension of a kind: ".DXL" or ".DCS".
const char* definitionExtension(int kind);

// The files of definition `name` of `kind`, in the order they are copied and deleted: the
// spreadsheet template comes before its definition.
std::vector<std::string> reportFiles(const std::string& templatesFolder, const std::string& name,
                                     int kind);

// Characters a name may not hold: a "." would cut the name short when the list is built,
// "/" and "\" would put the file into another folder.
bool isForbiddenNameKey(int keyAscii);
bool hasForbiddenCharacter(const std::string& name);
// Empty, or blanks only.
bool isBlankName(const std::string& name);

// Whether a failed copy or delete is the file system refusing access (a file in use, a
// locked or read-only file, a folder in the way) rather than a missing file.
bool isAccessRefused(int errorNumber);

}  // namespace bp::reports
