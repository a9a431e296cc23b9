#include "StoreGenerator.h"

#include "RawStore.h"
#include "cipher/CryptText.h"
#include "store/Dorvudb.h"

#include <QDir>
#include <array>
#include <random>
#include <vector>

namespace bench {
namespace {

const std::array<const char*, 32> brands = {
    "Amazon", "GitHub",  "Netflix", "PayPal", "Dropbox", "Reddit",    "Steam",   "Spotify",
    "Ebay",   "Slack",   "Zoom",    "Ikea",   "Hetzner", "Gitlab",    "Lidl",    "Mastodon",
    "Bank",   "Mail",    "Forum",   "Router", "Printer", "Insurance", "Tax",     "School",
    "Doctor", "Airline", "Hotel",   "Energy", "Water",   "Phone",     "Pension", "Library"};
const std::array<const char*, 20> topics = {"Banking",   "Email", "Work",   "Shopping", "Forums", "Games",  "Travel",
                                            "Utilities", "News",  "Social", "Dev",      "Cloud",  "Health", "Insurance",
                                            "Home",      "Kids",  "Music",  "Video",    "Photos", "Crypto"};
const std::array<const char*, 16> people = {"anna", "ben", "carla", "dmitri", "eva",  "farid", "greta", "hiro",
                                            "ines", "jon", "kemal", "lena",   "mika", "nora",  "omar",  "pia"};
const std::array<const char*, 6> entryNotes = {"Main account",          "Work",        "Family login",
                                               "2FA codes in the safe", "Old address", "Shared"};

// Realistic-ish names: mixed case, digits of varying width, so the natural order is not the plain one. The number
// is the record's code within its scope, which keeps every name unique there.
QString styled(const QString& word, qint64 number, unsigned style)
{
    switch (style % 5) {
    case 0:
        return word + u' ' + QString::number(number);
    case 1:
        return word.toLower() + QString::number(number);
    case 2:
        return word.toUpper() + u'-' + QString::number(number);
    case 3:
        return word + QStringLiteral(" (home) ") + QString::number(number);
    default:
        return word.left(1).toLower() + word.mid(1) + u'_' + QString::number(number);
    }
}

class Writer {
public:
    Writer(RawDb& db, StoreCounts& counts)
        : m_db(db), m_counts(counts), m_category(db.handle(), "INSERT INTO Categories VALUES (?, ?, ?, ?)"),
          m_site(db.handle(),
                 "INSERT INTO URLs (CatCode, SiteCode, Rank, SiteName, URL, SiteDesc) VALUES (?, ?, ?, ?, ?, ?)"),
          m_entry(db.handle(),
                  "INSERT INTO PWs (CatCode, SiteCode, Ser, UserID, UserPW, PWDesc) VALUES (?, ?, ?, ?, ?, ?)")
    {
        for (int i = 0; i < 64; ++i) {
            const QString clear = QStringLiteral("%1Pass#%2w0rd").arg(QLatin1String(brands[i % 32])).arg(i * 37);
            m_passwords.append(CryptText(CryptMode::Enc, GeneratedKey, clear.left(25)));
        }
    }

    void category(qint64 code, const QString& name, int level, qint64 parent)
    {
        m_category.bind(1, code).bind(2, name).bind(3, level).bind(4, parent).step();
        m_category.reset();
        ++m_counts.categories;
        if (m_nextSite.size() <= std::size_t(code))
            m_nextSite.resize(std::size_t(code) + 1, 1);
    }

    QString bulkCategoryName(qint64 code) { return styled(QLatin1String(topics[m_random() % 20]), code, m_random()); }

