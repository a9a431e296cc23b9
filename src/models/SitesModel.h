#pragma once

#include "models/ListModel.h"

#include <QList>
#include <QString>
#include <vector>

// One site of the current category, as the store holds it, and whether its box is ticked.
struct SiteRow {
    qint32 siteCode = 0;
    qint32 rank = 0;
    bool checked = false;
    QString name;
    QString url;
    QString description;
};

// The rows of the sites list: check box, rank, name, address, description. The model holds the rows, their
// check states, the header pictures and the order; the view only shows them.
class SitesModel : public ListModel {
    Q_OBJECT

public:
    enum Column { CheckColumn, RankColumn, NameColumn, UrlColumn, DescriptionColumn, ColumnCount };
    explicit SitesModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    // A reload: every row unchecked, in the order given (the rows are taken over, not copied).
    void setRows(std::vector<SiteRow>&& rows);
    void clear() { setRows(std::vector<SiteRow>()); }

    const SiteRow& site(int row) const { return m_rows[size_t(row)]; }
    QString text(int row, int column) const override;
    // The row of a site, -1 when it is not listed.
    int rowOfSite(qint32 siteCode) const;

    bool isChecked(int row) const { return m_rows[size_t(row)].checked; }
    int checkedCount() const { return m_checked; }
    QList<int> checkedRows() const;
    // Checks or unchecks every row with one change signal.
    void setAllChecked(bool checked);
    // Takes rows out in one pass.
    void removeSites(const QList<int>& rows);

    // The rank column's text: padded with "0" to the digits of the category's highest rank; empty for 0.
    static QString rankText(qint64 rank, int highestDigits);

signals:
    // The user ticked or cleared one row's box (a bulk change raises no such signal).
    void checkToggled(int row);

protected:
    void reorder(const std::vector<int>& byKey) override;

private:
    std::vector<SiteRow> m_rows;
    int m_checked = 0;
    int m_rankDigits = 0;
};
