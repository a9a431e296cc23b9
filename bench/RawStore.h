#pragma once
// Plain sqlite3 C API: the generator's writer and the floors the window's figures are compared with.

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

struct sqlite3;
struct sqlite3_stmt;

namespace bench {

// One prepared statement; failures throw std::runtime_error.
class RawStatement {
public:
    RawStatement(sqlite3* db, const char* sql);
    ~RawStatement();
    RawStatement(const RawStatement&) = delete;
    RawStatement& operator=(const RawStatement&) = delete;

    RawStatement& bind(int index, qint64 value);
    RawStatement& bind(int index, const QString& text); // UTF-16, as the program binds texts
    RawStatement& bindNull(int index);
    // True while a row is ready.
    bool step();
    void reset();
    // Steps to the end reading every column as the program would (integers as integers, texts as UTF-16);
    // returns a checksum so the reads cannot be optimised away.
    qint64 readAll();
    qint64 integer(int column) const;
    QString text(int column) const;

private:
    sqlite3* m_db;
    sqlite3_stmt* m_statement = nullptr;
};

class RawDb {
public:
    explicit RawDb(const QString& path, bool readOnly = false);
    ~RawDb();
    RawDb(const RawDb&) = delete;
    RawDb& operator=(const RawDb&) = delete;

    void exec(const char* sql);
    qint64 scalar(const char* sql, const QList<QVariant>& params = {});
    sqlite3* handle() const { return m_db; }

private:
    sqlite3* m_db = nullptr;
};

// The floors: the same rows a command reads or writes, with nothing else. Each returns milliseconds.
namespace floors {
// Opening the file and reading the whole Categories table.
double readCategories(const QString& path);
// SELECT * FROM URLs WHERE CatCode = ?, every column of every row read.
double readSites(RawDb& db, qint64 catCode);
// SELECT * FROM PWs WHERE CatCode = ? AND SiteCode = ?.
double readEntries(RawDb& db, qint64 catCode, qint64 siteCode);
// Moves sites (in list order) to another category under the codes after its highest, with their entries: one
// transaction of set-based UPDATEs over a table of old and new codes.
double pasteSites(RawDb& db, qint64 from, qint64 to, const QList<qint64>& siteCodes);
// Deletes sites with their entries, set-based, in one transaction.
double deleteSites(RawDb& db, qint64 catCode, const QList<qint64>& siteCodes);
// Deletes categories with their sites and entries, set-based, in one transaction.
double deleteCategories(RawDb& db, const QList<qint64>& catCodes);
// One UPDATE of a site's texts, in its own transaction.
double updateSite(RawDb& db, qint64 catCode, qint64 siteCode, const QString& name);
// One UPDATE raising a site's rank, in its own transaction.
double raiseRank(RawDb& db, qint64 catCode, qint64 siteCode);
} // namespace floors

// Lookups the benchmark needs to prepare a floor (not timed).
qint64 categoryCode(RawDb& db, const QString& name);
// The codes of the named sites of a category, in the order of the names.
QList<qint64> siteCodes(RawDb& db, qint64 catCode, const QStringList& names);
qint64 countRows(RawDb& db, const char* sql, const QList<QVariant>& params = {});
// The codes of a category and of every category below it.
QList<qint64> subtreeCodes(RawDb& db, qint64 root);

} // namespace bench
