#pragma once

#include <QTreeWidgetItem>

// A row of the sites or passwords list. Rows sort by the sort column's shown text the way a user
// expects: case-insensitive, numbers in natural order ("site2" before "site10").
class ListItem : public QTreeWidgetItem {
public:
    using QTreeWidgetItem::QTreeWidgetItem;
    bool operator<(const QTreeWidgetItem& other) const override;

};
