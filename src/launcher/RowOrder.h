#pragma once
// Orders the data rows by every section of the report and finds the groups of each section.
// The data file comes ordered by the first section only; rows with equal keys keep the file's
// order, so a report never shuffles what the program sorted.

#include <cstdint>
#include <string_view>
#include <vector>

#include "launcher/DataFile.h"
#include "launcher/Regional.h"
#include "launcher/ReportDefinition.h"

namespace bp::launcher {

// A run of rows, as positions in the ordered list [begin, end).
struct RowGroup {
    size_t begin = 0;
    size_t end = 0;
};

class RowOrder {
public:
    RowOrder(const DataFile& data, const std::vector<SectionSpec>& sections,
             const Regional& regional);

    // Data file row of each report row, in report order.
    const std::vector<uint32_t>& rows() const { return rows_; }
    // The groups of section `level` (an index into the sections given), in report order.
    const std::vector<RowGroup>& groups(size_t level) const { return groups_[level]; }

private:
    struct SortKey {
        double number = 0;
        bool isNumber = false;
    };

    int compare(size_t level, uint32_t a, uint32_t b) const;
    void findGroups();

    const std::vector<SectionSpec>& sections_;
    std::vector<std::vector<SortKey>> keys_;            // per number or date section, per data row
    std::vector<std::vector<std::string_view>> texts_;  // per section, per data row
    std::vector<uint32_t> rows_;
    std::vector<std::vector<RowGroup>> groups_;
};

}  // namespace bp::launcher
