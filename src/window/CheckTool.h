#pragma once

#include <QObject>

class frmMain;

// The two-way cipher check tool of the unlock-key strip.
class CheckTool : public QObject {
    Q_OBJECT

public:
    explicit CheckTool(frmMain& form);
    void Check();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    frmMain& f;
};
