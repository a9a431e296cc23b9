#pragma once

#include "support/Doubles.h"

#include "store/Dorvudb.h"
#include "window/frmMain.h"

#include <QStringList>
#include <QTemporaryDir>

#include <memory>

class QTreeWidgetItem;

// The kind of record a test table names ("Categories", "Sites", "Passwords"); anything else is What::None.
What whatNamed(const QString& name);

// A program folder in a temporary directory with its store, and the main window over it with every seam
// replaced by a recording double. Seed the store first, then call open().
class Fixture {
public:
    Fixture();
    ~Fixture();

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
    frmMain& window() { return *m_window; }

    // Every statement sent while recording.
    void startTrace();
    QStringList stopTrace();
    int count(const QString& table);
    // Every row of the three tables, one line each in key order: compares the whole store before and after.
    QString dump();

    // The tree node whose text is `text`, or nullptr.
    QTreeWidgetItem* node(const QString& text) const;
    // Performs what a user's click on a tree node or a list row does.
    void clickNode(const QString& text);
    void clickRow(class QTreeWidget* list, int row);
    void doubleClickRow(class QTreeWidget* list, int row);
    // A point on a row's text, away from the check box.
    static QPoint rowPoint(const class QTreeWidget* list, int row);

    RecordingPrompter prompter;
    RecordingClipboard clipboard;
    RecordingShell shell;

private:
    QTemporaryDir m_dir;
    std::unique_ptr<Dorvudb> m_store;
    std::unique_ptr<frmMain> m_window;
    QStringList m_trace;
};
