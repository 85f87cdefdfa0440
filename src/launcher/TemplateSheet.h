#pragma once
// The first sheet of the template, split around its cell rows: the report streams its own rows
// between the two halves and merges the template's rows in by row number, so the template's
// cells, merged ranges, column widths, page setup, headers and footers all stay as they were.
// Text cells reading "<report>" or "<date>" become the report's name and the day it was built.

#include <string>
#include <utility>
#include <vector>

#include <pugixml.hpp>

namespace bp::launcher {

struct TemplateCell {
    size_t column = 0;  // 0-based
    std::string xml;
};

struct TemplateRow {
    size_t number = 0;       // 1-based sheet row
    std::string attributes;  // the row's own attributes (height, style), without its number
    std::vector<TemplateCell> cells;
};

class TemplateSheet {
public:
    // Raises bp::Error when the part is not a worksheet.
    explicit TemplateSheet(const std::string& xml);

    void fillPlaceholders(const std::string& reportName, double dateSerial, unsigned dateStyle,
                          const std::vector<std::string>& sharedStrings);
    // Gives the columns these widths (in characters) when the sheet sets none of its own.
    void defaultColumnWidths(size_t firstColumn, const std::vector<double>& widths);
    // Takes the template's rows out of the sheet, in row order.
    std::vector<TemplateRow> takeRows();
    // The sheet before and after its rows, with its used range set to `dimension`.
    std::pair<std::string, std::string> frame(const std::string& dimension);

private:
    pugi::xml_document doc_;
    pugi::xml_node sheetData_;
};

// "B12" -> {1, 12}; {0, 0} when the text is not a cell reference.
std::pair<size_t, size_t> parseCellRef(std::string_view ref);
// The texts of a shared string table part.
std::vector<std::string> readSharedStrings(const std::string& xml);

}  // namespace bp::launcher
