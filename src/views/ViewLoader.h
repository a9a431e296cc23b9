#pragma once

#include <QString>

class frmMain;

// Load, ReLoad and Clear: filling and emptying the three views and the edit panel's groups.
// What names a view ("Categories", "Sites", "Passwords"); any other value does nothing. It is taken by
// reference, so a caller passing frmMain::CurWhat hands over the window's own string.
class ViewLoader {
public:
    explicit ViewLoader(frmMain& form) : f(form) {}

    // Empties the view and the views below it in the cascade, then ReLoad.
    void Load(QString& What);
    void Load(QString&& What) { Load(What); }
    // Reads the store and rebuilds the view (selects and expands nothing).
    void ReLoad(QString& What);
    void ReLoad(QString&& What) { ReLoad(What); }
    // Empties the edit panel's group for that kind of record and its code label.
    void Clear(QString& What);
    void Clear(QString&& What) { Clear(What); }

    // The rank column's text: padded with "0" to the digits of the category's highest rank; empty for 0.
    static QString rankText(qint64 rank, const QString& highest);

private:
    void reloadCategories();
    void reloadSites();
    void emptySites();

    frmMain& f;
};
