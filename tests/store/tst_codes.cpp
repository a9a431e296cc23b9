#include "store/Codes.h"

#include <QTest>

class TestCodes : public QObject {
    Q_OBJECT

private slots:
    void numericValueReadsTheLeadingNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("value");
        QTest::newRow("empty") << "" << qint64(0);
        QTest::newRow("leading spaces") << "  7" << qint64(7);
        QTest::newRow("trailing text") << "12abc" << qint64(12);
        QTest::newRow("no digits") << "abc" << qint64(0);
        QTest::newRow("negative") << "-5" << qint64(-5);
        QTest::newRow("past 32 bits") << "4294967296" << qint64(4294967296LL);
        QTest::newRow("saturates") << "99999999999999999999999" << std::numeric_limits<qint64>::max();
    }

    void numericValueReadsTheLeadingNumber()
    {
        QFETCH(QString, text);
        QFETCH(qint64, value);
        QCOMPARE(codes::numericValue(text), value);
    }
};

QTEST_GUILESS_MAIN(TestCodes)
#include "tst_codes.moc"
