#include "cipher/CryptText.h"

#include <QTest>

class TestCryptText : public QObject {
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
        row("654321 mirrors undo", "654321", "abcdef", "abcdef", "abcdef");
        row("234561 block", "234561", "abcdef", "acdefb", "afbcde");
        // L = 5: the fifth step's 6 becomes min(6, 5) = 5, the step itself; the sixth step does not exist.
        row("234561 short 5", "234561", "abcde", "bcdea", "eabcd");
        row("234561 short 2", "234561", "ab", "ba", "ba");
        row("234561 eleven", "234561", "abcdefghijk", "acdefbhijkg", "afbcdekghij");
        row("234561 thirteen", "234561", "abcdefghijklm", "acdefbgijklhm", "afbcdeglhijkm");
        // Nines act as six in a whole block, as L in a short one.
        row("999999 block", "999999", "abcdef", "fabcde", "bcdefa");
        row("999999 seven", "999999", "abcdefg", "fabcdeg", "bcdefag");
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
};

QTEST_GUILESS_MAIN(TestCryptText)
#include "tst_crypttext.moc"
