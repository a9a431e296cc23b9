#pragma once

#include <QObject>

class frmMain;
class QKeyEvent;

// The window sees every key before the focused control: Esc hides the edit panel; Ctrl+A, Ctrl+E, Ctrl+S
// (on key down) and Ctrl+D (on key up) run the four commands, whatever control has the focus. The hidden
// menu's items are routed to the same commands.
class KeyRouter : public QObject {
    Q_OBJECT

public:
    explicit KeyRouter(frmMain& form);

    enum class Command { None, Add, Edit, Save, Delete };
    // Which command a key event asks for; only Ctrl alone counts as the modifier. `deleteDown` carries from
    // one event to the next whether D went down under Ctrl alone and is still down. The chord is judged when
    // D goes down: a quick hand (or X) often lets go of Ctrl first, and the release then carries no modifiers.
    static Command commandFor(const QKeyEvent& event, bool& deleteDown);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void run(Command command);

    frmMain& f;
    bool m_deleteDown = false;
};
