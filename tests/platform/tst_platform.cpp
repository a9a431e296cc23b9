#include "platform/Clipboard.h"
#include "platform/Pictures.h"
#include "platform/SingleInstance.h"
#include "support/TestMain.h"

#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QMimeData>
#include <QPixmap>
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

QImage render(const QIcon& icon, int size)
{
    return icon.pixmap(QSize(size, size), 1.0).toImage().convertToFormat(QImage::Format_ARGB32);
}

int paintedPixels(const QImage& image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += qAlpha(image.pixel(x, y)) > 0;
    return count;
}

} // namespace

class TestPlatform : public QObject {
    Q_OBJECT

    const QByteArray m_tmpdir = qgetenv("TMPDIR");
    const QByteArray m_cache = qgetenv("XDG_CACHE_HOME");

private slots:
    void cleanup()
    {
        qputenv("TMPDIR", m_tmpdir);
        qputenv("XDG_CACHE_HOME", m_cache);
    }

    void atTheEndOnlyOurOwnPasswordIsCleared_data()
    {
        QTest::addColumn<QString>("since");
        QTest::addColumn<bool>("hint");
        QTest::newRow("still our password") << "" << false;
        QTest::newRow("text copied since") << "meeting notes" << false;
        QTest::newRow("another manager's password since") << "other secret" << true;
    }

    void atTheEndOnlyOurOwnPasswordIsCleared()
    {
        QFETCH(QString, since);
        QFETCH(bool, hint);
        SystemClipboard clipboard;
        clipboard.setPassword(QStringLiteral("s3cret!"));
        // Marked secret, so that clipboard histories keep no copy.
        const QMimeData* ours = QGuiApplication::clipboard()->mimeData();
        QVERIFY(ours->text() == "s3cret!" && ours->data("x-kde-passwordManagerHint") == "secret");
        if (!since.isEmpty()) {
            auto* data = new QMimeData;
            data->setText(since);
            if (hint)
                data->setData(QStringLiteral("x-kde-passwordManagerHint"), "secret");
            QGuiApplication::clipboard()->setMimeData(data);
        }
        clipboard.clearIfOurs();
        QCOMPARE(QGuiApplication::clipboard()->text(), since);
    }

    // Indexes 1-15 and 17-25 each hold a picture that reads at 16x16 and differs from every other; 0, 16 and
    // indexes outside the list hold none. The window icon is painted too.
    void everyListedIndexHasItsOwnVisiblePicture()
    {
        QList<QImage> seen;
        for (int index = -1; index <= img1616::Password + 1; ++index) {
            const QByteArray at = "index " + QByteArray::number(index);
            const QIcon icon = img1616::picture(index);
            const bool listed = index >= img1616::Add && index <= img1616::Password && index != 16;
            QVERIFY2(icon.isNull() != listed, at);
            if (!listed)
                continue;
            const QImage image = render(icon, 16);
            QVERIFY2(image.size() == QSize(16, 16) && paintedPixels(image) >= 16 && !seen.contains(image), at);
            seen << image;
        }
        QVERIFY(paintedPixels(render(img1616::windowIcon(), 32)) > 0);
    }

    // Without XDG_RUNTIME_DIR (su, cron, remote sessions), and another user holding the name of Qt's stand-in
    // runtime folder in the shared temporary folder, the lock goes to a folder of our own, or else the start is
    // refused, naming it.
    void withoutARuntimeFolderTheLockIsPrivate_data()
    {
        QTest::addColumn<bool>("ownFolderOpen"); // our own folder was left writable by others
        QTest::newRow("a folder of our own") << false;
        QTest::newRow("our folder open to others: refused") << true;
    }

    void withoutARuntimeFolderTheLockIsPrivate()
    {
        QFETCH(bool, ownFolderOpen);
        QTemporaryDir dir;
        qunsetenv("XDG_RUNTIME_DIR");
        qputenv("TMPDIR", QFile::encodeName(dir.path()));
        qputenv("XDG_CACHE_HOME", QFile::encodeName(dir.filePath(QStringLiteral("cache"))));
        writeFile(dir.filePath(QStringLiteral("runtime-") + QString::fromLocal8Bit(::getpwuid(::geteuid())->pw_name)),
                  "planted");
        const QString own = dir.filePath(QStringLiteral("cache/dorvu"));
        if (ownFolderOpen)
            QVERIFY(QDir().mkpath(own) && ::chmod(QFile::encodeName(own).constData(), 0777) == 0);
        SingleInstance instance(dir.path());
        const InstanceCheck check = instance.acquire();
        if (ownFolderOpen) {
            QCOMPARE(check.state, InstanceCheck::State::Refused);
            QVERIFY2(check.problem.contains(own), qPrintable(check.problem));
            return;
        }
        QCOMPARE(check.state, InstanceCheck::State::Acquired);
        const QString folder = QFileInfo(instance.lockPath()).absolutePath();
        QVERIFY2(QDir(folder) != QDir(QDir::tempPath()), qPrintable(folder));
        struct stat info {};
        QCOMPARE(::stat(QFile::encodeName(folder).constData(), &info), 0);
        QVERIFY(info.st_uid == ::geteuid() && (info.st_mode & 022) == 0);
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

DORVU_TEST_MAIN(TestPlatform)
#include "tst_platform.moc"
