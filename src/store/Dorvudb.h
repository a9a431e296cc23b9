#pragma once

#include "store/Connection.h"

#include <QString>
#include <memory>

// The database file Dorvudb.mdb in the program's folder, and the one connection to it.
class Dorvudb {
public:
    explicit Dorvudb(QString programFolder);

    // Creates the file with its tables when it is missing, then opens it. A file that cannot be created,
    // opened or used throws StoreError with a reason that names the file. An existing file's content is never
    // changed; its mode is narrowed to 0600.
    void BuildDataBase();
    void OpenDB();

    Connection& connection() { return *m_connection; }
    // From now on, the session's first change is preceded by a copy of the store as it is (see SessionBackup.h).
    void keepBackupBeforeFirstChange();
    const QString& path() const { return m_path; }

    static QString fileName() { return QStringLiteral("Dorvudb.mdb"); }

private:
    void createStore();
    void removeLeftovers() const;
    void tightenModes() const;
    void CreateCategoriesTable(Connection& c);
    void CreateURLsTable(Connection& c);
    void CreatePWsTable(Connection& c);
    [[noreturn]] void refuse(const QString& reason) const;
    void checkIsDorvuStore(Connection& c) const;

    QString m_folder;
    QString m_path;
    std::unique_ptr<Connection> m_connection;
};
