#include "models/PasswordsModel.h"

#include "platform/Pictures.h"

#include <algorithm>

namespace {

const char* const Captions[PasswordsModel::ColumnCount] = {"User ID", "Password", "Description"};

} // namespace

int PasswordsModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int PasswordsModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QString PasswordsModel::text(int row, int column) const
{
    const EntryRow& e = entry(row);
    switch (column) {
    case UserColumn:
        return e.userId;
    case PasswordColumn:
        return QString(e.storedLength, u'*');
    case DescriptionColumn:
        return e.description;
    default:
        return {};
    }
}

QVariant PasswordsModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    const int column = index.column();
    const int picture = column == UserColumn ? img1616::Password : img1616::None;
    if (role != CodeRole)
        return cell(index, role, picture);
    if (column == UserColumn)
        return entry(index.row()).ser;
    return column == PasswordColumn ? QVariant(entry(index.row()).password) : QVariant();
}

QVariant PasswordsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    return orientation == Qt::Horizontal ? header(section, role, Captions, ColumnCount) : QVariant();
}

void PasswordsModel::setRows(std::vector<EntryRow> rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

int PasswordsModel::rowOfSer(int ser) const
{
    const auto it = std::find_if(m_rows.cbegin(), m_rows.cend(), [ser](const EntryRow& e) { return e.ser == ser; });
    return it == m_rows.cend() ? -1 : int(it - m_rows.cbegin());
}

void PasswordsModel::removeEntry(int row)
{
    beginRemoveRows({}, row, row);
    m_rows.erase(m_rows.begin() + row);
    endRemoveRows();
}

void PasswordsModel::reorder(const std::vector<int>& byKey)
{
    permute(m_rows, byKey);
}
