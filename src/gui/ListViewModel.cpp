#include "gui/ListViewModel.h"

#include <algorithm>

#include "gui/QtText.h"

namespace bp::gui {

ListViewModel::ListViewModel(const forms::ListView& list, QObject* parent)
    : QAbstractTableModel(parent), list_(list) {
    reset();
}

void ListViewModel::reset() {
    beginResetModel();
    rows_ = list_.rowCount();
    // A list without headers still shows its rows' text.
    columns_ = std::max(1, list_.columnCount());
    endResetModel();
}

int ListViewModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int ListViewModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : columns_;
}

QVariant ListViewModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= list_.rowCount()) {
        return {};
    }
    const std::string_view text =
        list_.rows()[static_cast<std::size_t>(index.row())].cell(index.column());
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QVariant ListViewModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal ||
        section >= list_.columnCount()) {
        return {};
    }
    return toQt(list_.column(section).text);
}

}  // namespace bp::gui
