#pragma once
// What the report shows in each cell, shared by the walk that numbers the rows and the walk
// that writes them: typed data values, title and total captions, and the values of totals.

#include <optional>
#include <string>
#include <vector>

#include "launcher/DataFile.h"
#include "launcher/Regional.h"
#include "launcher/ReportLayout.h"

namespace bp::launcher {

class ReportCells {
public:
    ReportCells(const ReportDefinition& report, const DataFile& data, const RowOrder& order,
                const Regional& regional);

    const ReportDefinition& report() const { return report_; }
    size_t rowCount() const { return order_.rows().size(); }
    const std::vector<RowGroup>& groups(size_t level) const { return order_.groups(level); }
    std::string_view text(size_t position, size_t column) const {
        return data_.cell(order_.rows()[position], column);
    }
    // Call before reading the rows at `position` in report order: the data of rows a little
    // further on is fetched from memory meanwhile.
    void prefetchAhead(size_t position) const;
    // The value of a number or date column as the sheet stores it; nullopt for text.
    std::optional<double> value(size_t position, size_t column) const;
    // The title row's text, "<value>" replaced by the group's value.
    std::string titleText(size_t level, const RowGroup& group) const;
    std::string captionText(const TotalScope& scope) const;
    // The column the caption goes to, unless a calculation takes that cell.
    std::optional<size_t> captionColumn(const TotalScope& scope) const;
    // Widths that show each column's caption and values, judged from the first rows.
    std::vector<double> columnWidths() const;
    // The total as the sheet computes it; nullopt for an average of nothing.
    std::optional<double> totalValue(const TotalScope& scope, size_t column) const;

private:
    std::optional<double> readValue(size_t position, size_t column) const;
    std::optional<double> valueOf(std::string_view cell, size_t column) const;
    std::string groupValue(size_t level, const RowGroup& group) const;

    const ReportDefinition& report_;
    const DataFile& data_;
    const RowOrder& order_;
    const Regional& regional_;
    // Per number or date column that a total calculates, the value of each report row (NaN for
    // none): such a column is summed once for every total over it, and read only once.
    std::vector<std::vector<double>> values_;
};

}  // namespace bp::launcher
