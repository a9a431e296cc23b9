#pragma once

#include <QString>

class frmMain;

// DeleteWhat: removes the current record with everything below it, after asking.
class RecordDeleter {
public:
    explicit RecordDeleter(frmMain& form) : f(form) {}
    void DeleteWhat(QString& What);
    void DeleteWhat(QString&& What) { DeleteWhat(What); }

private:
    frmMain& f;
};
