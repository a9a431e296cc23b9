#pragma once

#include <QObject>

class frmMain;
class QLineEdit;

// The two-way cipher check tool of the unlock-key strip.
class CheckTool : public QObject {
    Q_OBJECT

public:
    explicit CheckTool(frmMain& form);
    void Check();

    // A box shows its placeholder when its text, trimmed of spaces, is the placeholder.
    bool showsPlaceholder(const QLineEdit* box) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void gotFocus(QLineEdit* box);
    void lostFocus(QLineEdit* box);
    // Text colour: the key box's grey while the box has not the focus, the window-text colour while it has.
    // Which one is kept in the box's "ForeColorRole" property ("GrayText" or "WindowText").
    void setFocusedColour(QLineEdit* box, bool focused);
    QString placeholder(const QLineEdit* box) const;

    frmMain& f;
};
