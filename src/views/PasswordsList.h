#pragma once

#include "views/SortState.h"

#include <QObject>

class Form;
class PasswordsModel;
class QTreeView;
struct EntryRow;

// The passwords list: filling it (masked, deciphered into the rows), entry click, header, focus.
class PasswordsList : public QObject {
    Q_OBJECT

public:
    explicit PasswordsList(Form& form);

    // ReLoad for "Passwords": the entries of the selected site in the selected category.
    void Fill();
    // The entry click on the list's selected row.
    void EntryClick();
    // Fills the entry's boxes from a row and puts its password on the clipboard.
    void takeEntry(const EntryRow& row);
    // Header click for column c, 1 to 3.
    void HeaderClick(int c);
    void GotFocus();
    void LostFocus();
    // Reorders the rows by the sort state, when sorting is on; run after every fill.
    void applySort();
    const SortState& sort() const { return m_sort; }

    int rowCount() const;
    // The selected entry, nullptr when none is selected.
    const EntryRow* selectedEntry() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Form& f;
    QTreeView* m_list;
    PasswordsModel& m_model;
    SortState m_sort;
    bool m_doubleClicked = false; // the release ending a double click reports one more click
};
