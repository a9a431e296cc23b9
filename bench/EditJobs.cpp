// Jobs that write: saving, stars, picking and pasting sites, deleting. Paste and delete run on a fresh copy of
// the store each time (the copy is not timed), and their floors on another fresh copy; both copies must end equal.
#include "Jobs.h"
#include "RawStore.h"
#include "StoreGenerator.h"
#include "WindowDriver.h"

#include <QFile>
#include <QTemporaryDir>

namespace bench {
namespace {

const QString Source = QStringLiteral("100k");

class StoreCopy {
public:
    StoreCopy(const JobContext& context, const QString& shape) : m_dir(context.stores + QStringLiteral("/work-XXXXXX"))
    {
        expect(m_dir.isValid(), QStringLiteral("no room for a copy of the store"));
        expect(QFile::copy(storeFile(storeFolder(context, shape)), file()), QStringLiteral("the store was not copied"));
    }
    QString folder() const { return m_dir.path(); }
    QString file() const { return storeFile(m_dir.path()); }

private:
    QTemporaryDir m_dir;
};

// What a store holds, in a line: two stores that hold the same rows under the same codes give the same line.
QString signature(const QString& file)
{
    RawDb raw(file, true);
    return QStringLiteral("%1 categories, %2 sites, %3 entries, keys %4 %5")
        .arg(countRows(raw, "SELECT count(*) FROM Categories"))
        .arg(countRows(raw, "SELECT count(*) FROM URLs"))
        .arg(countRows(raw, "SELECT count(*) FROM PWs"))
        .arg(countRows(raw, "SELECT sum(CatCode * 1000003 + SiteCode) FROM URLs"))
        .arg(countRows(raw, "SELECT sum((CatCode * 1000003 + SiteCode) * 256 + Ser) FROM PWs"));
}

void showCategory(WindowDriver& d, const QString& name)
{
    d.revealCategory(name);
    d.clickCategory(name);
    WindowDriver::settle();
}

// Editing a site's name and saving it, in a category of typical size and in one of 10,000 sites.
void measureSave(WindowDriver& d, RawDb& raw, const JobContext& context, const QString& figure, const QString& category)
{
    showCategory(d, category);
    const qint64 cat = categoryCode(raw, category);
    for (int run = 0; run < context.runs; ++run) {
        d.clickSite(0);
        WindowDriver::settle();
        const QString old = d.siteName(0);
        const qint64 site = siteCodes(raw, cat, {old}).value(0);
        d.pressButton(2);
        WindowDriver::settle();
        const QString name = QStringLiteral("Edited %1 %2").arg(run).arg(old.left(100));
        d.setSiteNameBox(name);
        expectNoPrompt(d, figure + QStringLiteral(" (opening the panel)"));
        report::sample(figure, timeMs([&] {
                           d.pressButton(3);
                           WindowDriver::settle();
                       }));
        expectOneConfirmation(d, figure);
        expect(countRows(raw, "SELECT count(*) FROM URLs WHERE CatCode = ? AND SiteCode = ? AND SiteName = ?",
                         {cat, site, name}) == 1,
               figure + QStringLiteral(": the new name is not in the store"));
        // SQLite skips a write that changes nothing, so the floor writes another name; the window then shows the
        // store afresh.
        report::floor(figure, floors::updateSite(raw, cat, site, name + QStringLiteral(" (again)")));
        d.clickCategory(special::Vault);
        WindowDriver::settle();
        d.clickCategory(category);
        WindowDriver::settle();
        d.prompter.shown.clear();
    }
    report::peak(figure);
}

void measureStar(WindowDriver& d, RawDb& raw, const JobContext& context, const QString& figure, const QString& category)
{
    showCategory(d, category);
    const qint64 cat = categoryCode(raw, category);
    for (int run = 0; run < context.runs; ++run) {
        d.clickSite(0);
        WindowDriver::settle();
        const qint64 site = siteCodes(raw, cat, {d.siteName(0)}).value(0);
        const char* rankSql = "SELECT Rank FROM URLs WHERE CatCode = ? AND SiteCode = ?";
        const qint64 rank = countRows(raw, rankSql, {cat, site});
        report::sample(figure, timeMs([&] {
                           d.pressButton(6);
                           WindowDriver::settle();
                       }));
        expectNoPrompt(d, figure);
        expect(countRows(raw, rankSql, {cat, site}) == rank + 1, figure + QStringLiteral(": the rank did not rise"));
        report::floor(figure, floors::raiseRank(raw, cat, site));
    }
    report::peak(figure);
}

} // namespace

void editsJob(const JobContext& context)
{
    // One copy for the whole job: saving and stars change texts and ranks, never how much the store holds.
    StoreCopy copy(context, Source);
    auto d = startedWindow(copy.folder());
    RawDb raw(copy.file());
    d->revealCategory(special::Vault);
    measureSave(*d, raw, context, QStringLiteral("save_site"), special::Small);
    measureSave(*d, raw, context, QStringLiteral("save_site_in_10k"), special::Big);
    measureStar(*d, raw, context, QStringLiteral("star"), special::Small);
    measureStar(*d, raw, context, QStringLiteral("star_in_10k"), special::Big);
}

void pickJob(const JobContext& context)
{
    // Picked sites stay picked until a paste: each run starts a window afresh, as after a restart.
    const QString figure = QStringLiteral("move_pick_10k");
    for (int run = 0; run < context.runs; ++run) {
        WindowDriver d(storeFolder(context, Source));
        d.openStore();
        d.showWindow();
        showCategory(d, special::Big);
        d.clickSitesHeader(1);
        WindowDriver::settle();
        expect(d.checkedSites() == special::BigSites, figure + QStringLiteral(": the sites are not all checked"));
        report::sample(figure, timeMs([&] {
                           d.pressButton(9);
                           WindowDriver::settle();
                       }));
        expect(d.siteRows() == 0, figure + QStringLiteral(": %1 sites left in the list").arg(d.siteRows()));
        expectNoPrompt(d, figure);
    }
    report::peak(figure);
}

void pasteJob(const JobContext& context)
{
    const QString figure = QStringLiteral("paste_5k");
    const int moved = 5000;
    for (int run = 0; run < context.runs; ++run) {
        QStringList names;
        QString afterWindow;
        {
            StoreCopy copy(context, Source);
            WindowDriver d(copy.folder());
            d.openStore();
            d.showWindow();
            d.revealCategory(special::Target);
            showCategory(d, special::Big);
            names = d.checkFirstSites(moved);
            d.pressButton(9);
            WindowDriver::settle();
            expect(d.siteRows() == special::BigSites - moved, figure + QStringLiteral(": the pick left wrong rows"));
            d.clickCategory(special::Target);
            WindowDriver::settle();
            expectNoPrompt(d, figure + QStringLiteral(" (picking)"));
            report::sample(figure, timeMs([&] {
                               d.pressButton(9);
                               WindowDriver::settle();
                           }));
            expectNoPrompt(d, figure);
            expect(d.siteRows() == special::TargetSites + moved,
                   figure + QStringLiteral(": the target shows %1 sites").arg(d.siteRows()));
            afterWindow = signature(copy.file());
        }
        StoreCopy copy(context, Source);
        RawDb raw(copy.file());
        const qint64 from = categoryCode(raw, special::Big);
        const qint64 to = categoryCode(raw, special::Target);
        const QList<qint64> codes = siteCodes(raw, from, names);
        expect(!codes.contains(-1), figure + QStringLiteral(": a picked name is not in the store"));
        report::floor(figure, floors::pasteSites(raw, from, to, codes));
        const QString afterFloor = signature(copy.file());
        expect(afterWindow == afterFloor, figure + QStringLiteral(": the window left ") + afterWindow +
                                              QStringLiteral(", the floor ") + afterFloor);
    }
    report::peak(figure);
}

void deleteSubtreeJob(const JobContext& context)
{
    const QString figure = QStringLiteral("delete_subtree_1k");
    for (int run = 0; run < context.runs; ++run) {
        QString afterWindow;
        {
            StoreCopy copy(context, Source);
            WindowDriver d(copy.folder());
            d.openStore();
            d.showWindow();
            showCategory(d, special::Subtree);
            expectNoPrompt(d, figure + QStringLiteral(" (clicking the category)"));
            report::sample(figure, timeMs([&] {
                               d.pressButton(4);
                               WindowDriver::settle();
                           }));
            expectOneConfirmation(d, figure);
            afterWindow = signature(copy.file());
        }
        StoreCopy copy(context, Source);
        const QString before = signature(copy.file());
        RawDb raw(copy.file());
        const QList<qint64> doomed = subtreeCodes(raw, categoryCode(raw, special::Subtree));
        expect(doomed.size() == special::SubtreeCategories, figure + QStringLiteral(": the subtree is not whole"));
        report::floor(figure, floors::deleteCategories(raw, doomed));
        const QString afterFloor = signature(copy.file());
        expect(afterFloor != before, figure + QStringLiteral(": the floor deleted nothing"));
        expect(afterWindow == afterFloor, figure + QStringLiteral(": the window left ") + afterWindow +
                                              QStringLiteral(", the floor ") + afterFloor);
    }
    report::peak(figure);
}

void deleteSitesJob(const JobContext& context)
{
    const QString figure = QStringLiteral("delete_sites_5k");
    const int doomed = 5000;
    for (int run = 0; run < context.runs; ++run) {
        QStringList names;
        QString afterWindow;
        {
            StoreCopy copy(context, Source);
            WindowDriver d(copy.folder());
            d.openStore();
            d.showWindow();
            showCategory(d, special::Big);
            names = d.checkFirstSites(doomed);
            d.clickSite(0);
            WindowDriver::settle();
            expectNoPrompt(d, figure + QStringLiteral(" (checking the sites)"));
            report::sample(figure, timeMs([&] {
                               d.pressButton(4);
                               WindowDriver::settle();
                           }));
            expectOneConfirmation(d, figure);
            expect(d.siteRows() == special::BigSites - doomed,
                   figure + QStringLiteral(": the list shows %1 sites").arg(d.siteRows()));
            afterWindow = signature(copy.file());
        }
        StoreCopy copy(context, Source);
        RawDb raw(copy.file());
        const qint64 cat = categoryCode(raw, special::Big);
        const QList<qint64> codes = siteCodes(raw, cat, names);
        expect(!codes.contains(-1), figure + QStringLiteral(": a checked name is not in the store"));
        report::floor(figure, floors::deleteSites(raw, cat, codes));
        const QString afterFloor = signature(copy.file());
        expect(afterWindow == afterFloor, figure + QStringLiteral(": the window left ") + afterWindow +
                                              QStringLiteral(", the floor ") + afterFloor);
    }
    report::peak(figure);
}

} // namespace bench
