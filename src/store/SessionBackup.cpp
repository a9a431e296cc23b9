#include "store/SessionBackup.h"

#include "store/StoreError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdio>
#include <fcntl.h>
#include <sqlite3.h>
#include <unistd.h>

namespace {

QString failure(const QString& path, const QString& reason)
{
    return QStringLiteral("The backup %1 could not be written: %2.").arg(QDir::toNativeSeparators(path), reason);
}

// Runs the whole online backup from `from` into `to`; the SQLite error in words, empty when it went through.
QString copyDatabase(sqlite3* from, sqlite3* to)
{
    sqlite3_backup* copy = sqlite3_backup_init(to, "main", from, "main");
    if (!copy)
        return QString::fromUtf8(sqlite3_errmsg(to));
    sqlite3_backup_step(copy, -1);
    const int rc = sqlite3_backup_finish(copy);
    return rc == SQLITE_OK ? QString() : QString::fromUtf8(sqlite3_errstr(rc));
}

} // namespace

namespace backup {

QString latestPath(const QString& storePath)
{
    return storePath + QStringLiteral(".backup");
}

QString previousPath(const QString& storePath)
{
    return storePath + QStringLiteral(".backup-1");
}

void keep(sqlite3* db, const QString& storePath)
{
    const QString latest = latestPath(storePath);
    QByteArray temporary = QFile::encodeName(latest + QStringLiteral(".new-XXXXXX"));
    // Created private: the copy holds the same enciphered passwords as the store.
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0)
        throw StoreError(failure(latest, QString::fromLocal8Bit(strerror(errno))));
    ::close(fd);

    sqlite3* target = nullptr;
    QString problem;
    if (sqlite3_open_v2(temporary.constData(), &target, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
        problem = QString::fromUtf8(sqlite3_errmsg(target));
    else
        problem = copyDatabase(db, target);
    sqlite3_close_v2(target);
    const QString written = QFile::decodeName(temporary);
    if (problem.isEmpty() && QFileInfo::exists(latest)) {
        QFile::remove(previousPath(storePath));
        if (!QFile::rename(latest, previousPath(storePath)))
            problem = QStringLiteral("the previous copy could not be kept");
    }
    if (problem.isEmpty() && ::rename(temporary.constData(), QFile::encodeName(latest).constData()) != 0)
        problem = QString::fromLocal8Bit(strerror(errno));
    if (!problem.isEmpty()) {
        QFile::remove(written);
        throw StoreError(failure(latest, problem));
    }
}

void restore(const QString& storePath)
{
    const QString latest = latestPath(storePath);
    if (!QFileInfo(latest).isFile())
        throw StoreError(QStringLiteral("There is no backup %1 to restore.").arg(QDir::toNativeSeparators(latest)));
    // A store that is missing is made private before anything is written into it.
    const int fd = ::open(QFile::encodeName(storePath).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd >= 0)
        ::close(fd);
    sqlite3* from = nullptr;
    sqlite3* to = nullptr;
    QString problem;
    if (sqlite3_open_v2(QFile::encodeName(latest).constData(), &from, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK)
        problem = QString::fromUtf8(sqlite3_errmsg(from));
    else if (sqlite3_open_v2(QFile::encodeName(storePath).constData(), &to, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
        problem = QString::fromUtf8(sqlite3_errmsg(to));
    else
        problem = copyDatabase(from, to);
    sqlite3_close_v2(from);
    sqlite3_close_v2(to);
    if (!problem.isEmpty())
        throw StoreError(QStringLiteral("The backup %1 could not be restored: %2.")
                             .arg(QDir::toNativeSeparators(latest), problem));
}

} // namespace backup
