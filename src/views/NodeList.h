#pragma once

#include <QHash>
#include <QList>
#include <QString>

class QTreeWidgetItem;

// The tree's node collection in the order the nodes were added (root first, then level by level),
// indexed from 1, with a lookup by key.
class NodeList {
public:
    void clear();
    void append(QTreeWidgetItem* node, const QString& key);
    // Forgets a node (its removal from the tree is the caller's).
    void remove(QTreeWidgetItem* node);

    int count() const { return int(m_nodes.size()); }
    // The node at a 1-based index, nullptr when out of range.
    QTreeWidgetItem* at(int index) const;
    QTreeWidgetItem* at(const QString& index) const;
    // The 1-based index of a node, 0 when it is not in the collection.
    int indexOf(const QTreeWidgetItem* node) const;
    QTreeWidgetItem* byKey(const QString& key) const { return m_byKey.value(key); }
    // The node of a category code; 0 is the root.
    QTreeWidgetItem* byCode(qint64 code) const;

private:
    QList<QTreeWidgetItem*> m_nodes;
    QHash<QString, QTreeWidgetItem*> m_byKey;
};
