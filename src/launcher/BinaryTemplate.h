#pragma once
// Templates in the Excel 97-2003 binary format, in which many users keep their reports. The
// report builder fills OpenXML packages only, so such a template is converted once with
// LibreOffice into a hidden OpenXML copy beside it; the user's file is never changed. The copy
// is made again whenever the original is newer.

#include <string>

namespace bp::launcher {

// Whether the file starts as a binary (compound document) spreadsheet does.
bool isBinarySpreadsheet(const std::string& path);

// The converted copy's place: ".<name>.xltx" beside the template.
std::string convertedTemplatePath(const std::string& templatePath);

// The OpenXML copy of the binary template at `templatePath`, made when missing or older than
// the template. Raises bp::Error saying what the user can do when no copy can be had.
std::string openXmlTemplate(const std::string& templatePath);

}  // namespace bp::launcher
