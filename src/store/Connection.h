#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <initializer_list>
#include <memory>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

// One row of a result, its values addressed by column name (case-insensitive, as the statements spell them freely).
class Row {
public:
    Row(std::shared_ptr<const QStringList> names, QVariantList values)
        : m_names(std::move(names)), m_values(std::move(values))
    {
    }
    QVariant value(const QString& column) const;
    QVariant value(int index) const { return m_values.value(index); }
    QVariant operator[](const QString& column) const { return value(column); }
    QVariant operator[](const char* column) const { return value(QLatin1String(column)); }
    int size() const { return int(m_values.size()); }

private:
    std::shared_ptr<const QStringList> m_names;
    QVariantList m_values;
};

using Params = std::initializer_list<QVariant>;

// The row a statement stands on while Connection::each reads it: typed values read in place, no QVariant each.
class Cursor {
public:
    explicit Cursor(sqlite3_stmt* statement) : m_statement(statement) {}
    qint64 integer(int column) const;
    // A Null reads as a null QString; isNull() tells it from an empty text.
    QString text(int column) const;
    bool isNull(int column) const;

private:
    sqlite3_stmt* m_statement;
};

// The one connection through which every statement of the program goes. Values are always bound parameters
// (numbers as integers, texts as UTF-16), never pasted into the SQL text. Failures throw StoreError.
class Connection {
public:
    explicit Connection(sqlite3* db); // takes ownership
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    std::vector<Row> select(const QString& sql, Params params = {});
    // Calls row for every row in turn, for lists too large to hold as Rows. The cursor is valid during the call
    // only, and row must not run this same statement again.
    void each(const QString& sql, Params params, const std::function<void(const Cursor&)>& row);
    // Whether the query yields at least one row.
    bool exists(const QString& sql, Params params = {});
    // The first column of the first row; a null QVariant when there is no row or the value is Null.
    QVariant scalar(const QString& sql, Params params = {});
    // Runs a change statement; returns the number of rows it changed.
    int execute(const QString& sql, Params params = {});

    // Runs once, before the first unit of work begins: a failure (StoreError) keeps that unit from beginning.
    void setBeforeFirstChange(std::function<void()> hook) { m_beforeFirstChange = std::move(hook); }

    // A unit of work: rolled back unless commit() is called. Transactions nest (savepoints).
    class Transaction {
    public:
        explicit Transaction(Connection& connection);
        ~Transaction();
        Transaction(const Transaction&) = delete;
        Transaction& operator=(const Transaction&) = delete;
        void commit();

    private:
        Connection& m_connection;
        QString m_name;
        bool m_open = true;
    };

    sqlite3* handle() const { return m_db; }

private:
    sqlite3_stmt* prepare(const QString& sql, Params params);
    void release(sqlite3_stmt* statement);
    [[noreturn]] void fail(const QString& sql);

    sqlite3* m_db;
    QHash<QString, sqlite3_stmt*> m_cache;
    std::function<void()> m_beforeFirstChange;
    int m_depth = 0;
};

// A reason a user understands, from an SQLite result code and its message.
QString describeStoreFailure(int code, const QString& message);
