#include "edit/SiteStars.h"

#include "edit/Limits.h"
#include "edit/Statements.h"
#include "models/SitesModel.h"
#include "platform/Prompter.h"
#include "store/Codes.h"
#include "store/Connection.h"
#include "store/StoreError.h"
#include "store/TrimSpaces.h"
#include "views/CategoryTree.h"
#include "views/Form.h"
#include "views/SitesList.h"
#include "views/ViewItems.h"
#include "views/ViewLoader.h"

#include <QTreeView>

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
    const SiteRow* row = f.sites->selectedSite();
    if (f.sites->rowCount() == 0 || !row || trimSpaces(row->name).isEmpty())
        return;
    const qint64 C = f.tree->currentCode();
    const qint32 S = row->siteCode;

    try {
        Connection::Transaction work(f.db);
        const std::vector<Row> found = f.db.select(FindSite, {C, S});
        if (!found.empty()) {
            const qint64 rank = found.front()["Rank"].toLongLong();
            if (step > 0 && rank >= codes::MaxCode)
                f.prompter.warn(limits::RankTooHigh, Form::caption());
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
    reselect(S);
}

void SiteStars::reselect(qint32 siteCode)
{
    const int row = f.sitesModel.rowOfSite(siteCode);
    if (row < 0)
        return;
    f.sites->selectRow(row);
    f.sites->SiteClick();
    f.lvURLs->setFocus(Qt::OtherFocusReason);
}
