#include "store/Dorvudb.h"

#include "store/NoCase.h"
#include "store/Schema.h"
#include "store/SessionBackup.h"
#include "store/StoreError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <cstdio>
#include <fcntl.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A store being made lies under this name until its schema is committed (the suffix is mkstemp's).
const QString creationSuffix = QStringLiteral(".new-XXXXXX");

QString systemError()
{
    return QString::fromLocal8Bit(strerror(errno));
}

bool syncPath(const QString& path, int flags)
{
    const int fd = ::open(QFile::encodeName(path).constData(), flags | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool synced = ::fsync(fd) == 0;
    ::close(fd);
    return synced;
}

// Never over a store that appeared meanwhile; where the file system cannot promise that, a plain rename
// (the single-instance lock keeps a second copy from creating at the same time).
bool renameNoReplace(const QString& from, const QString& to)
{
    const QByteArray source = QFile::encodeName(from);
    const QByteArray target = QFile::encodeName(to);
    if (::renameat2(AT_FDCWD, source.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE) == 0)
        return true;
    return (errno == EINVAL || errno == ENOSYS) && ::rename(source.constData(), target.constData()) == 0;
}

std::unique_ptr<Connection> openConnection(const QString& path, QString* failure)
{
    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    if (rc != SQLITE_OK) {
        *failure = describeStoreFailure(sqlite3_extended_errcode(db), QString::fromUtf8(sqlite3_errmsg(db)));
        sqlite3_close_v2(db);
        return nullptr;
    }
    sqlite3_extended_result_codes(db, 1);
    // Rides over another program reading or writing the file for a moment.
    sqlite3_busy_timeout(db, 2000);
    if (registerNoCase(db) != SQLITE_OK) {
        *failure = describeStoreFailure(sqlite3_extended_errcode(db), QString::fromUtf8(sqlite3_errmsg(db)));
        sqlite3_close_v2(db);
        return nullptr;
    }
    return std::make_unique<Connection>(db);
}

// The first table or column of a Dorvu store that the file lacks, in words; empty when it has them all.
QString missingColumn(Connection& c)
{
    for (const schema::TableColumns& table : schema::requiredColumns()) {
        QStringList present;
        for (const Row& row :
             c.select(QStringLiteral("SELECT name FROM pragma_table_info(?)"), {QString::fromLatin1(table.table)}))
            present << row.value(0).toString();
        for (const QString& column : table.columns) {
            if (!present.contains(column, Qt::CaseInsensitive))
                return QStringLiteral("It is not a Dorvu database: the table %1 or its column %2 is missing.")
                    .arg(QLatin1String(table.table), column);
        }
    }
    return {};
}

QStringList integrityProblems(Connection& c)
{
    QStringList problems;
    try {
        for (const Row& row : c.select(QStringLiteral("PRAGMA integrity_check")))
            problems << row.value(0).toString();
    } catch (const StoreError& error) {
        // Some damage stops the check itself: that is its finding.
        if ((error.code() & 0xff) != SQLITE_CORRUPT)
            throw;
        return {QString::fromUtf8(sqlite3_errmsg(c.handle()))};
    }
    return problems == QStringList{QStringLiteral("ok")} ? QStringList() : problems;
}

} // namespace

Dorvudb::Dorvudb(QString programFolder)
    : m_folder(std::move(programFolder)), m_path(QDir(m_folder).filePath(fileName()))
{
}

void Dorvudb::refuse(const QString& reason) const
{
    throw StoreFileError(
        QStringLiteral("Dorvu cannot use its database file\n%1\n\n%2").arg(QDir::toNativeSeparators(m_path), reason));
}

void Dorvudb::BuildDataBase()
{
    const QFileInfo folder(m_folder);
    if (!folder.isDir())
        refuse(QStringLiteral("The program's folder does not exist or is not a folder."));
    if (!folder.isWritable())
        refuse(QStringLiteral("The program's folder cannot be written, so changes could not be saved."));

    removeLeftovers();
    if (!QFileInfo::exists(m_path) && !QFileInfo(m_path).isSymLink())
        createStore();
    OpenDB();
}

