#include "edit/EditPanel.h"

#include "edit/Limits.h"
#include "edit/Statements.h"
#include "edit/TextLimit.h"
#include "platform/Prompter.h"
#include "store/Codes.h"
#include "store/Connection.h"
#include "store/StoreError.h"
#include "views/PasswordsList.h"
#include "views/ViewItems.h"
#include "views/ViewLoader.h"
#include "window/frmMain.h"

#include <QApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QToolButton>
#include <QTreeWidget>
#include <algorithm>

namespace {

const QString Categories = QStringLiteral("Categories");
const QString Sites = QStringLiteral("Sites");
const QString Passwords = QStringLiteral("Passwords");

bool isKind(const QString& What)
{
    return What == Categories || What == Sites || What == Passwords;
}

} // namespace

EditPanel::EditPanel(frmMain& form)
    : QObject(nullptr),
      f(form), m_boxes{f.txtCatName, f.txtSiteName, f.txtURL, f.txtSiteDesc, f.txtUserID, f.txtPassword, f.txtPWDesc}
{
    limitLength(f.txtSiteDesc, 500);
    for (QWidget* box : m_boxes) {
        box->installEventFilter(this);
        setBoxEnabled(box, false);
    }
    connect(f.txtPassword, &QLineEdit::textChanged, this, [this](const QString& text) {
        f.lblPL->setText(text.isEmpty() ? QString() : QString::number(text.size()));
    });
    connect(f.cmdX, &QToolButton::clicked, this, &EditPanel::hide);
}

void EditPanel::setBoxEnabled(QWidget* box, bool enabled)
{
    // Enabled boxes have the window background, disabled ones the button face, in every state.
    const QColor colour = QApplication::palette().color(enabled ? QPalette::Base : QPalette::Button);
    QPalette palette = box->palette();
    palette.setColor(QPalette::All, QPalette::Base, colour);
    box->setPalette(palette);
    box->setEnabled(enabled);
}

void EditPanel::FocusControl(QString& What)
{
    const QString what = What;
    auto inGroup = [this, &what](QWidget* box) {
        if (what == Categories)
            return box == f.txtCatName;
        if (what == Sites)
            return box == f.txtSiteName || box == f.txtURL || box == f.txtSiteDesc;
        if (what == Passwords)
            return box == f.txtUserID || box == f.txtPassword || box == f.txtPWDesc;
        return false;
    };
    // A disabled box hands its focus on to the next one: that move must not count as the user's.
    m_switching = true;
    for (QWidget* box : m_boxes) {
        if (inGroup(box))
            setBoxEnabled(box, true);
    }
    for (QWidget* box : m_boxes) {
        if (!inGroup(box))
            setBoxEnabled(box, false);
    }
    m_switching = false;
}

QString EditPanel::enabledKind() const
{
    if (f.txtUserID->isEnabled())
        return Passwords;
    if (f.txtSiteName->isEnabled())
        return Sites;
    return Categories;
}

QWidget* EditPanel::firstBox(const QString& What) const
{
    if (What == Categories)
        return f.txtCatName;
    if (What == Sites)
        return f.txtSiteName;
    if (What == Passwords)
        return f.txtUserID;
    return nullptr;
}

void EditPanel::showPanel()
{
    // A panel on show keeps its place; a hidden one comes back centred.
    if (!f.SSPanel1->isVisible()) {
        f.SSPanel1->setVisible(true);
        f.arrPan();
    }
    f.SSPanel1->raise();
}

void EditPanel::hide()
{
    f.SSPanel1->setVisible(false);
    // However the panel closes, the focus goes back to the view the user was working in, not to
    // whichever control happens to follow the panel in the tab order.
    if (f.CurWhat == Categories)
        f.tvCategories->setFocus();
    else if (f.CurWhat == Sites)
        f.lvURLs->setFocus();
    else if (f.CurWhat == Passwords)
        f.lvPasswords->setFocus();
}

void EditPanel::focusFirstBox(const QString& What)
{
    if (QWidget* box = firstBox(What); box && box->isEnabled() && box->isVisible())
        box->setFocus(Qt::OtherFocusReason);
}

bool EditPanel::allocateCode(const QString& kind)
{
    const qint64 catCode = codes::numericValue(f.lblCatCode->text());
    try {
        QLabel* label = nullptr;
        qint64 code = 0;
        if (kind == Passwords) {
            const qint64 siteCode = codes::numericValue(f.lblSiteCode->text());
            label = f.lblSer;
            code = codes::nextCode(f.db.scalar(statements::MaxSer, {catCode, siteCode}));
        } else if (kind == Sites) {
            label = f.lblSiteCode;
            code = codes::nextCode(f.db.scalar(statements::MaxSiteCode, {catCode}));
        } else {
            label = f.lblCatCode;
            code = codes::nextCode(f.db.scalar(statements::MaxCatCode));
        }
        // A full scope is said before the user types a record that could not be stored.
        QString full;
        if (kind == Passwords && code > codes::MaxSer)
            full = limits::TooManyEntries;
        else if (code > codes::MaxCode)
            full = kind == Sites ? limits::TooManySites : limits::TooManyCategories;
        if (!full.isEmpty()) {
            f.prompter.warn(full, frmMain::caption());
            hide();
            return false;
        }
        label->setText(QString::number(code));
    } catch (const StoreError& error) {
        // Without a code there is no new record to offer.
        f.showStoreError(error.reason());
        hide();
        return false;
    }
    return true;
}

