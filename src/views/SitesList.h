#pragma once

#include "views/SortState.h"

#include <QObject>
#include <optional>

class Form;
class QTreeView;
class SitesModel;
struct SiteRow;

// How the sites list reacts: site click, go to site, check boxes, header clicks and sorting, focus.
class SitesList : public QObject {
    Q_OBJECT

public:
    explicit SitesList(Form& form);

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
    void applySort();
    const SortState& sort() const { return m_sort; }

    SitesModel& model() const { return m_model; }
    int rowCount() const;
    // The selected row, -1 when none is.
    int selectedRow() const;
    // The selected row's site, nullptr when none is selected.
    const SiteRow* selectedSite() const;
    // The selected row's site code, empty when no row is selected.
    std::optional<qint32> selectedSiteCode() const;
    // Marks a row as the one selected (and current) without any click being performed; -1 clears it.
    void selectRow(int row);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Form& f;
    QTreeView* m_list;
    SitesModel& m_model;
    SortState m_sort;
    bool m_checkChanged = false; // a click that toggled a check box is not a site click
    int m_selectedAtPress = -1;
};
