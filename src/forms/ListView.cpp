#include "forms/ListView.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <stdexcept>

#include "core/CaseFold.h"

namespace bp::forms {
namespace {

// The block starts with a 16-bit word: the cell count, and a flag for 32-bit cell ends. A row
// whose texts fit in 64 KB, as nearly all do, keeps its ends in 16 bits, half the space.
constexpr std::size_t kCountWord = sizeof(std::uint16_t);
constexpr std::uint16_t kWideEnds = 0x8000;
constexpr std::size_t kMaxCells = kWideEnds - 1;

std::uint32_t readEnd(const char* block, std::size_t at, std::size_t width) {
    if (width == sizeof(std::uint16_t)) {
        std::uint16_t value = 0;
        std::memcpy(&value, block + at, width);
        return value;
    }
    std::uint32_t value = 0;
    std::memcpy(&value, block + at, width);
    return value;
}

void writeEnd(char* block, std::size_t at, std::size_t width, std::uint64_t value) {
    if (width == sizeof(std::uint16_t)) {
        const auto narrow = static_cast<std::uint16_t>(value);
        std::memcpy(block + at, &narrow, width);
        return;
    }
    if (value > std::numeric_limits<std::uint32_t>::max()) {
        throw std::length_error("A list view row of more than 4 GB");
    }
    const auto word = static_cast<std::uint32_t>(value);
    std::memcpy(block + at, &word, width);
}

std::uint16_t countWord(const char* block) {
    std::uint16_t word = 0;
    std::memcpy(&word, block, kCountWord);
    return word;
}

}  // namespace

ListViewRow::ListViewRow(const ListViewRow& other) : key(other.key) {
    if (other.block_) {
        const std::size_t bytes = other.size();
        block_ = std::make_unique_for_overwrite<char[]>(bytes);
        std::memcpy(block_.get(), other.block_.get(), bytes);
    }
}

ListViewRow& ListViewRow::operator=(const ListViewRow& other) {
    if (this != &other) {
        ListViewRow copy(other);
        *this = std::move(copy);
    }
    return *this;
}

int ListViewRow::cellCount() const {
    return block_ ? static_cast<int>(countWord(block_.get()) & ~kWideEnds) : 0;
}

std::size_t ListViewRow::endWidth() const {
    return block_ && (countWord(block_.get()) & kWideEnds) != 0 ? sizeof(std::uint32_t)
                                                                : sizeof(std::uint16_t);
}

std::size_t ListViewRow::textStart() const {
    return kCountWord + endWidth() * static_cast<std::size_t>(cellCount());
}

std::size_t ListViewRow::size() const {
    const int count = cellCount();
    return block_ ? textStart() + (count == 0 ? 0 : end(count - 1)) : 0;
}

std::uint32_t ListViewRow::end(int column) const {
    const std::size_t width = endWidth();
    return readEnd(block_.get(), kCountWord + width * static_cast<std::size_t>(column), width);
}

std::string_view ListViewRow::cell(int column) const {
    if (column < 0 || column >= cellCount()) {
        return {};
    }
    const std::uint32_t begin = column == 0 ? 0 : end(column - 1);
    return {block_.get() + textStart() + begin, end(column) - begin};
}

// A block of exactly the size the cells need: the count, each cell's end, then the texts.
template <class TextOf>
void ListViewRow::rebuild(std::size_t count, TextOf textOf) {
    if (count > kMaxCells) {
        throw std::length_error("A list view row of more than 32767 cells");
    }
    std::size_t texts = 0;
    for (std::size_t i = 0; i < count; ++i) {
        texts += textOf(i).size();
    }
    const bool wide = texts > std::numeric_limits<std::uint16_t>::max();
    const std::size_t width = wide ? sizeof(std::uint32_t) : sizeof(std::uint16_t);
    const std::size_t header = kCountWord + width * count;
    auto block = std::make_unique_for_overwrite<char[]>(header + texts);
    const auto word = static_cast<std::uint16_t>(count | (wide ? kWideEnds : 0));
    std::memcpy(block.get(), &word, kCountWord);
    std::size_t at = header;
    for (std::size_t i = 0; i < count; ++i) {
        const std::string_view text = textOf(i);
        if (!text.empty()) {
            std::memcpy(block.get() + at, text.data(), text.size());
        }
        at += text.size();
        writeEnd(block.get(), kCountWord + width * i, width, at - header);
    }
    block_ = std::move(block);
}

void ListViewRow::setCells(const std::vector<std::string>& cells) {
    rebuild(cells.size(), [&cells](std::size_t i) { return std::string_view(cells[i]); });
}

// The old block lives until the new one is built, so the text may be one of the row's cells.
void ListViewRow::setCell(int column, std::string_view text) {
    if (column < 0) {
        throw std::out_of_range("Index out of bounds (column " + std::to_string(column) + ")");
    }
    const auto count = static_cast<std::size_t>(std::max(cellCount(), column + 1));
    rebuild(count, [&](std::size_t i) {
        return static_cast<int>(i) == column ? text : cell(static_cast<int>(i));
    });
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
    row.setCell(0, text);
    return insertRow(std::move(row), position);
}

int ListView::addRowWithCells(const std::vector<std::string>& cells, int position) {
    if (cells.size() > 1) {
        checkColumn(static_cast<int>(cells.size()) - 1);
    }
    if (!sorted_) {
        ListViewRow row;
        row.setCells(cells);
        return insertRow(std::move(row), position);
    }
    // The row takes the place addRow gives its text alone, so in a sorted list it lands where
    // a row filled cell by cell lands.
    const int row = addRow(cells.empty() ? std::string() : cells.front(), position);
    rows_[static_cast<std::size_t>(row)].setCells(cells);
    changed(Property::Items);
    return row;
}

int ListView::insertRow(ListViewRow row, int position) {
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

std::string_view ListView::cell(int row, int column) const {
    checkRow(row);
    return rows_[static_cast<std::size_t>(row)].cell(column);
}

void ListView::checkColumn(int column) const {
    if (column < 0 || (column > 0 && column >= columnCount())) {
        throw std::out_of_range("Index out of bounds (column " + std::to_string(column) + " of " +
                                name() + ")");
    }
}

void ListView::setCell(int row, int column, std::string_view text) {
    checkRow(row);
    checkColumn(column);
    rows_[static_cast<std::size_t>(row)].setCell(column, text);
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
    std::vector<std::uint32_t> permutation;
    permutation.reserve(keys.size());
    for (const auto& k : keys) {
        permutation.push_back(static_cast<std::uint32_t>(k.second));
    }
    keys = {};
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
    std::vector<std::uint32_t> permutation(rows_.size());
    for (std::size_t i = 0; i < permutation.size(); ++i) {
        permutation[i] = static_cast<std::uint32_t>(i);
    }
    std::stable_sort(permutation.begin(), permutation.end(), [&](std::uint32_t a, std::uint32_t b) {
        return compare(rows_[a], rows_[b]) < 0;
    });
    applyPermutation(permutation);
}

void ListView::applyPermutation(std::vector<std::uint32_t>& permutation) {
    int selected = -1;
    for (std::size_t place = 0; place < permutation.size(); ++place) {
        if (static_cast<int>(permutation[place]) == selected_) {
            selected = static_cast<int>(place);
        }
    }
    // Rows move along each cycle of the permutation, so no second list of a million rows is
    // built; a place already filled is marked by pointing at itself.
    for (std::uint32_t start = 0; start < permutation.size(); ++start) {
        if (permutation[start] == start) {
            continue;
        }
        ListViewRow held = std::move(rows_[start]);
        std::uint32_t place = start;
        while (permutation[place] != start) {
            const std::uint32_t from = permutation[place];
            rows_[place] = std::move(rows_[from]);
            permutation[place] = place;
            place = from;
        }
        rows_[place] = std::move(held);
        permutation[place] = place;
    }
    selected_ = selected;
    changed(Property::Sort);
}

}  // namespace bp::forms
