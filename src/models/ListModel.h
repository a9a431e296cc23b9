#pragma once

#include <QAbstractTableModel>

#include <array>
#include <vector>

// What the sites and passwords lists have in common: the header's pictures, sorting by a column's shown text
// (natural and case-insensitive, one collator key per row), and the view's selection moved along with rows
// that move or go.
class ListModel : public QAbstractTableModel {
    Q_OBJECT

public:
    // A row's code (SiteCode or Ser), and a password column's clear text, under the lists' tag role.
    static constexpr int CodeRole = Qt::UserRole + 2;

    using QAbstractTableModel::QAbstractTableModel;

    // The text a column shows for a row.
    virtual QString text(int row, int column) const = 0;
    void sort(int column, Qt::SortOrder order) override;

    void setHeaderPicture(int column, int picture);
    int headerPicture(int column) const { return m_headerPictures[size_t(column)]; }

protected:
    // Puts the rows in a new order: byKey[i] is the old row of the new row i.
    virtual void reorder(const std::vector<int>& byKey) = 0;
    // Moves the persistent indexes (the view's selection and focus) to the rows' new places; -1: gone.
    void remap(const std::vector<int>& newPlace);
    // The header's captions, pictures and alignment.
    QVariant header(int section, int role, const char* const captions[], int count) const;

private:
    std::array<int, 5> m_headerPictures{};
};
