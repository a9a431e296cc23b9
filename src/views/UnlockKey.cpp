#include "views/UnlockKey.h"

#include "cipher/CryptText.h"
#include "cipher/KeyFile.h"
#include "cipher/UnlockGuard.h"
#include "models/PasswordsModel.h"
#include "platform/Pictures.h"
#include "platform/Prompter.h"
#include "views/Form.h"
#include "views/PasswordsList.h"
#include "views/SitesList.h"
#include "views/ViewItems.h"
#include "views/ViewLoader.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTreeView>
#include <QValidator>

namespace {

const QString NormalPlaceholder = QStringLiteral("Normal text here !");

bool isKeyDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// Keeps only the digits of whatever reaches the box: typed, pasted, dropped or composed.
class DigitsOnly final : public QValidator {
public:
    using QValidator::QValidator;

    State validate(QString& input, int& pos) const override
    {
        qsizetype kept = 0;
        int cursor = pos;
        for (qsizetype i = 0; i < input.size(); ++i) {
            const QChar c = input.at(i);
            if (isKeyDigit(c))
                input[kept++] = c;
            else if (i < pos)
                --cursor;
        }
        input.truncate(kept);
        pos = cursor;
        return Acceptable;
    }
};

// A colour value as the design gives it (0xBBGGRR).
QColor fromColourValue(int value)
{
    return QColor(value & 0xff, (value >> 8) & 0xff, (value >> 16) & 0xff);
}

} // namespace

UnlockKey::UnlockKey(Form& form) : QObject(nullptr), f(form)
{
    QLineEdit* box = f.txtPass;
    box->setValidator(new DigitsOnly(box));
    box->installEventFilter(this);
    QPalette palette = box->palette();
    palette.setColor(QPalette::Text, keyTextColour());
    box->setPalette(palette);

    // The caption colour tells the key's state; the "Key Check" caption inside the strip keeps its own.
    QPalette caption = f.SSPanel3->palette();
    caption.setColor(QPalette::WindowText, QApplication::palette().color(QPalette::WindowText));
    f.SSPanel3->setPalette(caption);
    showIndicator(false);

    connect(box, &QLineEdit::textChanged, this, [this](const QString& text) {
        // A filtered keystroke can report the text it started from: that is no change.
        if (text == m_lastKey)
            return;
        m_lastKey = text;
        KeyChanged();
    });
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { focusChanged(now); });
}

QColor UnlockKey::keyTextColour()
{
    return QApplication::palette().color(QPalette::Disabled, QPalette::WindowText);
}

QString UnlockKey::key() const
{
    return f.txtPass->text();
}

bool UnlockKey::guard(const QString& title)
{
    if (unlockKeyComplete(key()))
        return true;
    f.prompter.warn(unlockKeyMessage(), title);
    return false;
}

void UnlockKey::KeyChanged()
{
    if (key().size() < 6) {
        showIndicator(false);
        f.txtNormal->setText(NormalPlaceholder);
        m_holding = true;
        focusChanged(QApplication::focusWidget());
        return;
    }
    m_holding = false;
    showCheckSentence();
    showIndicator(true);
    reloadPasswords();
}

void UnlockKey::showIndicator(bool complete)
{
    const int colour = complete ? CompleteColour : IncompleteColour;
    f.SSPanel2->setProperty("ForeColor", colour);
    QPalette palette = f.SSPanel2->palette();
    palette.setColor(QPalette::WindowText, fromColourValue(colour));
    f.SSPanel2->setPalette(palette);

    const int picture = complete ? img1616::KeyComplete : img1616::KeyIncomplete;
    f.Image1->setPixmap(img1616::picture(picture).pixmap(QSize(16, 16), f.Image1->devicePixelRatioF()));
    f.Image1->setProperty("pictureIndex", picture);
}

void UnlockKey::showCheckSentence()
{
    const KeyFileRead read = readKeyFile(f.programFolder + QStringLiteral("/key.chk"));
    switch (read.status) {
    case KeyFileRead::Status::Missing:
        break;
    case KeyFileRead::Status::Unreadable:
        // The user placed the file to see the key checked: say why it is not.
        f.prompter.warn(read.error, Form::caption());
        break;
    case KeyFileRead::Status::Read:
        f.txtNormal->setText(CryptText(CryptMode::Dec, key(), read.lastField));
        break;
    }
}

void UnlockKey::reloadPasswords()
{
    const SiteRow* site = f.sites->selectedSite();
    if (f.sites->rowCount() == 0 || !site || site->siteCode != f.state.registers().siteCode ||
        f.passwords->rowCount() == 0)
        return;
    const EntryRow* selected = f.passwords->selectedEntry();
    const std::optional<int> entry =
        f.state.CurWhat == What::Passwords && selected ? std::optional<int>(selected->ser) : std::nullopt;
    f.lvURLs->setFocus(Qt::OtherFocusReason);
    f.sites->SiteClick();
    f.views->Load(What::Passwords);
    if (!entry)
        return;
    // An entry's Ser is unique within its site.
    if (const int row = f.passwordsModel.rowOfSer(*entry); row >= 0) {
        f.lvPasswords->setFocus(Qt::OtherFocusReason);
        items::selectRow(f.lvPasswords, row);
        f.passwords->EntryClick();
    }
}

bool UnlockKey::mayReclaim() const
{
    if (!m_holding || !f.mainWindow()->isVisible() || !f.txtPass->isVisible() || !f.txtPass->isEnabled())
        return false;
    // A dialog (a message box, say) keeps its focus; so does any other window.
    if (QApplication::activeModalWidget())
        return false;
    const QWidget* now = QApplication::focusWidget();
    return now && now != f.txtPass && now->window() == f.mainWindow();
}

void UnlockKey::focusChanged(QWidget*)
{
    // Put back after the event that moved the focus has been handled, so the control it went to still gets
    // its click; one pending call at a time, so nothing spins.
    if (m_reclaimQueued || !mayReclaim())
        return;
    m_reclaimQueued = true;
    QMetaObject::invokeMethod(this, &UnlockKey::reclaimFocus, Qt::QueuedConnection);
}

void UnlockKey::reclaimFocus()
{
    m_reclaimQueued = false;
    if (mayReclaim())
        f.txtPass->setFocus(Qt::OtherFocusReason);
}

void UnlockKey::pasteDigits()
{
    QString digits;
    for (const QChar c : QGuiApplication::clipboard()->text()) {
        if (isKeyDigit(c))
            digits += c;
    }
    // Filtered before the box's length limit cuts the text: "1a2b3c4d5e6f" gives six digits.
    if (!digits.isEmpty())
        f.txtPass->insert(digits);
}

void UnlockKey::showContextMenu(const QPoint& globalPos)
{
    QMenu* menu = f.txtPass->createStandardContextMenu();
    // The standard Paste is the action wired to the box's paste(): rewire it to the filtered one.
    for (QAction* action : menu->actions()) {
        if (QObject::disconnect(action, SIGNAL(triggered()), f.txtPass, SLOT(paste())))
            connect(action, &QAction::triggered, this, &UnlockKey::pasteDigits);
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(globalPos);
}

bool UnlockKey::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != f.txtPass)
        return false;
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->matches(QKeySequence::Paste)) {
        pasteDigits();
        return true;
    }
    if (event->type() == QEvent::ContextMenu) {
        showContextMenu(static_cast<QContextMenuEvent*>(event)->globalPos());
        return true;
    }
    return false;
}
