#include "views/ListItem.h"

#include <QCollator>
#include <QTreeWidget>

const QCollator& ListItem::collator()
{
    static const QCollator instance = [] {
        // The C locale has no real collation (and no numeric mode): sort as English does then.
        QLocale locale;
        if (locale.language() == QLocale::C)
            locale = QLocale(QLocale::English);
        QCollator c(locale);
        c.setCaseSensitivity(Qt::CaseInsensitive);
        c.setNumericMode(true);
        return c;
    }();
    return instance;
}

bool ListItem::operator<(const QTreeWidgetItem& other) const
{
    const int column = treeWidget() ? treeWidget()->sortColumn() : 0;
    return collator().compare(text(column), other.text(column)) < 0;
}
