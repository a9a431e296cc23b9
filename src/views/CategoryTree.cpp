#include "views/CategoryTree.h"

#include "models/CategoryModel.h"
#include "platform/Pictures.h"
#include "views/Form.h"
#include "views/PanelPort.h"
#include "views/SitesList.h"
#include "views/ViewLoader.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTreeView>

CategoryTree::CategoryTree(Form& form) : QObject(nullptr), f(form), m_model(form.categoryModel)
{
    QTreeView* tree = f.tvCategories;
    tree->installEventFilter(this);
    tree->viewport()->installEventFilter(this);
    // Only a click (or Space) makes a node current; moving the selection with the arrows does not.
    connect(tree, &QTreeView::clicked, this, &CategoryTree::NodeClick);
    connect(tree, &QTreeView::collapsed, this, &CategoryTree::Collapse);
}

bool CategoryTree::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == f.tvCategories->viewport()) {
        // The tree has no context menu: only the left button may select a node.
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
            return static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton;
        default:
            return false;
        }
    }
    if (watched != f.tvCategories)
        return false;
    switch (event->type()) {
    case QEvent::FocusIn:
        GotFocus();
        break;
    case QEvent::FocusOut:
        LostFocus();
        break;
    case QEvent::KeyPress:
        if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Space)
            ClickSelected();
        break;
    default:
        break;
    }
    return false;
}

QModelIndex CategoryTree::selected() const
{
    return f.tvCategories->currentIndex();
}

void CategoryTree::select(const QModelIndex& node)
{
    f.tvCategories->setCurrentIndex(node);
}

void CategoryTree::ClickSelected()
{
    if (const QModelIndex node = selected(); node.isValid())
        NodeClick(node);
}

QModelIndex CategoryTree::current() const
{
    return m_model.indexOf(f.state.SelNodeIndex);
}

qint64 CategoryTree::currentCode() const
{
    return m_model.code(current());
}

bool CategoryTree::currentIsRoot() const
{
    return m_model.isRoot(current());
}

void CategoryTree::NodeClick(const QModelIndex& node)
{
    if (!node.isValid() || m_model.picture(node) == img1616::CurrentCategory)
        return;
    // The clicked node is the tree's selected one, whoever performs the click.
    if (selected() != node)
        select(node);

    if (const QModelIndex previous = current(); previous.isValid() && !m_model.isRoot(previous))
        m_model.setPicture(previous, img1616::Category);

    f.state.SelNodeIndex = m_model.code(node);
    if (!m_model.isRoot(node)) {
        m_model.setPicture(node, img1616::CurrentCategory);
        f.views->Load(What::Sites);
        f.state.setCatCode(f.state.SelNodeIndex);
        f.txtCatName->setText(m_model.name(node));
    } else {
        m_model.setPicture(node, img1616::Root);
        f.views->emptySites(); // no site can be filed under the root: nothing to read
        f.state.setCatCode(std::nullopt);
        f.txtCatName->clear();
    }
    f.views->Clear(What::Sites);
    f.views->Clear(What::Passwords);
    if (f.sites->rowCount() > 0)
        f.sites->selectRow(0);

    f.panel->FocusControl(f.state.CurWhat);
    if (f.panel->isOpen()) {
        if (!m_model.isRoot(node))
            f.panel->EditWhat(What::Categories);
        else
            f.panel->NewWhat(What::Categories);
    }
}

void CategoryTree::Collapse(const QModelIndex& node)
{
    // A selection hidden inside the collapsed branch moves to the branch itself, as desktop trees do.
    for (QModelIndex up = selected().parent(); up.isValid(); up = up.parent()) {
        if (up == node) {
            select(node);
            break;
        }
    }
    const QModelIndex now = selected();
    QStringList path;
    for (QModelIndex up = now; up.isValid(); up = up.parent())
        path.prepend(m_model.name(up));
    const bool onPath = path.join(QLatin1Char('\\')).contains(m_model.name(node), Qt::CaseSensitive);
    const int picture = m_model.picture(node);
    if (onPath && (picture == img1616::Root || picture == img1616::Category))
        NodeClick(now);
}

void CategoryTree::GotFocus()
{
    f.state.CurWhat = What::Categories;
    Form::setBorderStyle(f.tvCategories, 1);
    const QModelIndex node = selected();
    if (f.panel->isOpen()) {
        f.panel->FocusControl(f.state.CurWhat);
        if (node.isValid() && !m_model.isRoot(node))
            f.panel->EditWhat(What::Categories);
        else
            f.panel->NewWhat(What::Categories);
        return;
    }
    if (!node.isValid())
        return;
    f.panel->FocusControl(f.state.CurWhat);
    if (m_model.isRoot(node) || m_model.code(node) != f.state.registers().catCode)
        NodeClick(node);
}

void CategoryTree::LostFocus()
{
    Form::setBorderStyle(f.tvCategories, 0);
}
