#pragma once

#include <Qt>

// A list's sort: the sort column (from 0), the order, and whether sorting is on. It outlives reloads.
struct SortState {
    int key = 0;
    Qt::SortOrder order = Qt::AscendingOrder;
    bool on = false;

    void reverse() { order = order == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder; }
    // The header picture of the sort column: ascending or descending.
    int picture() const;
};
