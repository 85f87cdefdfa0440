#include "launcher/RowOrder.h"

#include <algorithm>
#include <bit>
#include <numeric>
#include <optional>
#include <string_view>
#include <unordered_map>

#include "core/CaseFold.h"

namespace bp::launcher {
namespace {

struct SortValue {
    std::string_view text;
    std::optional<double> number;  // for number and date sections
};

// Values that are not numbers (or dates) sort before all others and among themselves as text.
int compareValues(const SortValue& x, const SortValue& y) {
    if (x.number && y.number) {
        return *x.number < *y.number ? -1 : *x.number > *y.number ? 1 : 0;
    }
    if (x.number.has_value() != y.number.has_value()) {
        return x.number ? 1 : -1;
    }
    return core::compareNoCase(x.text, y.text);
}

// A million rows hold far fewer distinct values than rows: each distinct text is read, typed
// and compared once, and the rows then sort by small numbers.
std::vector<uint32_t> rankSection(const DataFile& data, const SectionSpec& section,
                                  const Regional& regional) {
    size_t count = data.rowCount();
    std::unordered_map<std::string_view, uint32_t> distinct;
    std::vector<SortValue> values;
    std::vector<uint32_t> ranks(count);
    for (size_t row = 0; row < count; ++row) {
        std::string_view text = data.cell(row, section.sortColumn);
        auto [at, added] = distinct.try_emplace(text, static_cast<uint32_t>(values.size()));
        if (added) {
            SortValue value{text, std::nullopt};
            if (section.sortType == 'N') {
                value.number = regional.toNumber(text);
            } else if (section.sortType != 'S') {
                value.number = regional.toDateSerial(text);
            }
            values.push_back(value);
        }
        ranks[row] = at->second;
    }
    distinct = {};
    std::vector<uint32_t> order(values.size());
    std::iota(order.begin(), order.end(), 0u);
    std::sort(order.begin(), order.end(), [&](uint32_t a, uint32_t b) {
        int c = compareValues(values[a], values[b]);
        return section.descending ? c > 0 : c < 0;
    });
    std::vector<uint32_t> place(values.size());
    uint32_t next = 0;
    for (size_t i = 0; i < order.size(); ++i) {
        if (i > 0 && compareValues(values[order[i - 1]], values[order[i]]) != 0) {
            ++next;
        }
        place[order[i]] = next;
    }
    for (auto& rank : ranks) {
        rank = place[rank];
    }
    return ranks;
}

}  // namespace

RowOrder::RowOrder(const DataFile& data, const std::vector<SectionSpec>& sections,
                   const Regional& regional)
    : sections_(sections), groups_(sections.size()) {
    // The ranks are dropped once the rows are ordered: the report's rows need the memory.
    Ranks ranks;
    for (const auto& section : sections) {
        ranks.push_back(rankSection(data, section, regional));
    }
    rows_.resize(data.rowCount());
    std::iota(rows_.begin(), rows_.end(), 0u);
    sortRows(ranks);
    findGroups(ranks);
}

// The ranks of all sections side by side in one number, when they fit in 32 bits: rows then
// sort as plain numbers, the row itself (in the low half) keeping equal keys in file order.
std::optional<std::vector<uint64_t>> RowOrder::packedKeys(const Ranks& ranks) const {
    std::vector<unsigned> widths;
    unsigned total = 0;
    for (const auto& section : ranks) {
        uint32_t largest = section.empty() ? 0 : *std::max_element(section.begin(), section.end());
        widths.push_back(static_cast<unsigned>(std::bit_width(largest)));
        total += widths.back();
    }
    if (total > 32) {
        return std::nullopt;
    }
    std::vector<uint64_t> keys(rows_.size());
    for (size_t row = 0; row < keys.size(); ++row) {
        uint64_t key = 0;
        for (size_t level = 0; level < ranks.size(); ++level) {
            key = (key << widths[level]) | ranks[level][row];
        }
        keys[row] = (key << 32) | row;
    }
    return keys;
}

void RowOrder::sortRows(const Ranks& ranks) {
    if (sections_.empty()) {
        return;
    }
    if (auto keys = packedKeys(ranks)) {
        std::sort(keys->begin(), keys->end());
        for (size_t at = 0; at < rows_.size(); ++at) {
            rows_[at] = static_cast<uint32_t>((*keys)[at]);
        }
        return;
    }
    std::stable_sort(rows_.begin(), rows_.end(), [&ranks](uint32_t a, uint32_t b) {
        for (const auto& section : ranks) {
            if (section[a] != section[b]) {
                return section[a] < section[b];
            }
        }
        return false;
    });
}

void RowOrder::findGroups(const Ranks& ranks) {
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
                if (ranks[level][rows_[pos - 1]] != ranks[level][rows_[pos]]) {
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
