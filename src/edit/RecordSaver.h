#pragma once

#include <QString>

class frmMain;

// SaveWhat: writes the edit panel into the store.
class RecordSaver {
public:
    explicit RecordSaver(frmMain& form) : f(form) {}
    void SaveWhat(QString& What);
    void SaveWhat(QString&& What) { SaveWhat(What); }

private:
    frmMain& f;
};
