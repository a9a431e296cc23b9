#include "edit/EditCommands.h"
#include "support/Fixture.h"
#include "support/TestMain.h"

#include <QAction>
#include <QLabel>
#include <QTimer>
#include <QTreeView>

namespace {

// From (1): s1 .. s5 (codes 1 .. 5); s2 holds the entries 1 and 3, s4 the entry 2, s5 the entry 1.
// To (2): t3 and t7. Then From is current, s1 clicked, s2 and s4 checked.
frmMain& openWithChecks(Fixture& fx)
{
    fx.addCategory(1, QStringLiteral("From"), 1, 0);
    fx.addCategory(2, QStringLiteral("To"), 1, 0);
    fx.addCategory(3, QStringLiteral("Empty"), 1, 0);
    for (int code = 1; code <= 5; ++code)
        fx.addSite(1, code, QStringLiteral("s%1").arg(code), QStringLiteral("https://s%1.example").arg(code));
    fx.addPassword(1, 2, 1, QStringLiteral("a"), QStringLiteral("pa"));
    fx.addPassword(1, 2, 3, QStringLiteral("b"), QStringLiteral("pb"));
    fx.addPassword(1, 4, 2, QStringLiteral("c"), QStringLiteral("pc"));
    fx.addPassword(1, 5, 1, QStringLiteral("d"), QStringLiteral("pd"));
    fx.addSite(2, 3, QStringLiteral("t3"));
    fx.addSite(2, 7, QStringLiteral("t7"));
    frmMain& w = fx.open();
    fx.clickNode(QStringLiteral("From"));
    fx.clickRow(w.lvURLs, 0);
    list::setCheckState(w.lvURLs, 1, Qt::Checked);
    list::setCheckState(w.lvURLs, 3, Qt::Checked);
    return w;
}

QString values(Fixture& fx, const QString& sql)
{
    QStringList result;
    for (const Row& row : fx.db().select(sql))
        result << row.value(0).toString();
    return result.join(u',');
}

void verifyMoving(const frmMain& w, bool moving)
{
    QCOMPARE(w.state.MovingSites, moving);
    QCOMPARE(w.Buttons[9]->text(), moving ? QStringLiteral("Paste") : QStringLiteral("Move"));
    QCOMPARE(w.Buttons[9]->toolTip(),
             moving ? QStringLiteral("Paste sites here") : QStringLiteral("Moving sites from category"));
}

} // namespace

