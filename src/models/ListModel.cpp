#include "models/ListModel.h"

#include "models/Collation.h"
#include "platform/Pictures.h"

#include <QCollator>
#include <QCollatorSortKey>
#include <algorithm>
#include <numeric>

void ListModel::sort(int column, Qt::SortOrder order)
{
    const int rows = rowCount();
    if (column < 0 || column >= columnCount() || rows < 2)
        return;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    // One key per row, computed once: comparing keys is a byte comparison, with no text copied.
    const QCollator& collator = listCollator();
    std::vector<QCollatorSortKey> keys;
    keys.reserve(size_t(rows));
    for (int row = 0; row < rows; ++row)
        keys.push_back(collator.sortKey(text(row, column)));
    auto byKey = std::vector<int>(size_t(rows));
    std::iota(byKey.begin(), byKey.end(), 0);
    const bool descending = order == Qt::DescendingOrder;
    std::stable_sort(byKey.begin(), byKey.end(), [&keys, descending](int a, int b) {
        const int c = keys[size_t(a)].compare(keys[size_t(b)]);
        return descending ? c > 0 : c < 0;
    });
    auto newPlace = std::vector<int>(size_t(rows));
    for (size_t i = 0; i < byKey.size(); ++i)
        newPlace[size_t(byKey[i])] = int(i);
    reorder(byKey);
    remap(newPlace);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void ListModel::remap(const std::vector<int>& newPlace)
{
    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex& index : before) {
        const int row = newPlace[size_t(index.row())];
        after.append(row < 0 ? QModelIndex() : this->index(row, index.column()));
    }
    changePersistentIndexList(before, after);
}

void ListModel::setHeaderPicture(int column, int picture)
{
    if (m_headerPictures[size_t(column)] == picture)
        return;
    m_headerPictures[size_t(column)] = picture;
    emit headerDataChanged(Qt::Horizontal, column, column);
}

QVariant ListModel::cell(const QModelIndex& index, int role, int picture) const
{
    switch (role) {
    case Qt::DisplayRole:
        return text(index.row(), index.column());
    case Qt::DecorationRole:
        return picture ? QVariant(img1616::picture(picture)) : QVariant();
    case img1616::PictureRole:
        return picture;
    default:
        return {};
    }
}

QVariant ListModel::header(int section, int role, const char* const captions[], int count) const
{
    if (section < 0 || section >= count)
        return {};
    const int picture = m_headerPictures[size_t(section)];
    switch (role) {
    case Qt::DisplayRole:
        return QString::fromLatin1(captions[section]);
    case Qt::DecorationRole:
        return picture ? QVariant(img1616::picture(picture)) : QVariant();
    case img1616::PictureRole:
        return picture;
    default:
        return {};
    }
}
