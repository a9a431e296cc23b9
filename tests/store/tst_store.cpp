#include "store/Dorvudb.h"
#include "store/StoreError.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <chrono>
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
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// A store with one category, so that sites and passwords can be filed.
std::unique_ptr<Dorvudb> freshStore(const QTemporaryDir& dir)
{
    auto store = std::make_unique<Dorvudb>(dir.path());
    store->BuildDataBase();
    store->connection().execute(QStringLiteral("INSERT INTO Categories VALUES (1, 'Banks', 1, 0)"));
    return store;
}

// A closed store of a few dozen pages of sites.
void storeOfSites(const QTemporaryDir& dir)
{
    auto store = freshStore(dir);
    for (int i = 1; i <= 200; ++i)
        store->connection().execute(QStringLiteral("INSERT INTO URLs VALUES (1, ?, 0, ?, 'http://', ?)"),
                                    {i, QStringLiteral("site %1").arg(i), QString(400, u'd')});
}

} // namespace

class TestStore : public QObject {
    Q_OBJECT

private slots:
    void firstStartCreatesThePrivateUtf16Store()
    {
        QTemporaryDir dir;
        Dorvudb store(dir.path());
        store.BuildDataBase();
        const QString path = dir.filePath(QStringLiteral("Dorvudb.mdb"));
        QCOMPARE(store.path(), path);

        struct stat info {};
        QCOMPARE(::stat(QFile::encodeName(path).constData(), &info), 0);
        QCOMPARE(int(info.st_mode & 0777), 0600);

        Connection& c = store.connection();
        QCOMPARE(c.scalar(QStringLiteral("PRAGMA encoding")).toString(), QStringLiteral("UTF-16le"));
        QCOMPARE(c.scalar(QStringLiteral("PRAGMA foreign_keys")).toInt(), 1);
        const QString tables =
            c.scalar(QStringLiteral("SELECT group_concat(name, ',') FROM (SELECT name FROM sqlite_master "
                                    "WHERE type = 'table' ORDER BY name)"))
                .toString();
        QCOMPARE(tables, QStringLiteral("Categories,PWs,URLs"));
        const QString sql =
            c.scalar(QStringLiteral("SELECT group_concat(sql, ' ') FROM sqlite_master WHERE type = 'table'"))
                .toString();
        QVERIFY(sql.contains(QStringLiteral("CONSTRAINT Key1 PRIMARY KEY (CatCode)")));
        QVERIFY(sql.contains(QStringLiteral("CONSTRAINT Key3 FOREIGN KEY (CatCode) REFERENCES Categories")));
        QVERIFY(sql.contains(QStringLiteral("CONSTRAINT Key4 FOREIGN KEY (CatCode) REFERENCES Categories")));
        QCOMPARE(c.scalar(QStringLiteral("SELECT count(*) FROM Categories")).toInt(), 0);
    }

