#pragma once
// The second walk over the report: writes every row into the sheet with its look. Totals are
// live formulas over their group's rows (SUBTOTAL, which skips the sub-totals nested inside),
// stored with their computed values for viewers that do not recalculate.

#include <cstdint>
#include <string>
#include <vector>

#include "core/Progress.h"
#include "launcher/RowNumbering.h"
#include "launcher/SheetStream.h"
#include "launcher/StyleSheet.h"

namespace bp::launcher {

class ReportWriter : public RowVisitor {
public:
    ReportWriter(const ReportCells& cells, const RowNumbering& numbering, StyleSheet& styles,
                 SheetStream& sheet);

    void blank(size_t sheetRow) override;
    void header(size_t sheetRow) override;
    void title(size_t sheetRow, size_t level, const RowGroup& group) override;
    void total(size_t sheetRow, const TotalScope& scope) override;
    void data(size_t sheetRow, size_t position) override;
    // Each data row written is a step of `progress`.
    void reportTo(core::Progress& progress) { progress_ = &progress; }

private:
    struct ColumnStyles {
        int numberFormat = kGeneralFormat;
        uint32_t shown = 0;
        uint32_t hidden = 0;
    };

    bool repeated(size_t position, size_t column);
    std::string formulaFor(const TotalScope& scope, size_t column) const;
    std::string countFormula(const TotalScope& scope, size_t column,
                             const std::string& range) const;
    CellStyle totalStyle(const TotalScope& scope, size_t column) const;

    const ReportCells& cells_;
    const RowNumbering& numbering_;
    StyleSheet& styles_;
    SheetStream& sheet_;
    size_t left_;
    std::vector<ColumnStyles> columns_;
    std::vector<std::string> letters_;
    std::vector<int> noRepeatLevel_;    // per column: the section whose value it shows, or -1
    std::vector<size_t> currentGroup_;  // per section, while data rows are written
    core::Progress* progress_ = nullptr;
};

}  // namespace bp::launcher
