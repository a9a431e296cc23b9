#include "cipher/CryptText.h"

#include <QList>
#include <QTest>
#include <algorithm>

// Keys the round-trip and permutation tests run under: zeros, digits 7 to 9, short keys, non-digits, long keys.
static const QStringList tableKeys = {
    "",       "000000", "214365", "234561", "654321",  "999999",
    "789789", "102030", "3",      "32",     "31",      "798",
    "x3y2z5", "a2b4c6", "12 45",  "-1+2.3", "2345617", "٣٤٥٦١٢" /* Arabic-Indic: not 0-9 */,
    "111111", "666666", "5",      "060606", "909090",  "123456",
};

static QString rotatingText(qsizetype length)
{
    // Distinct units, so that any misplaced unit shows; the alphabet wraps past 62 units.
    static const QString alphabet = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    QString text(length, Qt::Uninitialized);
    for (qsizetype i = 0; i < length; ++i)
        text[i] = alphabet.at(i % alphabet.size());
    return text;
}

static QString longText()
{
    // 100,000 units running over the whole 16-bit range, lone surrogates included, far past the original's
    // 32,772-unit limit.
    QString text(100000, Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i)
        text[i] = QChar(char16_t((i * 7919 + 13) % 65536));
    return text;
}

static bool blocksArePermutations(const QString& a, const QString& b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype start = 0; start < a.size(); start += 6) {
        const qsizetype len = std::min<qsizetype>(6, a.size() - start);
        QList<char16_t> x, y;
        for (qsizetype k = 0; k < len; ++k) {
            x << a.at(start + k).unicode();
            y << b.at(start + k).unicode();
        }
        std::sort(x.begin(), x.end());
        std::sort(y.begin(), y.end());
        if (x != y)
            return false;
    }
    return true;
}

