#pragma once

#include <QTreeWidgetItem>

class QCollator;

// A row of the sites or passwords list. Rows sort by the sort column's shown text the way a user
// expects: case-insensitive, numbers in natural order ("site2" before "site10").
class ListItem : public QTreeWidgetItem {
public:
    using QTreeWidgetItem::QTreeWidgetItem;
    bool operator<(const QTreeWidgetItem& other) const override;

    // The one collator of the lists, made once.
    static const QCollator& collator();
};
