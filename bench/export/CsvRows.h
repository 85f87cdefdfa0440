#pragma once
// Reads a CSV file into rows of fields ("" quoting, CRLF or LF line ends), so two writers
// that quote differently can be compared by what they wrote.

#include <string>
#include <vector>

namespace bp::bench {

using CsvRow = std::vector<std::string>;

std::vector<CsvRow> readCsvRows(const std::string& path);

}  // namespace bp::bench
