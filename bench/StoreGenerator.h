#pragma once
// Stores of a chosen size for the benchmarks, written in one transaction with prepared statements.

#include <QString>
#include <QStringList>

namespace bench {

// A store's bulk (sites spread over a tree of categories, about three entries a site) and which of the large
// special categories it also holds. Every store holds the small special ones.
struct StoreShape {
    QString name; // "1k", "10k", "100k", "1m": the folder the store lives in
    int sites = 0;
    int categories = 0;
    bool bigCategory = false;  // a category of 10,000 sites
    bool hugeCategory = false; // a category of 100,000 sites
    bool subtree = false;      // a subtree of 1,000 categories with a few sites each
};

// The shapes by name; an unknown name gives a shape with no name.
StoreShape shapeNamed(const QString& name);
QStringList defaultShapes();

// The special categories. Their names are unique in the store, so the window driver can find them by the text it
// shows; their codes follow the bulk's.
namespace special {
inline const QString Small = QStringLiteral("Bench Small");     // 20 sites, a typical category
inline const QString Vault = QStringLiteral("Bench Vault");     // the site of 255 entries and one of 3
inline const QString Target = QStringLiteral("Bench Target");   // 10 sites; receives the paste
inline const QString Growth = QStringLiteral("Bench Growth");   // 1,000 sites in every store
inline const QString Big = QStringLiteral("Bench Big");         // 10,000 sites
inline const QString Huge = QStringLiteral("Bench Huge");       // 100,000 sites
inline const QString Subtree = QStringLiteral("Bench Subtree"); // the root of 1,000 categories
inline const QString FullSite = QStringLiteral("Vault 255 entries");
inline const QString PlainSite = QStringLiteral("Vault 3 entries");

inline constexpr int SmallSites = 20;
inline constexpr int TargetSites = 10;
inline constexpr int GrowthSites = 1000;
inline constexpr int BigSites = 10000;
inline constexpr int HugeSites = 100000;
inline constexpr int SubtreeCategories = 1000;
inline constexpr int FullEntries = 255;
} // namespace special

// The unlock key the generated passwords are enciphered under.
inline const QString GeneratedKey = QStringLiteral("271828");

struct StoreCounts {
    qint64 categories = 0;
    qint64 sites = 0;
    qint64 entries = 0;
};

// Creates <folder>/Dorvudb.mdb through the program's own store class, so the schema is the program's, and fills
// it. Throws std::runtime_error on any failure.
StoreCounts generateStore(const QString& folder, const StoreShape& shape);

} // namespace bench
