#pragma once
// The rows of a form-model list view as a Qt table model, read in place: nothing is copied,
// so a list of thousands of rows costs the view only what is on screen.
//
// The row and column counts the view knows are those of the last reset(); a cell read in
// between, while the form is still filling the list, answers from the live rows and is empty
// where they have none.

#include <QAbstractTableModel>

#include "forms/ListView.h"

namespace bp::gui {

class ListViewModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ListViewModel(const forms::ListView& list, QObject* parent = nullptr);

    // Takes over the list's current rows and columns.
    void reset();

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    const forms::ListView& list_;
    int rows_ = 0;
    int columns_ = 0;
};

}  // namespace bp::gui
