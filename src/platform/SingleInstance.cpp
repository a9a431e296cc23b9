#include "platform/SingleInstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QSysInfo>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A real folder (not a link) of this user that no other user can write: nobody else can plant a lock in it.
bool isPrivateFolder(const QString& path)
{
    struct stat info {};
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 && S_ISDIR(info.st_mode) &&
           info.st_uid == ::geteuid() && (info.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

InstanceCheck refused(const QString& problem)
{
    return {InstanceCheck::State::Refused, problem};
}

} // namespace

SingleInstance::SingleInstance(const QString& programFolder)
{
    // Qt checks the runtime folder's owner and mode; without XDG_RUNTIME_DIR its stand-in lies in the shared
    // temporary folder, where another user may have taken the name first.
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty() || !isPrivateFolder(folder)) {
        const QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
        folder = QDir(cache).filePath(QStringLiteral("dorvu"));
        const bool usable = QDir::isAbsolutePath(cache) && QDir().mkpath(cache);
        if (usable)
            ::mkdir(QFile::encodeName(folder).constData(), 0700);
        if (!usable || !isPrivateFolder(folder)) {
            m_problem = QStringLiteral("Dorvu found no private folder for its lock file, which keeps it from running "
                                       "twice. The folder\n%1\nis missing, or it is not yours, or other users can "
                                       "write in it.")
                            .arg(QDir::toNativeSeparators(folder));
            return;
        }
    }
    const QByteArray program = QDir(programFolder).canonicalPath().toUtf8();
    const QString id =
        QString::fromLatin1(QCryptographicHash::hash(program, QCryptographicHash::Sha1).toHex().left(16));
    m_path = QDir(folder).filePath(QStringLiteral("dorvu-%1.lock").arg(id));
}

InstanceCheck SingleInstance::acquire()
{
    if (m_path.isEmpty())
        return refused(m_problem);
    m_lock = std::make_unique<QLockFile>(m_path);
    // A lock left by a copy that crashed is taken over (QLockFile checks whether its process still runs).
    m_lock->setStaleLockTime(0);
    // A second try covers a holder that ended between our attempt and our look at its file.
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (m_lock->tryLock(0))
            return {};
        const QLockFile::LockError error = m_lock->error();
        if (error == QLockFile::PermissionError || error == QLockFile::UnknownError)
            break;
        if (QFile::exists(m_path))
            return classifyHolder();
    }
    return refused(QStringLiteral("Dorvu cannot make its lock file\n%1\nso it cannot make sure that it runs only once.")
                       .arg(QDir::toNativeSeparators(m_path)));
}

InstanceCheck SingleInstance::classifyHolder() const
{
    const QString file = QDir::toNativeSeparators(m_path);
    struct stat info {};
    if (::stat(QFile::encodeName(m_path).constData(), &info) != 0 || info.st_uid != ::geteuid()) {
        return refused(QStringLiteral("The lock file\n%1\nbelongs to another user, so Dorvu cannot tell whether it is "
                                      "already running. Delete that file and start Dorvu again.")
                           .arg(file));
    }
    qint64 pid = 0;
    QString host;
    QString application;
    if (!m_lock->getLockInfo(&pid, &host, &application)) {
        return refused(QStringLiteral("The lock file\n%1\ncannot be read, so Dorvu cannot tell whether it is already "
                                      "running. Delete that file and start Dorvu again.")
                           .arg(file));
    }
    // QLockFile cannot see whether a process on another computer (a shared home folder) still runs.
    if (!host.isEmpty() && host != QSysInfo::machineHostName()) {
        return refused(QStringLiteral("Dorvu seems to be running on the other computer named \"%1\": its lock "
                                      "file\n%2\nsays so. If Dorvu is not running there, delete that file and start "
                                      "Dorvu again.")
                           .arg(host, file));
    }
    return {InstanceCheck::State::AlreadyRunning, {}};
}
