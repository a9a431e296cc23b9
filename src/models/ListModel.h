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
    // Rows put in a new order in place, cycle by cycle, so a large list is not copied.
    template <typename Row> static void permute(std::vector<Row>& rows, const std::vector<int>& byKey)
    {
        std::vector<bool> placed(rows.size(), false);
        for (size_t start = 0; start < rows.size(); ++start) {
            if (placed[start])
                continue;
            Row moving = std::move(rows[start]);
            size_t to = start;
            for (;;) {
                placed[to] = true;
                const size_t from = size_t(byKey[to]);
                if (from == start) {
                    rows[to] = std::move(moving);
                    break;
                }
                rows[to] = std::move(rows[from]);
                to = from;
            }
        }
    }
    // Moves the persistent indexes (the view's selection and focus) to the rows' new places; -1: gone.
    void remap(const std::vector<int>& newPlace);
    // What every cell answers: its shown text, and its picture as an icon and as an index.
    QVariant cell(const QModelIndex& index, int role, int picture) const;
    // The header's captions, pictures and alignment.
    QVariant header(int section, int role, const char* const captions[], int count) const;

private:
    std::array<int, 5> m_headerPictures{};
};
