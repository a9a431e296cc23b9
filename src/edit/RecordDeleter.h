#pragma once

#include <QList>
#include <QString>

class frmMain;
class QTreeWidget;
class QTreeWidgetItem;

// DeleteWhat: removes the current record with everything below it, after asking. Each confirmed deletion is
// one unit of work in the store: it is written whole or, when the store refuses a step, not at all.
class RecordDeleter {
public:
    explicit RecordDeleter(frmMain& form) : f(form) {}
    void DeleteWhat(QString& What);
    void DeleteWhat(QString&& What) { DeleteWhat(What); }

private:
    void deleteCategory();
    void emptyStore();
    void deleteSubtree(QTreeWidgetItem* node);
    void deleteSites(const QString& What);
    void deletePassword(const QString& What);
    // The store's part of deleting one site; false (after telling the user) when the store does not hold it.
    bool deleteSiteRecords(qint64 C, qint64 S);
    // The views after the rows of deleted sites have gone from the list.
    void sitesRemoved(const QList<QTreeWidgetItem*>& rows, const QString& What);
    void commonEnd();
    bool confirm(const QString& text);
    void tell(const QString& text, bool error);
    void focusTree();

    frmMain& f;
};
