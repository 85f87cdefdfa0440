#pragma once
// The staged report definition as the report builder needs it: every layout key of
// section "Report", read once with the catalogue's defaults and turned into typed values.

#include <compare>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "definitions/ReportFields.h"
#include "platform/SettingsStore.h"

namespace bp::launcher {

// The rows one worksheet holds.
inline constexpr std::size_t kSheetRows = 1048576;

struct FontSpec {
    std::string name;
    double size = 11;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeThrough = false;
    uint32_t color = 0;  // 24-bit, red in the low byte
    auto operator<=>(const FontSpec&) const = default;
};

enum class BorderLine { Thin = 0, Medium = 1, Thick = 2, Double = 3 };

struct BorderSpec {
    BorderLine line = BorderLine::Thin;
    uint32_t color = 0;
    auto operator<=>(const BorderSpec&) const = default;
};

enum class CalcType { None = 0, Total = 1, Average = 2, Count = 3 };

struct ColumnTotal {
    CalcType calc = CalcType::None;
    bool lineAbove = false;
    std::optional<FontSpec> ownFont;  // set when the column ignores the row's default font
};

// A sub-total row of one section, or the summary row of the whole report.
struct TotalSpec {
    bool enabled = false;
    bool below = true;
    bool border = true;
    BorderSpec borderLine;
    bool emptyBefore = false;
    bool emptyAfter = false;
    std::string caption;
    size_t captionColumn = 0;  // 0-based among the shown columns
    FontSpec font;
    std::vector<ColumnTotal> columns;  // one per shown column
};

struct SectionSpec {
    int index = 0;  // 0, 1, 2: the key suffix
    int fieldId = 0;
    char sortType = 'S';  // 'S', 'N' or 'D'
    bool descending = false;
    size_t sortColumn = 0;   // 0-based data file column the rows are ordered by
    size_t shownColumn = 0;  // 0-based shown column holding the section's value
    bool hasShownColumn = false;
    bool title = false;
    std::string titleCaption;
    bool noRepeat = true;
    bool titleBorderBelow = true;
    BorderSpec titleBorder;
    bool titleEmptyBefore = false;
    bool titleEmptyAfter = false;
    FontSpec titleFont;
    TotalSpec total;
};

struct ShownColumn {
    int fieldId = 0;
    std::string caption;
    definitions::ValueKind kind = definitions::ValueKind::Text;
};

struct ReportDefinition {
    std::string reportName;
    std::string templatePath;
    size_t topLeftColumn = 0;  // 0-based
    size_t topLeftRow = 1;     // 1-based sheet row
    bool header = false;
    std::vector<ShownColumn> columns;
    std::vector<SectionSpec> sections;  // the sections that order and group, outermost first
    TotalSpec summary;
};

// Raises bp::Error when nothing usable is staged. `dataColumns` is the width of the data file,
// which tells whether a section's sort column exists.
ReportDefinition readDefinition(const platform::SettingsStore& settings, size_t dataColumns);

// "A" -> 0, "AB" -> 27; nullopt for anything that is not one to three letters of a sheet column.
std::optional<size_t> columnFromLetters(const std::string& letters);
std::string columnLetters(size_t column);
// The report name in a template path: "C:\\Reports\\Pipeline.XLT" and "/r/Pipeline.XLT" give
// "Pipeline".
std::string reportNameOf(std::string path);

}  // namespace bp::launcher
