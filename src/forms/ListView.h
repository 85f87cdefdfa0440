#pragma once
// A report-style list view: column headers, and rows of cells (cell 0 is the row's text, cells
// 1.. its sub-items) with a stable key per row (the item data a comparison routine is given).
//
// Sorting: the list's own sort (Sorted, SortKey, SortOrder) orders rows by the text of one
// column without regard to case; sortWith() takes a caller's three-way comparison; sortByKey()
// reads one key per row first, so a large list sorts in O(n log n) without reading cells again.
// Every sort is stable: rows that compare equal keep their order.
//
// One row at a time may be selected; the selection stays with its row as rows are added,
// removed and sorted. A user's click on a row raises ItemClick, on a column header ColumnClick
// (the form decides whether that sorts).

#include <algorithm>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "forms/Control.h"

namespace bp::forms {

enum class SortOrder { Ascending, Descending };

struct ListViewColumn {
    std::string text;
    int width = -1;  // -1: the renderer's choice
};

// A row's cells lie back to back in one block (the cell count, each cell's end, then the
// texts), so a row is one allocation and reading it touches one place in memory: a list of a
// million rows is written out or sorted without chasing a pointer per cell.
class ListViewRow {
public:
    ListViewRow() = default;
    ListViewRow(const ListViewRow& other);
    ListViewRow& operator=(const ListViewRow& other);
    ListViewRow(ListViewRow&&) noexcept = default;
    ListViewRow& operator=(ListViewRow&&) noexcept = default;
    ~ListViewRow() = default;

    std::int64_t key = 0;

    // Cell 0 is the row's text; a missing cell reads as "".
    std::string_view cell(int column) const;
    int cellCount() const;
    // Cells skipped over on the way to `column` read as "".
    void setCell(int column, std::string_view text);
    // Replaces every cell at once.
    void setCells(const std::vector<std::string>& cells);

    // Asks the processor to start reading the row's cells, which the caller is about to use.
    void prefetch() const {
#if defined(__GNUC__) || defined(__clang__)
        __builtin_prefetch(block_.get());
#endif
    }

private:
    std::uint32_t end(int column) const;
    std::size_t endWidth() const;
    std::size_t textStart() const;
    std::size_t size() const;
    template <class TextOf>
    void rebuild(std::size_t count, TextOf textOf);

    std::unique_ptr<char[]> block_;
};

class ListView : public Control {
public:
    explicit ListView(const ControlInit& init) : Control(init, ControlKind::ListView) {}

    int columnCount() const { return static_cast<int>(columns_.size()); }
    int addColumn(std::string text, int width = -1);
    const ListViewColumn& column(int column) const;
    void clearColumns();

    int rowCount() const { return static_cast<int>(rows_.size()); }
    const std::deque<ListViewRow>& rows() const { return rows_; }
    // Adds a row at `position` (-1: the end) and returns where it landed; a sorted list puts it
    // in its sorted place. The row's key starts as a number no other row of this list has had.
    int addRow(std::string text, int position = -1);
    // Adds a row of all its cells at once (cell 0 first), as addRow does; no more cells than
    // the list has columns (std::out_of_range).
    int addRowWithCells(const std::vector<std::string>& cells, int position = -1);
    void removeRow(int row);
    void clearRows();

    // Column 0 is the row's text. A cell beyond the last column header is an error
    // (std::out_of_range), so a row never holds more values than the list shows.
    std::string_view cell(int row, int column) const;
    void setCell(int row, int column, std::string_view text);
    std::int64_t key(int row) const;
    void setKey(int row, std::int64_t key);
    // The row holding `key`, or -1.
    int findKey(std::int64_t key) const;

    // The selected row, or -1. Selecting from code raises no event.
    int selectedRow() const { return selected_; }
    void setSelectedRow(int row);
    // A user's click on row `row`: selects it and raises ItemClick.
    void clickRow(int row);
    // A user's click on the header of column `column`: raises ColumnClick.
    void clickColumn(int column);

    std::function<void(int row)> onItemClick;
    std::function<void(int column)> onColumnClick;

    int sortKey() const { return sortKey_; }
    void setSortKey(int column);
    SortOrder sortOrder() const { return sortOrder_; }
    void setSortOrder(SortOrder order);
    bool sorted() const { return sorted_; }
    // Switching the list's own sort on orders the rows at once, as do SortKey and SortOrder
    // changes while it is on.
    void setSorted(bool sorted);

    // Orders the rows with a three-way comparison (negative, 0, positive), as the platform's
    // item sort does; the list's own sort is switched off first.
    void sortWith(const std::function<int(const ListViewRow&, const ListViewRow&)>& compare);

    // Calls visit(row) for each row in order. Rows fill and sort in different orders, so they
    // lie scattered in memory; the rows a little ahead are fetched while one is visited.
    template <class Visit>
    void visitRows(Visit visit) const {
        constexpr std::size_t kAhead = 8;
        auto ahead = rows_.begin() + static_cast<std::ptrdiff_t>(std::min(kAhead, rows_.size()));
        for (auto row = rows_.begin(); row != rows_.end(); ++row) {
            if (ahead != rows_.end()) {
                ahead->prefetch();
                ++ahead;
            }
            visit(*row);
        }
    }

    // Reads keyOf(row) once per row, then orders the rows by those keys with `less`.
    template <class KeyOf, class Less = std::less<>>
    void sortByKey(KeyOf keyOf, SortOrder order, Less less = {}) {
        using Key = std::decay_t<decltype(keyOf(std::declval<const ListViewRow&>()))>;
        std::vector<std::uint32_t> permutation;
        {
            std::vector<std::pair<Key, std::uint32_t>> keys;
            keys.reserve(rows_.size());
            visitRows([&](const ListViewRow& row) {
                keys.emplace_back(keyOf(row), static_cast<std::uint32_t>(keys.size()));
            });
            // Equal keys keep their rows' order by the rows' positions, which makes the sort
            // stable without the buffer a stable sort takes.
            const bool ascending = order == SortOrder::Ascending;
            std::sort(keys.begin(), keys.end(), [&](const auto& a, const auto& b) {
                if (less(a.first, b.first)) {
                    return ascending;
                }
                if (less(b.first, a.first)) {
                    return !ascending;
                }
                return a.second < b.second;
            });
            permutation.reserve(keys.size());
            for (const auto& k : keys) {
                permutation.push_back(k.second);
            }
        }  // the keys are gone before the rows move
        switchOffOwnSort();
        applyPermutation(permutation);
    }

private:
    void checkRow(int row) const;
    void checkColumn(int column) const;
    int insertRow(ListViewRow row, int position);
    void sortOwn();
    int sortedPosition(const ListViewRow& row) const;
    bool ownLess(const ListViewRow& a, const ListViewRow& b) const;
    void switchOffOwnSort();
    // Puts row permutation[i] in place i, moving the rows in place; uses up `permutation`.
    void applyPermutation(std::vector<std::uint32_t>& permutation);

    std::vector<ListViewColumn> columns_;
    std::deque<ListViewRow> rows_;
    std::int64_t nextKey_ = 1;
    int sortKey_ = 0;
    SortOrder sortOrder_ = SortOrder::Ascending;
    bool sorted_ = false;
    int selected_ = -1;
};

}  // namespace bp::forms
