#pragma once
// The folder the program's own files lie in (starter definitions, launcher workbook, data
// file, lookup files): $BRINDLEPATH_HOME, else the folder of the executable. Without a
// trailing "/", so callers append "/data.CSV" as the Windows program appended "\data.CSV".

#include <string>

namespace bp::platform {

std::string programFolder();

}  // namespace bp::platform
