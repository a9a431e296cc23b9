#include "views/SortState.h"

#include "platform/Pictures.h"
#include "views/ViewItems.h"

#include <QTreeWidget>

int SortState::picture() const
{
    return order == Qt::AscendingOrder ? img1616::SortAscending : img1616::SortDescending;
}

void SortState::apply(QTreeWidget* list) const
{
    if (on)
        list->sortItems(key, order);
}

void SortState::clearHeader(QTreeWidget* list, int column)
{
    items::setHeaderPicture(list, column, img1616::None);
    QTreeWidgetItem* header = list->headerItem();
    header->setText(column, header->text(column).trimmed());
}
