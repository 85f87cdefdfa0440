#include "gui/ListViewBinding.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QSignalBlocker>
#include <QTimer>

namespace bp::gui {

ListViewBinding::ListViewBinding(forms::ListView& list, QWidget* parent)
    : ControlBinding(list, new QTreeView(parent)),
      model_(list),
      view_(static_cast<QTreeView*>(widget())),
      rows_(new ListViewModel(list, this)) {
    view_->setRootIsDecorated(false);
    view_->setUniformRowHeights(true);
    view_->setAlternatingRowColors(true);
    view_->setSelectionBehavior(QAbstractItemView::SelectRows);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view_->setSelectionMode(QAbstractItemView::SingleSelection);
    view_->setModel(rows_);
    view_->header()->setStretchLastSection(false);
    view_->header()->setSectionsClickable(true);
    connect(view_->header(), &QHeaderView::sectionClicked, this,
            &ListViewBinding::userClickedColumn);
    connect(view_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &ListViewBinding::userChangedSelection);
}

void ListViewBinding::sync(forms::Property property) {
    switch (property) {
        case forms::Property::Items:
        case forms::Property::Sort:
            schedule(Refresh::Rows);
            break;
        case forms::Property::Columns:
            schedule(Refresh::RowsAndColumns);
            break;
        case forms::Property::Selection:
            if (!rowsPending_) {
                pushSelection();
            }
            break;
        default:
            break;
    }
}

void ListViewBinding::syncContent() {
    rowsPending_ = true;
    columnsPending_ = true;
    flush();
}

void ListViewBinding::schedule(Refresh refresh) {
    columnsPending_ = columnsPending_ || refresh == Refresh::RowsAndColumns;
    if (!rowsPending_) {
        rowsPending_ = true;
        QTimer::singleShot(0, this, &ListViewBinding::flush);
    }
}

void ListViewBinding::flush() {
    if (!rowsPending_) {
        return;
    }
    rowsPending_ = false;
    {
        // A reset clears the view's selection; the model's is pushed again below.
        const QSignalBlocker blocker(view_->selectionModel());
        rows_->reset();
    }
    if (columnsPending_) {
        columnsPending_ = false;
        pushColumns();
    }
    pushSortIndicator();
    pushSelection();
}

void ListViewBinding::pushSelection() {
    const QSignalBlocker blocker(view_->selectionModel());
    const int row = model_.selectedRow();
    if (row < 0 || row >= rows_->rowCount()) {
        view_->selectionModel()->clear();
        return;
    }
    const QModelIndex index = rows_->index(row, 0);
    view_->selectionModel()->setCurrentIndex(
        index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    view_->scrollTo(index);
}

void ListViewBinding::pushSortIndicator() {
    // The form sorts (the view never does); the header only shows the list's own sort.
    QHeaderView* header = view_->header();
    header->setSortIndicatorShown(model_.sorted());
    if (model_.sorted()) {
        header->setSortIndicator(model_.sortKey(), model_.sortOrder() == forms::SortOrder::Ascending
                                                       ? Qt::AscendingOrder
                                                       : Qt::DescendingOrder);
    }
}

void ListViewBinding::userChangedSelection() {
    const QModelIndexList rows = view_->selectionModel()->selectedRows();
    const int row = rows.isEmpty() ? -1 : rows.front().row();
    if (row != model_.selectedRow()) {
        if (row >= 0 && row < model_.rowCount()) {
            model_.clickRow(row);
        } else {
            model_.setSelectedRow(-1);
        }
    }
    // The form's ItemClick may have selected another row.
    if (!rowsPending_) {
        pushSelection();
    }
}

void ListViewBinding::userClickedColumn(int column) {
    if (column >= 0 && column < model_.columnCount()) {
        model_.clickColumn(column);
    }
    pushSortIndicator();
}

void ListViewBinding::pushColumns() {
    // A column without a width of its own is as wide as its header, plus room to breathe.
    const QFontMetrics metrics(view_->header()->font());
    for (int c = 0; c < model_.columnCount(); ++c) {
        const auto& column = model_.column(c);
        const int width =
            column.width > 0
                ? column.width
                : metrics.horizontalAdvance(rows_->headerData(c, Qt::Horizontal).toString()) +
                      4 * metrics.averageCharWidth() + 16;
        view_->header()->resizeSection(c, width);
    }
}

}  // namespace bp::gui
