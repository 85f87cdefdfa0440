#include "launcher/ReportCells.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace bp::launcher {
namespace {

constexpr std::string_view kValueMark = "<value>";
// Numbers and dates read from the data file are always finite.
constexpr double kNoValue = std::numeric_limits<double>::quiet_NaN();
constexpr uint32_t kNotShown = std::numeric_limits<uint32_t>::max();

std::string replaceValue(std::string caption, const std::string& value) {
    for (size_t at = caption.find(kValueMark); at != std::string::npos;
         at = caption.find(kValueMark, at + value.size())) {
        caption.replace(at, kValueMark.size(), value);
    }
    return caption;
}

bool calculates(const TotalSpec& total, size_t column) {
    return total.enabled && column < total.columns.size() &&
           total.columns[column].calc != CalcType::None;
}

bool isTotalled(const ReportDefinition& report, size_t column) {
    bool any = calculates(report.summary, column);
    for (const auto& section : report.sections) {
        any = any || calculates(section.total, column);
    }
    return any;
}

}  // namespace

ReportCells::ReportCells(const ReportDefinition& report, const DataFile& data,
                         const RowOrder& order, const Regional& regional)
    : report_(report), data_(data), order_(order), regional_(regional) {
    values_.resize(report.columns.size());
    std::vector<size_t> totalled;
    for (size_t column = 0; column < report.columns.size(); ++column) {
        if (report.columns[column].kind != definitions::ValueKind::Text &&
            isTotalled(report, column)) {
            values_[column].resize(rowCount());
            totalled.push_back(column);
        }
    }
    if (totalled.empty()) {
        return;
    }
    // Read in report order, the rows lie scattered over the data file and every one waits on
    // memory; read in file order, each value is put where its row stands in the report.
    const auto& rows = order_.rows();
    std::vector<uint32_t> placeOf(data_.rowCount(), kNotShown);
    for (size_t position = 0; position < rows.size(); ++position) {
        placeOf[rows[position]] = static_cast<uint32_t>(position);
    }
    for (size_t row = 0; row < placeOf.size(); ++row) {
        if (placeOf[row] == kNotShown) {
            continue;
        }
        for (size_t column : totalled) {
            values_[column][placeOf[row]] =
                valueOf(data_.cell(row, column), column).value_or(kNoValue);
        }
    }
}

std::optional<double> ReportCells::valueOf(std::string_view cell, size_t column) const {
    return report_.columns[column].kind == definitions::ValueKind::Number
               ? regional_.toNumber(cell)
               : regional_.toDateSerial(cell);
}

std::optional<double> ReportCells::readValue(size_t position, size_t column) const {
    return valueOf(text(position, column), column);
}

void ReportCells::prefetchAhead(size_t position) const {
    constexpr size_t kFar = 16;
    constexpr size_t kNear = 8;
    const auto& rows = order_.rows();
    if (position + kFar < rows.size()) {
        data_.prefetchRow(rows[position + kFar]);
    }
    if (position + kNear < rows.size()) {
        data_.prefetchCells(rows[position + kNear]);
    }
}

std::optional<double> ReportCells::value(size_t position, size_t column) const {
    const auto& values = values_[column];
    if (values.empty()) {
        if (report_.columns[column].kind == definitions::ValueKind::Text) {
            return std::nullopt;
        }
        return readValue(position, column);
    }
    if (std::isnan(values[position])) {
        return std::nullopt;
    }
    return values[position];
}

std::string ReportCells::groupValue(size_t level, const RowGroup& group) const {
    const SectionSpec& section = report_.sections[level];
    size_t column = section.hasShownColumn ? section.shownColumn : section.sortColumn;
    return std::string(text(group.begin, column));
}

std::string ReportCells::titleText(size_t level, const RowGroup& group) const {
    return replaceValue(report_.sections[level].titleCaption, groupValue(level, group));
}

std::string ReportCells::captionText(const TotalScope& scope) const {
    return replaceValue(scope.totalRow->caption,
                        scope.summary ? std::string() : groupValue(scope.level, scope.rows));
}

std::optional<size_t> ReportCells::captionColumn(const TotalScope& scope) const {
    size_t column = scope.totalRow->captionColumn;
    if (scope.totalRow->columns[column].calc != CalcType::None) {
        return std::nullopt;
    }
    return column;
}

std::vector<double> ReportCells::columnWidths() const {
    constexpr size_t kSampleRows = 2000;
    constexpr double kNarrowest = 8;
    constexpr double kWidest = 50;
    std::vector<double> widths;
    for (size_t c = 0; c < report_.columns.size(); ++c) {
        // Dates and formatted amounts need about twelve characters whatever their text.
        size_t longest = report_.columns[c].caption.size();
        if (report_.columns[c].kind != definitions::ValueKind::Text) {
            longest = std::max<size_t>(longest, 12);
        }
        for (size_t p = 0; p < std::min(rowCount(), kSampleRows); ++p) {
            longest = std::max(longest, text(p, c).size());
        }
        widths.push_back(std::clamp(static_cast<double>(longest) + 2, kNarrowest, kWidest));
    }
    return widths;
}

std::optional<double> ReportCells::totalValue(const TotalScope& scope, size_t column) const {
    CalcType calc = scope.totalRow->columns[column].calc;
    bool isText = report_.columns[column].kind == definitions::ValueKind::Text;
    double sum = 0;
    size_t count = 0;
    for (size_t position = scope.rows.begin; position < scope.rows.end; ++position) {
        if (isText) {
            count += text(position, column).empty() ? 0 : 1;
        } else if (auto v = value(position, column)) {
            sum += *v;
            ++count;
        }
    }
    switch (calc) {
        case CalcType::Total:
            return sum;
        case CalcType::Average:
            if (isText || count == 0) {
                return std::nullopt;
            }
            return sum / static_cast<double>(count);
        case CalcType::Count:
            return static_cast<double>(count);
        case CalcType::None:
            break;
    }
    return 0.0;
}

}  // namespace bp::launcher
