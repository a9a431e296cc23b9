#pragma once

#include "state/WindowState.h"

#include <QString>

class Form;

// SaveWhat: writes the edit panel into the store.
class RecordSaver {
public:
    explicit RecordSaver(Form& form) : f(form) {}
    // Saves the record of the panel's enabled group; What chooses the guard, the view reloaded afterwards
    // and the follow-up.
    void SaveWhat(What what);

private:
    // Each returns false when a warning stopped the save. A store failure throws.
    bool savePassword();
    bool saveSite();
    bool saveCategory(qint64& remembered);
    bool warnIfEmpty(const QString& text, const QString& message);
    // Warns with the limit's message when the record would break it.
    bool refused(bool overLimit, const QString& message);
    bool askUpdate(const QString& question);
    void followUp(What what, qint64 remembered);

    Form& f;
};
