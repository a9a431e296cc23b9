#include "views/CategoryTree.h"

#include "edit/EditPanel.h"
#include "platform/Pictures.h"
#include "views/SitesList.h"
#include "views/ViewItems.h"
#include "views/ViewLoader.h"
#include "window/frmMain.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTreeWidget>

CategoryTree::CategoryTree(frmMain& form) : QObject(nullptr), f(form)
{
    QTreeWidget* tree = f.tvCategories;
    tree->installEventFilter(this);
    tree->viewport()->installEventFilter(this);
    // Only a click (or Space) makes a node current; moving the selection with the arrows does not.
    connect(tree, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* node) { NodeClick(node); });
    connect(tree, &QTreeWidget::itemCollapsed, this, &CategoryTree::Collapse);
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
        if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Space && f.tvCategories->currentItem())
            NodeClick(f.tvCategories->currentItem());
        break;
    default:
        break;
    }
    return false;
}

void CategoryTree::ClickSelected()
{
    if (QTreeWidgetItem* node = f.tvCategories->currentItem())
        NodeClick(node);
}

QTreeWidgetItem* CategoryTree::current() const
{
    return f.Nodes.byCode(f.state.SelNodeIndex);
}

qint64 CategoryTree::currentCode() const
{
    return items::code(current());
}

bool CategoryTree::currentIsRoot() const
{
    return items::isRoot(current());
}

void CategoryTree::NodeClick(QTreeWidgetItem* node)
{
    if (!node || items::picture(node) == img1616::CurrentCategory)
        return;
    // The clicked node is the tree's selected one, whoever performs the click.
    if (f.tvCategories->currentItem() != node)
        f.tvCategories->setCurrentItem(node);

    QTreeWidgetItem* previous = current();
    if (previous && !items::isRoot(previous))
        items::setPicture(previous, 0, img1616::Category);

    f.state.SelNodeIndex = qint32(items::code(node));
    if (!items::isRoot(node)) {
        items::setPicture(node, 0, img1616::CurrentCategory);
        f.views->Load(What::Sites);
        f.state.setCatCode(f.state.SelNodeIndex);
        f.txtCatName->setText(node->text(0));
    } else {
        items::setPicture(node, 0, img1616::Root);
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
        if (!items::isRoot(node))
            f.panel->EditWhat(What::Categories);
        else
            f.panel->NewWhat(What::Categories);
    }
}

void CategoryTree::Collapse(QTreeWidgetItem* node)
{
    QTreeWidget* tree = f.tvCategories;
    // A selection hidden inside the collapsed branch moves to the branch itself, as desktop trees do.
    for (QTreeWidgetItem* up = tree->currentItem() ? tree->currentItem()->parent() : nullptr; up; up = up->parent()) {
        if (up == node) {
            tree->setCurrentItem(node);
            break;
        }
    }
    QTreeWidgetItem* selected = tree->currentItem();
    QStringList path;
    for (QTreeWidgetItem* up = selected; up; up = up->parent())
        path.prepend(up->text(0));
    const bool onPath = path.join(QLatin1Char('\\')).contains(node->text(0), Qt::CaseSensitive);
    const int picture = items::picture(node);
    if (onPath && (picture == img1616::Root || picture == img1616::Category))
        NodeClick(selected);
}

void CategoryTree::GotFocus()
{
    f.state.CurWhat = What::Categories;
    frmMain::setBorderStyle(f.tvCategories, 1);
    QTreeWidgetItem* selected = f.tvCategories->currentItem();
    if (f.panel->isOpen()) {
        f.panel->FocusControl(f.state.CurWhat);
        if (selected && !items::isRoot(selected))
            f.panel->EditWhat(What::Categories);
        else
            f.panel->NewWhat(What::Categories);
        return;
    }
    if (f.tvCategories->topLevelItemCount() == 0 || !selected)
        return;
    f.panel->FocusControl(f.state.CurWhat);
    if (items::isRoot(selected) || items::code(selected) != f.state.registers().catCode)
        NodeClick(selected);
}

void CategoryTree::LostFocus()
{
    frmMain::setBorderStyle(f.tvCategories, 0);
}
