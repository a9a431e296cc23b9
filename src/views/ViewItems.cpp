#include "views/ViewItems.h"

#include <QAbstractItemView>
#include <QItemSelectionModel>

namespace items {

int selectedRow(const QAbstractItemView* view)
{
    const QItemSelectionModel* selection = view->selectionModel();
    const QModelIndex current = selection->currentIndex();
    if (current.isValid() && selection->isRowSelected(current.row()))
        return current.row();
    const QModelIndexList rows = selection->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void selectRow(QAbstractItemView* view, int row)
{
    if (row < 0 || row >= view->model()->rowCount()) {
        view->selectionModel()->clear();
        return;
    }
    view->selectionModel()->setCurrentIndex(view->model()->index(row, 0),
                                            QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

} // namespace items
