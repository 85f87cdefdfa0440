#include "forms/ListView.h"

#include <stdexcept>

#include "core/CaseFold.h"

namespace bp::forms {
namespace {

const std::string kNoText;

}  // namespace

const std::string& ListViewRow::cell(int column) const {
    if (column < 0 || static_cast<std::size_t>(column) >= cells.size()) {
        return kNoText;
    }
    return cells[static_cast<std::size_t>(column)];
}

int ListView::addColumn(std::string text, int width) {
    columns_.push_back({std::move(text), width});
    changed(Property::Columns);
    return columnCount() - 1;
}

const ListViewColumn& ListView::column(int column) const {
    if (column < 0 || column >= columnCount()) {
        throw std::out_of_range("Index out of bounds (column " + std::to_string(column) + " of " +
                                name() + ")");
    }
    return columns_[static_cast<std::size_t>(column)];
}

void ListView::clearColumns() {
    if (!columns_.empty()) {
        columns_.clear();
        changed(Property::Columns);
    }
}

void ListView::checkRow(int row) const {
    if (row < 0 || row >= rowCount()) {
        throw std::out_of_range("Index out of bounds (row " + std::to_string(row) + " of " +
                                name() + ")");
    }
}

int ListView::addRow(std::string text, int position) {
    ListViewRow row;
    row.cells.reserve(widestRow_);
    row.cells.push_back(std::move(text));
    row.key = nextKey_++;
    if (sorted_) {
        position = sortedPosition(row);
    } else if (position == -1) {
        position = rowCount();
    } else if (position < 0 || position > rowCount()) {
        throw std::out_of_range("Index out of bounds (new row at " + std::to_string(position) +
                                " of " + name() + ")");
    }
    rows_.insert(rows_.begin() + position, std::move(row));
    if (selected_ >= position) {
        ++selected_;
    }
    changed(Property::Items);
    return position;
}

void ListView::removeRow(int row) {
    checkRow(row);
    rows_.erase(rows_.begin() + row);
    const bool wasSelected = selected_ == row;
    if (selected_ >= row) {
        selected_ = wasSelected ? -1 : selected_ - 1;
    }
    changed(Property::Items);
    if (wasSelected) {
        changed(Property::Selection);
    }
}

void ListView::clearRows() {
    widestRow_ = 1;
    if (!rows_.empty()) {
        rows_.clear();
        changed(Property::Items);
    }
    if (selected_ >= 0) {
        selected_ = -1;
        changed(Property::Selection);
    }
}

void ListView::setSelectedRow(int row) {
    if (row != -1) {
        checkRow(row);
    }
    if (selected_ != row) {
        selected_ = row;
        changed(Property::Selection);
    }
}

void ListView::clickRow(int row) {
    checkRow(row);
    setSelectedRow(row);
    fire(onItemClick, row);
}

void ListView::clickColumn(int column) {
    (void)this->column(column);  // out of range: an error, as for every column
    fire(onColumnClick, column);
}

const std::string& ListView::cell(int row, int column) const {
    checkRow(row);
    return rows_[static_cast<std::size_t>(row)].cell(column);
}

void ListView::setCell(int row, int column, std::string text) {
    checkRow(row);
    if (column < 0 || (column > 0 && column >= columnCount())) {
        throw std::out_of_range("Index out of bounds (column " + std::to_string(column) + " of " +
                                name() + ")");
    }
    auto& cells = rows_[static_cast<std::size_t>(row)].cells;
    if (static_cast<std::size_t>(column) >= cells.size()) {
        cells.resize(static_cast<std::size_t>(column) + 1);
        widestRow_ = std::max(widestRow_, cells.size());
    }
    cells[static_cast<std::size_t>(column)] = std::move(text);
    // FIXME: a changed cell of the sort column does not move its row in a sorted list; the
    // next change of Sorted, SortKey or SortOrder puts it in place.
    changed(Property::Items);
}

std::int64_t ListView::key(int row) const {
    checkRow(row);
    return rows_[static_cast<std::size_t>(row)].key;
}

void ListView::setKey(int row, std::int64_t key) {
    checkRow(row);
    rows_[static_cast<std::size_t>(row)].key = key;
}

int ListView::findKey(std::int64_t key) const {
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        if (rows_[i].key == key) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

void ListView::setSortKey(int column) {
    if (column < 0) {
        throw std::out_of_range("Invalid SortKey " + std::to_string(column) + " of " + name());
    }
    if (sortKey_ == column) {
        return;
    }
    sortKey_ = column;
    changed(Property::Sort);
    if (sorted_) {
        sortOwn();
    }
}

void ListView::setSortOrder(SortOrder order) {
    if (sortOrder_ == order) {
        return;
    }
    sortOrder_ = order;
    changed(Property::Sort);
    if (sorted_) {
        sortOwn();
    }
}

void ListView::setSorted(bool sorted) {
    if (sorted_ == sorted) {
        return;
    }
    sorted_ = sorted;
    changed(Property::Sort);
    if (sorted_) {
        sortOwn();
    }
}

bool ListView::ownLess(const ListViewRow& a, const ListViewRow& b) const {
    const int c = core::compareNoCase(a.cell(sortKey_), b.cell(sortKey_));
    return sortOrder_ == SortOrder::Ascending ? c < 0 : c > 0;
}

void ListView::sortOwn() {
    // Case-folded copies of the sort column lie side by side, so a list of a million rows does
    // not chase every row's cells on each comparison. Folded texts compared byte by byte order
    // exactly as compareNoCase does.
    const int column = sortKey_;
    std::vector<std::pair<std::string, std::size_t>> keys;
    keys.reserve(rows_.size());
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        keys.emplace_back(core::foldCase(rows_[i].cell(column)), i);
    }
    const bool ascending = sortOrder_ == SortOrder::Ascending;
    std::stable_sort(keys.begin(), keys.end(), [ascending](const auto& a, const auto& b) {
        return ascending ? a.first < b.first : b.first < a.first;
    });
    std::vector<std::size_t> permutation;
    permutation.reserve(keys.size());
    for (const auto& k : keys) {
        permutation.push_back(k.second);
    }
    applyPermutation(permutation);
}

int ListView::sortedPosition(const ListViewRow& row) const {
    auto it = std::upper_bound(
        rows_.begin(), rows_.end(), row,
        [this](const ListViewRow& a, const ListViewRow& b) { return ownLess(a, b); });
    return static_cast<int>(it - rows_.begin());
}

void ListView::switchOffOwnSort() {
    if (sorted_) {
        sorted_ = false;
        changed(Property::Sort);
    }
}

void ListView::sortWith(const std::function<int(const ListViewRow&, const ListViewRow&)>& compare) {
    switchOffOwnSort();
    std::vector<std::size_t> permutation(rows_.size());
    for (std::size_t i = 0; i < permutation.size(); ++i) {
        permutation[i] = i;
    }
    std::stable_sort(permutation.begin(), permutation.end(),
                     [&](std::size_t a, std::size_t b) { return compare(rows_[a], rows_[b]) < 0; });
    applyPermutation(permutation);
}

void ListView::applyPermutation(const std::vector<std::size_t>& permutation) {
    std::deque<ListViewRow> ordered;
    int selected = -1;
    for (std::size_t from : permutation) {
        if (static_cast<int>(from) == selected_) {
            selected = static_cast<int>(ordered.size());
        }
        ordered.push_back(std::move(rows_[from]));
    }
    rows_ = std::move(ordered);
    selected_ = selected;
    changed(Property::Sort);
}

}  // namespace bp::forms
