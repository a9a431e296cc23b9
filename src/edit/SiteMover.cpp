#include "edit/SiteMover.h"

#include "edit/EditPanel.h"
#include "edit/Limits.h"
#include "models/CategoryModel.h"
#include "models/SitesModel.h"
#include "platform/Pictures.h"
#include "platform/Prompter.h"
#include "store/Codes.h"
#include "store/Connection.h"
#include "store/StoreError.h"
#include "views/CategoryTree.h"
#include "views/Form.h"
#include "views/SitesList.h"
#include "views/ViewItems.h"
#include "views/ViewLoader.h"

#include <QAction>
#include <QFrame>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLabel>
#include <QTreeView>

namespace {

const QString HighestSiteCode = QStringLiteral("Select max(sitecode) as xMax From URLs where catcode =?");
// The picked sites' new codes follow their order in the list, above the target's highest code; a site that
// is gone meanwhile keeps its number unused.
const QString MakeMoving =
    QStringLiteral("CREATE TEMP TABLE IF NOT EXISTS moving (old INTEGER PRIMARY KEY, new INTEGER)");
const QString ClearMoving = QStringLiteral("DELETE FROM temp.moving");
const QString FillMoving =
    QStringLiteral("INSERT INTO temp.moving (old, new) SELECT value, ? + key + 1 FROM json_each(?)");
const QString MoveSites = QStringLiteral("UPDATE URLs SET CatCode = ?, SiteCode = m.new FROM temp.moving AS m "
                                         "WHERE URLs.CatCode = ? AND URLs.SiteCode = m.old");
const QString MovePasswords = QStringLiteral("UPDATE PWs SET CatCode = ?, SiteCode = m.new FROM temp.moving AS m "
                                             "WHERE PWs.CatCode = ? AND PWs.SiteCode = m.old");

void setFace(QAction* button, const char* caption, const char* tip, int picture)
{
    button->setText(QLatin1String(caption));
    button->setToolTip(QLatin1String(tip));
    button->setIcon(img1616::picture(picture));
    button->setProperty("pictureIndex", picture);
}

} // namespace

void SiteMover::showMoveFace()
{
    setFace(f.Buttons[9], "Move", "Moving sites from category", img1616::Move);
}

void SiteMover::showPasteFace()
{
    setFace(f.Buttons[9], "Paste", "Paste sites here", img1616::Paste);
}

void SiteMover::setDown(bool down)
{
    f.state.movingMode = down;
    // setChecked emits no trigger: the click handling does not run again.
    f.Buttons[9]->setChecked(down);
}

void SiteMover::ButtonClicked()
{
    // The click has moved the button already.
    setDown(!f.state.movingMode);
    if (f.panel->isOpen()) {
        setDown(false);
        return;
    }
    if (f.state.movingMode)
        pick();
    else
        paste();
}

void SiteMover::pick()
{
    SitesModel& model = f.sitesModel;
    const QList<int> picked = model.checkedRows();
    f.state.MovingSites = !picked.isEmpty();
    if (picked.isEmpty()) {
        setDown(false);
        return;
    }

    // The sites picked are those of the category on show, wherever the tree's selection has wandered. They
    // leave the list only; the store keeps them where they are until the paste.
    f.state.MoveFromCat = f.state.SelNodeIndex;
    f.state.MoveList.clear();
    f.state.MoveList.reserve(picked.size());
    for (int row : picked)
        f.state.MoveList.append({f.state.MoveFromCat, model.site(row).siteCode});
    if (const int selected = f.sites->selectedRow(); selected >= 0 && model.isChecked(selected)) {
        f.views->Clear(What::Passwords);
        f.views->Clear(What::Sites);
        f.passwordsModel.clear();
    }
    model.removeSites(picked);
    f.sURLsCount->setText(QStringLiteral("%1 Site(s)").arg(model.rowCount()));
    showPasteFace();
    if (model.headerPicture(SitesModel::CheckColumn) == img1616::AllChecked)
        model.setHeaderPicture(SitesModel::CheckColumn, img1616::NotAllChecked);
}

void SiteMover::paste()
{
    if (!f.state.MovingSites)
        return;
    const QModelIndex target = f.tree->current();
    if (!target.isValid() || f.categoryModel.isRoot(target)) {
        f.prompter.warn(QStringLiteral("You can not move sites here!"), Form::caption());
        setDown(true);
        showPasteFace();
        return;
    }

    if (f.state.MoveFromCat != 0) {
        try {
            Connection::Transaction work(f.db);
            transfer(f.categoryModel.code(target));
            work.commit();
        } catch (const StoreError& error) {
            // Nothing moved: moving mode goes on with the same picked sites, so the paste can be tried again.
            f.showStoreError(error.reason());
            setDown(true);
            showPasteFace();
            return;
        }
        f.state.MovingSites = false;
        f.state.MoveList.clear();
    }

    // Picture 23 makes the node click take the node for one that is not current, so the target's sites,
    // the moved ones among them, are loaded afresh.
    f.categoryModel.setPicture(target, img1616::SortDescending);
    f.tree->NodeClick(target);
    f.tvCategories->setFocus(Qt::OtherFocusReason);
    showMoveFace();
}

void SiteMover::transfer(qint64 T)
{
    const qint64 F = f.state.MoveFromCat;
    const qint64 N = f.db.scalar(HighestSiteCode, {T}).toLongLong(); // 0 when the target has no sites
    if (N + f.state.MoveList.size() > codes::MaxCode)
        throw StoreError(limits::TooManySites);
    QJsonArray oldCodes;
    for (const MoveEntry& entry : std::as_const(f.state.MoveList))
        oldCodes.append(entry.siteCode);
    f.db.execute(MakeMoving);
    f.db.execute(ClearMoving);
    f.db.execute(FillMoving, {N, QString::fromUtf8(QJsonDocument(oldCodes).toJson(QJsonDocument::Compact))});
    f.db.execute(MoveSites, {T, F});
    f.db.execute(MovePasswords, {T, F});
}
