#include "launcher/ReportLayout.h"

namespace bp::launcher {

void ReportLayout::totalBlock(RowVisitor& visitor, size_t& row, const TotalScope& scope) const {
    if (scope.totalRow->emptyBefore) {
        visitor.blank(row++);
    }
    visitor.total(row++, scope);
    if (scope.totalRow->emptyAfter) {
        visitor.blank(row++);
    }
}

void ReportLayout::groupStarts(RowVisitor& visitor, size_t& row, size_t position,
                               std::vector<size_t>& current) const {
    for (size_t level = 0; level < report_.sections.size(); ++level) {
        const RowGroup& group = order_.groups(level)[current[level]];
        if (group.begin != position) {
            continue;
        }
        const SectionSpec& section = report_.sections[level];
        if (section.title) {
            if (section.titleEmptyBefore) {
                visitor.blank(row++);
            }
            visitor.title(row++, level, group);
            if (section.titleEmptyAfter) {
                visitor.blank(row++);
            }
        }
        if (section.total.enabled && !section.total.below) {
            totalBlock(visitor, row, TotalScope{&section.total, level, false, group});
        }
    }
}

void ReportLayout::groupEnds(RowVisitor& visitor, size_t& row, size_t position,
                             std::vector<size_t>& current) const {
    for (size_t level = report_.sections.size(); level-- > 0;) {
        const RowGroup& group = order_.groups(level)[current[level]];
        if (group.end != position + 1) {
            continue;
        }
        const SectionSpec& section = report_.sections[level];
        if (section.total.enabled && section.total.below) {
            totalBlock(visitor, row, TotalScope{&section.total, level, false, group});
        }
        ++current[level];
    }
}

size_t ReportLayout::walk(RowVisitor& visitor) const {
    size_t row = report_.topLeftRow;
    if (report_.header) {
        visitor.header(row++);
    }
    size_t count = order_.rows().size();
    const TotalSpec& summary = report_.summary;
    TotalScope whole{&summary, 0, true, RowGroup{0, count}};
    if (count > 0 && summary.enabled && !summary.below) {
        totalBlock(visitor, row, whole);
    }
    std::vector<size_t> current(report_.sections.size(), 0);
    for (size_t position = 0; position < count; ++position) {
        groupStarts(visitor, row, position, current);
        visitor.data(row++, position);
        groupEnds(visitor, row, position, current);
    }
    if (count > 0 && summary.enabled && summary.below) {
        totalBlock(visitor, row, whole);
    }
    return row - 1;
}

}  // namespace bp::launcher
