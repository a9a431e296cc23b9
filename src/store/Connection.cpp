#include "store/Connection.h"

#include "store/StoreError.h"

#include <sqlite3.h>

QVariant Row::value(const QString& column) const
{
    for (qsizetype i = 0; i < m_names->size(); ++i) {
        if (m_names->at(i).compare(column, Qt::CaseInsensitive) == 0)
            return m_values.value(i);
    }
    return {};
}

qint64 Cursor::integer(int column) const
{
    return sqlite3_column_int64(m_statement, column);
}

QString Cursor::text(int column) const
{
    // The store is UTF-16: the text is read where it lies, and its length asked after it (as SQLite advises).
    const auto* text = static_cast<const char16_t*>(sqlite3_column_text16(m_statement, column));
    return QString::fromUtf16(text, sqlite3_column_bytes16(m_statement, column) / qsizetype(sizeof(char16_t)));
}

bool Cursor::isNull(int column) const
{
    return sqlite3_column_type(m_statement, column) == SQLITE_NULL;
}

Connection::Connection(sqlite3* db) : m_db(db) {}

Connection::~Connection()
{
    for (sqlite3_stmt* statement : std::as_const(m_cache))
        sqlite3_finalize(statement);
    sqlite3_close_v2(m_db);
}

void Connection::fail(const QString& sql)
{
    const int code = sqlite3_extended_errcode(m_db);
    const QString message = QString::fromUtf8(sqlite3_errmsg(m_db));
    qWarning("store: %s in: %s", qPrintable(message), qPrintable(sql));
    throw StoreError(describeStoreFailure(code, message), code);
}

sqlite3_stmt* Connection::prepare(const QString& sql, Params params)
{
    sqlite3_stmt* statement = m_cache.value(sql);
    if (!statement) {
        if (sqlite3_prepare16_v3(m_db, sql.utf16(), int(sql.size() * sizeof(char16_t)), SQLITE_PREPARE_PERSISTENT,
                                 &statement, nullptr) != SQLITE_OK)
            fail(sql);
        m_cache.insert(sql, statement);
    }
    int index = 1;
    for (const QVariant& value : params) {
        int rc = SQLITE_OK;
        if (value.isNull()) {
            rc = sqlite3_bind_null(statement, index);
        } else if (value.typeId() == QMetaType::QString) {
            const QString text = value.toString();
            rc = sqlite3_bind_text16(statement, index, text.utf16(), int(text.size() * sizeof(char16_t)),
                                     SQLITE_TRANSIENT);
        } else {
            bool ok = false;
            const qlonglong number = value.toLongLong(&ok);
            rc = ok ? sqlite3_bind_int64(statement, index, number) : SQLITE_MISMATCH;
        }
        if (rc != SQLITE_OK) {
            sqlite3_reset(statement);
            sqlite3_clear_bindings(statement);
            fail(sql);
        }
        ++index;
    }
    return statement;
}

void Connection::release(sqlite3_stmt* statement)
{
    sqlite3_reset(statement);
    sqlite3_clear_bindings(statement);
}

std::vector<Row> Connection::select(const QString& sql, Params params)
{
    sqlite3_stmt* statement = prepare(sql, params);
    const int columns = sqlite3_column_count(statement);
    auto names = std::make_shared<QStringList>();
    for (int c = 0; c < columns; ++c)
        names->append(QString::fromUtf8(sqlite3_column_name(statement, c)));

    std::vector<Row> rows;
    int rc;
    while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
        QVariantList values;
        values.reserve(columns);
        for (int c = 0; c < columns; ++c) {
            switch (sqlite3_column_type(statement, c)) {
            case SQLITE_INTEGER:
                values.append(qlonglong(sqlite3_column_int64(statement, c)));
                break;
            case SQLITE_FLOAT:
                values.append(sqlite3_column_double(statement, c));
                break;
            case SQLITE_NULL:
                values.append(QVariant());
                break;
            default: {
                const auto* text = static_cast<const char16_t*>(sqlite3_column_text16(statement, c));
                const int bytes = sqlite3_column_bytes16(statement, c);
                values.append(QString::fromUtf16(text, bytes / qsizetype(sizeof(char16_t))));
            }
            }
        }
        rows.emplace_back(names, std::move(values));
    }
    if (rc != SQLITE_DONE) {
        release(statement);
        fail(sql);
    }
    release(statement);
    return rows;
}

