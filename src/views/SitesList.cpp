#include "views/SitesList.h"

#include "edit/EditPanel.h"
#include "platform/Pictures.h"
#include "platform/Shell.h"
#include "store/TrimSpaces.h"
#include "views/CategoryTree.h"
#include "views/ViewItems.h"
#include "views/ViewLoader.h"
#include "window/frmMain.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTreeWidget>
#include <algorithm>
#include <iterator>

SitesList::SitesList(frmMain& form) : QObject(nullptr), f(form), m_list(form.lvURLs)
{
    m_list->installEventFilter(this);
    // Presses land on the viewport: each one starts a fresh click.
    m_list->viewport()->installEventFilter(this);
    connect(m_list, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem*, int column) {
        if (column != 0 || m_bulkCheck)
            return;
        m_checkChanged = true;
        CheckBoxChanged();
    });
    connect(m_list, &QTreeWidget::itemClicked, this, [this] {
        if (m_checkChanged) {
            m_checkChanged = false;
            // Ticking a box picks a site for a command; it does not select it, or the entries on show would
            // seem to belong to another site than the one they were loaded for.
            if (m_list->indexOfTopLevelItem(m_selectedAtPress) >= 0 && m_selectedAtPress != items::selectedRow(m_list))
                items::selectRow(m_list, m_selectedAtPress);
            return;
        }
        SiteClick();
    });
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, [this] { GoToSite(); });
    connect(m_list->header(), &QHeaderView::sectionClicked, this, [this](int section) { HeaderClick(section + 1); });
}

bool SitesList::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_list->viewport()) {
        if (event->type() == QEvent::MouseButtonPress) {
            m_checkChanged = false;
            m_selectedAtPress = items::selectedRow(m_list);
        }
        return false;
    }
    if (watched != m_list)
        return false;
    switch (event->type()) {
    case QEvent::FocusIn:
        GotFocus();
        break;
    case QEvent::FocusOut:
        LostFocus();
        break;
    case QEvent::KeyPress: {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            GoToSite();
            return true;
        }
        static constexpr int moves[] = {Qt::Key_Up,       Qt::Key_Down, Qt::Key_PageUp,
                                        Qt::Key_PageDown, Qt::Key_Home, Qt::Key_End};
        if (key->modifiers() != Qt::NoModifier ||
            std::find(std::begin(moves), std::end(moves), key->key()) == std::end(moves))
            break;
        // Moving through the sites with the keyboard makes the new row current, as a click does.
        QTreeWidgetItem* before = m_list->currentItem();
        static_cast<QObject*>(m_list)->event(event); // let the list move first
        if (m_list->currentItem() != before && items::selectedRow(m_list))
            SiteClick();
        return true;
    }
    default:
        break;
    }
    return false;
}

void SitesList::SiteClick()
{
    QTreeWidgetItem* row = items::selectedRow(m_list);
    if (m_list->topLevelItemCount() == 0 || !row || trimSpaces(row->text(2)).isEmpty()) {
        if (f.panel->isOpen())
            f.panel->showCaption(EditPanel::Mode::Add, What::Sites);
        return;
    }
    f.views->Clear(What::Passwords);
    f.state.setSiteCode(items::rowCode(row));
    f.txtSiteName->setText(row->text(2));
    f.txtURL->setText(row->text(3));
    f.txtSiteDesc->setPlainText(row->text(4));
    const QTreeWidgetItem* current = f.tree->current();
    f.state.setCatCode(f.state.SelNodeIndex);
    f.txtCatName->setText(current ? current->text(0) : QString());
    f.views->Load(What::Passwords);
    if (f.panel->isOpen())
        f.panel->showCaption(EditPanel::Mode::Edit, What::Sites);
}

void SitesList::GoToSite()
{
    QTreeWidgetItem* row = items::selectedRow(m_list);
    if (m_list->topLevelItemCount() == 0 || !row || trimSpaces(row->text(2)).isEmpty())
        return;
    const QString address = f.txtURL->text().trimmed();
    if (!address.isEmpty())
        f.shell.openAddress(address);
}

void SitesList::CheckBoxChanged()
{
    int checked = 0;
    const int rows = m_list->topLevelItemCount();
    for (int i = 0; i < rows; ++i) {
        if (m_list->topLevelItem(i)->checkState(0) == Qt::Checked)
            ++checked;
    }
    items::setHeaderPicture(m_list, 0, checked > 0 && checked == rows ? img1616::AllChecked : img1616::NotAllChecked);
}

void SitesList::CheckAllToggle()
{
    const int rows = m_list->topLevelItemCount();
    if (rows == 0) {
        items::setHeaderPicture(m_list, 0, img1616::NotAllChecked);
        return;
    }
    const bool checkAll = items::headerPicture(m_list, 0) == img1616::NotAllChecked;
    items::setHeaderPicture(m_list, 0, checkAll ? img1616::AllChecked : img1616::NotAllChecked);
    m_bulkCheck = true;
    for (int i = 0; i < rows; ++i)
        m_list->topLevelItem(i)->setCheckState(0, checkAll ? Qt::Checked : Qt::Unchecked);
    m_bulkCheck = false;
}

void SitesList::HeaderClick(int c)
{
    if (m_sort.key == c - 1) {
        if (c == 1) {
            CheckAllToggle();
        } else if (c == 2) {
            m_sort.reverse();
        } else {
            m_sort.reverse();
            items::setHeaderPicture(m_list, c - 1, m_sort.picture());
        }
    } else {
        // The check and rank columns never carry a sort picture.
        if (m_sort.key + 1 != 2 && m_sort.key > 0 && c != 1)
            SortState::clearHeader(m_list, m_sort.key);
        if (c != 1)
            m_sort.key = c - 1;
        if (c == 1)
            CheckAllToggle();
        else if (c >= 3)
            items::setHeaderPicture(m_list, c - 1, m_sort.picture());
    }
    m_sort.on = true;
    m_sort.apply(m_list);
}

void SitesList::GotFocus()
{
    f.state.CurWhat = What::Sites;
    frmMain::setBorderStyle(m_list, 1);
    QTreeWidgetItem* node = f.tvCategories->currentItem();
    if (node != f.tree->current()) {
        LostFocus();
        f.tvCategories->setFocus();
        return;
    }
    const bool hasRows = m_list->topLevelItemCount() > 0;
    const bool onCategory = node && !items::isRoot(node);
    const bool onCurrentSite = f.state.registers().siteCode == items::rowCode(items::selectedRow(m_list));
    if (f.panel->isOpen()) {
        f.panel->FocusControl(f.state.CurWhat);
        if (hasRows) {
            if (onCurrentSite)
                f.panel->EditWhat(What::Sites);
            else
                f.panel->NewWhat(What::Sites);
        } else if (onCategory) {
            f.state.setCatCode(qint32(items::code(node)));
            f.txtCatName->setText(node->text(0));
            f.panel->NewWhat(What::Sites);
        } else {
            LostFocus();
            f.tvCategories->setFocus();
        }
        return;
    }
    if (hasRows) {
        if (!onCurrentSite)
            SiteClick();
    } else if (onCategory) {
        f.state.setCatCode(qint32(items::code(node)));
        f.txtCatName->setText(node->text(0));
        f.views->Clear(What::Sites);
    }
}

void SitesList::LostFocus()
{
    frmMain::setBorderStyle(m_list, 0);
}
