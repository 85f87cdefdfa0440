#pragma once
// The folder the program's own files lie in (starter definitions, launcher workbook, data
// file, lookup files): $BRINDLEPATH_HOME, else the folder of the executable. Without a
// trailing separator (unless it is a root), so callers add names with joinPath (PathText.h).

#include <string>

namespace bp::platform {

std::string programFolder();

// The key of the settings section that names the templates folder.
inline constexpr std::string_view kTemplatesFolderKey = "TemplatesFolder";
// The templates folder while the settings name none: "Templates" in `programFolder`, without
// a trailing separator.
std::string defaultTemplatesFolder(const std::string& programFolder);

}  // namespace bp::platform
