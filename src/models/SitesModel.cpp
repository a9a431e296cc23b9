#include "models/SitesModel.h"

#include "platform/Pictures.h"

#include <algorithm>

namespace {

const char* const Captions[SitesModel::ColumnCount] = {"", "", "Site Name", "URL", "Description"};

} // namespace

SitesModel::SitesModel(QObject* parent) : ListModel(parent)
{
    setHeaderPicture(CheckColumn, img1616::NotAllChecked);
    setHeaderPicture(RankColumn, img1616::Rank);
}

int SitesModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int SitesModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QString SitesModel::rankText(qint64 rank, int highestDigits)
{
    if (rank == 0)
        return {};
    const QString digits = QString::number(rank);
    return digits.size() < highestDigits ? QString(highestDigits - digits.size(), u'0') + digits : digits;
}

QString SitesModel::text(int row, int column) const
{
    const SiteRow& s = site(row);
    switch (column) {
    case RankColumn:
        return rankText(s.rank, m_rankDigits);
    case NameColumn:
        return s.name;
    case UrlColumn:
        return s.url;
    case DescriptionColumn:
        return s.description;
    default:
        return {};
    }
}

QVariant SitesModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    const int column = index.column();
    const SiteRow& row = m_rows[size_t(index.row())];
    const int picture = column == NameColumn                    ? img1616::Site
                        : column == RankColumn && row.rank != 0 ? img1616::Rank
                                                                : img1616::None;
    switch (role) {
    case Qt::CheckStateRole:
        return column == CheckColumn ? QVariant(row.checked ? Qt::Checked : Qt::Unchecked) : QVariant();
    case Qt::TextAlignmentRole:
        return column == RankColumn ? QVariant(Qt::AlignCenter) : QVariant();
    case CodeRole:
        return row.siteCode;
    default:
        return cell(index, role, picture);
    }
}

QVariant SitesModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal)
        return {};
    if (role == Qt::TextAlignmentRole)
        return section == RankColumn ? QVariant(Qt::AlignCenter) : QVariant();
    return header(section, role, Captions, ColumnCount);
}

Qt::ItemFlags SitesModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    const Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    return index.column() == CheckColumn ? flags | Qt::ItemIsUserCheckable : flags;
}

bool SitesModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || index.column() != CheckColumn || role != Qt::CheckStateRole)
        return false;
    SiteRow& row = m_rows[size_t(index.row())];
    const bool checked = value.value<Qt::CheckState>() == Qt::Checked;
    if (row.checked == checked)
        return true;
    row.checked = checked;
    m_checked += checked ? 1 : -1;
    emit dataChanged(index, index, {Qt::CheckStateRole});
    emit checkToggled(index.row());
    return true;
}

void SitesModel::setRows(std::vector<SiteRow>&& rows)
{
    beginResetModel();
    qint32 highest = 0;
    for (SiteRow& site : rows) {
        highest = std::max(highest, site.rank);
        site.checked = false;
    }
    m_rows = std::move(rows);
    m_rankDigits = highest > 0 ? int(QString::number(highest).size()) : 0;
    m_checked = 0;
    endResetModel();
}

int SitesModel::rowOfSite(qint32 siteCode) const
{
    const auto it = std::find_if(m_rows.cbegin(), m_rows.cend(),
                                 [siteCode](const SiteRow& row) { return row.siteCode == siteCode; });
    return it == m_rows.cend() ? -1 : int(it - m_rows.cbegin());
}

QList<int> SitesModel::checkedRows() const
{
    QList<int> rows;
    rows.reserve(m_checked);
    for (size_t i = 0; i < m_rows.size(); ++i) {
        if (m_rows[i].checked)
            rows.append(int(i));
    }
    return rows;
}

void SitesModel::setAllChecked(bool checked)
{
    for (SiteRow& row : m_rows)
        row.checked = checked;
    m_checked = checked ? int(m_rows.size()) : 0;
    if (!m_rows.empty())
        emit dataChanged(index(0, CheckColumn), index(int(m_rows.size()) - 1, CheckColumn), {Qt::CheckStateRole});
}

void SitesModel::removeSites(const QList<int>& rows)
{
    if (rows.isEmpty())
        return;
    // One pass, as one change of layout: the rows that stay keep the view's selection on them.
    emit layoutAboutToBeChanged();
    std::vector<bool> gone(m_rows.size(), false);
    for (int row : rows)
        gone[size_t(row)] = true;
    std::vector<int> newPlace(m_rows.size(), -1);
    size_t kept = 0;
    for (size_t i = 0; i < m_rows.size(); ++i) {
        if (gone[i]) {
            m_checked -= m_rows[i].checked ? 1 : 0;
            continue;
        }
        newPlace[i] = int(kept);
        if (kept != i)
            m_rows[kept] = std::move(m_rows[i]);
        ++kept;
    }
    m_rows.resize(kept);
    remap(newPlace);
    emit layoutChanged();
}

void SitesModel::reorder(const std::vector<int>& byKey)
{
    permute(m_rows, byKey);
}
