#include "edit/SiteStars.h"
#include "edit/EditPanel.h"
#include "support/Fixture.h"
#include "support/TestMain.h"
#include "views/ViewItems.h"

#include <QLabel>
#include <QTreeView>

class TestStars : public QObject {
    Q_OBJECT

private slots:
    void aStarChangesTheRankAndReloads_data()
    {
        QTest::addColumn<bool>("raise");
        QTest::addColumn<int>("row"); // -1: no category shown, the list is empty
        QTest::addColumn<QStringList>("sent");
        QTest::addColumn<QStringList>("shown");
        const QString select = QStringLiteral("Select * from URLs where CatCode = 1 and SiteCode = %1");
        QTest::newRow("9 raised: the others get two digits")
            << true << 2
            << QStringList{select.arg(2), "UpDate URLs Set Rank = 10 where (catcode =1) And (sitecode = 2)"}
            << QStringList{"02", "05", "10", "04", ""};
        QTest::newRow("4 lowered") << false << 3
                                   << QStringList{select.arg(4),
                                                  "UpDate URLs Set Rank = 3 where (catcode =1) And (sitecode =4)"}
                                   << QStringList{"2", "5", "9", "3", ""};
        QTest::newRow("0 lowered: no update, still reloaded")
            << false << 4 << QStringList{select.arg(3)} << QStringList{"2", "5", "9", "4", ""};
        for (bool raise : {true, false}) {
            QTest::addRow("%s: nameless row", raise ? "AddStar" : "DeleteStar")
                << raise << 0 << QStringList{} << QStringList{"2", "5", "9", "4", ""};
            QTest::addRow("%s: empty list", raise ? "AddStar" : "DeleteStar")
                << raise << -1 << QStringList{} << QStringList{};
        }
    }

    void aStarChangesTheRankAndReloads()
    {
        QFETCH(bool, raise);
        QFETCH(int, row);
        QFETCH(QStringList, sent);
        QFETCH(QStringList, shown);
        // Listed by name: a nameless site (rank 2), alpha (5), beta (9), delta (4), gamma (none).
        Fixture fx;
        fx.addCategory(1, QStringLiteral("Ranked"), 1, 0);
        fx.addSite(1, 1, QStringLiteral("alpha"), QStringLiteral("http://a"), {}, 5);
        fx.addSite(1, 2, QStringLiteral("beta"), QStringLiteral("http://b"), {}, 9);
        fx.addSite(1, 3, QStringLiteral("gamma"), QStringLiteral("http://g"), {}, 0);
        fx.addSite(1, 4, QStringLiteral("delta"), QStringLiteral("http://d"), {}, 4);
        fx.addSite(1, 5, QStringLiteral("  "), QStringLiteral("http://blank"), {}, 2);
        frmMain& w = fx.open();
        QString tag;
        if (row >= 0) {
            fx.clickNode(QStringLiteral("Ranked"));
            fx.clickRow(w.lvURLs, row);
            tag = list::code(w.lvURLs, row);
            // Only a reload puts the rank right, and only a click on the reselected row fills the label.
            w.state.setSiteCode(std::nullopt);
        }

        fx.startTrace();
        raise ? w.stars->AddStar() : w.stars->DeleteStar();
        QStringList trace = fx.stopTrace();
        const qsizetype begin = trace.indexOf(QStringLiteral("SAVEPOINT work1"));
        if (begin >= 0) // a change is one unit of work
            trace = trace.mid(begin + 1, trace.indexOf(QStringLiteral("RELEASE work1")) - begin - 1);
        QCOMPARE(trace, sent);
        QStringList ranks;
        for (int i = 0; i < list::rows(w.lvURLs); ++i)
            ranks << list::text(w.lvURLs, i, 1);
        QCOMPARE(ranks, shown);
        // The same site is selected again and clicked: it is the current site.
        QCOMPARE(w.lblSiteCode->text(), sent.isEmpty() ? QString() : tag);
        if (row >= 0)
            QCOMPARE(list::code(w.lvURLs, list::selected(w.lvURLs)), tag);
    }
};

DORVU_TEST_MAIN(TestStars)
#include "tst_stars.moc"
