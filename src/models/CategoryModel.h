#pragma once

#include <QAbstractItemModel>
#include <QHash>
#include <QList>
#include <QString>
#include <vector>

// One category as the store holds it.
struct CategoryRow {
    qint32 code = 0;
    QString name;
    qint32 parent = 0; // 0: directly under the root
};

// The category tree: the root "Categories" (code 0, not stored) and the categories beneath it, each node with
// its picture. Nodes are addressed by their category code.
class CategoryModel : public QAbstractItemModel {
    Q_OBJECT

public:
    // A node's category code, 0 for the root.
    static constexpr int CodeRole = Qt::UserRole + 1;

    explicit CategoryModel(QObject* parent = nullptr);

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    // A reload: the root, then the categories level by level, each after its parent; a category whose parent
    // is not listed before it cannot be shown and is left out.
    void setCategories(const std::vector<CategoryRow>& levelByLevel);
    // The root alone.
    void clear() { setCategories({}); }

    QModelIndex root() const;
    // The node of a category code, invalid when there is none; 0 gives the root.
    QModelIndex indexOf(qint32 code) const;
    qint32 code(const QModelIndex& index) const;
    bool isRoot(const QModelIndex& index) const { return index.isValid() && code(index) == 0; }
    QString name(const QModelIndex& index) const;
    int picture(const QModelIndex& index) const;
    void setPicture(const QModelIndex& index, int picture);
    // Root and categories.
    int nodeCount() const { return int(m_byCode.size()); }
    // Every code in the order the nodes were loaded: the root first, then level by level.
    QList<qint32> codesInLoadOrder() const;
    // A category and everything below it, each after all of its descendants, first children first.
    QList<qint32> leavesFirst(qint32 code) const;
    // Takes a category's node, with everything below it, out of the tree.
    void removeSubtree(qint32 code);

private:
    struct Node {
        qint32 code = 0;
        QString name;
        int parent = -1; // slot of the parent node
        int row = 0;     // place among the parent's children
        int picture = 0;
        std::vector<int> children;
    };
    const Node& node(const QModelIndex& index) const { return m_nodes[size_t(index.internalId())]; }
    QModelIndex indexOfSlot(int slot) const;
    void collectLeavesFirst(int slot, QList<qint32>& out) const;
    void forget(int slot);

    std::vector<Node> m_nodes; // slot 0 is the root; removed nodes keep their slots until the next load
    QHash<qint32, int> m_byCode;
};
