#pragma once

#include "views/SortState.h"

#include <QObject>

class frmMain;
class QTreeWidgetItem;

// How the sites list reacts: site click, go to site, check boxes, header clicks and sorting, focus.
class SitesList : public QObject {
    Q_OBJECT

public:
    explicit SitesList(frmMain& form);

    // The site click on the list's selected row.
    void SiteClick();
    // Opens the current site's address through the shell.
    void GoToSite();
    void CheckBoxChanged();
    // Header click for column c, 1 to 5.
    void HeaderClick(int c);
    void CheckAllToggle();
    void GotFocus();
    void LostFocus();
    // Reorders the rows by the sort state, when sorting is on; run after every reload.
    void applySort() { m_sort.apply(m_list); }
    const SortState& sort() const { return m_sort; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    frmMain& f;
    QTreeWidget* m_list;
    SortState m_sort;
    bool m_checkChanged = false; // a click that toggled a check box is not a site click
    QTreeWidgetItem* m_selectedAtPress = nullptr;
    bool m_bulkCheck = false;
};
