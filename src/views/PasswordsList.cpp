#include "views/PasswordsList.h"

#include "cipher/CryptText.h"
#include "models/CategoryModel.h"
#include "models/PasswordsModel.h"
#include "platform/Clipboard.h"
#include "platform/Pictures.h"
#include "store/Codes.h"
#include "store/Connection.h"
#include "store/TrimSpaces.h"
#include "views/CategoryTree.h"
#include "views/Form.h"
#include "views/PanelPort.h"
#include "views/SitesList.h"
#include "views/UnlockKey.h"
#include "views/ViewItems.h"

#include <QFocusEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTreeView>
#include <utility>

namespace {

const QString SelectEntries =
    QStringLiteral("SELECT Ser, UserID, UserPW, PWDesc FROM PWs WHERE CatCode = ? AND SiteCode = ? "
                   "ORDER BY UserID COLLATE NOCASE");

} // namespace

PasswordsList::PasswordsList(Form& form)
    : QObject(nullptr), f(form), m_list(form.lvPasswords), m_model(form.passwordsModel)
{
    m_list->installEventFilter(this);
    m_list->viewport()->installEventFilter(this);
    // A double click begins with the click that copies; it adds nothing of its own.
    connect(m_list, &QTreeView::doubleClicked, this, [this] { m_doubleClicked = true; });
    connect(m_list, &QTreeView::clicked, this, [this] {
        if (std::exchange(m_doubleClicked, false))
            return;
        EntryClick();
    });
    connect(m_list->header(), &QHeaderView::sectionClicked, this, [this](int section) { HeaderClick(section + 1); });
}

bool PasswordsList::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_list->viewport()) {
        if (event->type() == QEvent::MouseButtonPress)
            m_doubleClicked = false;
        return false;
    }
    if (watched != m_list)
        return false;
    switch (event->type()) {
    case QEvent::FocusIn:
    case QEvent::FocusOut: {
        // The window regaining its activation (after a message box, say) is not the user entering the list.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason)
            break;
        if (event->type() == QEvent::FocusIn)
            GotFocus();
        else
            LostFocus();
        break;
    }
    case QEvent::KeyPress: {
        // Space and Enter do what a click does, so the list works without a mouse.
        auto* key = static_cast<QKeyEvent*>(event);
        const bool space = key->key() == Qt::Key_Space;
        if (key->modifiers() != Qt::NoModifier && key->modifiers() != Qt::KeypadModifier)
            break;
        if (!space && key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
            break;
        if (space)
            static_cast<QObject*>(m_list)->event(event); // Space selects the current row first
        else if (m_list->currentIndex().isValid() && items::selectedRow(m_list) < 0)
            items::selectRow(m_list, m_list->currentIndex().row());
        if (items::selectedRow(m_list) >= 0)
            EntryClick();
        return true;
    }
    default:
        break;
    }
    return false;
}

void PasswordsList::Fill()
{
    const qint64 C = f.tree->currentCode();
    const std::optional<qint32> S = f.sites->selectedSiteCode();
    const QString key = f.unlockKey->key();
    std::vector<EntryRow> rows;
    f.db.each(SelectEntries, {C, S.value_or(0)}, [&rows, &key](const Cursor& row) {
        const QString stored = row.text(2);
        // The clear password lives only in the row, never on show; a Null description shows empty.
        rows.push_back({int(row.integer(0)), row.text(1), CryptText(CryptMode::Dec, key, stored), int(stored.size()),
                        row.text(3)});
    });
    m_model.setRows(std::move(rows));
    applySort();
}

void PasswordsList::applySort()
{
    if (m_sort.on)
        m_model.sort(m_sort.key, m_sort.order);
}

int PasswordsList::rowCount() const
{
    return m_model.rowCount();
}

const EntryRow* PasswordsList::selectedEntry() const
{
    const int row = items::selectedRow(m_list);
    return row < 0 ? nullptr : &m_model.entry(row);
}

void PasswordsList::EntryClick()
{
    if (!f.unlockKey->guard(Form::caption())) {
        f.state.CurWhat = What::Sites;
        f.panel->FocusControl(f.state.CurWhat);
        return;
    }
    const EntryRow* row = selectedEntry();
    if (rowCount() == 0 || !row || trimSpaces(row->userId).isEmpty()) {
        if (f.panel->isOpen())
            f.panel->showCaption(PanelPort::Mode::Add, What::Passwords);
        return;
    }
    if (const QModelIndex node = f.tree->current(); node.isValid()) {
        f.txtCatName->setText(f.categoryModel.name(node));
        f.state.setCatCode(f.state.SelNodeIndex);
        f.tree->select(node);
    }
    const SiteRow* site = f.sites->selectedSite();
    f.state.setSiteCode(site ? std::optional<qint32>(site->siteCode) : std::nullopt);
    f.txtSiteName->setText(site ? site->name : QString());
    f.txtURL->setText(site ? site->url : QString());
    f.txtSiteDesc->setPlainText(site ? site->description : QString());

    takeEntry(*row);
    if (f.panel->isOpen())
        f.panel->showCaption(PanelPort::Mode::Edit, What::Passwords);
}

void PasswordsList::takeEntry(const EntryRow& row)
{
    f.state.setSer(row.ser);
    f.txtUserID->setText(row.userId);
    f.txtPassword->setText(row.password);
    f.txtPWDesc->setText(row.description);
    f.clipboard.clear();
    f.clipboard.setPassword(row.password);
}

void PasswordsList::HeaderClick(int c)
{
    if (m_sort.key == c - 1) {
        m_sort.reverse();
    } else {
        m_model.setHeaderPicture(m_sort.key, img1616::None);
        m_sort.key = c - 1;
    }
    m_model.setHeaderPicture(c - 1, m_sort.picture());
    m_sort.on = true;
    applySort();
}

void PasswordsList::GotFocus()
{
    f.state.CurWhat = What::Passwords;
    Form::setBorderStyle(m_list, 1);
    const QModelIndex node = f.tree->selected();
    if (node != f.tree->current()) {
        LostFocus();
        f.tvCategories->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (f.sites->rowCount() == 0) {
        LostFocus();
        f.lvURLs->setFocus(Qt::OtherFocusReason);
        return;
    }
    const bool hasEntries = rowCount() > 0;
    const EntryRow* selected = selectedEntry();
    // The entry on show in the panel is the selected one (both none counts too).
    const bool onCurrentEntry = selected ? f.state.registers().ser == selected->ser : !f.state.registers().ser;
    const Registers& registers = f.state.registers();
    if (f.panel->isOpen()) {
        if (registers.siteCode != f.sites->selectedSiteCode()) {
            f.panel->NewWhat(What::Sites);
            return;
        }
        f.panel->FocusControl(f.state.CurWhat);
        if (hasEntries && onCurrentEntry)
            f.panel->EditWhat(What::Passwords);
        else
            f.panel->NewWhat(What::Passwords);
        return;
    }
    if (hasEntries) {
        if (!onCurrentEntry)
            EntryClick();
    } else if (node.isValid() && !f.categoryModel.isRoot(node)) {
        f.state.setCatCode(f.categoryModel.code(node));
        f.txtCatName->setText(f.categoryModel.name(node));
    } else {
        LostFocus();
        f.tvCategories->setFocus(Qt::OtherFocusReason);
    }
}

void PasswordsList::LostFocus()
{
    Form::setBorderStyle(m_list, 0);
}
