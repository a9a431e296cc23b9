#include "views/ListItem.h"

#include "models/Collation.h"

#include <QCollator>
#include <QTreeWidget>

bool ListItem::operator<(const QTreeWidgetItem& other) const
{
    const int column = treeWidget() ? treeWidget()->sortColumn() : 0;
    return listCollator().compare(text(column), other.text(column)) < 0;
}
