#pragma once
// Places the controls of a window on the grid their row/column hints describe, one grid per
// container (the window, each frame, each page of a tab control), sized from what each control
// needs in the window's font. Columns take the width of their widest control and rows the height of
// their tallest; a row of the window holding nothing but command buttons is its button row: buttons
// of one width at the right, as business tools place OK and Cancel. A tab control is as large as
// its largest page needs, so picking another tab never resizes the window.

#include <windows.h>

#include <map>
#include <utility>
#include <vector>

#include "forms/Control.h"

namespace bp::win {

class DialogMetrics;
class WinBinding;

class GridLayout {
public:
    // `bindings` in the form's creation order, so containers come before their contents.
    GridLayout(const DialogMetrics& metrics, const std::vector<WinBinding*>& bindings);

    // Moves every control into place; returns the client size the window needs.
    SIZE arrange();

private:
    struct Cell {
        WinBinding* binding;
        int row, column, rowSpan, columnSpan;
        SIZE wanted;
        bool inButtonRow = false;
    };
    struct Grid {
        std::vector<Cell> cells;
        std::vector<LONG> widths, heights;
        std::map<int, LONG> buttonWidths;  // button row -> one button's width
        SIZE size{0, 0};
    };

    // A container and one of its pages (-1 for a container without pages).
    using Place = std::pair<const forms::Control*, int>;

    Grid& measure(Place where);
    SIZE measureContents(WinBinding& container);
    void placeContents(WinBinding& container, POINT topLeft);
    void findButtonRows(Grid& grid) const;
    void sizeTracks(Grid& grid) const;
    void place(Place where, POINT origin);
    void placeButtonRow(const Grid& grid, int row, POINT origin, LONG top);

    const DialogMetrics& metrics_;
    std::vector<WinBinding*> bindings_;
    std::map<Place, Grid> grids_;
    LONG gapX_, gapY_;
};

}  // namespace bp::win
