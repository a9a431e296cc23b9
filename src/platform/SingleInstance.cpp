#include "platform/SingleInstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QStandardPaths>

SingleInstance::SingleInstance(const QString& programFolder)
{
    QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (runtime.isEmpty())
        runtime = QDir::tempPath();
    const QByteArray folder = QDir(programFolder).canonicalPath().toUtf8();
    const QString id = QString::fromLatin1(QCryptographicHash::hash(folder, QCryptographicHash::Sha1).toHex().left(16));
    m_path = QDir(runtime).filePath(QStringLiteral("dorvu-%1.lock").arg(id));
}

bool SingleInstance::acquire()
{
    m_lock = std::make_unique<QLockFile>(m_path);
    // A lock left by a copy that crashed is taken over (QLockFile checks whether its process still runs).
    m_lock->setStaleLockTime(0);
    return m_lock->tryLock(0);
}
