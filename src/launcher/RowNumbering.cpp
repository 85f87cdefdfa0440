#include "launcher/RowNumbering.h"

#include <algorithm>

namespace bp::launcher {

RowNumbering::RowNumbering(const ReportCells& cells)
    : cells_(cells), sheetRowOf_(cells.rowCount()), textRows_(cells.report().columns.size()) {}

void RowNumbering::title(size_t sheetRow, size_t level, const RowGroup& group) {
    if (!cells_.titleText(level, group).empty()) {
        textRows_[0].push_back(static_cast<uint32_t>(sheetRow));
    }
}

void RowNumbering::total(size_t sheetRow, const TotalScope& scope) {
    auto column = cells_.captionColumn(scope);
    if (column && !cells_.captionText(scope).empty()) {
        textRows_[*column].push_back(static_cast<uint32_t>(sheetRow));
    }
}

size_t RowNumbering::textsBetween(size_t column, size_t firstRow, size_t lastRow) const {
    const auto& rows = textRows_[column];
    auto from = std::lower_bound(rows.begin(), rows.end(), firstRow);
    auto to = std::upper_bound(rows.begin(), rows.end(), lastRow);
    return static_cast<size_t>(to - from);
}

}  // namespace bp::launcher
