#include "RawStore.h"

#include <QFile>
#include <QHash>
#include <chrono>
#include <sqlite3.h>
#include <stdexcept>

namespace bench {
namespace {

using Clock = std::chrono::steady_clock;

// Where the floors' checksums go, so the compiler keeps every read.
volatile qint64 sink = 0;

double msSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

[[noreturn]] void fail(sqlite3* db, const char* what)
{
    throw std::runtime_error(std::string(what) + ": " + sqlite3_errmsg(db));
}

void bindAll(RawStatement& statement, const QList<QVariant>& params)
{
    for (int i = 0; i < params.size(); ++i) {
        if (params[i].typeId() == QMetaType::QString)
            statement.bind(i + 1, params[i].toString());
        else
            statement.bind(i + 1, params[i].toLongLong());
    }
}

// Fills a temporary table of codes (one column, or old and new codes) inside the caller's transaction.
void fillCodes(RawDb& db, const char* table, const QList<qint64>& codes, qint64 firstNew = 0)
{
    const QByteArray create =
        QByteArray("CREATE TEMP TABLE IF NOT EXISTS ") + table +
        (firstNew ? "(old INTEGER PRIMARY KEY, new INTEGER NOT NULL)" : "(code INTEGER PRIMARY KEY)");
    db.exec(create.constData());
    db.exec((QByteArray("DELETE FROM ") + table).constData());
    const QByteArray insert = QByteArray("INSERT INTO ") + table + (firstNew ? " VALUES (?, ?)" : " VALUES (?)");
    RawStatement statement(db.handle(), insert.constData());
    qint64 next = firstNew;
    for (qint64 code : codes) {
        statement.bind(1, code);
        if (firstNew)
            statement.bind(2, next++);
        statement.step();
        statement.reset();
    }
}

} // namespace

RawStatement::RawStatement(sqlite3* db, const char* sql) : m_db(db)
{
    if (sqlite3_prepare_v2(db, sql, -1, &m_statement, nullptr) != SQLITE_OK)
        fail(db, sql);
}

RawStatement::~RawStatement()
{
    sqlite3_finalize(m_statement);
}

RawStatement& RawStatement::bind(int index, qint64 value)
{
    if (sqlite3_bind_int64(m_statement, index, value) != SQLITE_OK)
        fail(m_db, "bind");
    return *this;
}

RawStatement& RawStatement::bind(int index, const QString& text)
{
    if (sqlite3_bind_text16(m_statement, index, text.utf16(), int(text.size() * 2), SQLITE_TRANSIENT) != SQLITE_OK)
        fail(m_db, "bind");
    return *this;
}

RawStatement& RawStatement::bindNull(int index)
{
    if (sqlite3_bind_null(m_statement, index) != SQLITE_OK)
        fail(m_db, "bind");
    return *this;
}

bool RawStatement::step()
{
    const int rc = sqlite3_step(m_statement);
    if (rc == SQLITE_ROW)
        return true;
    if (rc != SQLITE_DONE)
        fail(m_db, sqlite3_sql(m_statement));
    return false;
}

void RawStatement::reset()
{
    sqlite3_reset(m_statement);
    sqlite3_clear_bindings(m_statement);
}

qint64 RawStatement::readAll()
{
    qint64 sum = 0;
    const int columns = sqlite3_column_count(m_statement);
    while (step()) {
        for (int c = 0; c < columns; ++c) {
            switch (sqlite3_column_type(m_statement, c)) {
            case SQLITE_INTEGER:
                sum += sqlite3_column_int64(m_statement, c);
                break;
            case SQLITE_TEXT: {
                const auto* text = static_cast<const char16_t*>(sqlite3_column_text16(m_statement, c));
                const int bytes = sqlite3_column_bytes16(m_statement, c);
                sum += bytes + (bytes > 0 ? text[0] : 0);
                break;
            }
            default:
                break;
            }
        }
    }
    reset();
    return sum;
}

qint64 RawStatement::integer(int column) const
{
    return sqlite3_column_int64(m_statement, column);
}

QString RawStatement::text(int column) const
{
    const auto* text = static_cast<const char16_t*>(sqlite3_column_text16(m_statement, column));
    return QString::fromUtf16(text, sqlite3_column_bytes16(m_statement, column) / 2);
}

RawDb::RawDb(const QString& path, bool readOnly)
{
    const int flags = readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE;
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &m_db, flags, nullptr) != SQLITE_OK) {
        const std::string reason = sqlite3_errmsg(m_db);
        sqlite3_close_v2(m_db);
        throw std::runtime_error("cannot open " + path.toStdString() + ": " + reason);
    }
    // The program's own settings, so the floors check what its statements check.
    exec("PRAGMA foreign_keys = ON");
    sqlite3_busy_timeout(m_db, 2000);
}

RawDb::~RawDb()
{
    sqlite3_close_v2(m_db);
}

void RawDb::exec(const char* sql)
{
    char* message = nullptr;
    if (sqlite3_exec(m_db, sql, nullptr, nullptr, &message) != SQLITE_OK) {
        const std::string reason = message ? message : "unknown";
        sqlite3_free(message);
        throw std::runtime_error(std::string(sql) + ": " + reason);
    }
}

qint64 RawDb::scalar(const char* sql, const QList<QVariant>& params)
{
    RawStatement statement(m_db, sql);
    bindAll(statement, params);
    return statement.step() ? statement.integer(0) : 0;
}