void EditPanel::NewWhat(QString& What)
{
    // What may be CurWhat itself, which the focus moves below rewrite.
    const QString what = What;
    if (!isKind(what))
        return;
    QTreeWidgetItem* site = items::selectedRow(f.lvURLs);
    if (what == Passwords && !site) {
        // An entry needs its site: with none selected, the new record is a site.
        NewWhat(QString(Sites));
        return;
    }
    showPanel();

    QTreeWidgetItem* node = f.Nodes.at(f.SelNodeIndex);
    auto takeCategory = [this, node] {
        // The root is no category: its boxes stay empty and saving asks for a category.
        const bool category = node && !items::isRoot(node);
        f.txtCatName->setText(category ? node->text(0) : QString());
        f.lblCatCode->setText(category ? items::codeText(node) : QString());
    };
    if (what == Categories) {
        f.views->Clear(QString(Categories));
        f.views->Clear(QString(Sites));
        f.views->Clear(QString(Passwords));
    } else if (what == Sites) {
        f.views->Clear(QString(Sites));
        f.views->Clear(QString(Passwords));
        takeCategory();
    } else {
        f.views->Clear(QString(Passwords));
        f.lblSiteCode->setText(items::tag(site));
        f.txtSiteName->setText(site->text(2));
        f.txtURL->setText(site->text(3));
        f.txtSiteDesc->setPlainText(site->text(4));
        takeCategory();
    }
    FocusControl(QString(what));

    const QString kind = enabledKind();
    if (!allocateCode(kind))
        return;
    if (kind == Passwords)
        f.SSPanel4->setText(QStringLiteral("[ Add Password ]"));
    else if (kind == Sites)
        f.SSPanel4->setText(QStringLiteral("[ Add Site ]"));
    else
        f.SSPanel4->setText(QStringLiteral("[ Add Category ]"));
    focusFirstBox(kind);
}

void EditPanel::EditWhat(QString& What)
{
    const QString what = What;
    if (!isKind(what))
        return;
    showPanel();
    FocusControl(QString(what));
    const QString kind = enabledKind();

    if (kind == Passwords) {
        QTreeWidgetItem* row = items::selectedRow(f.lvPasswords);
        if (!row) {
            NewWhat(QString(kind));
            return;
        }
        f.passwords->takeEntry(row);
        f.SSPanel4->setText(QStringLiteral("[ Edit Password ]"));
    } else if (kind == Sites) {
        QTreeWidgetItem* row = items::selectedRow(f.lvURLs);
        if (!row) {
            NewWhat(QString(kind));
            return;
        }
        f.views->Clear(QString(Passwords));
        f.lblSiteCode->setText(items::tag(row));
        f.txtSiteName->setText(row->text(2));
        f.txtURL->setText(row->text(3));
        f.txtSiteDesc->setPlainText(row->text(4));
        f.SSPanel4->setText(QStringLiteral("[ Edit Site ]"));
    } else {
        QTreeWidgetItem* node = f.Nodes.at(f.SelNodeIndex);
        if (!node || items::isRoot(node)) {
            // The root is not stored and cannot be edited.
            NewWhat(QString(Categories));
            return;
        }
        f.views->Clear(QString(Passwords));
        f.views->Clear(QString(Sites));
        f.txtCatName->setText(node->text(0));
        f.lblCatCode->setText(items::codeText(node));
        f.tvCategories->setCurrentItem(node);
        f.SSPanel4->setText(QStringLiteral("[ Edit Category ]"));
    }
    focusFirstBox(kind);
}

void EditPanel::boxFocused(QWidget* box)
{
    if (m_switching)
        return;
    if (box == f.txtCatName)
        f.CurWhat = Categories;
    else if (box == f.txtSiteName || box == f.txtURL || box == f.txtSiteDesc)
        f.CurWhat = Sites;
    else
        f.CurWhat = Passwords;
    if (box == f.txtURL)
        f.txtURL->selectAll();
}


bool EditPanel::eventFilter(QObject* watched, QEvent* event)
{
    auto* box = qobject_cast<QWidget*>(watched);
    if (!box || std::find(m_boxes.begin(), m_boxes.end(), box) == m_boxes.end())
        return false;
    if (event->type() == QEvent::FocusIn) {
        boxFocused(box);
    } else if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        hide();
        return true;
    }
    return false;
}
