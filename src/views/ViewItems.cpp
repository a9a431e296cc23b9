#include "views/ViewItems.h"

#include "store/Codes.h"

#include <QTreeWidget>

namespace items {

QString key(const QTreeWidgetItem* node)
{
    return node ? node->data(0, KeyRole).toString() : QString();
}

QString codeText(const QTreeWidgetItem* node)
{
    return key(node).mid(3);
}

qint64 code(const QTreeWidgetItem* node)
{
    return codes::numericValue(codeText(node));
}

bool isRoot(const QTreeWidgetItem* node)
{
    return key(node) == RootKey;
}

QString tag(const QTreeWidgetItem* row, int column)
{
    return row ? row->data(column, TagRole).toString() : QString();
}

void setTag(QTreeWidgetItem* row, const QString& tag, int column)
{
    row->setData(column, TagRole, tag);
}

std::optional<qint32> rowCode(const QTreeWidgetItem* row)
{
    if (!row)
        return std::nullopt;
    return row->data(0, TagRole).toInt();
}

void setRowCode(QTreeWidgetItem* row, qint32 code)
{
    row->setData(0, TagRole, code);
}

void setPicture(QTreeWidgetItem* item, int column, int index)
{
    item->setIcon(column, img1616::picture(index));
    item->setData(column, img1616::PictureRole, index);
}

int picture(const QTreeWidgetItem* item, int column)
{
    return item ? item->data(column, img1616::PictureRole).toInt() : 0;
}

void setHeaderPicture(QTreeWidget* view, int column, int index)
{
    setPicture(view->headerItem(), column, index);
}

int headerPicture(const QTreeWidget* view, int column)
{
    return picture(view->headerItem(), column);
}

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
