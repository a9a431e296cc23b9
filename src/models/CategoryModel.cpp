#include "models/CategoryModel.h"

#include "platform/Pictures.h"

CategoryModel::CategoryModel(QObject* parent) : QAbstractItemModel(parent)
{
    clear();
}

QModelIndex CategoryModel::index(int row, int column, const QModelIndex& parent) const
{
    if (column != 0 || row < 0)
        return {};
    if (!parent.isValid())
        return row == 0 ? createIndex(0, 0, quintptr(0)) : QModelIndex();
    const Node& up = node(parent);
    return size_t(row) < up.children.size() ? createIndex(row, 0, quintptr(up.children[size_t(row)])) : QModelIndex();
}

QModelIndex CategoryModel::parent(const QModelIndex& child) const
{
    return child.isValid() ? indexOfSlot(node(child).parent) : QModelIndex();
}

int CategoryModel::rowCount(const QModelIndex& parent) const
{
    if (!parent.isValid())
        return 1;
    return parent.column() == 0 ? int(node(parent).children.size()) : 0;
}

int CategoryModel::columnCount(const QModelIndex&) const
{
    return 1;
}

QVariant CategoryModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    const Node& n = node(index);
    switch (role) {
    case Qt::DisplayRole:
        return n.name;
    case Qt::DecorationRole:
        return img1616::picture(n.picture);
    case img1616::PictureRole:
        return n.picture;
    case CodeRole:
        return n.code;
    default:
        return {};
    }
}

void CategoryModel::setCategories(const std::vector<CategoryRow>& levelByLevel)
{
    beginResetModel();
    m_nodes.clear();
    m_byCode.clear();
    m_nodes.reserve(levelByLevel.size() + 1);
    m_nodes.push_back({0, QStringLiteral("Categories"), -1, 0, img1616::Root, {}});
    m_byCode.insert(0, 0);
    for (const CategoryRow& row : levelByLevel) {
        const int parent = m_byCode.value(row.parent, -1);
        if (parent < 0 || m_byCode.contains(row.code))
            continue; // an orphan cannot be shown; it is not expected in a store the program wrote
        const int slot = int(m_nodes.size());
        Node& up = m_nodes[size_t(parent)];
        m_nodes.push_back({row.code, row.name, parent, int(up.children.size()), img1616::Category, {}});
        m_nodes[size_t(parent)].children.push_back(slot);
        m_byCode.insert(row.code, slot);
    }
    endResetModel();
}

QModelIndex CategoryModel::indexOfSlot(int slot) const
{
    return slot < 0 ? QModelIndex() : createIndex(m_nodes[size_t(slot)].row, 0, quintptr(slot));
}

QModelIndex CategoryModel::root() const
{
    return indexOfSlot(0);
}

QModelIndex CategoryModel::indexOf(qint32 code) const
{
    return indexOfSlot(m_byCode.value(code, -1));
}

qint32 CategoryModel::code(const QModelIndex& index) const
{
    return index.isValid() ? node(index).code : 0;
}

QString CategoryModel::name(const QModelIndex& index) const
{
    return index.isValid() ? node(index).name : QString();
}

int CategoryModel::picture(const QModelIndex& index) const
{
    return index.isValid() ? node(index).picture : img1616::None;
}

void CategoryModel::setPicture(const QModelIndex& index, int picture)
{
    if (!index.isValid() || node(index).picture == picture)
        return;
    m_nodes[size_t(index.internalId())].picture = picture;
    emit dataChanged(index, index, {Qt::DecorationRole, img1616::PictureRole});
}

QList<qint32> CategoryModel::codesInLoadOrder() const
{
    QList<qint32> codes;
    codes.reserve(m_byCode.size());
    for (const Node& n : m_nodes) {
        if (m_byCode.value(n.code, -1) == int(&n - m_nodes.data()))
            codes.append(n.code);
    }
    return codes;
}

void CategoryModel::collectLeavesFirst(int slot, QList<qint32>& out) const
{
    for (int child : m_nodes[size_t(slot)].children)
        collectLeavesFirst(child, out);
    out.append(m_nodes[size_t(slot)].code);
}

QList<qint32> CategoryModel::leavesFirst(qint32 code) const
{
    QList<qint32> codes;
    if (const int slot = m_byCode.value(code, -1); slot >= 0)
        collectLeavesFirst(slot, codes);
    return codes;
}

void CategoryModel::forget(int slot)
{
    for (int child : m_nodes[size_t(slot)].children)
        forget(child);
    m_byCode.remove(m_nodes[size_t(slot)].code);
}

void CategoryModel::removeSubtree(qint32 code)
{
    const int slot = m_byCode.value(code, -1);
    if (slot <= 0)
        return;
    const int parent = m_nodes[size_t(slot)].parent;
    const int row = m_nodes[size_t(slot)].row;
    beginRemoveRows(indexOfSlot(parent), row, row);
    forget(slot);
    std::vector<int>& siblings = m_nodes[size_t(parent)].children;
    siblings.erase(siblings.begin() + row);
    for (size_t i = size_t(row); i < siblings.size(); ++i)
        m_nodes[size_t(siblings[i])].row = int(i);
    endRemoveRows();
}