    void secondStartOpensTheFileUnchanged()
    {
        QTemporaryDir dir;
        {
            auto store = freshStore(dir);
        }
        const QString path = dir.filePath(QStringLiteral("Dorvudb.mdb"));
        const QByteArray before = digest(path);
        Dorvudb again(dir.path());
        again.BuildDataBase();
        QCOMPARE(again.connection().scalar(QStringLiteral("SELECT CatName FROM Categories")).toString(),
                 QStringLiteral("Banks"));
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

    void aStoreOthersCouldReadIsMadePrivate_data()
    {
        QTest::addColumn<int>("mode");
        QTest::newRow("0644") << 0644;
        QTest::newRow("0666") << 0666;
        QTest::newRow("0640") << 0640;
    }

    void aStoreOthersCouldReadIsMadePrivate()
    {
        QFETCH(int, mode);
        QTemporaryDir dir;
        freshStore(dir);
        const QString path = dir.filePath(QStringLiteral("Dorvudb.mdb"));
        // Another tool that keeps its journal leaves one beside the store.
        sqlite3* db = nullptr;
        QCOMPARE(sqlite3_open(QFile::encodeName(path).constData(), &db), SQLITE_OK);
        sqlite3_exec(db, "PRAGMA journal_mode = PERSIST; DELETE FROM Categories", nullptr, nullptr, nullptr);
        sqlite3_close(db);
        const QStringList files = QDir(dir.path()).entryList({QStringLiteral("Dorvudb.mdb*")}, QDir::Files);
        QCOMPARE(files, (QStringList{"Dorvudb.mdb", "Dorvudb.mdb-journal"}));
        for (const QString& file : files)
            QCOMPARE(::chmod(QFile::encodeName(dir.filePath(file)).constData(), mode_t(mode)), 0);

        Dorvudb(dir.path()).BuildDataBase();
        for (const QString& file : files) {
            struct stat info {};
            QCOMPARE(::stat(QFile::encodeName(dir.filePath(file)).constData(), &info), 0);
            QCOMPARE(info.st_mode & 0777, 0600u);
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
        QTest::newRow("site without address") << "INSERT INTO URLs VALUES (1, 1, 0, 'x', NULL, NULL)";
    }

    void theStoreRefusesWhatItsColumnsCannotHold()
    {
        QFETCH(QString, sql);
        QTemporaryDir dir;
        auto store = freshStore(dir);
        QVERIFY_THROWS_EXCEPTION(StoreError, store->connection().execute(sql));
    }

    void textsComeBackExactly_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("apostrophe") << QStringLiteral("O'Brien's \"bank\"");
        QTest::newRow("sql") << QStringLiteral("Robert'); DROP TABLE URLs;--");
        QTest::newRow("lone high surrogate") << QString(QChar(0xD83D)) + QStringLiteral("ab");
        QTest::newRow("swapped pair") << QString(QChar(0xDE00)) + QString(QChar(0xD83D));
        QTest::newRow("arabic, chinese, emoji") << QStringLiteral(u"مرحبا 你好 😀");
        QTest::newRow("empty") << QStringLiteral("");
    }

    void textsComeBackExactly()
    {
        QFETCH(QString, text);
        QTemporaryDir dir;
        auto store = freshStore(dir);
        Connection& c = store->connection();
        c.execute(QStringLiteral("INSERT INTO PWs VALUES (1, 1, 1, 'u', ?, ?)"), {text.left(25), text});
        const std::vector<Row> rows = c.select(QStringLiteral("SELECT UserPW, PWDesc FROM PWs"));
        QCOMPARE(rows.size(), size_t(1));
        QCOMPARE(rows[0]["UserPW"].toString(), text.left(25));
        QCOMPARE(rows[0]["pwdesc"].toString(), text);
        QStringList read;
        c.each(QStringLiteral("SELECT UserPW, PWDesc, NULL FROM PWs"), {}, [&read](const Cursor& row) {
            read << row.text(0) << row.text(1) << QStringLiteral("%1%2").arg(row.isNull(1)).arg(row.isNull(2));
        });
        QCOMPARE(read, (QStringList{text.left(25), text, "01"}));
    }

    // The store's own UTF-16 NOCASE orders every pair as SQLite's built-in one does on UTF-8 text.
    void namesOrderAsSqlitesNoCase_data()
    {
        QTest::addColumn<QStringList>("names");
        QTest::newRow("ASCII case, and the signs between the cases")
            << QStringList{"abc", "ABC", "abd", "ABD", "ab", "AB_", "a[", "A^", "Z", "z", "_", "@", "`", "{"};
        QTest::newRow("digits") << QStringList{"site 9", "site 10", "Site 10", "site 1", "10", "9", " 9"};
        QTest::newRow("non-ASCII letters") << QStringList{"é", "É", "e", "E", "f", "ß", "ss", "SS", "ä", "Ä", "ÿ", "Ω"};
        QTest::newRow("above the BMP and at its top")
            << QStringList{"😀", "😁", "𝔸", "\uFFFD", "\uE000", "\uF8FF", "\uD7FF", "a😀", "a\uFFFD", "A\uE000", "a"};
        QTest::newRow("prefixes and Nul")
            << QStringList{"a", "A", "ab", "", QString::fromUtf16(u"a\0é", 3), QString::fromUtf16(u"A\0xy", 4),
                           QString::fromUtf16(u"a\0€", 3), QString::fromUtf16(u"A\0xyz", 5)};
    }

    void namesOrderAsSqlitesNoCase()
    {
        QFETCH(QStringList, names);
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
        QTest::newRow("another database format") << "jet"
                                                 << "damaged or is not a database";
        QTest::newRow("text file") << "text"
                                   << "damaged or is not a database";
        QTest::newRow("empty file") << "empty"
                                    << "not a Dorvu database";
        QTest::newRow("another program's database") << "foreign"
                                                    << "not a Dorvu database";
        QTest::newRow("truncated store") << "truncated"
                                         << "file is damaged (";
    }

    void badStartsNameTheFileAndLeaveItAlone()
    {
        QFETCH(QString, kind);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Dorvudb.mdb"));
        if (kind == "jet") {
            QByteArray jet(4096, '\0');
            writeFile(path, jet.replace(4, 15, "Standard Jet DB"));
        } else if (kind == "text") {
            writeFile(path, QByteArray("not a database at all\n").repeated(50));
        } else if (kind == "empty") {
            writeFile(path, {});
        } else if (kind == "foreign") {
            sqlite3* db = nullptr;
            QCOMPARE(sqlite3_open(QFile::encodeName(path).constData(), &db), SQLITE_OK);
            sqlite3_exec(db, "CREATE TABLE Categories (Id INTEGER)", nullptr, nullptr, nullptr);
            sqlite3_close(db);
        } else {
            storeOfSites(dir);
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadWrite) && file.resize(file.size() / 2));
        }
        const QByteArray before = digest(path);
        Dorvudb store(dir.path());
        try {
            store.BuildDataBase();
            QFAIL("the store opened a file that is not one");
        } catch (const StoreFileError& error) {
            QVERIFY2(error.reason().contains(path), qPrintable(error.reason()));
            QVERIFY2(error.reason().contains(reason), qPrintable(error.reason()));
        }
        QCOMPARE(digest(path), before);
    }

    // Start-up reads the schema alone; damage further in is found on request.
    void damageBeyondTheSchemaIsFoundOnRequest()
    {
        QTemporaryDir dir;
        storeOfSites(dir);
        for (const bool damaged : {false, true}) {
            QFile file(dir.filePath(QStringLiteral("Dorvudb.mdb")));
            if (damaged)
                QVERIFY(file.open(QIODevice::ReadWrite) && file.seek(file.size() - 4096) &&
                        file.write(QByteArray(4096, 'x')) == 4096);
            file.close();
            Dorvudb store(dir.path());
            store.BuildDataBase();
            const QStringList problems = store.checkIntegrity();
            QVERIFY2(problems.isEmpty() != damaged, qPrintable(problems.join(u'\n')));
        }
    }

    void aFolderThatCannotHoldTheStoreIsRefused_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::newRow("missing folder") << QStringLiteral("no/such/folder");
        QTest::newRow("a file, not a folder") << QStringLiteral("plain-file");
    }

    void aFolderThatCannotHoldTheStoreIsRefused()
    {
        QFETCH(QString, folder);
        QTemporaryDir dir;
        writeFile(dir.filePath(QStringLiteral("plain-file")), "x");
        Dorvudb store(dir.filePath(folder));
        try {
            store.BuildDataBase();
            QFAIL("the store was made in a folder that cannot hold it");
        } catch (const StoreFileError& error) {
            QVERIFY(error.reason().contains(QStringLiteral("Dorvudb.mdb")));
        }
    }

    void aTransactionIsAllOrNothing()
    {
        QTemporaryDir dir;
        auto store = freshStore(dir);
        Connection& c = store->connection();
        try {
            Connection::Transaction work(c);
            c.execute(QStringLiteral("INSERT INTO URLs VALUES (1, 1, 0, 'kept?', 'http://', NULL)"));
            {
                Connection::Transaction inner(c);
                c.execute(QStringLiteral("INSERT INTO URLs VALUES (1, 2, 0, 'inner', 'http://', NULL)"));
                inner.commit();
            }
            c.execute(QStringLiteral("INSERT INTO PWs VALUES (1, 1, 300, 'u', 'p', NULL)"));
            work.commit();
            QFAIL("the failing statement went through");
        } catch (const StoreError&) {
        }
        QCOMPARE(c.scalar(QStringLiteral("SELECT count(*) FROM URLs")).toInt(), 0);

        {
            Connection::Transaction work(c);
            c.execute(QStringLiteral("INSERT INTO URLs VALUES (1, 1, 0, 'kept', 'http://', NULL)"));
            work.commit();
        }
        QCOMPARE(c.scalar(QStringLiteral("SELECT SiteName FROM URLs")).toString(), QStringLiteral("kept"));
    }

    void theTraceShowsEachStatementWithItsValues()
    {
        QTemporaryDir dir;
        auto store = freshStore(dir);
        Connection& c = store->connection();
        QStringList trace;
        c.setTrace([&trace](const QString& sql) { trace << sql; });
        c.exists(QStringLiteral("SELECT * FROM URLs WHERE CatCode = ? AND SiteName = ?"), {7, QStringLiteral("it's")});
        c.setTrace(nullptr);
        c.exists(QStringLiteral("SELECT 1"));
        QCOMPARE(trace, QStringList{QStringLiteral("SELECT * FROM URLs WHERE CatCode = 7 AND SiteName = 'it''s'")});
    }
};

QTEST_GUILESS_MAIN(TestStore)
#include "tst_store.moc"