namespace floors {

double readCategories(const QString& path)
{
    const auto start = Clock::now();
    {
        RawDb db(path, true);
        RawStatement statement(db.handle(), "SELECT * FROM Categories");
        sink = sink + statement.readAll();
    }
    return msSince(start);
}

double readSites(RawDb& db, qint64 catCode)
{
    RawStatement statement(db.handle(), "SELECT * FROM URLs WHERE CatCode = ?");
    const auto start = Clock::now();
    statement.bind(1, catCode);
    sink = sink + statement.readAll();
    return msSince(start);
}

double readEntries(RawDb& db, qint64 catCode, qint64 siteCode)
{
    RawStatement statement(db.handle(), "SELECT * FROM PWs WHERE CatCode = ? AND SiteCode = ?");
    const auto start = Clock::now();
    statement.bind(1, catCode).bind(2, siteCode);
    sink = sink + statement.readAll();
    return msSince(start);
}

double pasteSites(RawDb& db, qint64 from, qint64 to, const QList<qint64>& siteCodes)
{
    const auto start = Clock::now();
    db.exec("BEGIN");
    const qint64 highest = db.scalar("SELECT coalesce(max(SiteCode), 0) FROM URLs WHERE CatCode = ?", {to});
    fillCodes(db, "moved", siteCodes, highest + 1);
    for (const char* sql : {"UPDATE PWs SET CatCode = ?1, SiteCode = moved.new FROM moved "
                            "WHERE PWs.CatCode = ?2 AND PWs.SiteCode = moved.old",
                            "UPDATE URLs SET CatCode = ?1, SiteCode = moved.new FROM moved "
                            "WHERE URLs.CatCode = ?2 AND URLs.SiteCode = moved.old"}) {
        RawStatement statement(db.handle(), sql);
        statement.bind(1, to).bind(2, from).step();
    }
    db.exec("COMMIT");
    return msSince(start);
}

double deleteSites(RawDb& db, qint64 catCode, const QList<qint64>& siteCodes)
{
    const auto start = Clock::now();
    db.exec("BEGIN");
    fillCodes(db, "gone", siteCodes);
    for (const char* sql : {"DELETE FROM PWs WHERE CatCode = ? AND SiteCode IN gone",
                            "DELETE FROM URLs WHERE CatCode = ? AND SiteCode IN gone"}) {
        RawStatement statement(db.handle(), sql);
        statement.bind(1, catCode).step();
    }
    db.exec("COMMIT");
    return msSince(start);
}

double deleteCategories(RawDb& db, const QList<qint64>& catCodes)
{
    const auto start = Clock::now();
    db.exec("BEGIN");
    fillCodes(db, "doomed", catCodes);
    db.exec("DELETE FROM PWs WHERE CatCode IN doomed");
    db.exec("DELETE FROM URLs WHERE CatCode IN doomed");
    db.exec("DELETE FROM Categories WHERE CatCode IN doomed");
    db.exec("COMMIT");
    return msSince(start);
}

double updateSite(RawDb& db, qint64 catCode, qint64 siteCode, const QString& name)
{
    RawStatement statement(
        db.handle(), "UPDATE URLs SET SiteName = ?, URL = URL, SiteDesc = SiteDesc WHERE CatCode = ? AND SiteCode = ?");
    const auto start = Clock::now();
    db.exec("BEGIN");
    statement.bind(1, name).bind(2, catCode).bind(3, siteCode).step();
    db.exec("COMMIT");
    return msSince(start);
}

double raiseRank(RawDb& db, qint64 catCode, qint64 siteCode)
{
    RawStatement statement(db.handle(), "UPDATE URLs SET Rank = Rank + 1 WHERE CatCode = ? AND SiteCode = ?");
    const auto start = Clock::now();
    db.exec("BEGIN");
    statement.bind(1, catCode).bind(2, siteCode).step();
    db.exec("COMMIT");
    return msSince(start);
}

} // namespace floors

qint64 categoryCode(RawDb& db, const QString& name)
{
    return db.scalar("SELECT CatCode FROM Categories WHERE CatName = ?", {name});
}

QList<qint64> siteCodes(RawDb& db, qint64 catCode, const QStringList& names)
{
    QHash<QString, qint64> byName;
    RawStatement statement(db.handle(), "SELECT SiteName, SiteCode FROM URLs WHERE CatCode = ?");
    statement.bind(1, catCode);
    while (statement.step())
        byName.insert(statement.text(0), statement.integer(1));
    QList<qint64> codes;
    codes.reserve(names.size());
    for (const QString& name : names)
        codes.append(byName.value(name, -1));
    return codes;
}

qint64 countRows(RawDb& db, const char* sql, const QList<QVariant>& params)
{
    return db.scalar(sql, params);
}

QList<qint64> subtreeCodes(RawDb& db, qint64 root)
{
    RawStatement statement(db.handle(), "WITH RECURSIVE below(code) AS (SELECT ? UNION ALL "
                                        "SELECT c.CatCode FROM Categories c JOIN below ON c.Parent = below.code) "
                                        "SELECT code FROM below");
    statement.bind(1, root);
    QList<qint64> codes;
    while (statement.step())
        codes.append(statement.integer(0));
    return codes;
}

} // namespace bench
