#pragma once

class QAbstractItemView;

// The selection of a list, as the commands read it.
namespace items {

// The selected row of a list (the current row when it is selected), -1 when none is.
int selectedRow(const QAbstractItemView* view);
// Marks a row as the one selected (and current) without any click being performed; -1 clears the selection.
void selectRow(QAbstractItemView* view, int row);

} // namespace items
