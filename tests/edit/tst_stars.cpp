#include "edit/SiteStars.h"
#include "platform/Prompter.h"
#include "support/Fixture.h"
#include "support/TestMain.h"
#include "views/ViewItems.h"

#include <QLabel>
#include <QLineEdit>
#include <QTreeWidget>

namespace {

// Listed by name: alpha (1, rank 5), beta (2, rank 9, one entry), delta (4, rank 4), gamma (3, no rank).
void seed(Fixture& fx)
{
    fx.addCategory(1, QStringLiteral("Ranked"), 1, 0);
    fx.addSite(1, 1, QStringLiteral("alpha"), QStringLiteral("http://a"), {}, 5);
    fx.addSite(1, 2, QStringLiteral("beta"), QStringLiteral("http://b"), {}, 9);
    fx.addSite(1, 3, QStringLiteral("gamma"), QStringLiteral("http://g"), {}, 0);
    fx.addSite(1, 4, QStringLiteral("delta"), QStringLiteral("http://d"), {}, 4);
    fx.addPassword(1, 2, 1, QStringLiteral("me"), QStringLiteral("x"));
}

QStringList column(const QTreeWidget* list, int c)
{
    QStringList texts;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        texts << list->topLevelItem(i)->text(c);
    return texts;
}

void run(frmMain& w, bool raise)
{
    if (raise)
        w.stars->AddStar();
    else
        w.stars->DeleteStar();
}

} // namespace

class TestStars : public QObject {
    Q_OBJECT

private slots:
    void aStarChangesTheRank_data()
    {
        QTest::addColumn<bool>("raise");
        QTest::addColumn<int>("row");
        QTest::addColumn<QStringList>("statements");
        QTest::addColumn<QStringList>("ranks");

        QTest::newRow("9 raised: the others get two digits")
            << true << 1
            << QStringList{"Select * from URLs where CatCode = 1 and SiteCode = 2",
                           "UpDate URLs Set Rank = 10 where (catcode =1) And (sitecode = 2)"}
            << QStringList{"05", "10", "04", ""};
        QTest::newRow("none raised") << true << 3
                                     << QStringList{"Select * from URLs where CatCode = 1 and SiteCode = 3",
                                                    "UpDate URLs Set Rank = 1 where (catcode =1) And (sitecode = 3)"}
                                     << QStringList{"5", "9", "4", "1"};
        QTest::newRow("4 lowered") << false << 2
                                   << QStringList{"Select * from URLs where CatCode = 1 and SiteCode = 4",
                                                  "UpDate URLs Set Rank = 3 where (catcode =1) And (sitecode =4)"}
                                   << QStringList{"5", "9", "3", ""};
        QTest::newRow("0 lowered: nothing written")
            << false << 3 << QStringList{"Select * from URLs where CatCode = 1 and SiteCode = 3"}
            << QStringList{"5", "9", "4", ""};
    }

    void aStarChangesTheRank()
    {
        QFETCH(bool, raise);
        QFETCH(int, row);
        QFETCH(QStringList, statements);
        QFETCH(QStringList, ranks);
        Fixture fx;
        seed(fx);
        frmMain& w = fx.open();
        fx.clickNode(QStringLiteral("Ranked"));
        fx.clickRow(w.lvURLs, row);
        const QString tag = items::tag(w.lvURLs->topLevelItem(row));
        const QString name = w.lvURLs->topLevelItem(row)->text(2);
        w.lvURLs->topLevelItem(0)->setText(1, QStringLiteral("stale")); // only a reload puts it right
        w.tvCategories->setFocus();

        fx.startTrace();
        run(w, raise);
        const QStringList trace = fx.stopTrace();
        const qsizetype begin = trace.indexOf(QStringLiteral("SAVEPOINT work1"));
        const qsizetype end = trace.indexOf(QStringLiteral("RELEASE work1"));
        QVERIFY2(begin == 0 && end > begin, qPrintable(trace.join(u'\n')));
        QCOMPARE(trace.mid(begin + 1, end - begin - 1), statements);

        QCOMPARE(column(w.lvURLs, 1), ranks);
        QCOMPARE(column(w.lvURLs, 2), (QStringList{"alpha", "beta", "delta", "gamma"}));
        // The same site is selected again and clicked: it is the current site, with its entries.
        QCOMPARE(items::tag(items::selectedRow(w.lvURLs)), tag);
        QCOMPARE(w.lblSiteCode->text(), tag);
        QCOMPARE(w.txtSiteName->text(), name);
        QCOMPARE(w.lvPasswords->topLevelItemCount(), fx.count("PWs WHERE SiteCode = " + tag));
        QTRY_VERIFY(w.lvURLs->hasFocus());
        QCOMPARE(w.CurWhat, QStringLiteral("Sites"));
    }

    void nothingWithoutANamedSite_data()
    {
        QTest::addColumn<bool>("raise");
        QTest::addColumn<bool>("emptyList");
        for (bool raise : {true, false}) {
            QTest::addRow("%s, empty list", raise ? "AddStar" : "DeleteStar") << raise << true;
            QTest::addRow("%s, nameless row", raise ? "AddStar" : "DeleteStar") << raise << false;
        }
    }

    void nothingWithoutANamedSite()
    {
        QFETCH(bool, raise);
        QFETCH(bool, emptyList);
        Fixture fx;
        seed(fx);
        fx.addSite(1, 5, QStringLiteral("  "), QStringLiteral("http://blank"), {}, 2);
        frmMain& w = fx.open();
        if (!emptyList) {
            fx.clickNode(QStringLiteral("Ranked"));
            QCOMPARE(w.lvURLs->topLevelItem(0)->text(2), QStringLiteral("  "));
            items::selectRow(w.lvURLs, w.lvURLs->topLevelItem(0));
            w.lvURLs->topLevelItem(1)->setText(1, QStringLiteral("stale"));
        }
        const int rows = w.lvURLs->topLevelItemCount();

        fx.startTrace();
        run(w, raise);
        QCOMPARE(fx.stopTrace(), QStringList());
        QCOMPARE(w.lvURLs->topLevelItemCount(), rows);
        if (!emptyList)
            QCOMPARE(w.lvURLs->topLevelItem(1)->text(1), QStringLiteral("stale"));
        QCOMPARE(fx.prompter.shown.size(), 0);
    }

    void aRefusedChangeIsReportedAndTheListShowsTheStore()
    {
        Fixture fx;
        seed(fx);
        frmMain& w = fx.open();
        fx.clickNode(QStringLiteral("Ranked"));
        fx.clickRow(w.lvURLs, 1);
        fx.db().execute(QStringLiteral(
            "CREATE TEMP TRIGGER boom BEFORE UPDATE ON URLs BEGIN SELECT RAISE(ABORT, 'injected'); END"));

        w.stars->AddStar();
        QCOMPARE(fx.db().scalar(QStringLiteral("SELECT Rank FROM URLs WHERE SiteCode = 2")).toInt(), 9);
        QCOMPARE(fx.prompter.shown.size(), 1);
        QCOMPARE(fx.prompter.shown[0].icon, Prompt::Icon::Stop);
        QCOMPARE(column(w.lvURLs, 1), (QStringList{"5", "9", "4", ""}));
        QCOMPARE(items::tag(items::selectedRow(w.lvURLs)), QStringLiteral("2"));
    }
};

DORVU_TEST_MAIN(TestStars)
#include "tst_stars.moc"