void Connection::each(const QString& sql, Params params, const std::function<void(const Cursor&)>& row)
{
    sqlite3_stmt* statement = prepare(sql, params);
    // Reset however the loop ends, a throwing row included, so the statement never stays half-read.
    struct Reset {
        Connection* connection;
        sqlite3_stmt* statement;
        ~Reset() { connection->release(statement); }
    } reset{this, statement};
    const Cursor cursor(statement);
    int rc;
    while ((rc = sqlite3_step(statement)) == SQLITE_ROW)
        row(cursor);
    if (rc != SQLITE_DONE)
        fail(sql);
}

bool Connection::exists(const QString& sql, Params params)
{
    sqlite3_stmt* statement = prepare(sql, params);
    const int rc = sqlite3_step(statement);
    release(statement);
    if (rc != SQLITE_ROW && rc != SQLITE_DONE)
        fail(sql);
    return rc == SQLITE_ROW;
}

QVariant Connection::scalar(const QString& sql, Params params)
{
    const std::vector<Row> rows = select(sql, params);
    return rows.empty() ? QVariant() : rows.front().value(0);
}

int Connection::execute(const QString& sql, Params params)
{
    sqlite3_stmt* statement = prepare(sql, params);
    int rc;
    while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
    }
    release(statement);
    if (rc != SQLITE_DONE)
        fail(sql);
    return sqlite3_changes(m_db);
}

Connection::Transaction::Transaction(Connection& connection)
    : m_connection(connection), m_name(QStringLiteral("work%1").arg(++connection.m_depth))
{
    try {
        if (m_connection.m_beforeFirstChange) {
            m_connection.m_beforeFirstChange();
            m_connection.m_beforeFirstChange = nullptr;
        }
        m_connection.execute(QStringLiteral("SAVEPOINT ") + m_name);
    } catch (...) {
        --m_connection.m_depth;
        throw;
    }
}

Connection::Transaction::~Transaction()
{
    if (m_open) {
        // Undo everything since the savepoint; a failure here leaves nothing better to do.
        sqlite3_exec(m_connection.m_db, qPrintable(QStringLiteral("ROLLBACK TO ") + m_name), nullptr, nullptr, nullptr);
        sqlite3_exec(m_connection.m_db, qPrintable(QStringLiteral("RELEASE ") + m_name), nullptr, nullptr, nullptr);
    }
    --m_connection.m_depth;
}

void Connection::Transaction::commit()
{
    m_connection.execute(QStringLiteral("RELEASE ") + m_name);
    m_open = false;
}

QString describeStoreFailure(int code, const QString& message)
{
    // SQLite's own words name constraints, tables and columns: only those about the file reach the user.
    switch (code & 0xff) {
    case SQLITE_CONSTRAINT:
        return QStringLiteral("The database refused the change because it breaks one of its rules.");
    case SQLITE_FULL:
        return QStringLiteral("The disk is full: the change could not be written.");
    case SQLITE_READONLY:
        return QStringLiteral("The database file cannot be written (%1).").arg(message);
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        return QStringLiteral("The database file is damaged or is not a database (%1).").arg(message);
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return QStringLiteral("The database file is in use by another program.");
    case SQLITE_IOERR:
    case SQLITE_CANTOPEN:
        return QStringLiteral("The database file could not be read or written (%1).").arg(message);
    case SQLITE_PERM:
        return QStringLiteral("Access to the database file was denied.");
    default:
        return QStringLiteral("The database reported an error (code %1).").arg(code);
    }
}