void Dorvudb::createStore()
{
    // Made under a temporary name, private from its first byte, and renamed into place only once its schema
    // is committed: a creation killed half-way never leaves a half-made store under the real name.
    QByteArray name = QFile::encodeName(m_path + creationSuffix);
    const int fd = ::mkstemp(name.data());
    if (fd < 0)
        refuse(QStringLiteral("The file could not be created: %1.").arg(systemError()));
    ::close(fd);
    const QString temporary = QFile::decodeName(name);

    try {
        {
            QString failure;
            std::unique_ptr<Connection> c = openConnection(temporary, &failure);
            if (!c)
                refuse(failure);
            // Before the first table: the cipher works on 16-bit units and may split a surrogate pair.
            c->execute(QStringLiteral("PRAGMA encoding = \"UTF-16le\""));
            Connection::Transaction work(*c);
            CreateCategoriesTable(*c);
            CreateURLsTable(*c);
            CreatePWsTable(*c);
            for (const QString& statement : schema::indexes())
                c->execute(statement);
            work.commit();
        }
        if (!syncPath(temporary, O_RDONLY))
            refuse(QStringLiteral("The file could not be written to the disk: %1.").arg(systemError()));
        if (!renameNoReplace(temporary, m_path)) {
            if (errno != EEXIST)
                refuse(QStringLiteral("The file could not be put in place: %1.").arg(systemError()));
            // Another copy's store took the name first: that one is opened.
            QFile::remove(temporary);
        }
    } catch (const StoreError& error) {
        QFile::remove(temporary);
        QFile::remove(temporary + QStringLiteral("-journal"));
        if (dynamic_cast<const StoreFileError*>(&error))
            throw;
        refuse(error.reason());
    }
    // The rename itself lasts only once the folder is on the disk.
    syncPath(m_folder, O_RDONLY | O_DIRECTORY);
}

void Dorvudb::keepBackupBeforeFirstChange()
{
    m_connection->setBeforeFirstChange([this] { backup::keep(m_connection->handle(), m_path); });
}

void Dorvudb::removeLeftovers() const
{
    // Only names that mkstemp can have made from creationSuffix, for a store or its backup, and their journals.
    static const QRegularExpression leftover(QRegularExpression::anchoredPattern(
        QStringLiteral("Dorvudb\\.mdb(\\.backup)?\\.new-[A-Za-z0-9]{6}(-journal)?")));
    const QDir folder(m_folder);
    for (const QString& name : folder.entryList({fileName() + QStringLiteral("*.new-*")}, QDir::Files | QDir::System)) {
        if (leftover.match(name).hasMatch())
            QFile::remove(folder.filePath(name));
    }
}

void Dorvudb::tightenModes() const
{
    // SQLite gives new journals the store's own mode, so the store is narrowed before it is opened.
    struct stat info {};
    const QByteArray store = QFile::encodeName(m_path);
    if (::stat(store.constData(), &info) == 0 && (info.st_mode & 077) && ::chmod(store.constData(), 0600) != 0)
        refuse(QStringLiteral("Other users may read the file, and its permissions could not be narrowed to its owner "
                              "alone: %1.")
                   .arg(systemError()));
    for (const char* suffix : {"-journal", "-wal", "-shm"}) {
        const QByteArray journal = store + suffix;
        if (::lstat(journal.constData(), &info) == 0 && S_ISREG(info.st_mode) && (info.st_mode & 077) &&
            ::chmod(journal.constData(), 0600) != 0)
            refuse(QStringLiteral("Other users may read its journal %1, and its permissions could not be narrowed to "
                                  "its owner alone: %2.")
                       .arg(QDir::toNativeSeparators(QFile::decodeName(journal)), systemError()));
    }
}

void Dorvudb::CreateCategoriesTable(Connection& c)
{
    c.execute(schema::categoriesTable());
}

void Dorvudb::CreateURLsTable(Connection& c)
{
    c.execute(schema::urlsTable());
}

void Dorvudb::CreatePWsTable(Connection& c)
{
    c.execute(schema::pwsTable());
}

void Dorvudb::OpenDB()
{
    const QFileInfo file(m_path);
    if (!file.isFile())
        refuse(QStringLiteral("It is not a regular file."));
    if (!file.isReadable() || !file.isWritable())
        refuse(QStringLiteral("The file cannot be read and written by this user."));
    tightenModes();

    QString failure;
    std::unique_ptr<Connection> c = openConnection(m_path, &failure);
    if (!c)
        refuse(failure);
    try {
        if (sqlite3_db_readonly(c->handle(), "main") == 1)
            refuse(QStringLiteral("The file can only be read, so changes could not be saved."));
        checkIsDorvuStore(*c);
        c->execute(QStringLiteral("PRAGMA foreign_keys = ON"));
    } catch (const StoreFileError&) {
        throw;
    } catch (const StoreError& error) {
        refuse(error.reason());
    }
    m_connection = std::move(c);
}

void Dorvudb::checkIsDorvuStore(Connection& c) const
{
    // Only the schema: a full check would read the whole file on every start.
    QString reason;
    try {
        reason = missingColumn(c);
    } catch (const StoreError& error) {
        reason = error.reason();
    }
    if (reason.isEmpty())
        return;
    // Opening failed: a full check tells a damaged store from a file of another kind, where it can run at all.
    QStringList problems;
    try {
        problems = integrityProblems(c);
    } catch (const StoreError&) {
    }
    refuse(problems.isEmpty() ? reason : QStringLiteral("The file is damaged (%1).").arg(problems.first()));
}
