#include "window/CheckTool.h"

#include "cipher/CryptText.h"
#include "platform/Prompter.h"
#include "store/TrimSpaces.h"
#include "views/UnlockKey.h"
#include "window/frmMain.h"

#include <QApplication>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPushButton>

namespace {

const QString NormalPlaceholder = QStringLiteral("Normal text here !");
const QString EncryptedPlaceholder = QStringLiteral("Encrypted text here !");

} // namespace

CheckTool::CheckTool(frmMain& form) : QObject(nullptr), f(form)
{
    for (QLineEdit* box : {f.txtNormal, f.txtEncrepted}) {
        box->installEventFilter(this);
        setFocusedColour(box, box->hasFocus());
    }
    connect(f.cmdCheck, &QPushButton::clicked, this, &CheckTool::Check);
}

QString CheckTool::placeholder(const QLineEdit* box) const
{
    return box == f.txtNormal ? NormalPlaceholder : EncryptedPlaceholder;
}

bool CheckTool::showsPlaceholder(const QLineEdit* box) const
{
    return trimSpaces(box->text()) == placeholder(box);
}

void CheckTool::setFocusedColour(QLineEdit* box, bool focused)
{
    QPalette palette = box->palette();
    const QColor colour = focused ? QApplication::palette().color(QPalette::WindowText) : UnlockKey::keyTextColour();
    palette.setColor(QPalette::Active, QPalette::Text, colour);
    palette.setColor(QPalette::Inactive, QPalette::Text, colour);
    box->setPalette(palette);
    box->setProperty("ForeColorRole", focused ? QStringLiteral("WindowText") : QStringLiteral("GrayText"));
}

void CheckTool::gotFocus(QLineEdit* box)
{
    const QString trimmed = trimSpaces(box->text());
    if (box == f.txtNormal) {
        if (showsPlaceholder(box)) {
            box->clear();
            setFocusedColour(box, true);
        } else if (!trimmed.isEmpty()) {
            setFocusedColour(box, true);
        }
        return;
    }
    if (showsPlaceholder(box) || trimmed.isEmpty())
        box->clear();
    setFocusedColour(box, true);
}

void CheckTool::lostFocus(QLineEdit* box)
{
    if (trimSpaces(box->text()).isEmpty())
        box->setText(placeholder(box));
    setFocusedColour(box, false);
}

void CheckTool::Check()
{
    if (!f.unlockKey->guard(frmMain::caption()))
        return;
    const bool normalShown = showsPlaceholder(f.txtNormal);
    const bool encryptedShown = showsPlaceholder(f.txtEncrepted);
    if (!normalShown && !encryptedShown) {
        f.prompter.warn(QStringLiteral("Clear one of the text box ( Normal text ) or ( Encrypted text )"),
                        frmMain::appTitle());
        return;
    }
    if (normalShown) {
        const QString source = trimSpaces(f.txtEncrepted->text());
        if (!source.isEmpty() && source != EncryptedPlaceholder)
            f.txtNormal->setText(CryptText(CryptMode::Dec, f.unlockKey->key(), source));
        return;
    }
    const QString source = trimSpaces(f.txtNormal->text());
    if (!source.isEmpty() && source != NormalPlaceholder)
        f.txtEncrepted->setText(CryptText(CryptMode::Enc, f.unlockKey->key(), source));
}

bool CheckTool::eventFilter(QObject* watched, QEvent* event)
{
    auto* box = qobject_cast<QLineEdit*>(watched);
    if (!box || (box != f.txtNormal && box != f.txtEncrepted))
        return false;
    if (event->type() != QEvent::FocusIn && event->type() != QEvent::FocusOut)
        return false;
    // The window losing its activation or a popup opening does not move the focus off the box.
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason)
        return false;
    if (event->type() == QEvent::FocusIn)
        gotFocus(box);
    else
        lostFocus(box);
    return false;
}
