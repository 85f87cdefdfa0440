#pragma once
// Orders the data rows by every section of the report and finds the groups of each section.
// The data file comes ordered by the first section only; rows with equal keys keep the file's
// order, so a report never shuffles what the program sorted.

#include <cstdint>
#include <optional>
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
    // Per section, per data row: the place of the row's value among the section's distinct
    // values, in the section's direction. Equal values share a place.
    using Ranks = std::vector<std::vector<uint32_t>>;

    std::optional<std::vector<uint64_t>> packedKeys(const Ranks& ranks) const;
    void sortRows(const Ranks& ranks);
    void findGroups(const Ranks& ranks);

    const std::vector<SectionSpec>& sections_;
    std::vector<uint32_t> rows_;
    std::vector<std::vector<RowGroup>> groups_;
};

}  // namespace bp::launcher
