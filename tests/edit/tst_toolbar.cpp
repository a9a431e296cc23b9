#include "about/frmAbout.h"
#include "edit/EditCommands.h"
#include "edit/EditPanel.h"
#include "platform/Pictures.h"
#include "support/Fixture.h"
#include "support/TestMain.h"
#include "views/ViewItems.h"

#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QTreeWidget>

Q_DECLARE_METATYPE(Prompt)

namespace {

const Prompt Refusal{QStringLiteral("You can not do that while moving sites"), QStringLiteral("Dorvu"),
                     Prompt::Icon::Exclamation};

// From (1): s1 .. s5 (codes 1 .. 5); s2 holds the entries 1 and 3, s4 the entry 2. To (2): t3 and t7.
// Empty (3) has no sites.
void seed(Fixture& fx)
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
}

QStringList names(const QTreeWidget* list)
{
    QStringList texts;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        texts << list->topLevelItem(i)->text(2);
    return texts;
}

// The window with From current, the site in row `current` clicked, and s2 and s4 checked.
frmMain& openWithChecks(Fixture& fx, int current = 0)
{
    frmMain& w = fx.open();
    fx.clickNode(QStringLiteral("From"));
    fx.clickRow(w.lvURLs, current);
    w.lvURLs->topLevelItem(1)->setCheckState(0, Qt::Checked);
    w.lvURLs->topLevelItem(3)->setCheckState(0, Qt::Checked);
    return w;
}

void verifyFace(const frmMain& w, bool moving)
{
    QAction* button = w.Buttons[9];
    QCOMPARE(button->isChecked(), moving);
    QCOMPARE(button->text(), moving ? QStringLiteral("Paste") : QStringLiteral("Move"));
    QCOMPARE(button->toolTip(),
             moving ? QStringLiteral("Paste sites here") : QStringLiteral("Moving sites from category"));
    QCOMPARE(button->property("pictureIndex").toInt(), moving ? img1616::Paste : img1616::Move);
}

QStringList pasteStatements(int T, int N1, int N2)
{
    const QString t = QString::number(T);
    auto site = [&](int n, int o) {
        return QStringList{QStringLiteral("UpDate URLs Set catcode =%1, Sitecode =%2 where catcode =1 And Sitecode =%3")
                               .arg(t)
                               .arg(n)
                               .arg(o),
                           QStringLiteral("Select * From PWs Where catcode =1 And SiteCode =%1 order by Ser").arg(o)};
    };
    auto entry = [&](int n, int o, int r) {
        return QStringLiteral("UpDate PWs Set catcode =%1, Sitecode = %2 where catcode =1 And Sitecode =%3 And Ser =%4")
            .arg(t)
            .arg(n)
            .arg(o)
            .arg(r);
    };
    return QStringList{"Select max(sitecode) as xMax From URLs where catcode =" + t} + site(N1, 2) +
           QStringList{entry(N1, 2, 1), entry(N1, 2, 3)} + site(N2, 4) + QStringList{entry(N2, 4, 2)};
}

// Closes whatever modal window comes up, so that a test never blocks on one; remembers what it was.
struct ModalCloser {
    bool seen = false;
    bool about = false;
    QWidget* parent = nullptr;
    Qt::WindowModality modality = Qt::NonModal;
    QTimer timer;
    ModalCloser()
    {
        timer.setInterval(0);
        QObject::connect(&timer, &QTimer::timeout, [this] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                seen = true;
                about = qobject_cast<frmAbout*>(modal) != nullptr;
                parent = modal->parentWidget();
                modality = modal->windowModality();
                modal->close();
            }
        });
        timer.start();
    }
};

} // namespace