static bool hasBrokenPair(const QString& text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const bool high = text.at(i).isHighSurrogate();
        const bool low = text.at(i).isLowSurrogate();
        if (high && (i + 1 == text.size() || !text.at(i + 1).isLowSurrogate()))
            return true;
        if (low && (i == 0 || !text.at(i - 1).isHighSurrogate()))
            return true;
    }
    return false;
}

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

        // Each pair of steps swaps and swaps back: a non-zero key that moves nothing.
        QTest::newRow("214365 pairs undo") << "214365"
                                           << "abcdef"
                                           << "abcdef"
                                           << "abcdef";
        QTest::newRow("654321 mirrors undo") << "654321"
                                             << "abcdef"
                                             << "abcdef"
                                             << "abcdef";
        QTest::newRow("123456 identity") << "123456"
                                         << "abcdef"
                                         << "abcdef"
                                         << "abcdef";
        // enc: ba.... bca... bcda.. bcdea. bcdefa acdefb; dec: fbcdea fbcdae fbcade fbacde fabcde afbcde.
        QTest::newRow("234561 block") << "234561"
                                      << "abcdef"
                                      << "acdefb"
                                      << "afbcde";
        // L = 5: the fifth step's 6 becomes min(6, 5) = 5, the step itself; the sixth step does not exist.
        QTest::newRow("234561 short 5") << "234561"
                                        << "abcde"
                                        << "bcdea"
                                        << "eabcd";
        QTest::newRow("234561 short 2") << "234561"
                                        << "ab"
                                        << "ba"
                                        << "ba";
        QTest::newRow("234561 short 1") << "234561"
                                        << "a"
                                        << "a"
                                        << "a";
        QTest::newRow("234561 eleven") << "234561"
                                       << "abcdefghijk"
                                       << "acdefbhijkg"
                                       << "afbcdekghij";
        QTest::newRow("234561 thirteen") << "234561"
                                         << "abcdefghijklm"
                                         << "acdefbgijklhm"
                                         << "afbcdeglhijkm";
        // Nines act as six in a whole block, as L in a short one.
        QTest::newRow("999999 block") << "999999"
                                      << "abcdef"
                                      << "fabcde"
                                      << "bcdefa";
        QTest::newRow("666666 block") << "666666"
                                      << "abcdef"
                                      << "fabcde"
                                      << "bcdefa";
        QTest::newRow("789789 block") << "789789"
                                      << "abcdef"
                                      << "fabcde"
                                      << "bcdefa";
        QTest::newRow("999999 seven") << "999999"
                                      << "abcdefg"
                                      << "fabcdeg"
                                      << "bcdefag";
        QTest::newRow("999999 short 3") << "999999"
                                        << "abc"
                                        << "cab"
                                        << "bca";
        QTest::newRow("999999 short 4") << "999999"
                                        << "abcd"
                                        << "dabc"
                                        << "bcda";
        // Zeros skip their steps: enc swaps (3,2) then (5,3); dec (5,3) then (3,2).
        QTest::newRow("102030 block") << "102030"
                                      << "abcdef"
                                      << "acedbf"
                                      << "aebdcf";
        QTest::newRow("102030 short 3") << "102030"
                                        << "abc"
                                        << "acb"
                                        << "acb";
        // Fewer than six digits: the missing ones are 0.
        QTest::newRow("3") << "3"
                           << "abcdef"
                           << "cbadef"
                           << "cbadef";
        // "32": the second step pairs position 2 with itself; "31": enc cbadef bcadef, dec bacdef cabdef.
        QTest::newRow("32") << "32"
                            << "abcdef"
                            << "cbadef"
                            << "cbadef";
        QTest::newRow("31") << "31"
                            << "abcdef"
                            << "bcadef"
                            << "cabdef";
        QTest::newRow("798 eight") << "798"
                                   << "abcdefgh"
                                   << "fabdechg"
                                   << "bcfdeahg";
        // Non-digits are 0: "x3y2z5" is 0 3 0 2 0 5.
        QTest::newRow("x3y2z5") << "x3y2z5"
                                << "abcdef"
                                << "adbcfe"
                                << "acdbfe";
        QTest::newRow("a2b4c6 self swaps") << "a2b4c6"
                                           << "abcdef"
                                           << "abcdef"
                                           << "abcdef";
        // Only the first six key characters count.
        QTest::newRow("2345617 long key") << "2345617"
                                          << "abcdef"
                                          << "acdefb"
                                          << "afbcde";
        // Empty and zero keys leave every text as it is.
        QTest::newRow("empty key") << ""
                                   << "abcdefgh"
                                   << "abcdefgh"
                                   << "abcdefgh";
        QTest::newRow("zero key") << "000000"
                                  << "abcdefgh"
                                  << "abcdefgh"
                                  << "abcdefgh";
        QTest::newRow("empty text") << "234561"
                                    << ""
                                    << ""
                                    << "";
        // Stars, spaces and quotes are units like any other.
        QTest::newRow("symbols") << "999999"
                                 << "*' \"x*"
                                 << "**' \"x"
                                 << "' \"x**";
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

    void roundTripsAndPermutes_data()
    {
        QTest::addColumn<QString>("key");
        for (const QString& key : tableKeys)
            QTest::newRow(qPrintable("key \"" + key + "\"")) << key;
    }

    void roundTripsAndPermutes()
    {
        QFETCH(QString, key);
        QList<QString> texts;
        for (qsizetype n = 0; n <= 13; ++n)
            texts << rotatingText(n);
        texts << longText() << rotatingText(32772) << rotatingText(32773);
        for (const QString& text : texts) {
            const QString enc = CryptText(CryptMode::Enc, key, text);
            const QString dec = CryptText(CryptMode::Dec, key, text);
            QCOMPARE(enc.size(), text.size());
            QCOMPARE(dec.size(), text.size());
            QVERIFY2(blocksArePermutations(text, enc), qPrintable(QString("enc, length %1").arg(text.size())));
            QVERIFY2(blocksArePermutations(text, dec), qPrintable(QString("dec, length %1").arg(text.size())));
            QVERIFY2(CryptText(CryptMode::Dec, key, enc) == text, qPrintable(QString("dec∘enc, %1").arg(text.size())));
            QVERIFY2(CryptText(CryptMode::Enc, key, dec) == text, qPrintable(QString("enc∘dec, %1").arg(text.size())));
        }
    }

    void sameExchangesInEveryWholeBlock_data() { roundTripsAndPermutes_data(); }

    void sameExchangesInEveryWholeBlock()
    {
        QFETCH(QString, key);
        // Distinct units in order, so that a unit's distance from its block's first unit is its old position.
        QString text(6 * 40 + 4, Qt::Uninitialized);
        for (qsizetype i = 0; i < text.size(); ++i)
            text[i] = QChar(char16_t(0x4E00 + i));
        const QString enc = CryptText(CryptMode::Enc, key, text);
        const QString firstBlock = CryptText(CryptMode::Enc, key, text.left(6));
        for (qsizetype start = 0; start + 6 <= text.size(); start += 6) {
            const QString block = text.mid(start, 6);
            QCOMPARE(enc.mid(start, 6), CryptText(CryptMode::Enc, key, block));
            // The same permutation: each block's units come from the same positions as in the first block.
            for (int k = 0; k < 6; ++k)
                QCOMPARE(enc.at(start + k).unicode() - text.at(start).unicode(),
                         firstBlock.at(k).unicode() - text.at(0).unicode());
        }
        QCOMPARE(enc.right(4), CryptText(CryptMode::Enc, key, text.right(4)));
    }

    void starsOnlyWhereTheInputHadThem_data() { roundTripsAndPermutes_data(); }

    void starsOnlyWhereTheInputHadThem()
    {
        QFETCH(QString, key);
        for (qsizetype n = 0; n <= 13; ++n) {
            const QString text = rotatingText(n);
            QVERIFY(!CryptText(CryptMode::Enc, key, text).contains(u'*'));
            QVERIFY(!CryptText(CryptMode::Dec, key, text).contains(u'*'));
        }
    }

    void splitSurrogatePairRoundTrips_data()
    {
        QTest::addColumn<QString>("key");
        QTest::newRow("3") << "3";
        QTest::newRow("234561") << "234561";
        QTest::newRow("2") << "2";
        QTest::newRow("x3y2z5") << "x3y2z5";
    }

    void splitSurrogatePairRoundTrips()
    {
        QFETCH(QString, key);
        // U+1F600 is D83D DE00; every key of this table parts the first pair's halves.
        const QString text = QString::fromUtf16(u"\U0001F600cdef\U0001F600h");
        QCOMPARE(text.size(), 9);
        QVERIFY(!hasBrokenPair(text));
        const QString enc = CryptText(CryptMode::Enc, key, text);
        QVERIFY(hasBrokenPair(enc));
        QCOMPARE(CryptText(CryptMode::Dec, key, enc), text);
        QCOMPARE(CryptText(CryptMode::Enc, key, CryptText(CryptMode::Dec, key, text)), text);
    }

    void splitSurrogatePairByHand()
    {
        // Key "3": swap(1, 3) moves the high half (D83D) third and 'c' first; the low half (DE00) stays second.
        const QString text = QString::fromUtf16(u"\U0001F600cdef");
        const QString enc = CryptText(CryptMode::Enc, "3", text);
        QCOMPARE(enc.at(0), QChar(u'c'));
        QCOMPARE(enc.at(1), QChar(0xDE00));
        QCOMPARE(enc.at(2), QChar(0xD83D));
        QCOMPARE(enc.mid(3), QString("def"));
    }

    void emptyOrZeroKeyLeavesTextUnchanged_data()
    {
        QTest::addColumn<QString>("key");
        QTest::newRow("empty") << "";
        QTest::newRow("null") << QString();
        QTest::newRow("zeros") << "000000";
        QTest::newRow("non-digits") << "abcdef";
        QTest::newRow("spaces") << "      ";
    }

    void emptyOrZeroKeyLeavesTextUnchanged()
    {
        QFETCH(QString, key);
        for (qsizetype n = 0; n <= 13; ++n) {
            const QString text = rotatingText(n);
            QCOMPARE(CryptText(CryptMode::Enc, key, text), text);
            QCOMPARE(CryptText(CryptMode::Dec, key, text), text);
        }
        const QString text = longText();
        QCOMPARE(CryptText(CryptMode::Enc, key, text), text);
    }

    void oneUnitIsUnchanged_data() { roundTripsAndPermutes_data(); }

    void oneUnitIsUnchanged()
    {
        QFETCH(QString, key);
        QCOMPARE(CryptText(CryptMode::Enc, key, "q"), QString("q"));
        QCOMPARE(CryptText(CryptMode::Dec, key, "q"), QString("q"));
    }

    void seventhUnitStaysInPlace_data() { roundTripsAndPermutes_data(); }

    void seventhUnitStaysInPlace()
    {
        QFETCH(QString, key);
        const QString text = "abcdefg";
        for (CryptMode mode : {CryptMode::Enc, CryptMode::Dec}) {
            const QString result = CryptText(mode, key, text);
            QCOMPARE(result.size(), 7);
            QCOMPARE(result.at(6), QChar(u'g'));
            QCOMPARE(result.left(6), CryptText(mode, key, text.left(6)));
        }
    }

    void emptyTextIsEmpty()
    {
        QCOMPARE(CryptText(CryptMode::Enc, "234561", QString()), QString());
        QCOMPARE(CryptText(CryptMode::Dec, "234561", ""), QString(""));
    }

    void anotherKeyGivesAPermutationNotTheText()
    {
        const QString text = "abcdefghijkl";
        const QString wrong = CryptText(CryptMode::Dec, "999999", CryptText(CryptMode::Enc, "234561", text));
        QVERIFY(wrong != text);
        QVERIFY(blocksArePermutations(text, wrong));
    }

    void inputIsNotModified()
    {
        const QString text = rotatingText(13);
        const QString copy = text;
        QString shared = text; // shares the data with `text`
        CryptText(CryptMode::Enc, "234561", shared);
        QCOMPARE(text, copy);
        QCOMPARE(shared, copy);
    }
};

QTEST_GUILESS_MAIN(TestCryptText)
#include "tst_crypttext.moc"
