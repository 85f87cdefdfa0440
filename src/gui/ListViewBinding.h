#pragma once
// A report-style list view as a tree view without branches over a ListViewModel. The form
// fills and sorts the rows; the view is reset once per burst of changes, as lists are. One
// row is selected at a time; the user's pick raises ItemClick, a header click ColumnClick,
// and the header's sort indicator shows the list's own sort.

#include <QTreeView>

#include "forms/ListView.h"
#include "gui/ControlBinding.h"
#include "gui/ListViewModel.h"

namespace bp::gui {

class ListViewBinding : public ControlBinding {
    Q_OBJECT
public:
    ListViewBinding(forms::ListView& list, QWidget* parent);

    void flush() override;

protected:
    void sync(forms::Property property) override;
    void syncContent() override;

private:
    enum class Refresh { Rows, RowsAndColumns };
    void schedule(Refresh refresh);
    void pushColumns();
    void pushSelection();
    void pushSortIndicator();
    void userChangedSelection();
    void userClickedColumn(int column);

    forms::ListView& model_;
    QTreeView* view_;
    ListViewModel* rows_;
    bool rowsPending_ = false;
    bool columnsPending_ = false;
};

}  // namespace bp::gui
