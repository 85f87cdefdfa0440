#include "gui/ListViewBinding.h"

#include <QFontMetrics>
#include <QHeaderView>
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
    view_->setModel(rows_);
    view_->header()->setStretchLastSection(false);
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
    rows_->reset();
    if (columnsPending_) {
        columnsPending_ = false;
        pushColumns();
    }
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
