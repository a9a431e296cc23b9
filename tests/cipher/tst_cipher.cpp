#include "cipher/CryptText.h"
#include "cipher/KeyFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>

class TestCipher : public QObject {
    Q_OBJECT

private slots:
    // Worked by hand from the rules (swap j with min(d, L), enc j = 1..L, dec j = L..1), not by running the code.
    void handWorkedVectors_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("plain");
        QTest::addColumn<QString>("enc");
        QTest::addColumn<QString>("dec");
        const auto row = [](const char* name, const QString& key, const char* plain, const char* enc, const char* dec) {
            QTest::newRow(name) << key << QString(plain) << QString(enc) << QString(dec);
        };
        // Each pair of steps swaps and swaps back: a non-zero key that moves nothing.
        row("214365 pairs undo", "214365", "abcdef", "abcdef", "abcdef");
        row("234561 block", "234561", "abcdef", "acdefb", "afbcde");
        // L = 5: the fifth step's 6 becomes min(6, 5) = 5, the step itself; the sixth step does not exist.
        row("234561 short 5", "234561", "abcde", "bcdea", "eabcd");
        row("234561 short 2", "234561", "ab", "ba", "ba");
        row("234561 eleven", "234561", "abcdefghijk", "acdefbhijkg", "afbcdekghij");
        // Nines act as six in a whole block, as L in a short one.
        row("999999 block", "999999", "abcdef", "fabcde", "bcdefa");
        row("999999 short 4", "999999", "abcd", "dabc", "bcda");
        // Zeros skip their steps: enc swaps (3,2) then (5,3); dec (5,3) then (3,2).
        row("102030 block", "102030", "abcdef", "acedbf", "aebdcf");
        // Fewer than six digits: the missing ones are 0.
        row("31", "31", "abcdef", "bcadef", "cabdef");
        row("798 eight", "798", "abcdefgh", "fabdechg", "bcfdeahg");
        // Non-digits are 0: "x3y2z5" is 0 3 0 2 0 5; Arabic-Indic digits are not 0-9.
        row("x3y2z5", "x3y2z5", "abcdef", "adbcfe", "acdbfe");
        row("arabic-indic", "٢٣٤٥٦١", "abcdef", "abcdef", "abcdef");
        // Only the first six key characters count.
        row("2345617 long key", "2345617", "abcdef", "acdefb", "afbcde");
        row("empty key", "", "abcdefgh", "abcdefgh", "abcdefgh");
        row("empty text", "234561", "", "", "");
        // Stars, spaces and quotes are units like any other.
        row("symbols", "999999", "*' \"x*", "**' \"x", "' \"x**");
    }

    void handWorkedVectors()
    {
        QFETCH(QString, key);
        QFETCH(QString, plain);
        QFETCH(QString, enc);
        QFETCH(QString, dec);
        QCOMPARE(CryptText(CryptMode::Enc, key, plain), enc);
        QCOMPARE(CryptText(CryptMode::Dec, key, plain), dec);
        QCOMPARE(CryptText(CryptMode::Dec, key, enc), plain);
        QCOMPARE(CryptText(CryptMode::Enc, key, dec), plain);
    }

    void theLastFieldCounts_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("field");
        const auto row = [](const char* name, const QByteArray& bytes, const QString& field) {
            QTest::newRow(name) << bytes << field;
        };
        row("empty", "", "");
        row("spaces and tabs around, inner spaces kept", "\t a short sentence \t", "a short sentence");
        row("spaces around commas", "one , two ,  three  ", "three");
        row("lines CRLF", "first\r\nsecond\r\nthird\r\n", "third");
        row("lines CR", "first\rsecond\rthird", "third");
        row("final comma starts no field", "one,two,", "two");
        row("blank last line", "sentence\n\n", "");
        row("quoted with commas", "x,\"one, two, three\"", "one, two, three");
        row("quoted spaces trimmed, tabs kept", "  \"\t inside \t\"  ", "\t inside \t");
        row("quoted line end", "\"one\r\ntwo\"", "one\r\ntwo");
        row("after closing quote ignored", "\"kept\"dropped,\"last\"junk\r\n", "last");
        row("unclosed quote", "a,\"runs, to the end", "runs, to the end");
        row("quote inside a field", "ab\"c,d\"e", "d\"e");
        row("utf-8", "caf\xc3\xa9 \xe2\x82\xac", QString::fromUtf16(u"café €"));
        row("utf-8 bom", "\xef\xbb\xbfsentence", "sentence");
        row("utf-16le bom", QByteArray("\xff\xfes\0e\0n\0,\0x\0\xac\x20", 14), QString::fromUtf16(u"x€"));
        row("utf-16be bom", QByteArray("\xfe\xff\0s\0e\0n\0,\0x\x20\xac", 14), QString::fromUtf16(u"x€"));
        row("invalid utf-8", "ab\xff\xfe" "cd", QString::fromUtf16(u"ab\uFFFD\uFFFDcd"));
        row("nul bytes", QByteArray("a\0b", 3), QString::fromUtf16(u"a\0b", 3));
    }

    void theLastFieldCounts()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, field);
        QCOMPARE(keyFileField(bytes), field);
    }

    // A pipe with no writer or /dev/zero would hang a reader that opened them; a huge file would fill memory.
    void onlyAnOrdinaryFileOfReasonableSizeIsRead_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<KeyFileRead::Status>("status");
        QTest::addColumn<QString>("reason");
        using S = KeyFileRead::Status;
        QTest::newRow("missing") << "missing" << S::Missing << "";
        QTest::newRow("at the size limit") << "limit" << S::Read << "";
        QTest::newRow("one byte over the limit") << "over" << S::Unreadable << "too large";
        QTest::newRow("sparse 4 GiB") << "huge" << S::Unreadable << "too large";
        QTest::newRow("folder") << "folder" << S::Unreadable << "folder";
        QTest::newRow("pipe") << "pipe" << S::Unreadable << "";
        QTest::newRow("device") << "device" << S::Unreadable << "";
    }

    void onlyAnOrdinaryFileOfReasonableSizeIsRead()
    {
        QFETCH(QString, kind);
        QFETCH(KeyFileRead::Status, status);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        QString path = dir.filePath("key.chk");
        if (kind == "folder") {
            QVERIFY(QDir().mkdir(path));
        } else if (kind == "pipe") {
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        } else if (kind == "device") {
            path = "/dev/zero";
        } else if (kind != "missing") {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            const qint64 size = kind == "huge" ? qint64(4) << 30 : keyFileSizeLimit + (kind == "over");
            QVERIFY(file.write(QByteArray(size > keyFileSizeLimit ? 1 : size - 3, 'a') + ",ok") && file.resize(size));
        }
        const KeyFileRead read = readKeyFile(path);
        QCOMPARE(read.status, status);
        QCOMPARE(read.lastField, QString(status == KeyFileRead::Status::Read ? "ok" : ""));
        QVERIFY2(status != KeyFileRead::Status::Unreadable || (read.error.contains(path) && read.error.contains(reason)),
                 qPrintable(read.error));
    }
};

QTEST_GUILESS_MAIN(TestCipher)
#include "tst_cipher.moc"
