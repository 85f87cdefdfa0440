#include "launcher/RowOrder.h"

#include <algorithm>
#include <numeric>

#include "core/CaseFold.h"

namespace bp::launcher {

RowOrder::RowOrder(const DataFile& data, const std::vector<SectionSpec>& sections,
                   const Regional& regional)
    : sections_(sections), groups_(sections.size()) {
    size_t count = data.rowCount();
    for (const auto& section : sections) {
        std::vector<std::string_view> texts(count);
        for (size_t row = 0; row < count; ++row) {
            texts[row] = data.cell(row, section.sortColumn);
        }
        texts_.push_back(std::move(texts));
        std::vector<SortKey> keys;
        if (section.sortType != 'S') {
            keys.resize(count);
            for (size_t row = 0; row < count; ++row) {
                auto text = data.cell(row, section.sortColumn);
                auto value =
                    section.sortType == 'N' ? regional.toNumber(text) : regional.toDateSerial(text);
                if (value) {
                    keys[row] = SortKey{*value, true};
                }
            }
        }
        keys_.push_back(std::move(keys));
    }
    rows_.resize(count);
    std::iota(rows_.begin(), rows_.end(), 0u);
    if (!sections.empty()) {
        std::stable_sort(rows_.begin(), rows_.end(), [this](uint32_t a, uint32_t b) {
            for (size_t level = 0; level < sections_.size(); ++level) {
                int order = compare(level, a, b);
                if (order != 0) {
                    return sections_[level].descending ? order > 0 : order < 0;
                }
            }
            return false;
        });
    }
    findGroups();
}

// Values that are not numbers (or dates) sort before all others and among themselves as text.
int RowOrder::compare(size_t level, uint32_t a, uint32_t b) const {
    const auto& keys = keys_[level];
    const auto& texts = texts_[level];
    if (keys.empty()) {
        return core::compareNoCase(texts[a], texts[b]);
    }
    const SortKey& x = keys[a];
    const SortKey& y = keys[b];
    if (x.isNumber && y.isNumber) {
        return x.number < y.number ? -1 : x.number > y.number ? 1 : 0;
    }
    if (x.isNumber != y.isNumber) {
        return x.isNumber ? 1 : -1;
    }
    return core::compareNoCase(texts[a], texts[b]);
}

void RowOrder::findGroups() {
    if (rows_.empty()) {
        return;
    }
    std::vector<size_t> start(sections_.size(), 0);
    for (size_t pos = 1; pos <= rows_.size(); ++pos) {
        size_t firstBreak = sections_.size();
        if (pos == rows_.size()) {
            firstBreak = 0;
        } else {
            for (size_t level = 0; level < sections_.size(); ++level) {
                if (compare(level, rows_[pos - 1], rows_[pos]) != 0) {
                    firstBreak = level;
                    break;
                }
            }
        }
        // A change in an outer section ends the groups of every section inside it.
        for (size_t level = firstBreak; level < sections_.size(); ++level) {
            groups_[level].push_back(RowGroup{start[level], pos});
            start[level] = pos;
        }
    }
}

}  // namespace bp::launcher
