#include "edit/SiteStars.h"

#include "edit/Limits.h"
#include "edit/Statements.h"
#include "platform/Prompter.h"
#include "store/Codes.h"
#include "store/Connection.h"
#include "store/StoreError.h"
#include "store/TrimSpaces.h"
#include "views/CategoryTree.h"
#include "views/SitesList.h"
#include "views/ViewItems.h"
#include "views/ViewLoader.h"
#include "window/frmMain.h"

#include <QTreeWidget>

namespace {

const QString FindSite = QStringLiteral("Select * from URLs where CatCode = ? and SiteCode = ?");
const QString RaiseRank = QStringLiteral("UpDate URLs Set Rank = ? where (catcode =?) And (sitecode = ?)");
const QString LowerRank = QStringLiteral("UpDate URLs Set Rank = ? where (catcode =?) And (sitecode =?)");

} // namespace

void SiteStars::AddStar()
{
    changeRank(+1);
}

void SiteStars::DeleteStar()
{
    changeRank(-1);
}

void SiteStars::changeRank(int step)
{
    QTreeWidget* list = f.lvURLs;
    if (list->topLevelItemCount() == 0)
        return;
    const QTreeWidgetItem* row = items::selectedRow(list);
    if (!row || trimSpaces(row->text(2)).isEmpty())
        return;
    const qint64 C = f.tree->currentCode();
    const QString T = items::tag(row);
    const qint64 S = codes::numericValue(T);

    try {
        Connection::Transaction work(f.db);
        const std::vector<Row> found = f.db.select(FindSite, {C, S});
        if (!found.empty()) {
            const qint64 rank = found.front()["Rank"].toLongLong();
            if (step > 0 && rank >= codes::MaxCode)
                f.prompter.warn(limits::RankTooHigh, frmMain::caption());
            else if (step > 0)
                f.db.execute(RaiseRank, {rank + 1, C, S});
            else if (rank != 0)
                f.db.execute(LowerRank, {rank - 1, C, S});
        }
        work.commit();
    } catch (const StoreError& error) {
        // Rolled back; the reload below shows the rank the store still holds.
        f.showStoreError(error.reason());
    }

    f.views->Load(What::Sites);
    reselect(T);
}

void SiteStars::reselect(const QString& tag)
{
    if (tag.isEmpty())
        return;
    const qint64 wanted = codes::numericValue(tag);
    QTreeWidget* list = f.lvURLs;
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        QTreeWidgetItem* row = list->topLevelItem(i);
        if (codes::numericValue(items::tag(row)) != wanted)
            continue;
        items::selectRow(list, row);
        f.sites->SiteClick();
        list->setFocus(Qt::OtherFocusReason);
        return;
    }
}
