// Jobs that only read the store: start-up, clicks, sorting, checking.
#include "Jobs.h"
#include "RawStore.h"
#include "StoreGenerator.h"
#include "WindowDriver.h"
#include "store/Dorvudb.h"

#include <QCollator>
#include <QTemporaryDir>

namespace bench {
namespace {

// Clicks `from` (not measured), then `to` (measured up to the list painted).
void clickOnce(WindowDriver& d, RawDb& raw, const QString& figure, const QString& from, const QString& to, int rows)
{
    d.clickCategory(from);
    WindowDriver::settle();
    const int paints = d.sitesPaints();
    report::sample(figure, timeMs([&] {
                       d.clickCategory(to);
                       WindowDriver::settle();
                   }));
    expect(d.siteRows() == rows, figure + QStringLiteral(": %1 rows shown, %2 expected").arg(d.siteRows()).arg(rows));
    expect(d.sitesPaints() > paints, figure + QStringLiteral(": the list was not painted"));
    report::floor(figure, floors::readSites(raw, categoryCode(raw, to)));
}

void measureCategoryClick(WindowDriver& d, RawDb& raw, const JobContext& context, const QString& figure,
                          const QString& from, const QString& to, int rows)
{
    d.revealCategory(from);
    d.revealCategory(to);
    for (int run = 0; run < context.runs; ++run)
        clickOnce(d, raw, figure, from, to, rows);
    expectNoPrompt(d, figure);
    report::peak(figure);
}

// Clicks row `other` (not measured), then row `row` (measured), `runs` times.
void measureSiteClick(WindowDriver& d, RawDb& raw, const JobContext& context, const QString& figure,
                      const QString& category, int row, int other)
{
    const qint64 cat = categoryCode(raw, category);
    const qint64 site = siteCodes(raw, cat, {d.siteName(row)}).value(0);
    const int entries = int(countRows(raw, "SELECT count(*) FROM PWs WHERE CatCode = ? AND SiteCode = ?", {cat, site}));
    for (int run = 0; run < context.runs; ++run) {
        d.clickSite(other);
        WindowDriver::settle();
        report::sample(figure, timeMs([&] {
                           d.clickSite(row);
                           WindowDriver::settle();
                       }));
        expect(d.entryRows() == entries,
               figure + QStringLiteral(": %1 entries shown, %2 expected").arg(d.entryRows()).arg(entries));
        report::floor(figure, floors::readEntries(raw, cat, site));
    }
    expectNoPrompt(d, figure);
    report::peak(figure);
}

// Whether a column reads in natural order, up or down, as the lists sort.
bool sortedBy(const WindowDriver& d, int column)
{
    QCollator collator{QLocale(QLocale::English)};
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    collator.setNumericMode(true);
    int direction = 0;
    for (int row = 1; row < d.siteRows(); ++row) {
        const int order = collator.compare(d.siteCell(row - 1, column), d.siteCell(row, column));
        if (order != 0 && direction != 0 && (order > 0) != (direction > 0))
            return false;
        if (order != 0)
            direction = order;
    }
    return true;
}

// Header clicks that sort the list, alternately by address and by name (the last by name), so every click
// reorders every row.
void measureSort(WindowDriver& d, const JobContext& context, const QString& figure, int rows)
{
    for (int run = 0; run < context.runs; ++run) {
        const int column = (context.runs - 1 - run) % 2 == 0 ? 3 : 4;
        report::sample(figure, timeMs([&] {
                           d.clickSitesHeader(column);
                           WindowDriver::settle();
                       }));
        expect(d.siteRows() == rows, figure + QStringLiteral(": rows lost"));
        expect(sortedBy(d, column), figure + QStringLiteral(": the list is not in order of column %1").arg(column));
    }
    expectNoPrompt(d, figure);
    report::peak(figure);
}

} // namespace

void startupEmptyJob(const JobContext&)
{
    QTemporaryDir folder;
    {
        Dorvudb created(folder.path()); // making the file is the first start's, not every start's
        created.BuildDataBase();
    }
    WindowDriver d(folder.path());
    report::sample(QStringLiteral("startup_empty"), timeMs([&] {
                       d.openStore();
                       d.showWindow();
                   }));
    expect(d.categoryNodes() == 1, QStringLiteral("startup_empty: the tree is not just its root"));
    report::peak(QStringLiteral("startup_empty"));
}

void startupJob(const JobContext& context, const QString& shape)
{
    const QString folder = storeFolder(context, shape);
    const QString figure = QStringLiteral("startup_") + shape;
    WindowDriver d(folder);
    const double open = timeMs([&] { d.openStore(); });
    const double show = timeMs([&] { d.showWindow(); });
    report::sample(figure, open + show);
    report::sample(figure + QStringLiteral("_open_store"), open);
    {
        RawDb raw(storeFile(folder), true);
        const qint64 categories = countRows(raw, "SELECT count(*) FROM Categories");
        expect(d.categoryNodes() == categories + 1, figure + QStringLiteral(": the tree misses categories"));
    }
    const double floor = floors::readCategories(storeFile(folder));
    report::floor(figure, floor);
    report::sample(QStringLiteral("read_categories_raw_") + shape, floor);
    expectNoPrompt(d, figure);
    for (const QString& name :
         {figure, figure + QStringLiteral("_open_store"), QStringLiteral("read_categories_raw_") + shape})
        report::peak(name);
}

void viewsJob(const JobContext& context)
{
    const QString folder = storeFolder(context, QStringLiteral("100k"));
    auto d = startedWindow(folder);
    RawDb raw(storeFile(folder), true);

    // In the order a session might go; sorting comes last, because once on it applies to every later load.
    measureCategoryClick(*d, raw, context, QStringLiteral("click_cat_10k"), special::Small, special::Big,
                         special::BigSites);

    d->clickCategory(special::Big);
    WindowDriver::settle();
    measureSiteClick(*d, raw, context, QStringLiteral("click_site"), special::Big, 0, 1);

    d->revealCategory(special::Vault);
    d->clickCategory(special::Vault);
    WindowDriver::settle();
    const int full = d->siteRow(special::FullSite);
    measureSiteClick(*d, raw, context, QStringLiteral("click_site_255"), special::Vault, full,
                     d->siteRow(special::PlainSite));

    // The sixth digit of the key reloads the entries on show, deciphered.
    const QString figure = QStringLiteral("key_complete_255");
    const qint64 vault = categoryCode(raw, special::Vault);
    const qint64 fullSite = siteCodes(raw, vault, {special::FullSite}).value(0);
    for (int run = 0; run < context.runs; ++run) {
        d->eraseLastKeyDigit();
        WindowDriver::settle();
        report::sample(figure, timeMs([&] {
                           d->typeKeyDigit(GeneratedKey.back());
                           WindowDriver::settle();
                       }));
        expect(d->entryRows() == special::FullEntries, figure + QStringLiteral(": the entries are not on show"));
        report::floor(figure, floors::readEntries(raw, vault, fullSite));
    }
    report::peak(figure);

    d->clickCategory(special::Big);
    WindowDriver::settle();
    const QString checkAll = QStringLiteral("check_all_10k");
    for (int run = 0; run < context.runs; ++run) {
        report::sample(checkAll, timeMs([&] {
                           d->clickSitesHeader(1);
                           WindowDriver::settle();
                       }));
        expect(d->checkedSites() == special::BigSites, checkAll + QStringLiteral(": not every row got checked"));
        d->clickSitesHeader(1);
        WindowDriver::settle();
        expect(d->checkedSites() == 0, checkAll + QStringLiteral(": the second click left rows checked"));
    }
    expectNoPrompt(*d, checkAll);
    report::peak(checkAll);

    measureSort(*d, context, QStringLiteral("sort_10k"), special::BigSites);
}

void hugeCategoryJob(const JobContext& context)
{
    const QString folder = storeFolder(context, QStringLiteral("100k"));
    auto d = startedWindow(folder);
    RawDb raw(storeFile(folder), true);
    // Its own process: the first figure's peak memory is that of a window showing 100,000 sites.
    measureCategoryClick(*d, raw, context, QStringLiteral("click_cat_100k"), special::Small, special::Huge,
                         special::HugeSites);
    measureSort(*d, context, QStringLiteral("sort_100k"), special::HugeSites);
    measureCategoryClick(*d, raw, context, QStringLiteral("click_cat_100k_sorted"), special::Small, special::Huge,
                         special::HugeSites);
}

void growthJob(const JobContext& context)
{
    // The stores side by side in one process, their runs interleaved, so they are compared under the same load.
    struct Store {
        QString figure;
        std::unique_ptr<WindowDriver> driver;
        std::unique_ptr<RawDb> raw;
    };
    std::vector<Store> stores;
    for (const QString& shape : defaultShapes()) {
        const QString folder = storeFolder(context, shape);
        Store store{QStringLiteral("click_cat_1k_in_") + shape, startedWindow(folder),
                    std::make_unique<RawDb>(storeFile(folder), true)};
        store.driver->revealCategory(special::Small);
        store.driver->revealCategory(special::Growth);
        stores.push_back(std::move(store));
    }
    // Three times the runs: the clicks are short, and a growth of a tenth hides easily in the noise.
    for (int run = 0; run < 3 * context.runs; ++run) {
        for (Store& store : stores) {
            store.driver->activate();
            clickOnce(*store.driver, *store.raw, store.figure, special::Small, special::Growth, special::GrowthSites);
        }
    }
    for (Store& store : stores) {
        expectNoPrompt(*store.driver, store.figure);
        report::peak(store.figure);
    }
}

} // namespace bench