class TestToolbar : public QObject {
    Q_OBJECT

private slots:
    void movePicksTheCheckedSitesAndPasteBringsThemWithTheirEntries_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<int>("T");
        QTest::addColumn<int>("first");
        QTest::newRow("above the highest code 7") << "To" << 2 << 8;
        QTest::newRow("into an empty category") << "Empty" << 3 << 1;
        QTest::newRow("back into the source, above its highest") << "From" << 1 << 6;
    }

    void movePicksTheCheckedSitesAndPasteBringsThemWithTheirEntries()
    {
        QFETCH(QString, target);
        QFETCH(int, T);
        QFETCH(int, first);
        Fixture fx;
        frmMain& w = openWithChecks(fx);
        const QString before = fx.dump();
        w.Buttons[9]->trigger();
        QCOMPARE(list::column(w.lvURLs, 2), (QStringList{"s1", "s3", "s5"}));
        QCOMPARE(w.sURLsCount->text(), QStringLiteral("3 Site(s)"));
        verifyMoving(w, true);
        QCOMPARE(w.state.MoveList, (QList<MoveEntry>{{1, 2}, {1, 4}}));
        QCOMPARE(fx.dump(), before); // nothing moves before the paste

        fx.clickNode(target);
        w.Buttons[9]->trigger();

        // In list order, each entry keeping its Ser.
        const QString since = QStringLiteral(" WHERE CatCode = %1 AND SiteCode >= %2 ORDER BY ").arg(T).arg(first);
        QCOMPARE(values(fx, "SELECT SiteCode || ':' || SiteName FROM URLs" + since + "SiteCode"),
                 QStringLiteral("%1:s2,%2:s4").arg(first).arg(first + 1));
        QCOMPARE(values(fx, "SELECT SiteCode || ':' || Ser || ':' || UserID FROM PWs" + since + "SiteCode, Ser"),
                 QStringLiteral("%1:1:a,%1:3:b,%2:2:c").arg(first).arg(first + 1));
        QCOMPARE(fx.count("URLs WHERE CatCode = 1 AND SiteCode IN (2, 4)"), 0);
        QCOMPARE(fx.count("PWs"), 4);
        verifyMoving(w, false);
        QCOMPARE(w.tvCategories->currentIndex(), fx.node(target));
        QVERIFY(list::column(w.lvURLs, 2).contains(QStringLiteral("s2")));
    }

    void aRefusedPasteMovesNothingAndKeepsMoving_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("trigger");
        QTest::addColumn<QString>("message");
        QTest::newRow("on the root") << QStringLiteral("Categories") << QString()
                                     << QStringLiteral("You can not move sites here!");
        // s2 and its entries are moved before s4's entry fails.
        QTest::newRow("a failing statement")
            << QStringLiteral("To") << QStringLiteral("BEFORE UPDATE ON PWs WHEN old.Ser = 2")
            << QStringLiteral("breaks one of its rules.");
    }

    void aRefusedPasteMovesNothingAndKeepsMoving()
    {
        QFETCH(QString, target);
        QFETCH(QString, trigger);
        QFETCH(QString, message);
        Fixture fx;
        frmMain& w = openWithChecks(fx);
        w.Buttons[9]->trigger();
        fx.clickNode(target);
        if (!trigger.isEmpty())
            fx.db().execute("CREATE TEMP TRIGGER boom " + trigger + " BEGIN SELECT RAISE(ABORT, 'injected'); END");
        const QString before = fx.dump();

        w.Buttons[9]->trigger();
        QCOMPARE(fx.dump(), before);
        QCOMPARE(fx.prompter.shown.size(), 1);
        QVERIFY2(fx.prompter.shown[0].text.contains(message), qPrintable(fx.prompter.shown[0].text));
        verifyMoving(w, true);
        QCOMPARE(w.state.MoveList, (QList<MoveEntry>{{1, 2}, {1, 4}}));

        // The paste can be tried again.
        fx.db().execute(QStringLiteral("DROP TRIGGER IF EXISTS boom"));
        fx.clickNode(QStringLiteral("To"));
        w.Buttons[9]->trigger();
        verifyMoving(w, false);
        QCOMPARE(fx.count("PWs WHERE CatCode = 2"), 3);
    }

    void buttonsAndShortcutsReachTheirCommandsUnlessMoving_data()
    {
        QTest::addColumn<bool>("moving");
        QTest::newRow("not moving") << false;
        QTest::newRow("moving") << true;
    }

    void buttonsAndShortcutsReachTheirCommandsUnlessMoving()
    {
        QFETCH(bool, moving);
        Fixture fx;
        frmMain& w = openWithChecks(fx);
        if (moving)
            w.Buttons[9]->trigger();
        fx.clickRow(w.lvURLs, 0);
        fx.clipboard.text = QStringLiteral("secret");

        for (int index : {6, 6, 7, 11, 13})
            w.Buttons[index]->trigger();
        QCOMPARE(fx.db().scalar(QStringLiteral("SELECT Rank FROM URLs WHERE CatCode = 1 AND SiteCode = 1")).toInt(),
                 moving ? 0 : 1);
        QCOMPARE(fx.shell.addresses, moving ? QStringList{} : QStringList{"https://s1.example"});
        QCOMPARE(fx.clipboard.clears, moving ? 0 : 1);
        if (!moving)
            return;
        w.Buttons[15]->trigger(); // refused, or the about box would wait for a click until the test times out
        QCOMPARE(fx.prompter.texts(), QStringList(6, QStringLiteral("You can not do that while moving sites")));
        fx.prompter.shown.clear();
        w.commands->sbAdd();
        w.commands->sbEdit();
        w.commands->sbSave();
        w.commands->sbDelete();
        QCOMPARE(fx.prompter.texts(), QStringList(4, QStringLiteral("You can not do this while you moving sites")));
        QCOMPARE(fx.count("URLs WHERE CatCode = 1"), 5);
    }

    void exitEndsTheProgramAtOnceEvenWhileMoving()
    {
        Fixture fx;
        frmMain& w = openWithChecks(fx);
        w.Buttons[9]->trigger();
        const QString before = fx.dump();
        // From the program's own main loop, which it must end with status 0; a hang is caught by the test timeout.
        QTimer::singleShot(0, w.Buttons[17], &QAction::trigger);
        QCOMPARE(QCoreApplication::exec(), 0);
        QCOMPARE(fx.prompter.shown.size(), 0);
        QCOMPARE(fx.dump(), before);
    }
};

DORVU_TEST_MAIN(TestToolbar)
#include "tst_toolbar.moc"
