#include "views/PasswordsList.h"

#include "cipher/CryptText.h"
#include "edit/EditPanel.h"
#include "platform/Clipboard.h"
#include "platform/Pictures.h"
#include "store/Codes.h"
#include "store/Connection.h"
#include "store/TrimSpaces.h"
#include "views/CategoryTree.h"
#include "views/ListItem.h"
#include "views/SitesList.h"
#include "views/ViewItems.h"
#include "window/UnlockKey.h"
#include "window/frmMain.h"

#include <QFocusEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTreeWidget>
#include <utility>

namespace {

const QString SelectEntries =
    QStringLiteral("SELECT * FROM PWs WHERE CatCode = ? AND SiteCode = ? ORDER BY UserID COLLATE NOCASE");

} // namespace

PasswordsList::PasswordsList(frmMain& form) : QObject(nullptr), f(form), m_list(form.lvPasswords)
{
    m_list->installEventFilter(this);
    m_list->viewport()->installEventFilter(this);
    // A double click begins with the click that copies; it adds nothing of its own.
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, [this] { m_doubleClicked = true; });
    connect(m_list, &QTreeWidget::itemClicked, this, [this] {
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
        else if (m_list->currentItem() && !items::selectedRow(m_list))
            items::selectRow(m_list, m_list->currentItem());
        if (items::selectedRow(m_list))
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
    m_list->clear();
    const qint64 C = f.tree->currentCode();
    const SiteRow* site = f.sites->selectedSite();
    const qint64 S = site ? site->siteCode : 0;
    const std::vector<Row> rows = f.db.select(SelectEntries, {C, S});
    const QString key = f.unlockKey->key();
    QList<QTreeWidgetItem*> added;
    added.reserve(qsizetype(rows.size()));
    for (const Row& row : rows) {
        auto* item = new ListItem;
        item->setText(0, row["UserID"].toString());
        items::setPicture(item, 0, img1616::Password);
        items::setRowCode(item, row["Ser"].toInt());
        const QString stored = row["UserPW"].toString();
        item->setText(1, QString(stored.size(), u'*'));
        // The clear password lives only here, never on show.
        items::setTag(item, CryptText(CryptMode::Dec, key, stored), 1);
        item->setText(2, row["PWDesc"].toString()); // Null gives the empty text
        added.append(item);
    }
    m_list->addTopLevelItems(added);
    applySort();
}

void PasswordsList::applySort()
{
    m_sort.apply(m_list);
}

void PasswordsList::EntryClick()
{
    if (!f.unlockKey->guard(frmMain::caption())) {
        f.state.CurWhat = What::Sites;
        f.panel->FocusControl(f.state.CurWhat);
        return;
    }
    QTreeWidgetItem* row = items::selectedRow(m_list);
    if (m_list->topLevelItemCount() == 0 || !row || trimSpaces(row->text(0)).isEmpty()) {
        if (f.panel->isOpen())
            f.panel->showCaption(EditPanel::Mode::Add, What::Passwords);
        return;
    }
    if (QTreeWidgetItem* node = f.tree->current()) {
        f.txtCatName->setText(node->text(0));
        f.state.setCatCode(f.state.SelNodeIndex);
        f.tvCategories->setCurrentItem(node);
    }
    const SiteRow* site = f.sites->selectedSite();
    f.state.setSiteCode(site ? std::optional<qint32>(site->siteCode) : std::nullopt);
    f.txtSiteName->setText(site ? site->name : QString());
    f.txtURL->setText(site ? site->url : QString());
    f.txtSiteDesc->setPlainText(site ? site->description : QString());

    takeEntry(row);
    if (f.panel->isOpen())
        f.panel->showCaption(EditPanel::Mode::Edit, What::Passwords);
}

void PasswordsList::takeEntry(const QTreeWidgetItem* row)
{
    const QString password = items::tag(row, 1);
    f.state.setSer(items::rowCode(row));
    f.txtUserID->setText(row->text(0));
    f.txtPassword->setText(password);
    f.txtPWDesc->setText(row->text(2));
    f.clipboard.clear();
    f.clipboard.setPassword(password);
}

void PasswordsList::HeaderClick(int c)
{
    if (m_sort.key == c - 1) {
        m_sort.reverse();
    } else {
        SortState::clearHeader(m_list, m_sort.key);
        m_sort.key = c - 1;
    }
    items::setHeaderPicture(m_list, c - 1, m_sort.picture());
    m_sort.on = true;
    m_sort.apply(m_list);
}

void PasswordsList::GotFocus()
{
    f.state.CurWhat = What::Passwords;
    frmMain::setBorderStyle(m_list, 1);
    QTreeWidgetItem* node = f.tvCategories->currentItem();
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
    const bool hasEntries = m_list->topLevelItemCount() > 0;
    const std::optional<qint32> selectedSer = items::rowCode(items::selectedRow(m_list));
    const Registers& registers = f.state.registers();
    if (f.panel->isOpen()) {
        if (registers.siteCode != f.sites->selectedSiteCode()) {
            f.panel->NewWhat(What::Sites);
            return;
        }
        f.panel->FocusControl(f.state.CurWhat);
        if (hasEntries && registers.ser == selectedSer)
            f.panel->EditWhat(What::Passwords);
        else
            f.panel->NewWhat(What::Passwords);
        return;
    }
    if (hasEntries) {
        if (registers.ser != selectedSer)
            EntryClick();
    } else if (node && !items::isRoot(node)) {
        f.state.setCatCode(qint32(items::code(node)));
        f.txtCatName->setText(node->text(0));
    } else {
        LostFocus();
        f.tvCategories->setFocus(Qt::OtherFocusReason);
    }
}

void PasswordsList::LostFocus()
{
    frmMain::setBorderStyle(m_list, 0);
}