class TestToolbar : public QObject {
    Q_OBJECT

private slots:
    void moveTakesTheCheckedSitesOutOfTheList()
    {
        Fixture fx;
        seed(fx);
        frmMain& w = openWithChecks(fx, 1); // the picked s2 is the current site
        QCOMPARE(w.lvPasswords->topLevelItemCount(), 2);
        const QString before = fx.dump();

        fx.startTrace();
        w.Buttons[9]->trigger();
        QCOMPARE(fx.stopTrace(), QStringList());
        QCOMPARE(names(w.lvURLs), (QStringList{"s1", "s3", "s5"}));
        QCOMPARE(w.sURLsCount->text(), QStringLiteral("3 Site(s)"));
        verifyFace(w, true);
        QVERIFY(w.MovingSites);
        QCOMPARE(w.MoveList, (QStringList{"1|2", "1|4"}));
        QCOMPARE(w.MoveFromCat, 1);
        QCOMPARE(fx.dump(), before);
        QCOMPARE(w.lvPasswords->topLevelItemCount(), 0);
        QVERIFY(w.lblSiteCode->text().isEmpty());
        QCOMPARE(w.txtURL->text(), QStringLiteral("http://"));
        QCOMPARE(fx.prompter.shown.size(), 0);
    }

    void pasteMovesTheSitesWithTheirEntries_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<int>("T");
        QTest::addColumn<int>("first");
        QTest::newRow("above the highest code 7") << "To" << 2 << 8;
        QTest::newRow("into an empty category") << "Empty" << 3 << 1;
        QTest::newRow("back into the source") << "From" << 1 << 6;
    }

    void pasteMovesTheSitesWithTheirEntries()
    {
        QFETCH(QString, target);
        QFETCH(int, T);
        QFETCH(int, first);
        Fixture fx;
        seed(fx);
        frmMain& w = openWithChecks(fx);
        w.Buttons[9]->trigger();
        fx.clickNode(target);

        fx.startTrace();
        w.Buttons[9]->trigger();
        const QStringList trace = fx.stopTrace();
        const qsizetype begin = trace.indexOf(QStringLiteral("SAVEPOINT work1"));
        const qsizetype end = trace.indexOf(QStringLiteral("RELEASE work1"));
        QVERIFY2(begin == 0 && end > begin, qPrintable(trace.join(u'\n')));
        QCOMPARE(trace.mid(begin + 1, end - begin - 1), pasteStatements(T, first, first + 1));

        auto row = [&](const QString& sql) {
            QStringList values;
            for (const Row& r : fx.db().select(sql))
                values << r.value(0).toString();
            return values.join(u',');
        };
        QCOMPARE(row(QStringLiteral("SELECT SiteName FROM URLs WHERE CatCode = %1 AND SiteCode IN (%2, %3) "
                                    "ORDER BY SiteCode")
                         .arg(T)
                         .arg(first)
                         .arg(first + 1)),
                 QStringLiteral("s2,s4"));
        QCOMPARE(row(QStringLiteral("SELECT SiteCode || ':' || Ser || ':' || UserID FROM PWs WHERE CatCode = %1 "
                                    "ORDER BY SiteCode, Ser")
                         .arg(T)),
                 QString(T == 1 ? "5:1:d," : "") + QStringLiteral("%1:1:a,%1:3:b,%2:2:c").arg(first).arg(first + 1));
        QCOMPARE(fx.count("URLs WHERE CatCode = 1 AND SiteCode IN (2, 4)"), 0);
        QCOMPARE(fx.count("URLs"), 7);
        QCOMPARE(fx.count("PWs"), 4);

        // The target is shown afresh, the moved sites among its own.
        verifyFace(w, false);
        QVERIFY(!w.MovingSites);
        QVERIFY(w.MoveList.isEmpty());
        QTreeWidgetItem* node = fx.node(target);
        QCOMPARE(w.SelNodeIndex, QString::number(w.Nodes.indexOf(node)));
        QCOMPARE(items::picture(node), img1616::CurrentCategory);
        QVERIFY(names(w.lvURLs).contains(QStringLiteral("s2")) && names(w.lvURLs).contains(QStringLiteral("s4")));
        QCOMPARE(w.sURLsCount->text(),
                 QStringLiteral("%1 Site(s)").arg(fx.count(QStringLiteral("URLs WHERE CatCode = %1").arg(T))));
        QTRY_VERIFY(w.tvCategories->hasFocus());
    }

    void pasteOnTheRootIsRefused()
    {
        Fixture fx;
        seed(fx);
        frmMain& w = openWithChecks(fx);
        w.Buttons[9]->trigger();
        fx.clickNode(QStringLiteral("Categories"));
        const QString before = fx.dump();

        w.Buttons[9]->trigger();
        QCOMPARE(fx.prompter.shown, QList<Prompt>{(Prompt{"You can not move sites here!", frmMain::caption(),
                                                          Prompt::Icon::Exclamation})});
        QCOMPARE(fx.dump(), before);
        verifyFace(w, true);
        QVERIFY(w.MovingSites);
        QCOMPARE(w.MoveList, (QStringList{"1|2", "1|4"}));

        fx.clickNode(QStringLiteral("To"));
        w.Buttons[9]->trigger();
        verifyFace(w, false);
        QCOMPARE(fx.count("URLs WHERE CatCode = 2"), 4);
    }

    void aRefusedPasteMovesNothingAndKeepsMoving()
    {
        Fixture fx;
        seed(fx);
        frmMain& w = openWithChecks(fx);
        w.Buttons[9]->trigger();
        fx.clickNode(QStringLiteral("To"));
        // s2 and its entries are moved before s4's entry is refused.
        fx.db().execute(QStringLiteral("CREATE TEMP TRIGGER boom BEFORE UPDATE ON PWs WHEN old.Ser = 2 "
                                       "BEGIN SELECT RAISE(ABORT, 'injected'); END"));
        const QString before = fx.dump();

        w.Buttons[9]->trigger();
        QCOMPARE(fx.dump(), before);
        QCOMPARE(fx.prompter.shown.size(), 1);
        QCOMPARE(fx.prompter.shown[0].icon, Prompt::Icon::Stop);
        QCOMPARE(fx.prompter.shown[0].title, frmMain::caption());
        verifyFace(w, true);
        QVERIFY(w.MovingSites);
        QCOMPARE(w.MoveList, (QStringList{"1|2", "1|4"}));

        fx.db().execute(QStringLiteral("DROP TRIGGER boom"));
        w.Buttons[9]->trigger();
        verifyFace(w, false);
        QCOMPARE(fx.count("PWs WHERE CatCode = 2"), 3);
    }

    void movePopsBackUpWhenThereIsNothingToPick_data()
    {
        QTest::addColumn<QString>("situation");
        QTest::newRow("nothing checked") << "nothing checked";
        QTest::newRow("empty list") << "empty list";
        QTest::newRow("edit panel open") << "edit panel open";
    }

    void movePopsBackUpWhenThereIsNothingToPick()
    {
        QFETCH(QString, situation);
        Fixture fx;
        seed(fx);
        frmMain& w = fx.open();
        if (situation == u"empty list") {
            fx.clickNode(QStringLiteral("Empty"));
        } else {
            fx.clickNode(QStringLiteral("From"));
            if (situation == u"edit panel open") {
                w.lvURLs->topLevelItem(0)->setCheckState(0, Qt::Checked);
                w.panel->NewWhat(QStringLiteral("Sites"));
            }
        }
        const QStringList rows = names(w.lvURLs);

        w.Buttons[9]->trigger();
        verifyFace(w, false);
        QVERIFY(!w.MovingSites);
        QVERIFY(w.MoveList.isEmpty());
        QCOMPARE(names(w.lvURLs), rows);
        QCOMPARE(fx.prompter.shown.size(), 0);
    }

    void theEditPanelStopsAPaste()
    {
        Fixture fx;
        seed(fx);
        frmMain& w = openWithChecks(fx);
        w.Buttons[9]->trigger();
        fx.clickNode(QStringLiteral("To"));
        w.panel->NewWhat(QStringLiteral("Sites"));
        const QString before = fx.dump();

        w.Buttons[9]->trigger();
        QCOMPARE(fx.dump(), before);
        QVERIFY(!w.Buttons[9]->isChecked());
        QCOMPARE(w.Buttons[9]->text(), QStringLiteral("Paste"));
        QVERIFY(w.MovingSites);
    }

    void whileMovingOtherButtonsRefuse_data()
    {
        QTest::addColumn<int>("index");
        for (int index : {1, 2, 3, 4, 6, 7, 11, 13, 15})
            QTest::addRow("button %d", index) << index;
    }

    void whileMovingOtherButtonsRefuse()
    {
        QFETCH(int, index);
        Fixture fx;
        seed(fx);
        frmMain& w = openWithChecks(fx);
        w.Buttons[9]->trigger();
        fx.clickRow(w.lvURLs, 0);
        const QString before = fx.dump();
        ModalCloser closer;

        fx.startTrace();
        w.Buttons[index]->trigger();
        QCOMPARE(fx.stopTrace(), QStringList());
        QCOMPARE(fx.prompter.shown, QList<Prompt>{Refusal});
        QVERIFY(!closer.seen);
        QCOMPARE(fx.clipboard.clears, 0);
        QVERIFY(fx.shell.addresses.isEmpty());
        QVERIFY(!w.SSPanel1->isVisible());
        QCOMPARE(fx.dump(), before);
        verifyFace(w, true);
    }

    void whileMovingTheShortcutsGiveTheirOwnMessage()
    {
        Fixture fx;
        seed(fx);
        frmMain& w = openWithChecks(fx);
        w.Buttons[9]->trigger();
        w.commands->sbAdd();
        w.commands->sbEdit();
        w.commands->sbSave();
        w.commands->sbDelete();
        QCOMPARE(fx.prompter.texts(), QStringList(4, QStringLiteral("You can not do this while you moving sites")));
    }

    void theButtonsReachTheirCommands()
    {
        Fixture fx;
        seed(fx);
        fx.db().execute(QStringLiteral("UPDATE URLs SET Rank = 4 WHERE CatCode = 1 AND SiteCode = 1"));
        frmMain& w = fx.open();
        fx.clickNode(QStringLiteral("From"));
        fx.clickRow(w.lvURLs, 0);

        w.Buttons[6]->trigger();
        QCOMPARE(fx.db().scalar(QStringLiteral("SELECT Rank FROM URLs WHERE SiteCode = 1 AND CatCode = 1")).toInt(), 5);
        w.Buttons[7]->trigger();
        w.Buttons[7]->trigger();
        QCOMPARE(fx.db().scalar(QStringLiteral("SELECT Rank FROM URLs WHERE SiteCode = 1 AND CatCode = 1")).toInt(), 3);

        w.Buttons[11]->trigger();
        QCOMPARE(fx.shell.addresses, QStringList{"https://s1.example"});

        fx.clipboard.text = QStringLiteral("secret");
        w.Buttons[13]->trigger();
        QCOMPARE(fx.clipboard.clears, 1);
        QVERIFY(fx.clipboard.text.isEmpty());

        w.CurWhat = QStringLiteral("Sites");
        w.Buttons[4]->trigger();
        QCOMPARE(fx.prompter.texts(), QStringList{"Do you want to delete this Site\r\n\r\n[ s1 ]\r\n\r\nand all "
                                                  "passwords related to it ?"});
        w.Buttons[1]->trigger();
        QVERIFY(w.SSPanel1->isVisible());
        QCOMPARE(w.SSPanel4->text(), QStringLiteral("[ Add Site ]"));
    }

    void helpShowsTheAboutBoxModally()
    {
        Fixture fx;
        frmMain& w = fx.open();
        ModalCloser closer;
        w.Buttons[15]->trigger();
        QVERIFY(closer.seen);
        QVERIFY(closer.about);
        QCOMPARE(closer.parent, &w);
        QVERIFY(closer.modality != Qt::NonModal);
        QVERIFY(!QApplication::activeModalWidget());
    }

    void exitEndsTheProgramAtOnceEvenWhileMoving()
    {
        Fixture fx;
        seed(fx);
        frmMain& w = openWithChecks(fx);
        w.Buttons[9]->trigger();
        const QString before = fx.dump();
        fx.startTrace();

        // The click comes from the program's own main loop, which it must end, with status 0.
        QTimer::singleShot(0, w.Buttons[17], &QAction::trigger);
        QTimer safety;
        safety.setSingleShot(true);
        connect(&safety, &QTimer::timeout, [] { QCoreApplication::exit(1); });
        safety.start(5000);
        QCOMPARE(QCoreApplication::exec(), 0);
        QCOMPARE(fx.stopTrace(), QStringList());
        QCOMPARE(fx.prompter.shown.size(), 0);
        QCOMPARE(fx.dump(), before);
    }
};

DORVU_TEST_MAIN(TestToolbar)
#include "tst_toolbar.moc"
