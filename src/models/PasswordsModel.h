#pragma once

#include "models/ListModel.h"

#include <QString>
#include <vector>

// One user-id/password entry of the current site, its password deciphered when the list was filled.
struct EntryRow {
    int ser = 0;
    QString userId;
    QString password;     // clear; never on show
    int storedLength = 0; // of the stored UserPW, which the list shows as that many stars
    QString description;
};

// The rows of the passwords list: user id, masked password, description.
class PasswordsModel : public ListModel {
    Q_OBJECT

public:
    enum Column { UserColumn, PasswordColumn, DescriptionColumn, ColumnCount };

    using ListModel::ListModel;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    QString text(int row, int column) const override;

    void setRows(std::vector<EntryRow> rows);
    void clear() { setRows({}); }
    const EntryRow& entry(int row) const { return m_rows[size_t(row)]; }
    // The row of an entry, -1 when it is not listed.
    int rowOfSer(int ser) const;
    void removeEntry(int row);

protected:
    void reorder(const std::vector<int>& byKey) override;

private:
    std::vector<EntryRow> m_rows;
};
