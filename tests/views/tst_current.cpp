#include "support/Fixture.h"
#include "support/TestMain.h"

#include "edit/EditCommands.h"
#include "platform/Pictures.h"
#include "views/ViewItems.h"

#include <QAction>
#include <QHeaderView>
#include <QTreeView>

namespace {

// A (1) and B (2) each hold a site with the same site code 1 and an entry; C (3) is empty.
// A is current, its site clicked; then the arrow key moves the tree's selection to B without a click.
frmMain& openWithSelectionOnB(Fixture& fx)
{
    fx.addCategory(1, QStringLiteral("A"), 1, 0);
    fx.addCategory(2, QStringLiteral("B"), 1, 0);
    fx.addCategory(3, QStringLiteral("C"), 1, 0);
    fx.addSite(1, 1, QStringLiteral("a1"));
    fx.addSite(2, 1, QStringLiteral("b1"));
    fx.addPassword(1, 1, 1, QStringLiteral("ua"), QStringLiteral("pa"));
    fx.addPassword(2, 1, 1, QStringLiteral("ub"), QStringLiteral("pb"));
    frmMain& w = fx.open();
    fx.clickNode(QStringLiteral("A"));
    fx.clickRow(w.lvURLs, 0);
    list::setCheckState(w.lvURLs, 0, Qt::Checked);
    w.tvCategories->setFocus();
    QTest::keyClick(w.tvCategories, Qt::Key_Down);
    return w;
}

QStringList sites(Fixture& fx)
{
    QStringList rows;
    for (const Row& row : fx.db().select(QStringLiteral("SELECT CatCode, SiteName, Rank FROM URLs ORDER BY 1")))
        rows << QStringLiteral("%1:%2:%3").arg(row.value(0).toString(), row.value(1).toString(),
                                              row.value(2).toString());
    return rows;
}

int nodesShowing(const frmMain& w, int picture)
{
    int n = 0;
    for (const qint32 code : w.categoryModel.codesInLoadOrder())
        n += w.categoryModel.picture(w.categoryModel.indexOf(code)) == picture;
    return n;
}

} // namespace

class TestCurrent : public QObject {
    Q_OBJECT

private slots:
    void commandsActOnTheCategoryOnShow_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QStringList>("after");
        QTest::newRow("move, then paste on the clicked category")
            << "move" << QStringList{"2:b1:0", "3:a1:0"};
        QTest::newRow("+Star") << "star" << QStringList{"1:a1:1", "2:b1:0"};
        QTest::newRow("delete the category") << "delete" << QStringList{"2:b1:0"};
    }

    void commandsActOnTheCategoryOnShow()
    {
        QFETCH(QString, command);
        QFETCH(QStringList, after);
        Fixture fx;
        frmMain& w = openWithSelectionOnB(fx);
        QCOMPARE(w.tvCategories->currentIndex(), fx.node(QStringLiteral("B")));
        if (command == u"move") {
            w.Buttons[9]->trigger();
            fx.clickNode(QStringLiteral("C"));
            QTest::keyClick(w.tvCategories, Qt::Key_Up); // the selection wanders again before the paste
            w.Buttons[9]->trigger();
        } else if (command == u"star") {
            w.Buttons[6]->trigger();
        } else {
            fx.prompter.answers.enqueue(Answer::Yes);
            w.commands->sbDelete();
            QVERIFY(fx.prompter.texts().value(0).contains(QStringLiteral("[ A ]")));
        }
        QCOMPARE(sites(fx), after);
        QCOMPARE(fx.count(QStringLiteral("PWs")), command == u"delete" ? 1 : 2);
        // One node at most shows the current category's picture, and every other node can be clicked.
        QVERIFY(nodesShowing(w, img1616::CurrentCategory) <= 1);
        QCOMPARE(nodesShowing(w, img1616::SortDescending), 0);
        fx.clickNode(QStringLiteral("B"));
        QCOMPARE(pictureOf(fx.node(QStringLiteral("B"))), img1616::CurrentCategory);
        QCOMPARE(list::text(w.lvURLs, 0, 2), QStringLiteral("b1"));
    }

    void pasteWhileTheRootIsOnShowIsRefused()
    {
        Fixture fx;
        frmMain& w = openWithSelectionOnB(fx);
        w.Buttons[9]->trigger();
        fx.clickNode(QStringLiteral("Categories"));
        QTest::keyClick(w.tvCategories, Qt::Key_Down); // selection on A, the root still on show
        w.Buttons[9]->trigger();
        QCOMPARE(fx.prompter.texts(), QStringList{"You can not move sites here!"});
        QVERIFY(w.state.MovingSites);
        QCOMPARE(sites(fx), (QStringList{"1:a1:0", "2:b1:0"}));
        QCOMPARE(pictureOf(w.categoryModel.root()), img1616::Root);
    }

    void otherButtonsThanTheLeftSelectNothing()
    {
        Fixture fx;
        frmMain& w = openWithSelectionOnB(fx);
        QTreeView* tree = w.tvCategories;
        const QPoint onC = tree->visualRect(fx.node(QStringLiteral("C"))).center();
        QTest::mouseClick(tree->viewport(), Qt::RightButton, {}, onC);
        QTest::mouseClick(tree->viewport(), Qt::MiddleButton, {}, onC);
        QCOMPARE(tree->currentIndex(), fx.node(QStringLiteral("B")));
    }

    void tickingASiteKeepsTheSiteOnShowSelected()
    {
        Fixture fx;
        fx.addCategory(1, QStringLiteral("A"), 1, 0);
        fx.addSite(1, 1, QStringLiteral("one"));
        fx.addSite(1, 2, QStringLiteral("two"));
        fx.addPassword(1, 1, 1, QStringLiteral("u1"), QStringLiteral("p1"));
        frmMain& w = fx.open();
        fx.clickNode(QStringLiteral("A"));
        fx.clickRow(w.lvURLs, 0);
        const QRect row = w.lvURLs->visualRect(w.sitesModel.index(1, 0));
        QTest::mouseClick(w.lvURLs->viewport(), Qt::LeftButton, {}, QPoint(10, row.center().y()));
        QCOMPARE(list::checkState(w.lvURLs, 1), Qt::Checked);
        // The entries on show are one's: the selection (which the commands read) stays with it.
        QCOMPARE(list::selected(w.lvURLs), 0);
        QCOMPARE(list::text(w.lvPasswords, 0, 0), QStringLiteral("u1"));
    }

    void reloadedRowsComeBackWithTheCheckAllHeaderReset_data()
    {
        QTest::addColumn<int>("button");
        QTest::newRow("+Star") << 6;
        QTest::newRow("-Star") << 7;
    }

    void reloadedRowsComeBackWithTheCheckAllHeaderReset()
    {
        QFETCH(int, button);
        Fixture fx;
        frmMain& w = openWithSelectionOnB(fx); // A's one site checked: "all checked"
        QCOMPARE(list::headerPicture(w.lvURLs, 0), img1616::AllChecked);
        w.Buttons[button]->trigger();
        QCOMPARE(list::checkState(w.lvURLs, 0), Qt::Unchecked);
        w.lvURLs->header()->sectionClicked(0); // checks again, rather than unchecking
        QCOMPARE(list::checkState(w.lvURLs, 0), Qt::Checked);
        QCOMPARE(list::headerPicture(w.lvURLs, 0), img1616::AllChecked);
    }
};

DORVU_TEST_MAIN(TestCurrent)
#include "tst_current.moc"
