#include "edit/SiteMover.h"

#include "edit/Limits.h"
#include "platform/Pictures.h"
#include "platform/Prompter.h"
#include "store/Codes.h"
#include "store/Connection.h"
#include "store/StoreError.h"
#include "views/CategoryTree.h"
#include "views/ViewItems.h"
#include "views/ViewLoader.h"
#include "window/frmMain.h"

#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QTreeWidget>

namespace {

const QString HighestSiteCode = QStringLiteral("Select max(sitecode) as xMax From URLs where catcode =?");
const QString MoveSite = QStringLiteral("UpDate URLs Set catcode =?, Sitecode =? where catcode =? And Sitecode =?");
const QString SitePasswords = QStringLiteral("Select * From PWs Where catcode =? And SiteCode =? order by Ser");
const QString MovePassword =
    QStringLiteral("UpDate PWs Set catcode =?, Sitecode = ? where catcode =? And Sitecode =? And Ser =?");

void setFace(QAction* button, const char* caption, const char* tip, int picture)
{
    button->setText(QLatin1String(caption));
    button->setToolTip(QLatin1String(tip));
    button->setIcon(img1616::picture(picture));
    button->setProperty("pictureIndex", picture);
}

} // namespace

bool SiteMover::movingMode() const
{
    return f.Buttons[9]->isChecked();
}

void SiteMover::showMoveFace()
{
    setFace(f.Buttons[9], "Move", "Moving sites from category", img1616::Move);
}

void SiteMover::showPasteFace()
{
    setFace(f.Buttons[9], "Paste", "Paste sites here", img1616::Paste);
}

void SiteMover::popUp()
{
    // setChecked emits no trigger: the click handling does not run again.
    f.Buttons[9]->setChecked(false);
}

void SiteMover::ButtonClicked()
{
    if (f.SSPanel1->isVisible()) {
        popUp();
        return;
    }
    if (f.Buttons[9]->isChecked())
        pick();
    else
        paste();
}

void SiteMover::pick()
{
    QTreeWidget* list = f.lvURLs;
    if (list->topLevelItemCount() == 0) {
        popUp();
        return;
    }
    f.MovingSites = false;
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        if (list->topLevelItem(i)->checkState(0) == Qt::Checked) {
            f.MovingSites = true;
            break;
        }
    }
    if (!f.MovingSites) {
        popUp();
        return;
    }

    // The sites picked are those of the category on show, wherever the tree's selection has wandered.
    const QTreeWidgetItem* node = f.tree->current();
    f.MoveFromCat = static_cast<qint32>(items::code(node));
    f.MoveList.clear();
    QList<QTreeWidgetItem*> picked;
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        QTreeWidgetItem* row = list->topLevelItem(i);
        if (row->checkState(0) != Qt::Checked)
            continue;
        f.MoveList.append(items::codeText(node) + u'|' + items::tag(row));
        picked.append(row);
    }

    // The picked sites leave the list only; the store keeps them where they are until the paste.
    for (QTreeWidgetItem* row : std::as_const(picked)) {
        if (row == items::selectedRow(list)) {
            f.views->Clear(QStringLiteral("Passwords"));
            f.views->Clear(QStringLiteral("Sites"));
            f.lvPasswords->clear();
            f.lvPasswords->viewport()->update();
        }
        delete row;
        f.sURLsCount->setText(QStringLiteral("%1 Site(s)").arg(list->topLevelItemCount()));
    }
    showPasteFace();
    if (items::headerPicture(list, 0) == img1616::AllChecked)
        items::setHeaderPicture(list, 0, img1616::NotAllChecked);
}

void SiteMover::paste()
{
    if (!f.MovingSites)
        return;
    QTreeWidgetItem* target = f.tree->current();
    if (!target || items::isRoot(target)) {
        f.prompter.warn(QStringLiteral("You can not move sites here!"), frmMain::caption());
        f.Buttons[9]->setChecked(true);
        showPasteFace();
        return;
    }

    if (f.MoveFromCat != 0) {
        try {
            Connection::Transaction work(f.db);
            transfer(items::code(target));
            work.commit();
        } catch (const StoreError& error) {
            // Nothing moved: moving mode goes on with the same picked sites, so the paste can be tried again.
            f.showStoreError(error.reason());
            f.Buttons[9]->setChecked(true);
            showPasteFace();
            return;
        }
        f.MovingSites = false;
        f.MoveList.clear();
    }

    // Picture 23 makes the node click take the node for one that is not current, so the target's sites,
    // the moved ones among them, are loaded afresh.
    items::setPicture(target, 0, img1616::SortDescending);
    f.tree->NodeClick(target);
    f.tvCategories->setFocus(Qt::OtherFocusReason);
    showMoveFace();
}

void SiteMover::transfer(qint64 T)
{
    const qint64 F = f.MoveFromCat;
    // Codes are taken in the order the sites stood in the list, above the target's highest one.
    qint64 N = codes::numericValue(f.db.scalar(HighestSiteCode, {T}).toString());
    if (N + f.MoveList.size() > codes::MaxCode)
        throw StoreError(limits::TooManySites);
    for (const QString& entry : std::as_const(f.MoveList)) {
        ++N;
        const qint64 O = codes::numericValue(entry.mid(entry.indexOf(u'|') + 1));
        f.db.execute(MoveSite, {T, N, F, O});
        for (const Row& password : f.db.select(SitePasswords, {F, O}))
            f.db.execute(MovePassword, {T, N, F, O, password["Ser"]});
    }
}
