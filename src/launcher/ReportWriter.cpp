#include "launcher/ReportWriter.h"

#include <algorithm>

namespace bp::launcher {
namespace {

using definitions::ValueKind;

// Money columns read better with two decimals and digit grouping.
bool isMoney(int fieldId) {
    return fieldId == 33 || fieldId == 34 || fieldId == 101;
}

// More ranges than this make a formula hard to read; the count then subtracts the captions.
constexpr size_t kMaxCountRanges = 30;

}  // namespace

ReportWriter::ReportWriter(const ReportCells& cells, const RowNumbering& numbering,
                           StyleSheet& styles, SheetStream& sheet)
    : cells_(cells),
      numbering_(numbering),
      styles_(styles),
      sheet_(sheet),
      left_(cells.report().topLeftColumn),
      currentGroup_(cells.report().sections.size(), 0) {
    const ReportDefinition& report = cells.report();
    noRepeatLevel_.assign(report.columns.size(), -1);
    for (size_t level = report.sections.size(); level-- > 0;) {
        const SectionSpec& section = report.sections[level];
        if (section.noRepeat && section.hasShownColumn) {
            noRepeatLevel_[section.shownColumn] = static_cast<int>(level);
        }
    }
    for (size_t c = 0; c < report.columns.size(); ++c) {
        ColumnStyles s;
        ValueKind kind = report.columns[c].kind;
        s.numberFormat = kind == ValueKind::Date ? kShortDateFormat
                         : kind == ValueKind::Number && isMoney(report.columns[c].fieldId)
                             ? kTwoDecimalsFormat
                             : kGeneralFormat;
        s.shown = s.numberFormat == kGeneralFormat
                      ? 0
                      : styles_.styleIndex(CellStyle{.numberFormat = s.numberFormat});
        if (noRepeatLevel_[c] >= 0) {
            s.hidden = styles_.styleIndex(CellStyle{.numberFormat = kHiddenFormat});
        }
        columns_.push_back(s);
        letters_.push_back(columnLetters(left_ + c));
    }
}

void ReportWriter::blank(size_t sheetRow) {
    sheet_.beginRow(sheetRow);
    sheet_.endRow();
}

void ReportWriter::header(size_t sheetRow) {
    FontSpec font = styles_.defaultFont();
    font.bold = true;
    uint32_t style = styles_.styleIndex(CellStyle{.font = font, .bottom = BorderSpec{}});
    sheet_.beginRow(sheetRow);
    const auto& columns = cells_.report().columns;
    for (size_t c = 0; c < columns.size(); ++c) {
        sheet_.text(left_ + c, columns[c].caption, style);
    }
    sheet_.endRow();
}

void ReportWriter::title(size_t sheetRow, size_t level, const RowGroup& group) {
    const SectionSpec& section = cells_.report().sections[level];
    std::optional<BorderSpec> below;
    if (section.titleBorderBelow) {
        below = section.titleBorder;
    }
    sheet_.beginRow(sheetRow);
    sheet_.text(left_, cells_.titleText(level, group),
                styles_.styleIndex(CellStyle{.font = section.titleFont, .bottom = below}));
    if (below) {
        uint32_t line = styles_.styleIndex(CellStyle{.bottom = below});
        for (size_t c = 1; c < cells_.report().columns.size(); ++c) {
            sheet_.styled(left_ + c, line);
        }
    }
    sheet_.endRow();
}

CellStyle ReportWriter::totalStyle(const TotalScope& scope, size_t column) const {
    const TotalSpec& totalRow = *scope.totalRow;
    const ColumnTotal& own = totalRow.columns[column];
    CellStyle style;
    style.font = own.ownFont ? *own.ownFont : totalRow.font;
    if ((totalRow.border && totalRow.below) || own.lineAbove) {
        style.top = totalRow.borderLine;
    }
    if (totalRow.border && !totalRow.below) {
        style.bottom = totalRow.borderLine;
    }
    if (own.calc == CalcType::Total || own.calc == CalcType::Average) {
        style.numberFormat = columns_[column].numberFormat;
    }
    return style;
}

std::string ReportWriter::countFormula(const TotalScope& scope, size_t column,
                                       const std::string& range) const {
    // Date and number cells are counted as numbers, so the captions (text) never count.
    if (cells_.report().columns[column].kind != ValueKind::Text) {
        return "SUBTOTAL(2," + range + ")";
    }
    size_t first = numbering_.sheetRowOf(scope.rows.begin);
    size_t last = numbering_.sheetRowOf(scope.rows.end - 1);
    size_t captions = numbering_.textsBetween(column, first, last);
    if (captions == 0) {
        return "SUBTOTAL(3," + range + ")";
    }
    // Name only the runs of data rows, so titles and captions of inner groups are not counted.
    std::vector<std::string> runs;
    const std::string& col = letters_[column];
    size_t runStart = first;
    for (size_t p = scope.rows.begin + 1; p <= scope.rows.end && runs.size() <= kMaxCountRanges;
         ++p) {
        size_t previous = numbering_.sheetRowOf(p - 1);
        if (p == scope.rows.end || numbering_.sheetRowOf(p) != previous + 1) {
            runs.push_back(col + std::to_string(runStart) + ":" + col + std::to_string(previous));
            if (p < scope.rows.end) {
                runStart = numbering_.sheetRowOf(p);
            }
        }
    }
    if (runs.size() > kMaxCountRanges) {
        return "SUBTOTAL(3," + range + ")-" + std::to_string(captions);
    }
    std::string formula = "SUBTOTAL(3";
    for (const auto& run : runs) {
        formula += "," + run;
    }
    return formula + ")";
}

std::string ReportWriter::formulaFor(const TotalScope& scope, size_t column) const {
    const std::string& col = letters_[column];
    std::string range = col + std::to_string(numbering_.sheetRowOf(scope.rows.begin)) + ":" + col +
                        std::to_string(numbering_.sheetRowOf(scope.rows.end - 1));
    switch (scope.totalRow->columns[column].calc) {
        case CalcType::Total:
            return "SUBTOTAL(9," + range + ")";
        case CalcType::Average:
            return "SUBTOTAL(1," + range + ")";
        case CalcType::Count:
            return countFormula(scope, column, range);
        case CalcType::None:
            break;
    }
    return {};
}

void ReportWriter::total(size_t sheetRow, const TotalScope& scope) {
    auto captionColumn = cells_.captionColumn(scope);
    sheet_.beginRow(sheetRow);
    for (size_t c = 0; c < cells_.report().columns.size(); ++c) {
        CellStyle look = totalStyle(scope, c);
        if (scope.totalRow->columns[c].calc != CalcType::None) {
            sheet_.formula(left_ + c, formulaFor(scope, c), cells_.totalValue(scope, c),
                           styles_.styleIndex(look));
        } else if (captionColumn == c) {
            sheet_.text(left_ + c, cells_.captionText(scope), styles_.styleIndex(look));
        } else if (look.top || look.bottom) {
            sheet_.styled(left_ + c,
                          styles_.styleIndex(CellStyle{.top = look.top, .bottom = look.bottom}));
        }
    }
    sheet_.endRow();
}

// A section's value shows on the first row of its group only, when the section asks for that.
bool ReportWriter::repeated(size_t position, size_t column) {
    int level = noRepeatLevel_[column];
    if (level < 0) {
        return false;
    }
    return position !=
           cells_.groups(static_cast<size_t>(level))[currentGroup_[static_cast<size_t>(level)]]
               .begin;
}

void ReportWriter::data(size_t sheetRow, size_t position) {
    if (progress_) {
        progress_->step();
    }
    for (size_t level = 0; level < currentGroup_.size(); ++level) {
        const auto& groups = cells_.groups(level);
        while (groups[currentGroup_[level]].end <= position) {
            ++currentGroup_[level];
        }
    }
    cells_.prefetchAhead(position);
    sheet_.beginRow(sheetRow);
    for (size_t c = 0; c < columns_.size(); ++c) {
        bool hide = repeated(position, c);
        uint32_t style = hide ? columns_[c].hidden : columns_[c].shown;
        if (auto v = cells_.value(position, c)) {
            sheet_.number(left_ + c, *v, style);
        } else {
            sheet_.text(left_ + c, cells_.text(position, c), hide ? columns_[c].hidden : 0);
        }
    }
    sheet_.endRow();
}

}  // namespace bp::launcher
