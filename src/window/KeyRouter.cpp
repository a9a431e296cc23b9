#include "window/KeyRouter.h"

#include "edit/EditCommands.h"
#include "edit/EditPanel.h"
#include "window/frmMain.h"

#include <QAction>
#include <QApplication>
#include <QFrame>
#include <QKeyEvent>
#include <utility>

KeyRouter::KeyRouter(frmMain& form) : QObject(nullptr), f(form)
{
    qApp->installEventFilter(this);
    for (QAction* item : f.M1S) {
        connect(item, &QAction::triggered, this, [this, item] {
            static constexpr Command byIndex[] = {Command::Add, Command::Edit, Command::Save, Command::Delete};
            run(byIndex[item->property("Index").toInt()]);
        });
    }
}

KeyRouter::Command KeyRouter::commandFor(const QKeyEvent& event, bool& deleteDown)
{
    const bool ctrlAlone = (event.modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier;
    const bool down = event.type() == QEvent::KeyPress;
    if (event.key() == Qt::Key_D) {
        if (event.isAutoRepeat())
            return Command::None;
        if (down) {
            deleteDown = ctrlAlone;
            return Command::None;
        }
        const bool wasDown = std::exchange(deleteDown, false);
        return wasDown ? Command::Delete : Command::None;
    }
    if (down && !event.isAutoRepeat() && event.key() != Qt::Key_Control)
        deleteDown = false;
    if (!down || !ctrlAlone)
        return Command::None;
    switch (event.key()) {
    case Qt::Key_A:
        return Command::Add;
    case Qt::Key_E:
        return Command::Edit;
    case Qt::Key_S:
        return Command::Save;
    default:
        return Command::None;
    }
}

bool KeyRouter::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)
        return false;
    // Only the first delivery, to the focused control of this window (a key a control ignores travels on
    // to its parents), and never the keys of a dialog over the window.
    if (!watched->isWidgetType())
        return false;
    auto* widget = static_cast<QWidget*>(watched);
    if (widget->window() != &f || (QApplication::focusWidget() && widget != QApplication::focusWidget()))
        return false;

    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Escape && event->type() == QEvent::KeyPress) {
        if (f.panel->isOpen())
            f.panel->hide();
        return false; // the edit boxes have their own Esc handling
    }
    const Command command = commandFor(*key, m_deleteDown);
    if (command != Command::None) {
        run(command);
        return true;
    }
    // Ctrl+D goes down before it acts on release: keep it from the control (a line edit would delete a character).
    return key->key() == Qt::Key_D && (key->modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier;
}

void KeyRouter::run(Command command)
{
    switch (command) {
    case Command::Add:
        f.commands->sbAdd();
        break;
    case Command::Edit:
        f.commands->sbEdit();
        break;
    case Command::Save:
        f.commands->sbSave();
        break;
    case Command::Delete:
        f.commands->sbDelete();
        break;
    case Command::None:
        break;
    }
}
