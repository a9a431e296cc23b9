#pragma once

#include <QObject>

class frmMain;

// The unlock-key box, its indicator, the key.chk check and the focus hold while the key is incomplete.
class UnlockKey : public QObject {
    Q_OBJECT

public:
    explicit UnlockKey(frmMain& form);

    // The key as the cipher reads it: the box's current text.
    QString key() const;
    // The unlock-key guard: true when the key is complete; otherwise shows the two-line message titled
    // `title` and returns false.
    bool guard(const QString& title);
    // Runs after every change of the box's text.
    void KeyChanged();

private:
    frmMain& f;
};