    // A site with `entries` entries (0 picks two to four); returns its code.
    qint64 site(qint64 cat, const QString& fixedName = {}, int entries = 0)
    {
        const qint64 code = m_nextSite[cat]++;
        const QString brand = QLatin1String(brands[m_random() % 32]);
        const QString name = fixedName.isEmpty() ? styled(brand, code, m_random()) : fixedName;
        const qint64 rank = m_random() % 10 == 0 ? 1 + m_random() % 12 : 0;
        m_site.bind(1, cat).bind(2, code).bind(3, rank).bind(4, name);
        m_site.bind(5, QStringLiteral("https://www.%1.example/login/%2").arg(brand.toLower()).arg(code));
        if (m_random() % 3 == 0)
            m_site.bindNull(6);
        else
            m_site.bind(6, QStringLiteral("Account %1, opened in 20%2; recovery mail on file")
                               .arg(code)
                               .arg(10 + m_random() % 15));
        m_site.step();
        m_site.reset();
        ++m_counts.sites;

        const int count = entries > 0 ? entries : 2 + int(m_random() % 3);
        for (int ser = 1; ser <= count; ++ser) {
            const QString user = QStringLiteral("%1.%2%3")
                                     .arg(QLatin1String(people[m_random() % 16]))
                                     .arg(QChar(u'a' + ser % 26))
                                     .arg(m_random() % 1000);
            m_entry.bind(1, cat).bind(2, code).bind(3, ser).bind(4, user).bind(5, m_passwords[m_random() % 64]);
            if (m_random() % 2)
                m_entry.bindNull(6);
            else
                m_entry.bind(6, QLatin1String(entryNotes[m_random() % 6]));
            m_entry.step();
            m_entry.reset();
            ++m_counts.entries;
        }
        return code;
    }

private:
    RawDb& m_db;
    StoreCounts& m_counts;
    RawStatement m_category;
    RawStatement m_site;
    RawStatement m_entry;
    QStringList m_passwords;
    std::vector<qint64> m_nextSite;
    std::mt19937 m_random{20240607};
};

// A tree of several levels: a first level, then every node has up to eight children, breadth first.
void writeBulkTree(Writer& out, int categories)
{
    const int firstLevel = std::max(10, categories / 500);
    std::vector<int> level(categories + 1, 1);
    for (int code = 1; code <= categories; ++code) {
        const int parent = code <= firstLevel ? 0 : (code - firstLevel - 1) / 8 + 1;
        level[code] = parent == 0 ? 1 : level[parent] + 1;
        out.category(code, out.bulkCategoryName(code), level[code], parent);
    }
}

void writeSpecials(Writer& out, const StoreShape& shape)
{
    qint64 code = shape.categories;
    auto add = [&](const QString& name, qint64 parent) {
        out.category(++code, name, 2, parent);
        return code;
    };
    const qint64 small = add(special::Small, 1);
    for (int i = 0; i < special::SmallSites; ++i)
        out.site(small);
    const qint64 vault = add(special::Vault, 2);
    out.site(vault, special::FullSite, special::FullEntries);
    out.site(vault, special::PlainSite, 3);
    const qint64 target = add(special::Target, 3);
    for (int i = 0; i < special::TargetSites; ++i)
        out.site(target);
    const qint64 growth = add(special::Growth, 4);
    for (int i = 0; i < special::GrowthSites; ++i)
        out.site(growth);
    if (shape.bigCategory) {
        const qint64 big = add(special::Big, 5);
        for (int i = 0; i < special::BigSites; ++i)
            out.site(big);
    }
    if (shape.hugeCategory) {
        const qint64 huge = add(special::Huge, 6);
        for (int i = 0; i < special::HugeSites; ++i)
            out.site(huge);
    }
    if (shape.subtree) {
        // Ten children a node below the root, three levels deep; two sites in every category.
        const qint64 root = add(special::Subtree, 7);
        std::vector<int> level(special::SubtreeCategories, 2);
        for (int j = 0; j < special::SubtreeCategories; ++j) {
            if (j > 0) {
                const int parent = (j - 1) / 10;
                level[j] = level[parent] + 1;
                out.category(root + j, out.bulkCategoryName(root + j), level[j], root + parent);
            }
            out.site(root + j);
            out.site(root + j);
        }
    }
}

} // namespace

StoreShape shapeNamed(const QString& name)
{
    if (name == u"1k")
        return {name, 1000, 1000, false, false, false};
    if (name == u"10k")
        return {name, 10000, 1000, true, false, true};
    if (name == u"100k")
        return {name, 100000, 10000, true, true, true};
    if (name == u"1m")
        return {name, 1000000, 10000, false, false, false};
    return {};
}

QStringList defaultShapes()
{
    return {QStringLiteral("1k"), QStringLiteral("10k"), QStringLiteral("100k")};
}

StoreCounts generateStore(const QString& folder, const StoreShape& shape)
{
    QDir().mkpath(folder);
    {
        Dorvudb store(folder);
        store.BuildDataBase();
    }
    RawDb db(QDir(folder).filePath(Dorvudb::fileName()));
    // A file being made: nothing to protect until it is whole.
    db.exec("PRAGMA synchronous = OFF");
    db.exec("PRAGMA journal_mode = MEMORY");
    db.exec("PRAGMA cache_size = -65536");
    StoreCounts counts;
    db.exec("BEGIN");
    Writer out(db, counts);
    writeBulkTree(out, shape.categories);
    writeSpecials(out, shape);
    // Bulk sites are spread evenly over the tree (7919 is prime, so every category gets its share).
    for (qint64 i = 0; i < shape.sites; ++i)
        out.site(1 + (i * 7919) % shape.categories);
    db.exec("COMMIT");
    return counts;
}

} // namespace bench
