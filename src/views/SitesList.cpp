#include "views/SitesList.h"

#include "models/CategoryModel.h"
#include "models/SitesModel.h"
#include "platform/Pictures.h"
#include "platform/Shell.h"
#include "store/TrimSpaces.h"
#include "views/CategoryTree.h"
#include "views/Form.h"
#include "views/PanelPort.h"
#include "views/ViewItems.h"
#include "views/ViewLoader.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTreeView>
#include <algorithm>
#include <iterator>

SitesList::SitesList(Form& form) : QObject(nullptr), f(form), m_list(form.lvURLs), m_model(form.sitesModel)
{
    m_list->installEventFilter(this);
    // Presses land on the viewport: each one starts a fresh click.
    m_list->viewport()->installEventFilter(this);
    connect(&m_model, &SitesModel::checkToggled, this, [this] {
        m_checkChanged = true;
        CheckBoxChanged();
    });
    connect(m_list, &QTreeView::clicked, this, [this] {
        if (m_checkChanged) {
            m_checkChanged = false;
            // Ticking a box picks a site for a command; it does not select it, or the entries on show would
            // seem to belong to another site than the one they were loaded for.
            if (m_selectedAtPress >= 0 && m_selectedAtPress < rowCount() && m_selectedAtPress != selectedRow())
                selectRow(m_selectedAtPress);
            return;
        }
        SiteClick();
    });
    connect(m_list, &QTreeView::doubleClicked, this, [this] { GoToSite(); });
    connect(m_list->header(), &QHeaderView::sectionClicked, this, [this](int section) { HeaderClick(section + 1); });
}

int SitesList::rowCount() const
{
    return m_model.rowCount();
}

int SitesList::selectedRow() const
{
    return items::selectedRow(m_list);
}

const SiteRow* SitesList::selectedSite() const
{
    const int row = selectedRow();
    return row < 0 ? nullptr : &m_model.site(row);
}

std::optional<qint32> SitesList::selectedSiteCode() const
{
    const SiteRow* site = selectedSite();
    return site ? std::optional<qint32>(site->siteCode) : std::nullopt;
}

void SitesList::selectRow(int row)
{
    items::selectRow(m_list, row);
}

void SitesList::applySort()
{
    if (m_sort.on)
        m_model.sort(m_sort.key, m_sort.order);
}

bool SitesList::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_list->viewport()) {
        if (event->type() == QEvent::MouseButtonPress) {
            m_checkChanged = false;
            m_selectedAtPress = selectedRow();
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
        const QModelIndex before = m_list->currentIndex();
        static_cast<QObject*>(m_list)->event(event); // let the list move first
        if (m_list->currentIndex() != before && selectedRow() >= 0)
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
    const SiteRow* row = selectedSite();
    if (rowCount() == 0 || !row || trimSpaces(row->name).isEmpty()) {
        if (f.panel->isOpen())
            f.panel->showCaption(PanelPort::Mode::Add, What::Sites);
        return;
    }
    f.views->Clear(What::Passwords);
    f.state.setSiteCode(row->siteCode);
    f.txtSiteName->setText(row->name);
    f.txtURL->setText(row->url);
    f.txtSiteDesc->setPlainText(row->description);
    f.state.setCatCode(f.state.SelNodeIndex);
    f.txtCatName->setText(f.categoryModel.name(f.tree->current()));
    f.views->Load(What::Passwords);
    if (f.panel->isOpen())
        f.panel->showCaption(PanelPort::Mode::Edit, What::Sites);
}

void SitesList::GoToSite()
{
    const SiteRow* row = selectedSite();
    if (rowCount() == 0 || !row || trimSpaces(row->name).isEmpty())
        return;
    // A row shown selected but not yet clicked has not put its address in the box: open its own.
    const bool current = f.state.registers().siteCode == row->siteCode;
    const QString address = (current ? f.txtURL->text() : row->url).trimmed();
    if (!address.isEmpty())
        f.shell.openAddress(address);
}

void SitesList::CheckBoxChanged()
{
    const int rows = rowCount();
    const int checked = m_model.checkedCount();
    m_model.setHeaderPicture(0, checked > 0 && checked == rows ? img1616::AllChecked : img1616::NotAllChecked);
}

void SitesList::CheckAllToggle()
{
    if (rowCount() == 0) {
        m_model.setHeaderPicture(0, img1616::NotAllChecked);
        return;
    }
    const bool checkAll = m_model.headerPicture(0) == img1616::NotAllChecked;
    m_model.setHeaderPicture(0, checkAll ? img1616::AllChecked : img1616::NotAllChecked);
    m_model.setAllChecked(checkAll);
}

void SitesList::HeaderClick(int c)
{
    // The check column's header checks or unchecks; it never sorts.
    if (c == 1) {
        CheckAllToggle();
        return;
    }
    if (m_sort.key == c - 1) {
        m_sort.reverse();
        if (c >= 3)
            m_model.setHeaderPicture(c - 1, m_sort.picture());
    } else {
        // The check and rank columns never carry a sort picture.
        if (m_sort.key + 1 != 2 && m_sort.key > 0)
            m_model.setHeaderPicture(m_sort.key, img1616::None);
        m_sort.key = c - 1;
        if (c >= 3)
            m_model.setHeaderPicture(c - 1, m_sort.picture());
    }
    m_sort.on = true;
    applySort();
}

void SitesList::GotFocus()
{
    f.state.CurWhat = What::Sites;
    Form::setBorderStyle(m_list, 1);
    const QModelIndex node = f.tree->selected();
    if (node != f.tree->current()) {
        LostFocus();
        f.tvCategories->setFocus();
        return;
    }
    const bool hasRows = rowCount() > 0;
    const bool onCategory = node.isValid() && !f.categoryModel.isRoot(node);
    const bool onCurrentSite = f.state.registers().siteCode == selectedSiteCode();
    if (f.panel->isOpen()) {
        f.panel->FocusControl(f.state.CurWhat);
        if (hasRows) {
            if (onCurrentSite)
                f.panel->EditWhat(What::Sites);
            else
                f.panel->NewWhat(What::Sites);
        } else if (onCategory) {
            f.state.setCatCode(f.categoryModel.code(node));
            f.txtCatName->setText(f.categoryModel.name(node));
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
        f.state.setCatCode(f.categoryModel.code(node));
        f.txtCatName->setText(f.categoryModel.name(node));
        f.views->Clear(What::Sites);
    }
}

void SitesList::LostFocus()
{
    Form::setBorderStyle(m_list, 0);
}
