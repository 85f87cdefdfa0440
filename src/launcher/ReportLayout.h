#pragma once
// The order of the report's rows: the header, the summary at the top, for every group a title
// and a sub-total above or below it, the data rows, the summary at the bottom, each with the
// empty lines the definition asks for. The same walk numbers the rows first and writes them
// second, so a sub-total above its group already knows which rows it adds up.

#include <cstddef>

#include "launcher/ReportDefinition.h"
#include "launcher/RowOrder.h"

namespace bp::launcher {

// Which rows a total covers: the groups of one section, or the whole report.
struct TotalScope {
    const TotalSpec* totalRow = nullptr;
    size_t level = 0;  // index into the report's sections; unused for the summary
    bool summary = false;
    RowGroup rows;  // report positions covered
};

class RowVisitor {
public:
    virtual ~RowVisitor() = default;
    virtual void blank(size_t sheetRow) = 0;
    virtual void header(size_t sheetRow) = 0;
    virtual void title(size_t sheetRow, size_t level, const RowGroup& group) = 0;
    virtual void total(size_t sheetRow, const TotalScope& scope) = 0;
    virtual void data(size_t sheetRow, size_t position) = 0;
};

class ReportLayout {
public:
    ReportLayout(const ReportDefinition& report, const RowOrder& order)
        : report_(report), order_(order) {}

    // Visits every row from the top-left row down; returns the last sheet row used.
    size_t walk(RowVisitor& visitor) const;

private:
    void totalBlock(RowVisitor& visitor, size_t& row, const TotalScope& scope) const;
    void groupStarts(RowVisitor& visitor, size_t& row, size_t position,
                     std::vector<size_t>& current) const;
    void groupEnds(RowVisitor& visitor, size_t& row, size_t position,
                   std::vector<size_t>& current) const;

    const ReportDefinition& report_;
    const RowOrder& order_;
};

}  // namespace bp::launcher
