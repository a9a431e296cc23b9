#include "cipher/KeyFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>

class TestKeyFile : public QObject {
    Q_OBJECT

private slots:
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
        row("empty between commas", "one,,", "");
        row("quoted with commas", "x,\"one, two, three\"", "one, two, three");
        row("quoted then more", "\"one, two\",three", "three");
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

QTEST_GUILESS_MAIN(TestKeyFile)
#include "tst_keyfile.moc"
