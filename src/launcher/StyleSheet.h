#pragma once
// The workbook's style part, extended with the fonts, borders and cell formats the report
// needs. Everything the template already defines stays where it is, so the template's own
// cells keep their look.

#include <cstdint>
#include <map>
#include <optional>
#include <string>

#include <pugixml.hpp>

#include "launcher/ReportDefinition.h"

namespace bp::launcher {

// Built-in number formats every spreadsheet program knows by number.
inline constexpr int kGeneralFormat = 0;
inline constexpr int kTwoDecimalsFormat = 4;  // #,##0.00
inline constexpr int kShortDateFormat = 14;   // the reader's regional short date
// Shows nothing while the value stays in the cell (a section value not repeated on every row
// of its group still sorts, filters and counts).
inline constexpr int kHiddenFormat = -1;

struct CellStyle {
    std::optional<FontSpec> font;  // the workbook's default font when absent
    std::optional<BorderSpec> top;
    std::optional<BorderSpec> bottom;
    int numberFormat = kGeneralFormat;
    auto operator<=>(const CellStyle&) const = default;
};

class StyleSheet {
public:
    // Raises bp::Error when the part is not a style sheet.
    explicit StyleSheet(const std::string& xml);

    // Index of a cell format with this look, added on first use.
    uint32_t styleIndex(const CellStyle& style);
    FontSpec defaultFont() const;
    std::string xml() const;

private:
    uint32_t addFont(const FontSpec& font);
    uint32_t addBorder(const CellStyle& style);
    int formatId(int numberFormat);
    pugi::xml_node part(const char* name);

    pugi::xml_document doc_;
    std::map<CellStyle, uint32_t> styles_;
    std::map<FontSpec, uint32_t> fonts_;
    std::map<std::pair<std::optional<BorderSpec>, std::optional<BorderSpec>>, uint32_t> borders_;
    int hiddenFormatId_ = -1;
};

}  // namespace bp::launcher
