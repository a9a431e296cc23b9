#pragma once

#include <QColor>
#include <QObject>
#include <QString>

class Form;
class QWidget;

// The unlock-key box, its indicator, the key.chk check and the focus hold while the key is incomplete.
class UnlockKey : public QObject {
    Q_OBJECT

public:
    explicit UnlockKey(Form& form);

    // The key as the cipher reads it: the box's current text.
    QString key() const;
    // The unlock-key guard: true when the key is complete; otherwise shows the two-line message titled
    // `title` and returns false.
    bool guard(const QString& title);
    // Runs after every change of the box's text.
    void KeyChanged();

    // The indicator's caption colours, as colour values (0xBBGGRR).
    static constexpr int IncompleteColour = 255; // red
    static constexpr int CompleteColour = 32768; // dark green
    // The key box's text colour: the system's grey text. The check tool draws its unfocused boxes in it.
    static QColor keyTextColour();

    // Whether the focus is being held in the key box (from the first change until the key is complete).
    bool holding() const { return m_holding; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showIndicator(bool complete);
    void showCheckSentence();
    void reloadPasswords();
    void focusChanged(QWidget* now);
    void reclaimFocus();
    bool mayReclaim() const;
    void pasteDigits();
    void showContextMenu(const QPoint& globalPos);

    Form& f;
    QString m_lastKey;
    bool m_holding = false;
    bool m_reclaimQueued = false;
};
