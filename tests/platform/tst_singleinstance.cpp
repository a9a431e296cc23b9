#include "platform/SingleInstance.h"
#include "support/TestMain.h"

#include <QDir>
#include <QFileInfo>
#include <QSysInfo>
#include <QTemporaryDir>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// No XDG_RUNTIME_DIR (su, cron, remote sessions); the temporary and cache folders inside `dir`.
void withoutRuntimeFolder(const QTemporaryDir& dir)
{
    qunsetenv("XDG_RUNTIME_DIR");
    qputenv("TMPDIR", QFile::encodeName(dir.path()));
    qputenv("XDG_CACHE_HOME", QFile::encodeName(dir.filePath(QStringLiteral("cache"))));
    // Another user took the name of Qt's stand-in runtime folder in the shared temporary folder.
    writeFile(dir.filePath(QStringLiteral("runtime-") + QString::fromLocal8Bit(::getpwuid(::geteuid())->pw_name)),
              "planted");
}

} // namespace

class SingleInstanceTest : public QObject {
    Q_OBJECT

    const QByteArray m_tmpdir = qgetenv("TMPDIR");
    const QByteArray m_cache = qgetenv("XDG_CACHE_HOME");

private slots:
    void cleanup()
    {
        qputenv("TMPDIR", m_tmpdir);
        qputenv("XDG_CACHE_HOME", m_cache);
    }

    void withoutARuntimeFolderTheLockIsPrivate()
    {
        QTemporaryDir dir;
        withoutRuntimeFolder(dir);
        SingleInstance instance(dir.path());
        QCOMPARE(instance.acquire().state, InstanceCheck::State::Acquired);
        const QString folder = QFileInfo(instance.lockPath()).absolutePath();
        QVERIFY2(QDir(folder) != QDir(QDir::tempPath()), qPrintable(folder));
        struct stat info {};
        QCOMPARE(::stat(QFile::encodeName(folder).constData(), &info), 0);
        QCOMPARE(info.st_uid, ::geteuid());
        QCOMPARE(info.st_mode & 022, 0u);
    }

    void withoutAPrivateFolderTheStartIsRefused()
    {
        QTemporaryDir dir;
        withoutRuntimeFolder(dir);
        const QString own = dir.filePath(QStringLiteral("cache/dorvu"));
        QVERIFY(QDir().mkpath(own));
        QCOMPARE(::chmod(QFile::encodeName(own).constData(), 0777), 0);
        const InstanceCheck check = SingleInstance(dir.path()).acquire();
        QCOMPARE(check.state, InstanceCheck::State::Refused);
        QVERIFY2(check.problem.contains(own), qPrintable(check.problem));
    }

    void aLockHeldOnAnotherComputerIsReported_data()
    {
        QTest::addColumn<QString>("host");
        QTest::addColumn<bool>("reported");
        QTest::newRow("this computer: the normal second start") << QSysInfo::machineHostName() << false;
        QTest::newRow("another computer") << QStringLiteral("far-away.example") << true;
    }

    void aLockHeldOnAnotherComputerIsReported()
    {
        QFETCH(QString, host);
        QFETCH(bool, reported);
        QTemporaryDir dir;
        QTemporaryDir runtime;
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
        SingleInstance instance(dir.path());
        // QLockFile's format: process id, program name, computer name; this process is alive.
        writeFile(instance.lockPath(), QByteArray::number(QCoreApplication::applicationPid()) + '\n' +
                                           QFileInfo(QCoreApplication::applicationFilePath()).fileName().toUtf8() +
                                           '\n' + host.toUtf8() + '\n');
        const InstanceCheck check = instance.acquire();
        QCOMPARE(check.state, reported ? InstanceCheck::State::Refused : InstanceCheck::State::AlreadyRunning);
        QCOMPARE(check.problem.contains(instance.lockPath()) && check.problem.contains(host), reported);
    }
};

DORVU_TEST_MAIN(SingleInstanceTest)
#include "tst_singleinstance.moc"
