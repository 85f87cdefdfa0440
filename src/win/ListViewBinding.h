#pragma once
// A report-style list view as a virtual list: the control holds no rows of its own and asks
// for each cell it draws (LVN_GETDISPINFO), reading the model's rows in place. A list of
// thousands of rows costs what is on screen, and a change of the rows is a new row count and
// a repaint rather than a copy; the count is passed on once per burst of changes, when the
// message loop next turns.
//
// The model's selection and the user's are one row; a click on a row raises ItemClick, on a
// column header ColumnClick; the model's own sort shows as the header's sort arrow.

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <string_view>

#include "forms/ListView.h"
#include "win/WinBinding.h"

namespace bp::win {

class ListViewBinding : public WinBinding {
public:
    ListViewBinding(forms::ListView& list, const ChildPlace& place);
    ~ListViewBinding() override;

    SIZE preferredSize(const DialogMetrics& metrics) const override;
    bool fillsWidth() const override { return true; }
    bool fillsHeight() const override { return true; }
    void placed() override;

    // A message to the list view the binding answers itself (the deferred row count, keys).
    bool ownMessage(UINT message, WPARAM wParam);

protected:
    void sync(forms::Property property) override;
    void syncContent() override;
    LRESULT noticed(const NMHDR& header) override;

private:
    void pushColumns();
    void sizeColumns();
    int textWidth(std::string_view text) const;
    void scheduleRows();
    void pushRows();
    void pushSortArrow();
    void pushSelection();
    void userChangedSelection();
    void supplyText(NMLVDISPINFOW& request) const;
    // The row a type-ahead search asks for, or -1.
    LRESULT findRow(const NMLVFINDITEMW& request) const;
    void mouseDown(const NMHDR& header, forms::MouseButton button);

    forms::ListView& model_;
    bool rowsPending_ = false;
};

}  // namespace bp::win
