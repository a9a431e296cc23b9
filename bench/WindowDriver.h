#pragma once
// The benchmarks' one contact with the main window. Everything else in bench/ speaks in user actions (click the
// category named X, click the header of column c, press toolbar button b), so a change to the window's insides
// touches this file alone. Lists are reached as QTreeViews through their models and found by objectName.

#include "BenchSupport.h"

#include <QHash>
#include <QPersistentModelIndex>
#include <QString>
#include <QStringList>
#include <memory>

class Dorvudb;
class frmMain;
class QTreeView;

namespace bench {

class PaintCounter;

class WindowDriver {
public:
    // A program folder holding Dorvudb.mdb.
    explicit WindowDriver(QString folder);
    ~WindowDriver();
    WindowDriver(const WindowDriver&) = delete;
    WindowDriver& operator=(const WindowDriver&) = delete;

    // Start-up in two steps, as main() does them: the store opened, then the window made, started, shown.
    void openStore();
    void showWindow();
    // Makes the window the active one again, as a user's click on it would (several may be open in one process).
    void activate();

    // Types the unlock key into its box, a key press a digit.
    void typeKey(const QString& key);
    // Replaces the key's last digit: Backspace, then the digit (which completes the key again).
    void eraseLastKeyDigit();
    void typeKeyDigit(QChar digit);

    // Expands the way to a category and scrolls it into view, so a later click is the click alone.
    void revealCategory(const QString& name);
    // A left click on the category node showing `name`.
    void clickCategory(const QString& name);
    int categoryNodes() const;

    int siteRows() const;
    // The text of a cell; columns count from 1 as designed (3 is the name, 4 the address).
    QString siteCell(int row, int column) const;
    QString siteName(int row) const { return siteCell(row, 3); }
    // The row showing the site `name`, -1 when none does.
    int siteRow(const QString& name) const;
    // A left click on a row's name, away from its check box.
    void clickSite(int row);
    // A left click on a header of the sites list; columns count from 1 as designed (1 is the check-all box).
    void clickSitesHeader(int column);
    // Ticks the check boxes of the first `count` rows; returns their sites' names.
    QStringList checkFirstSites(int count);
    int checkedSites() const;
    // Paint events the sites list received since the window was shown: proof that a measured click drew it.
    int sitesPaints() const { return m_sitesPaints; }

    int entryRows() const;

    // A click on toolbar button `index` (1 Add, 2 Edit, 3 Save, 4 Delete, 6 +Star, 9 Move/Paste).
    void pressButton(int index);
    // Replaces the text of the edit panel's site name box.
    void setSiteNameBox(const QString& name);

    // Lets the window finish what the last action queued: layout, painting.
    static void settle();

    ConfirmingPrompter prompter;

private:
    QTreeView* view(const char* name) const;
    QPersistentModelIndex node(const QString& name);

    QString m_folder;
    std::unique_ptr<Dorvudb> m_store;
    std::unique_ptr<frmMain> m_window;
    NoClipboard m_clipboard;
    NoShell m_shell;
    int m_sitesPaints = 0;
    std::unique_ptr<PaintCounter> m_counter;
    QHash<QString, QPersistentModelIndex> m_nodes; // revealed categories by name
    mutable QHash<QByteArray, QTreeView*> m_views;
};

} // namespace bench
