#include "win/GridLayout.h"

#include <algorithm>
#include <numeric>
#include <set>

#include "win/DialogMetrics.h"
#include "win/WinBinding.h"

namespace bp::win {
namespace {

bool isButton(const WinBinding& binding) {
    return binding.control().kind() == forms::ControlKind::CommandButton;
}

// Whether `control` sits directly in `where`: on the given page of a tab control.
bool sitsIn(const forms::Control& control, const forms::Control* container, int page) {
    return control.container() == container && (page < 0 || std::max(0, control.tabPage()) == page);
}

LONG spanLength(const std::vector<LONG>& tracks, int first, int count, LONG gap) {
    LONG total = 0;
    for (int i = first; i < first + count; ++i) {
        total += tracks[static_cast<std::size_t>(i)];
    }
    return total + gap * (count - 1);
}

LONG trackStart(const std::vector<LONG>& tracks, int index, LONG gap) {
    LONG start = 0;
    for (int i = 0; i < index; ++i) {
        start += tracks[static_cast<std::size_t>(i)] + gap;
    }
    return start;
}

// Grows the tracks a spanning control covers until it fits, the last one taking the rest.
void fitSpan(std::vector<LONG>& tracks, int first, int count, LONG wanted, LONG gap) {
    const LONG have = spanLength(tracks, first, count, gap);
    if (have < wanted) {
        tracks[static_cast<std::size_t>(first + count - 1)] += wanted - have;
    }
}

}  // namespace

GridLayout::GridLayout(const DialogMetrics& metrics, const std::vector<WinBinding*>& bindings)
    : metrics_(metrics), bindings_(bindings), gapX_(metrics.x(4)), gapY_(metrics.y(4)) {}

SIZE GridLayout::arrange() {
    const Grid& top = measure(Place{nullptr, -1});
    const LONG marginX = metrics_.x(7);
    const LONG marginY = metrics_.y(7);
    place(Place{nullptr, -1}, POINT{marginX, marginY});
    return SIZE{top.size.cx + 2 * marginX, top.size.cy + 2 * marginY};
}

GridLayout::Grid& GridLayout::measure(Place where) {
    const auto [container, page] = where;
    Grid& grid = grids_[where];
    grid = Grid{};
    int nextRow = 0;
    for (WinBinding* binding : bindings_) {
        const forms::Control& control = binding->control();
        if (!sitsIn(control, container, page)) {
            continue;
        }
        const forms::LayoutHint& hint = control.layout();
        // A control the form keeps hidden and gives no place on the grid holds data, not a
        // view (the main window's sales list only sorts): it takes no room, as it takes none
        // in the desktop front end.
        if (!control.visible() && hint.row < 0 && hint.column < 0) {
            continue;
        }
        Cell cell{binding,
                  hint.row >= 0 ? hint.row : nextRow,
                  std::max(0, hint.column),
                  std::max(1, hint.rowSpan),
                  std::max(1, hint.columnSpan),
                  binding->preferredSize(metrics_)};
        if (binding->isContainer()) {
            const SIZE inner = measureContents(*binding);
            const RECT pad = binding->padding(metrics_);
            cell.wanted.cx = std::max(cell.wanted.cx, inner.cx + pad.left + pad.right);
            cell.wanted.cy = std::max(cell.wanted.cy, inner.cy + pad.top + pad.bottom);
        }
        nextRow = std::max(nextRow, cell.row + cell.rowSpan);
        grid.cells.push_back(cell);
    }
    if (container == nullptr) {
        findButtonRows(grid);
    }
    sizeTracks(grid);
    return grid;
}

SIZE GridLayout::measureContents(WinBinding& container) {
    const int pages = container.pageCount();
    if (pages == 0) {
        return measure(Place{&container.control(), -1}).size;
    }
    SIZE largest{0, 0};
    for (int page = 0; page < pages; ++page) {
        const SIZE size = measure(Place{&container.control(), page}).size;
        largest = SIZE{std::max(largest.cx, size.cx), std::max(largest.cy, size.cy)};
    }
    return largest;
}

void GridLayout::placeContents(WinBinding& container, POINT topLeft) {
    const int pages = container.pageCount();
    if (pages == 0) {
        const RECT pad = container.padding(metrics_);
        place(Place{&container.control(), -1}, POINT{topLeft.x + pad.left, topLeft.y + pad.top});
        return;
    }
    // Each page is a window of its own: its controls are placed in the page's coordinates.
    for (int page = 0; page < pages; ++page) {
        place(Place{&container.control(), page}, container.pageOrigin(metrics_));
    }
}

void GridLayout::findButtonRows(Grid& grid) const {
    std::set<int> mixedRows;
    for (const Cell& cell : grid.cells) {
        if (!isButton(*cell.binding) || cell.rowSpan > 1) {
            for (int r = cell.row; r < cell.row + cell.rowSpan; ++r) {
                mixedRows.insert(r);
            }
        }
    }
    for (Cell& cell : grid.cells) {
        if (isButton(*cell.binding) && !mixedRows.contains(cell.row)) {
            cell.inButtonRow = true;
            LONG& width = grid.buttonWidths[cell.row];
            width = std::max(width, cell.wanted.cx);
        }
    }
}

void GridLayout::sizeTracks(Grid& grid) const {
    int columns = 0;
    int rows = 0;
    for (const Cell& cell : grid.cells) {
        columns = std::max(columns, cell.column + cell.columnSpan);
        rows = std::max(rows, cell.row + cell.rowSpan);
    }
    grid.widths.assign(static_cast<std::size_t>(columns), 0);
    grid.heights.assign(static_cast<std::size_t>(rows), 0);
    // Single cells first, so a spanning control only adds what the cells it covers lack.
    for (const bool spanning : {false, true}) {
        for (const Cell& cell : grid.cells) {
            if (!cell.inButtonRow && (cell.columnSpan > 1) == spanning) {
                fitSpan(grid.widths, cell.column, cell.columnSpan, cell.wanted.cx, gapX_);
            }
            if ((cell.rowSpan > 1) == spanning) {
                fitSpan(grid.heights, cell.row, cell.rowSpan, cell.wanted.cy, gapY_);
            }
        }
    }
    LONG width = columns > 0 ? spanLength(grid.widths, 0, columns, gapX_) : 0;
    for (const auto& [row, buttonWidth] : grid.buttonWidths) {
        const auto count =
            std::count_if(grid.cells.begin(), grid.cells.end(),
                          [row](const Cell& c) { return c.inButtonRow && c.row == row; });
        width = std::max(width, static_cast<LONG>(count) * (buttonWidth + gapX_) - gapX_);
    }
    // Rows no control starts in (a gap in the hints) take no room.
    grid.size = SIZE{width, rows > 0 ? spanLength(grid.heights, 0, rows, gapY_) : 0};
    for (int r = 0; r < rows; ++r) {
        if (grid.heights[static_cast<std::size_t>(r)] == 0) {
            grid.size.cy -= gapY_;
        }
    }
}

void GridLayout::place(Place where, POINT origin) {
    const Grid& grid = grids_[where];
    std::vector<LONG> tops(grid.heights.size(), 0);
    LONG y = 0;
    for (std::size_t r = 0; r < grid.heights.size(); ++r) {
        tops[r] = y;
        if (grid.heights[r] > 0) {
            y += grid.heights[r] + gapY_;
        }
    }
    for (const auto& [row, width] : grid.buttonWidths) {
        placeButtonRow(grid, row, origin, tops[static_cast<std::size_t>(row)]);
    }
    for (const Cell& cell : grid.cells) {
        if (cell.inButtonRow) {
            continue;
        }
        const LONG cellX = origin.x + trackStart(grid.widths, cell.column, gapX_);
        const LONG cellY = origin.y + tops[static_cast<std::size_t>(cell.row)];
        LONG cellWidth = spanLength(grid.widths, cell.column, cell.columnSpan, gapX_);
        // The last column reaches the right edge, so a wide button row leaves no ragged gap.
        if (cell.column + cell.columnSpan == static_cast<int>(grid.widths.size())) {
            cellWidth = grid.size.cx - (cellX - origin.x);
        }
        const int lastRow = cell.row + cell.rowSpan - 1;
        const LONG cellHeight = tops[static_cast<std::size_t>(lastRow)] +
                                grid.heights[static_cast<std::size_t>(lastRow)] -
                                tops[static_cast<std::size_t>(cell.row)];
        WinBinding& binding = *cell.binding;
        const bool fillsWidth = binding.fillsWidth() || binding.isContainer() ||
                                binding.control().kind() == forms::ControlKind::Label;
        const bool fillsHeight = binding.fillsHeight() || binding.isContainer();
        const LONG width = fillsWidth ? cellWidth : std::min(cell.wanted.cx, cellWidth);
        const LONG height = fillsHeight ? cellHeight : std::min(cell.wanted.cy, cellHeight);
        // Single-line controls sit in the middle of their row, so a label lines up with the
        // box beside it.
        const LONG top =
            cell.rowSpan == 1 && !fillsHeight ? cellY + (cellHeight - height) / 2 : cellY;
        // A combo box's window height includes its dropped-down list.
        const LONG windowHeight = binding.control().kind() == forms::ControlKind::ComboBox
                                      ? height + metrics_.y(96)
                                      : height;
        SetWindowPos(binding.hwnd(), nullptr, cellX, top, width, windowHeight,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        binding.placed();
        if (binding.isContainer()) {
            placeContents(binding, POINT{cellX, top});
        }
    }
}

void GridLayout::placeButtonRow(const Grid& grid, int row, POINT origin, LONG top) {
    std::vector<const Cell*> buttons;
    for (const Cell& cell : grid.cells) {
        if (cell.inButtonRow && cell.row == row) {
            buttons.push_back(&cell);
        }
    }
    std::stable_sort(buttons.begin(), buttons.end(),
                     [](const Cell* a, const Cell* b) { return a->column < b->column; });
    const LONG width = grid.buttonWidths.at(row);
    const LONG height = grid.heights[static_cast<std::size_t>(row)];
    LONG x = origin.x + grid.size.cx - static_cast<LONG>(buttons.size()) * (width + gapX_) + gapX_;
    for (const Cell* cell : buttons) {
        SetWindowPos(cell->binding->hwnd(), nullptr, x, origin.y + top, width,
                     std::min(height, cell->wanted.cy), SWP_NOZORDER | SWP_NOACTIVATE);
        cell->binding->placed();
        x += width + gapX_;
    }
}

}  // namespace bp::win
