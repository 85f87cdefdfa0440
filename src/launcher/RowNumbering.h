#pragma once
// The first walk over the report: which sheet row each data row lands on, and where titles and
// captions put text into a column, so totals can name exactly the rows they add up.

#include <cstdint>
#include <vector>

#include "launcher/ReportCells.h"

namespace bp::launcher {

class RowNumbering : public RowVisitor {
public:
    explicit RowNumbering(const ReportCells& cells);

    void blank(size_t) override {}
    void header(size_t) override {}
    void title(size_t sheetRow, size_t level, const RowGroup& group) override;
    void total(size_t sheetRow, const TotalScope& scope) override;
    void data(size_t sheetRow, size_t position) override {
        sheetRowOf_[position] = static_cast<uint32_t>(sheetRow);
    }

    uint32_t sheetRowOf(size_t position) const { return sheetRowOf_[position]; }
    // How many title and caption texts lie in `column` between two sheet rows (inclusive).
    size_t textsBetween(size_t column, size_t firstRow, size_t lastRow) const;

private:
    const ReportCells& cells_;
    std::vector<uint32_t> sheetRowOf_;
    std::vector<std::vector<uint32_t>> textRows_;  // per column, in row order
};

}  // namespace bp::launcher
