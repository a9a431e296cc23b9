#pragma once

#include "store/Dorvudb.h"
#include "support/Doubles.h"
#include "window/frmMain.h"

#include <QStringList>
#include <QTemporaryDir>
#include <memory>

class QTreeView;

// The picture a tree node shows.
int pictureOf(const QModelIndex& node);

// A list of the window as the user sees it, read and driven through its model.
namespace list {
int rows(const QTreeView* view);
QString text(const QTreeView* view, int row, int column);
int picture(const QTreeView* view, int row, int column);
int headerPicture(const QTreeView* view, int column);
Qt::CheckState checkState(const QTreeView* view, int row);
// Ticks or clears a row's box as the user's tick does.
void setCheckState(QTreeView* view, int row, Qt::CheckState state);
// The selected row, -1 when none is.
int selected(const QTreeView* view);
// Marks a row selected (and current) without a click; -1 clears the selection.
void select(QTreeView* view, int row);
// The first row showing a text in a column, -1 when none does.
int rowWith(const QTreeView* view, int column, const QString& text);
QStringList column(const QTreeView* view, int column);
} // namespace list

// A program folder in a temporary directory with its store, and the main window over it with every seam
// replaced by a recording double. Seed the store first, then call open().
class Fixture {
public:
    Fixture();

    Connection& db() { return m_store->connection(); }
    QString folder() const { return m_dir.path(); }

    void addCategory(qint64 code, const QString& name, int level, qint64 parent);
    void addSite(qint64 category, qint64 site, const QString& name, const QString& url = QStringLiteral("http://"),
                 const QVariant& description = {}, qint64 rank = 0);
    // The password is stored as given (callers encipher it when they mean to).
    void addPassword(qint64 category, qint64 site, int ser, const QString& userId, const QString& storedPassword,
                     const QVariant& description = {});

    // Creates, starts up and shows the main window, and waits until it is exposed.
    frmMain& open();

    int count(const QString& table);
    // Every row of the three tables, one line each in key order: compares the whole store before and after.
    QString dump();

    // The tree node whose text is `text`, invalid when there is none.
    QModelIndex node(const QString& text) const;
    // Performs what a user's click on a tree node or a list row does.
    void clickNode(const QString& text);
    void clickRow(QTreeView* list, int row);
    void doubleClickRow(QTreeView* list, int row);
    // A point on a row's text, away from the check box.
    static QPoint rowPoint(const QTreeView* list, int row);

    RecordingPrompter prompter;
    RecordingClipboard clipboard;
    RecordingShell shell;

private:
    QTemporaryDir m_dir;
    std::unique_ptr<Dorvudb> m_store;
    std::unique_ptr<frmMain> m_window;
};
