#include "cipher/KeyFile.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>
#include <unistd.h>

class TestKeyFile : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    QString writeFile(const QString& name, const QByteArray& bytes)
    {
        const QString path = m_dir.filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }

private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    void lastFieldCounts_data()
    {
        QTest::addColumn<QString>("content");
        QTest::addColumn<QString>("field");
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("only spaces") << "   "
                                     << "";
        QTest::newRow("one field") << "sentence"
                                   << "sentence";
        QTest::newRow("inner spaces kept") << "a short sentence"
                                           << "a short sentence";
        QTest::newRow("surrounding spaces") << "   padded   "
                                            << "padded";
        QTest::newRow("tabs around a field") << "\t padded \t"
                                             << "padded";
        QTest::newRow("comma fields") << "one,two,three"
                                      << "three";
        QTest::newRow("spaces around commas") << "one , two ,  three  "
                                              << "three";
        QTest::newRow("lines LF") << "first\nsecond\nthird"
                                  << "third";
        QTest::newRow("lines CRLF") << "first\r\nsecond\r\nthird\r\n"
                                    << "third";
        QTest::newRow("lines CR") << "first\rsecond\rthird"
                                  << "third";
        QTest::newRow("final line end starts no field") << "sentence\n"
                                                        << "sentence";
        QTest::newRow("final comma starts no field") << "one,two,"
                                                     << "two";
        QTest::newRow("fields on lines") << "a,b\r\nc,d\r\n"
                                         << "d";
        QTest::newRow("blank last line") << "sentence\n\n"
                                         << "";
        QTest::newRow("comma then line end") << "one,\r\n"
                                             << "";
        QTest::newRow("empty between commas") << "one,,"
                                              << "";
        QTest::newRow("quoted") << "\"sentence\""
                                << "sentence";
        QTest::newRow("quoted with commas") << "x,\"one, two, three\""
                                            << "one, two, three";
        QTest::newRow("quoted then more") << "\"one, two\",three"
                                          << "three";
        QTest::newRow("quoted spaces trimmed") << "  \"  inside  \"  "
                                               << "inside";
        QTest::newRow("quoted tabs kept") << "\"\tinside\t\""
                                          << "\tinside\t";
        QTest::newRow("quoted line end") << "\"one\r\ntwo\""
                                         << "one\r\ntwo";
        QTest::newRow("after closing quote ignored") << "\"kept\"dropped,\"last\"junk\r\n"
                                                     << "last";
        QTest::newRow("unclosed quote") << "a,\"runs, to the end"
                                        << "runs, to the end";
        QTest::newRow("empty quoted") << "a,\"\""
                                      << "";
        QTest::newRow("quote inside a field") << "ab\"c,d\"e"
                                              << "d\"e";
        QTest::newRow("cipher text with stars") << "*b'a c*"
                                                << "*b'a c*";
    }

    void lastFieldCounts()
    {
        QFETCH(QString, content);
        QFETCH(QString, field);
        QCOMPARE(lastKeyFileField(content), field);
    }

    void readsEncodings_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("field");
        QTest::newRow("ascii") << QByteArray("first,\"the sentence\"\r\n") << "the sentence";
        QTest::newRow("utf-8") << QByteArray("caf\xc3\xa9 \xe2\x82\xac") << QString::fromUtf16(u"café €");
        QTest::newRow("utf-8 bom") << QByteArray("\xef\xbb\xbfsentence") << "sentence";
        QTest::newRow("utf-16le bom") << QByteArray("\xff\xfes\0e\0n\0,\0x\0\xac\x20", 14) << QString::fromUtf16(u"x€");
        QTest::newRow("utf-16be bom") << QByteArray("\xfe\xff\0s\0e\0n\0,\0x\x20\xac", 14) << QString::fromUtf16(u"x€");
        QTest::newRow("invalid utf-8") << QByteArray("ab\xff\xfe"
                                                     "cd")
                                       << QString::fromUtf16(u"ab\uFFFD\uFFFDcd");
        QTest::newRow("nul bytes") << QByteArray("a\0b", 3) << QString::fromUtf16(u"a\0b", 3);
    }

    void readsEncodings()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, field);
        const KeyFileRead read = readKeyFile(writeFile("key.chk", bytes));
        QCOMPARE(read.status, KeyFileRead::Status::Read);
        QCOMPARE(read.lastField, field);
        QVERIFY(read.error.isEmpty());
    }

    void emptyFileIsReadAndEmpty()
    {
        const KeyFileRead read = readKeyFile(writeFile("key.chk", {}));
        QCOMPARE(read.status, KeyFileRead::Status::Read);
        QVERIFY(read.lastField.isEmpty());
    }

    void missingFileIsNoError()
    {
        const KeyFileRead read = readKeyFile(m_dir.filePath("absent/key.chk"));
        QCOMPARE(read.status, KeyFileRead::Status::Missing);
        QVERIFY(read.lastField.isEmpty());
        QVERIFY(read.error.isEmpty());
    }

    void folderIsUnreadable()
    {
        // Fails for root too, unlike a file of mode 000.
        QTemporaryDir dir;
        const QString path = dir.filePath("key.chk");
        QVERIFY(QDir().mkdir(path));
        const KeyFileRead read = readKeyFile(path);
        QCOMPARE(read.status, KeyFileRead::Status::Unreadable);
        QVERIFY(read.lastField.isEmpty());
        QVERIFY2(read.error.contains(path) && read.error.contains("folder"), qPrintable(read.error));
    }

    void pipeIsUnreadableWithoutBlocking()
    {
        // Opening a pipe with no writer would wait for ever: it must be refused unopened.
        QTemporaryDir dir;
        const QString path = dir.filePath("key.chk");
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        QElapsedTimer timer;
        timer.start();
        const KeyFileRead read = readKeyFile(path);
        QCOMPARE(read.status, KeyFileRead::Status::Unreadable);
        QVERIFY2(!read.error.isEmpty(), "a reason is given");
        QVERIFY(timer.elapsed() < 5000);
    }

    void deviceIsUnreadable()
    {
        // /dev/zero never ends; it is not an ordinary file.
        QElapsedTimer timer;
        timer.start();
        const KeyFileRead read = readKeyFile("/dev/zero");
        QCOMPARE(read.status, KeyFileRead::Status::Unreadable);
        QVERIFY(timer.elapsed() < 5000);
    }

    void unopenableFileIsUnreadable()
    {
        if (::geteuid() == 0)
            QSKIP("root opens a file of mode 000; the folder and pipe cases cover root");
        const QString path = writeFile("locked.chk", "secret");
        QVERIFY(QFile::setPermissions(path, QFileDevice::Permissions()));
        const KeyFileRead read = readKeyFile(path);
        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        QCOMPARE(read.status, KeyFileRead::Status::Unreadable);
        QVERIFY(!read.error.isEmpty());
    }

    void hugeFileIsRefusedUnread()
    {
        // A sparse 4 GiB file: refused from its size, quickly and without reading it.
        const QString path = m_dir.filePath("huge.chk");
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            QVERIFY(file.resize(qint64(4) << 30));
        }
        QElapsedTimer timer;
        timer.start();
        const KeyFileRead read = readKeyFile(path);
        QCOMPARE(read.status, KeyFileRead::Status::Unreadable);
        QVERIFY2(read.error.contains("too large"), qPrintable(read.error));
        QVERIFY(timer.elapsed() < 5000);
        QFile::remove(path);
    }

    void sizeLimit_data()
    {
        QTest::addColumn<qint64>("size");
        QTest::addColumn<bool>("read");
        QTest::newRow("at the limit") << keyFileSizeLimit << true;
        QTest::newRow("one byte over") << keyFileSizeLimit + 1 << false;
    }

    void sizeLimit()
    {
        QFETCH(qint64, size);
        QFETCH(bool, read);
        QByteArray bytes(size, 'a');
        bytes[size - 2] = ',';
        const KeyFileRead result = readKeyFile(writeFile("limit.chk", bytes));
        QCOMPARE(result.status, read ? KeyFileRead::Status::Read : KeyFileRead::Status::Unreadable);
        if (read)
            QCOMPARE(result.lastField, QString("a"));
    }

    void binaryFileNeitherHangsNorCrashes()
    {
        // Every byte value, unclosed quotes, lone CRs, NULs, broken UTF-8 and UTF-16 lead bytes, near the limit.
        QByteArray bytes;
        quint32 state = 12345;
        while (bytes.size() < keyFileSizeLimit - 16) {
            state = state * 1103515245u + 12345u;
            bytes.append(char(state >> 24));
        }
        for (const QByteArray& head : {QByteArray(), QByteArray("\xff\xfe"), QByteArray("\xfe\xff"),
                                       QByteArray("\xef\xbb\xbf"), QByteArray("\"")}) {
            QElapsedTimer timer;
            timer.start();
            const KeyFileRead read = readKeyFile(writeFile("binary.chk", head + bytes));
            QCOMPARE(read.status, KeyFileRead::Status::Read);
            QVERIFY(read.lastField.size() <= bytes.size());
            QVERIFY(timer.elapsed() < 5000);
        }
    }

    void oddByteCountInUtf16()
    {
        const KeyFileRead read = readKeyFile(writeFile("odd.chk", QByteArray("\xff\xfe"
                                                                             "a\0b",
                                                                             5)));
        QCOMPARE(read.status, KeyFileRead::Status::Read);
        QVERIFY(read.lastField.startsWith(u'a'));
    }
};

QTEST_GUILESS_MAIN(TestKeyFile)
#include "tst_keyfile.moc"
