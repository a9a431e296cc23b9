#include "edit/EditPanel.h"

#include "edit/Limits.h"
#include "edit/Statements.h"
#include "edit/TextLimit.h"
#include "models/CategoryModel.h"
#include "platform/Prompter.h"
#include "store/Codes.h"
#include "store/Connection.h"
#include "store/StoreError.h"
#include "views/CategoryTree.h"
#include "views/Form.h"
#include "views/PasswordsList.h"
#include "views/SitesList.h"
#include "views/ViewItems.h"
#include "views/ViewLoader.h"

#include <QApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QToolButton>
#include <QTreeView>
#include <algorithm>

EditPanel::EditPanel(Form& form)
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
    connect(f.cmdX, &QToolButton::clicked, this, &EditPanel::close);
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

void EditPanel::FocusControl(What what)
{
    m_group = what;
    auto inGroup = [this, what](QWidget* box) { return groupOf(box) == what; };
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

What EditPanel::groupOf(const QWidget* box) const
{
    if (box == f.txtCatName)
        return What::Categories;
    if (box == f.txtSiteName || box == f.txtURL || box == f.txtSiteDesc)
        return What::Sites;
    if (box == f.txtUserID || box == f.txtPassword || box == f.txtPWDesc)
        return What::Passwords;
    return What::None;
}

What EditPanel::enabledKind() const
{
    return m_group == What::Passwords || m_group == What::Sites ? m_group : What::Categories;
}

QWidget* EditPanel::firstBox(What what) const
{
    switch (what) {
    case What::Categories:
        return f.txtCatName;
    case What::Sites:
        return f.txtSiteName;
    case What::Passwords:
        return f.txtUserID;
    case What::None:
        break;
    }
    return nullptr;
}

void EditPanel::showCaption(Mode mode, What kind)
{
    m_mode = mode;
    const bool add = mode == Mode::Add;
    switch (kind) {
    case What::Categories:
        f.SSPanel4->setText(add ? QStringLiteral("[ Add Category ]") : QStringLiteral("[ Edit Category ]"));
        break;
    case What::Sites:
        f.SSPanel4->setText(add ? QStringLiteral("[ Add Site ]") : QStringLiteral("[ Edit Site ]"));
        break;
    case What::Passwords:
        f.SSPanel4->setText(add ? QStringLiteral("[ Add Password ]") : QStringLiteral("[ Edit Password ]"));
        break;
    case What::None:
        break;
    }
}

void EditPanel::show()
{
    // A panel on show keeps its place; a hidden one comes back centred.
    if (!m_open) {
        m_open = true;
        f.SSPanel1->setVisible(true);
        f.arrPan();
    }
    f.SSPanel1->raise();
}

void EditPanel::hide()
{
    m_open = false;
    f.SSPanel1->setVisible(false);
}

void EditPanel::close()
{
    hide();
    // However the panel closes, the focus goes back to the view the user was working in, not to
    // whichever control happens to follow the panel in the tab order.
    if (f.state.CurWhat == What::Categories)
        f.tvCategories->setFocus();
    else if (f.state.CurWhat == What::Sites)
        f.lvURLs->setFocus();
    else if (f.state.CurWhat == What::Passwords)
        f.lvPasswords->setFocus();
}

void EditPanel::focusFirstBox(What what)
{
    if (QWidget* box = firstBox(what); box && box->isEnabled() && box->isVisible())
        box->setFocus(Qt::OtherFocusReason);
}

bool EditPanel::allocateCode(What kind)
{
    const Registers& registers = f.state.registers();
    const qint64 catCode = registers.catCode.value_or(0);
    try {
        qint64 code = 0;
        if (kind == What::Passwords)
            code = codes::nextCode(f.db.scalar(statements::MaxSer, {catCode, registers.siteCode.value_or(0)}));
        else if (kind == What::Sites)
            code = codes::nextCode(f.db.scalar(statements::MaxSiteCode, {catCode}));
        else
            code = codes::nextCode(f.db.scalar(statements::MaxCatCode));
        // A full scope is said before the user types a record that could not be stored.
        QString full;
        if (kind == What::Passwords && code > codes::MaxSer)
            full = limits::TooManyEntries;
        else if (code > codes::MaxCode)
            full = kind == What::Sites ? limits::TooManySites : limits::TooManyCategories;
        if (!full.isEmpty()) {
            f.prompter.warn(full, Form::caption());
            close();
            return false;
        }
        if (kind == What::Passwords)
            f.state.setSer(int(code));
        else if (kind == What::Sites)
            f.state.setSiteCode(qint32(code));
        else
            f.state.setCatCode(qint32(code));
    } catch (const StoreError& error) {
        // Without a code there is no new record to offer.
        f.showStoreError(error.reason());
        close();
        return false;
    }
    return true;
}

void EditPanel::NewWhat(What what)
{
    if (what == What::None)
        return;
    const SiteRow* site = f.sites->selectedSite();
    if (what == What::Passwords && !site) {
        // An entry needs its site: with none selected, the new record is a site.
        NewWhat(What::Sites);
        return;
    }
    show();

    auto takeCategory = [this] {
        // The root is no category: its boxes stay empty and saving asks for a category.
        const QModelIndex node = f.tree->current();
        const bool category = node.isValid() && !f.categoryModel.isRoot(node);
        f.txtCatName->setText(category ? f.categoryModel.name(node) : QString());
        f.state.setCatCode(category ? std::optional<qint32>(f.state.SelNodeIndex) : std::nullopt);
    };
    if (what == What::Categories) {
        f.views->Clear(What::Categories);
        f.views->Clear(What::Sites);
        f.views->Clear(What::Passwords);
    } else if (what == What::Sites) {
        f.views->Clear(What::Sites);
        f.views->Clear(What::Passwords);
        takeCategory();
    } else {
        f.views->Clear(What::Passwords);
        f.state.setSiteCode(site->siteCode);
        f.txtSiteName->setText(site->name);
        f.txtURL->setText(site->url);
        f.txtSiteDesc->setPlainText(site->description);
        takeCategory();
    }
    FocusControl(what);

    const What kind = enabledKind();
    if (!allocateCode(kind))
        return;
    showCaption(Mode::Add, kind);
    focusFirstBox(kind);
}

void EditPanel::EditWhat(What what)
{
    if (what == What::None)
        return;
    show();
    FocusControl(what);
    const What kind = enabledKind();

    if (kind == What::Passwords) {
        const EntryRow* row = f.passwords->selectedEntry();
        if (!row) {
            NewWhat(kind);
            return;
        }
        f.passwords->takeEntry(*row);
    } else if (kind == What::Sites) {
        const SiteRow* row = f.sites->selectedSite();
        if (!row) {
            NewWhat(kind);
            return;
        }
        f.views->Clear(What::Passwords);
        f.state.setSiteCode(row->siteCode);
        f.txtSiteName->setText(row->name);
        f.txtURL->setText(row->url);
        f.txtSiteDesc->setPlainText(row->description);
    } else {
        const QModelIndex node = f.tree->current();
        if (!node.isValid() || f.categoryModel.isRoot(node)) {
            // The root is not stored and cannot be edited.
            NewWhat(What::Categories);
            return;
        }
        f.views->Clear(What::Passwords);
        f.views->Clear(What::Sites);
        f.txtCatName->setText(f.categoryModel.name(node));
        f.state.setCatCode(f.state.SelNodeIndex);
        f.tree->select(node);
    }
    showCaption(Mode::Edit, kind);
    focusFirstBox(kind);
}

void EditPanel::boxFocused(QWidget* box)
{
    if (m_switching)
        return;
    f.state.CurWhat = groupOf(box);
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
        close();
        return true;
    }
    return false;
}
