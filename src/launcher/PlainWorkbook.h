#pragma once
// The parts of a workbook with one empty sheet: what a report is written into when its template
// is missing or cannot be read: landscape pages as wide as the report.

#include <string>
#include <utility>
#include <vector>

namespace bp::launcher {

std::vector<std::pair<std::string, std::string>> plainWorkbookParts();

}  // namespace bp::launcher
