#include "store/Dorvudb.h"
#include "store/StoreError.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <future>
#include <signal.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

QByteArray digest(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256)
                                          : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
}

int modeOf(const QString& path)
{
    struct stat info {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? int(info.st_mode & 0777) : -1;
}

void run(const QString& path, const char* sql)
{
    sqlite3* db = nullptr;
    QCOMPARE(sqlite3_open(QFile::encodeName(path).constData(), &db), SQLITE_OK);
    QCOMPARE(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);
}

// A store with the category Banks (1); with `sites`, 200 sites filling a few dozen pages.
std::unique_ptr<Dorvudb> freshStore(const QTemporaryDir& dir, bool sites = false)
{
    auto store = std::make_unique<Dorvudb>(dir.path());
    store->BuildDataBase();
    store->connection().execute(QStringLiteral("INSERT INTO Categories VALUES (1, 'Banks', 1, 0)"));
    for (int i = 1; sites && i <= 200; ++i)
        store->connection().execute(QStringLiteral("INSERT INTO URLs VALUES (1, ?, 0, ?, 'http://', ?)"),
                                    {i, QStringLiteral("site %1").arg(i), QString(400, u'd')});
    return store;
}

} // namespace

class TestStore : public QObject {
    Q_OBJECT

private slots:
    void firstStartCreatesAPrivateStoreTheSecondLeavesItUnchanged()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Dorvudb.mdb"));
        {
            auto store = freshStore(dir);
            QCOMPARE(modeOf(path), 0600);
            QCOMPARE(store->connection().scalar(QStringLiteral("PRAGMA encoding")), QVariant("UTF-16le"));
        }
        const QByteArray before = digest(path);
        Dorvudb again(dir.path());
        again.BuildDataBase();
        QCOMPARE(again.connection().scalar(QStringLiteral("SELECT CatName FROM Categories")), QVariant("Banks"));
        QCOMPARE(digest(path), before);
    }

    // Killed at any moment, a first start leaves no store or a whole one, and the next start clears its leftovers.
    void aKilledFirstStartLeavesNoHalfMadeStore()
    {
        QTemporaryDir dir;
        QElapsedTimer clock;
        clock.start();
        Dorvudb(dir.path()).BuildDataBase();
        const quint64 creationMicroseconds = quint64(clock.nsecsElapsed() / 1000);
        for (int i = 0; i < 30; ++i) {
            const QString folder = dir.filePath(QString::number(i));
            QVERIFY(QDir().mkdir(folder));
            writeFile(folder + QStringLiteral("/key.chk"), "not ours to remove");
            const pid_t child = ::fork();
            if (child == 0) {
                try {
                    Dorvudb(folder).BuildDataBase();
                } catch (...) {
                }
                ::_exit(0);
            }
            ::usleep(useconds_t(QRandomGenerator::global()->bounded(creationMicroseconds * 2)));
            ::kill(child, SIGKILL);
            ::waitpid(child, nullptr, 0);
            Dorvudb(folder).BuildDataBase();
            QCOMPARE(QDir(folder).entryList(QDir::Files), (QStringList{"Dorvudb.mdb", "key.chk"}));
        }
    }

    void aBriefLockByAnotherProgramIsWaitedOut()
    {
        QTemporaryDir dir;
        auto store = freshStore(dir);
        std::promise<int> locked;
        std::jthread other([&locked, path = QFile::encodeName(store->path())] {
            sqlite3* db = nullptr;
            sqlite3_open(path.constData(), &db);
            locked.set_value(sqlite3_exec(db, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr));
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
            sqlite3_close(db);
        });
        QCOMPARE(locked.get_future().get(), SQLITE_OK);
        store->connection().execute(QStringLiteral("INSERT INTO Categories VALUES (2, 'Shops', 1, 0)"));
    }

    void aStoreAndJournalOthersCouldReadAreMadePrivate()
    {
        for (const mode_t mode : {0644, 0666, 0640}) {
            QTemporaryDir dir;
            const QString path = freshStore(dir)->path();
            run(path, "PRAGMA journal_mode = PERSIST; DELETE FROM Categories");
            for (const QString& file : {path, path + QStringLiteral("-journal")})
                QCOMPARE(::chmod(QFile::encodeName(file).constData(), mode), 0);
            Dorvudb(dir.path()).BuildDataBase();
            QCOMPARE(modeOf(path), 0600);
            QCOMPARE(modeOf(path + QStringLiteral("-journal")), 0600);
        }
    }

    void theStoreRefusesWhatItsColumnsCannotHold_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::newRow("site under the root") << "INSERT INTO URLs VALUES (0, 1, 0, 'x', 'http://', NULL)";
        QTest::newRow("site in a missing category") << "INSERT INTO URLs VALUES (9, 1, 0, 'x', 'http://', NULL)";
        QTest::newRow("password under the root") << "INSERT INTO PWs VALUES (0, 1, 1, 'u', 'p', NULL)";
        QTest::newRow("Ser 256") << "INSERT INTO PWs VALUES (1, 1, 256, 'u', 'p', NULL)";
        QTest::newRow("CatLevel 256") << "INSERT INTO Categories VALUES (2, 'x', 256, 0)";
        QTest::newRow("code past 32 bits") << "INSERT INTO Categories VALUES (2147483648, 'x', 1, 0)";
        QTest::newRow("duplicate category") << "INSERT INTO Categories VALUES (1, 'x', 1, 0)";
        QTest::newRow("category name of 51") << "INSERT INTO Categories VALUES (2, printf('%.51c', 'x'), 1, 0)";
        QTest::newRow("user id of 26") << "INSERT INTO PWs VALUES (1, 1, 1, printf('%.26c', 'u'), 'p', NULL)";
        QTest::newRow("password of 26") << "INSERT INTO PWs VALUES (1, 1, 1, 'u', printf('%.26c', 'p'), NULL)";
        QTest::newRow("site without address") << "INSERT INTO URLs VALUES (1, 1, 0, 'x', NULL, NULL)";
    }

    void theStoreRefusesWhatItsColumnsCannotHold()
    {
        QFETCH(QString, sql);
        QTemporaryDir dir;
        auto store = freshStore(dir);
        QVERIFY_THROWS_EXCEPTION(StoreError, store->connection().execute(sql));
    }

    // The store's own UTF-16 NOCASE orders every pair as SQLite's built-in one does on UTF-8 text.
    void namesOrderAsSqlitesNoCase()
    {
        const QStringList names{"abc", "ABC", "abd", "AB_", "a[", "A^", "Z", "z", "_", "@", "`", "{", "site 9",
                                "site 10", "Site 10", " 9", "é", "É", "e", "ß", "ss", "SS", "Ä", "ÿ", "Ω", "😀",
                                "😁", "𝔸", "\uFFFD", "\uE000", "\uF8FF", "\uD7FF", "a😀", "a\uFFFD", "A\uE000", "a",
                                "", QString::fromUtf16(u"a\0é", 3), QString::fromUtf16(u"A\0xy", 4)};
        QTemporaryDir dir;
        auto store = freshStore(dir);
        sqlite3* utf8 = nullptr;
        QCOMPARE(sqlite3_open(":memory:", &utf8), SQLITE_OK);
        Connection builtIn(utf8);
        const QString order = QStringLiteral("SELECT (?1 > ?2 COLLATE NOCASE) - (?1 < ?2 COLLATE NOCASE)");
        for (const QString& a : names) {
            for (const QString& b : names)
                QVERIFY2(store->connection().scalar(order, {a, b}) == builtIn.scalar(order, {a, b}),
                         qPrintable(a + QStringLiteral(" vs ") + b));
        }
    }

    void badStartsNameTheFileAndLeaveItAlone_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reason");
        QTest::newRow("another database format") << "jet" << "damaged or is not a database";
        QTest::newRow("empty file") << "empty" << "not a Dorvu database";
        QTest::newRow("another program's database") << "foreign" << "not a Dorvu database";
        QTest::newRow("truncated store") << "truncated" << "file is damaged (";
        QTest::newRow("a file, not a folder") << "plain-file" << "Dorvudb.mdb";
    }

    void badStartsNameTheFileAndLeaveItAlone()
    {
        QFETCH(QString, kind);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        QString path = dir.filePath(QStringLiteral("Dorvudb.mdb"));
        QString folder = dir.path();
        if (kind == "jet") {
            writeFile(path, QByteArray(4096, '\0').replace(4, 15, "Standard Jet DB"));
        } else if (kind == "empty") {
            writeFile(path, {});
        } else if (kind == "foreign") {
            run(path, "CREATE TABLE Categories (Id INTEGER)");
        } else if (kind == "truncated") {
            freshStore(dir, true);
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadWrite) && file.resize(file.size() / 2));
        } else {
            writeFile(dir.filePath(QStringLiteral("plain-file")), "x");
            folder = path = dir.filePath(kind);
        }
        const QByteArray before = digest(path);
        try {
            Dorvudb(folder).BuildDataBase();
            QFAIL("the store opened a file that is not one");
        } catch (const StoreFileError& error) {
            QVERIFY2(error.reason().contains(path) && error.reason().contains(reason), qPrintable(error.reason()));
        }
        QCOMPARE(digest(path), before);
    }
};

QTEST_GUILESS_MAIN(TestStore)
#include "tst_store.moc"
