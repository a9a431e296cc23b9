#pragma once

#include "state/WindowState.h"

#include <QList>
#include <QString>

class Form;

// DeleteWhat: removes the current record with everything below it, after asking. Each confirmed deletion is
// one unit of work in the store: it is written whole or, when the store refuses a step, not at all.
class RecordDeleter {
public:
    explicit RecordDeleter(Form& form) : f(form) {}
    void DeleteWhat(What what);

private:
    void deleteCategory();
    void emptyStore();
    void deleteSubtree(qint32 code);
    void deleteSites();
    void deletePassword();
    // The views after the rows of deleted sites have gone from the list (the selected row given as before).
    void sitesRemoved(const QList<int>& rows, int selected);
    void commonEnd();
    bool confirm(const QString& text);
    void tell(const QString& text, bool error);
    void focusTree();

    Form& f;
};
