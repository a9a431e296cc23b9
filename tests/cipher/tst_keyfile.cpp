#include "cipher/KeyFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>

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
        const auto row = [](const char* name, const char* content, const char* field) {
            QTest::newRow(name) << QString(content) << QString(field);
        };
        row("empty", "", "");
        row("inner spaces kept", "a short sentence", "a short sentence");
        row("spaces and tabs around", "\t padded \t", "padded");
        row("spaces around commas", "one , two ,  three  ", "three");
        row("lines CRLF", "first\r\nsecond\r\nthird\r\n", "third");
        row("lines CR", "first\rsecond\rthird", "third");
        row("final comma starts no field", "one,two,", "two");
        row("fields on lines", "a,b\r\nc,d\r\n", "d");
        row("blank last line", "sentence\n\n", "");
        row("empty between commas", "one,,", "");
        row("quoted with commas", "x,\"one, two, three\"", "one, two, three");
        row("quoted then more", "\"one, two\",three", "three");
        row("quoted spaces trimmed, tabs kept", "  \"\t inside \t\"  ", "\t inside \t");
        row("quoted line end", "\"one\r\ntwo\"", "one\r\ntwo");
        row("after closing quote ignored", "\"kept\"dropped,\"last\"junk\r\n", "last");
        row("unclosed quote", "a,\"runs, to the end", "runs, to the end");
        row("quote inside a field", "ab\"c,d\"e", "d\"e");
        row("cipher text with stars", "*b'a c*", "*b'a c*");
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
        QTest::newRow("empty file") << QByteArray() << "";
        QTest::newRow("utf-8") << QByteArray("caf\xc3\xa9 \xe2\x82\xac") << QString::fromUtf16(u"café €");
        QTest::newRow("utf-8 bom") << QByteArray("\xef\xbb\xbfsentence") << "sentence";
        QTest::newRow("utf-16le bom") << QByteArray("\xff\xfes\0e\0n\0,\0x\0\xac\x20", 14) << QString::fromUtf16(u"x€");
        QTest::newRow("utf-16be bom") << QByteArray("\xfe\xff\0s\0e\0n\0,\0x\x20\xac", 14) << QString::fromUtf16(u"x€");
        QTest::newRow("invalid utf-8") << QByteArray("ab\xff\xfe"
                                                     "cd")
                                       << QString::fromUtf16(u"ab\uFFFD\uFFFDcd");
        QTest::newRow("nul bytes") << QByteArray("a\0b", 3) << QString::fromUtf16(u"a\0b", 3);
        QByteArray atLimit(keyFileSizeLimit, 'a');
        atLimit[keyFileSizeLimit - 2] = ',';
        QTest::newRow("at the size limit") << atLimit << "a";
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

    void missingFileIsNoError()
    {
        const KeyFileRead read = readKeyFile(m_dir.filePath("absent/key.chk"));
        QCOMPARE(read.status, KeyFileRead::Status::Missing);
        QVERIFY(read.lastField.isEmpty());
        QVERIFY(read.error.isEmpty());
    }

    // A pipe with no writer or /dev/zero would hang a reader that opened them; a huge file would fill memory.
    void unreadableFilesGiveAReason_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reason");
        QTest::newRow("folder") << "folder"
                                << "folder";
        QTest::newRow("pipe") << "pipe"
                              << "";
        QTest::newRow("device") << "device"
                                << "";
        QTest::newRow("sparse 4 GiB") << "huge"
                                      << "too large";
        QTest::newRow("one byte over the limit") << "over"
                                                 << "too large";
    }

    void unreadableFilesGiveAReason()
    {
        QFETCH(QString, kind);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        QString path = dir.filePath("key.chk");
        if (kind == "folder") {
            QVERIFY(QDir().mkdir(path));
        } else if (kind == "pipe") {
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        } else if (kind == "device") {
            path = "/dev/zero";
        } else {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            QVERIFY(file.resize(kind == "huge" ? qint64(4) << 30 : keyFileSizeLimit + 1));
        }
        const KeyFileRead read = readKeyFile(path);
        QCOMPARE(read.status, KeyFileRead::Status::Unreadable);
        QVERIFY(read.lastField.isEmpty());
        QVERIFY2(read.error.contains(path) && read.error.contains(reason), qPrintable(read.error));
    }

    void binaryFileIsReadWithoutFault()
    {
        // Every byte value, unclosed quotes, lone CRs, NULs and broken UTF-8 and UTF-16, behind each kind of head.
        QByteArray bytes;
        quint32 state = 12345;
        while (bytes.size() < keyFileSizeLimit - 16) {
            state = state * 1103515245u + 12345u;
            bytes.append(char(state >> 24));
        }
        for (const QByteArray& head :
             {QByteArray(), QByteArray("\xff\xfe"), QByteArray("\xfe\xff"), QByteArray("\"")}) {
            const KeyFileRead read = readKeyFile(writeFile("binary.chk", head + bytes));
            QCOMPARE(read.status, KeyFileRead::Status::Read);
            QVERIFY(read.lastField.size() <= bytes.size());
        }
    }
};

QTEST_GUILESS_MAIN(TestKeyFile)
#include "tst_keyfile.moc"
