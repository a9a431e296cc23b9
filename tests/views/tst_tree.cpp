#include "support/Fixture.h"
#include "support/TestMain.h"

#include "platform/Pictures.h"
#include "views/CategoryTree.h"
#include "views/ViewItems.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QTreeView>

namespace {

// Banks (1) holds Cards (5) and three sites; Mail (3) holds one site and Work (8).
void seed(Fixture& fx)
{
    fx.addCategory(1, QStringLiteral("Banks"), 1, 0);
    fx.addCategory(3, QStringLiteral("Mail"), 1, 0);
    fx.addCategory(5, QStringLiteral("Cards"), 2, 1);
    fx.addCategory(8, QStringLiteral("Work"), 2, 3);
    fx.addSite(1, 1, QStringLiteral("site10"), QStringLiteral("https://ten.example"));
    fx.addSite(1, 2, QStringLiteral("site2"), QStringLiteral("https://two.example"));
    fx.addSite(1, 3, QStringLiteral("Alpha"), QStringLiteral("https://alpha.example"));
    fx.addSite(3, 1, QStringLiteral("Inbox"), QStringLiteral("https://mail.example"));
    fx.addPassword(1, 3, 1, QStringLiteral("me"), QStringLiteral("secret"));
}

QStringList siteNames(const frmMain& w)
{
    QStringList names;
    for (int i = 0; i < list::rows(w.lvURLs); ++i)
        names << list::text(w.lvURLs, i, 2);
    return names;
}

} // namespace

class TestTree : public QObject {
    Q_OBJECT

private slots:
    void clickingACategoryMakesItCurrent()
    {
        Fixture fx;
        seed(fx);
        frmMain& w = fx.open();
        w.txtSiteName->setText(QStringLiteral("left over"));
        w.txtUserID->setText(QStringLiteral("left over"));

        fx.clickNode(QStringLiteral("Mail"));
        QCOMPARE(pictureOf(fx.node(QStringLiteral("Mail"))), img1616::CurrentCategory);
        fx.clickNode(QStringLiteral("Banks"));
        QCOMPARE(pictureOf(fx.node(QStringLiteral("Banks"))), img1616::CurrentCategory);
        QCOMPARE(pictureOf(fx.node(QStringLiteral("Mail"))), img1616::Category);
        QCOMPARE(w.state.SelNodeIndex, 1);
        QCOMPARE(w.lblCatCode->text(), QStringLiteral("1"));
        QCOMPARE(w.txtCatName->text(), QStringLiteral("Banks"));
        QCOMPARE(siteNames(w), (QStringList{"Alpha", "site10", "site2"}));
        QCOMPARE(w.sURLsCount->text(), QStringLiteral("3 Site(s)"));
        // The first site is marked, but not clicked: no passwords are loaded.
        QCOMPARE(list::selected(w.lvURLs), 0);
        QCOMPARE(list::rows(w.lvPasswords), 0);
        QVERIFY(w.lblSiteCode->text().isEmpty());
        QVERIFY(w.txtSiteName->text().isEmpty());
        QCOMPARE(w.txtURL->text(), QStringLiteral("http://"));
        QVERIFY(w.txtUserID->text().isEmpty());
        QCOMPARE(pictureOf(w.categoryModel.root()), img1616::Root);
    }

    void clickingTheCurrentCategoryAgainSendsNothing()
    {
        Fixture fx;
        seed(fx);
        frmMain& w = fx.open();
        fx.clickNode(QStringLiteral("Banks"));
        fx.startTrace();
        fx.clickNode(QStringLiteral("Banks"));
        w.tree->NodeClick(fx.node(QStringLiteral("Banks")));
        QCOMPARE(fx.stopTrace(), QStringList());
        QCOMPARE(list::rows(w.lvURLs), 3);
    }

    void clickingTheRootEmptiesTheLists()
    {
        Fixture fx;
        seed(fx);
        frmMain& w = fx.open();
        fx.clickNode(QStringLiteral("Banks"));
        fx.clickRow(w.lvURLs, 0);
        fx.startTrace();
        fx.clickNode(QStringLiteral("Categories"));
        QCOMPARE(fx.stopTrace(), QStringList());
        QCOMPARE(list::rows(w.lvURLs), 0);
        QCOMPARE(list::rows(w.lvPasswords), 0);
        QCOMPARE(w.sURLsCount->text(), QStringLiteral("0 Site(s)"));
        QVERIFY(w.txtCatName->text().isEmpty() && w.lblCatCode->text().isEmpty());
        QCOMPARE(w.state.SelNodeIndex, 0);
        QCOMPARE(pictureOf(fx.node(QStringLiteral("Banks"))), img1616::Category);
        QCOMPARE(pictureOf(w.categoryModel.root()), img1616::Root);
    }

    void spaceClicksTheSelectedNode()
    {
        Fixture fx;
        seed(fx);
        frmMain& w = fx.open();
        w.tvCategories->setFocus();
        w.tvCategories->setCurrentIndex(fx.node(QStringLiteral("Mail")));
        QCOMPARE(list::rows(w.lvURLs), 0); // moving the selection clicks nothing
        QTest::keyClick(w.tvCategories, Qt::Key_Space);
        QCOMPARE(pictureOf(fx.node(QStringLiteral("Mail"))), img1616::CurrentCategory);
        QCOMPARE(siteNames(w), QStringList{"Inbox"});
    }

    void collapsingTheBranchOfTheCurrentCategoryClicksTheSelection()
    {
        Fixture fx;
        seed(fx);
        frmMain& w = fx.open();
        w.tvCategories->setExpanded(fx.node(QStringLiteral("Banks")), true);
        fx.clickNode(QStringLiteral("Cards"));
        QCOMPARE(w.lblCatCode->text(), QStringLiteral("5"));
        w.tvCategories->setExpanded(fx.node(QStringLiteral("Banks")), false);
        QCOMPARE(w.tvCategories->currentIndex(), fx.node(QStringLiteral("Banks")));
        QCOMPARE(w.lblCatCode->text(), QStringLiteral("1"));
        QCOMPARE(pictureOf(fx.node(QStringLiteral("Banks"))), img1616::CurrentCategory);
        QCOMPARE(pictureOf(fx.node(QStringLiteral("Cards"))), img1616::Category);

        // Collapsing an unrelated branch changes nothing.
        w.tvCategories->setExpanded(fx.node(QStringLiteral("Mail")), true);
        fx.startTrace();
        w.tvCategories->setExpanded(fx.node(QStringLiteral("Mail")), false);
        QCOMPARE(fx.stopTrace(), QStringList());
        QCOMPARE(w.lblCatCode->text(), QStringLiteral("1"));
    }

    void theFocusSetsTheBorderAndCurWhat()
    {
        Fixture fx;
        seed(fx);
        frmMain& w = fx.open();
        QTRY_COMPARE(w.tvCategories->property("BorderStyle").toInt(), 1);
        QCOMPARE(w.state.CurWhat, What::Categories);
        fx.clickNode(QStringLiteral("Banks"));
        w.lvURLs->setFocus();
        QTRY_COMPARE(w.tvCategories->property("BorderStyle").toInt(), 0);
        // Back into the tree on the current category: nothing is reloaded.
        fx.startTrace();
        w.tvCategories->setFocus();
        QTRY_COMPARE(w.state.CurWhat, What::Categories);
        QCOMPARE(fx.stopTrace(), QStringList());
        QCOMPARE(w.tvCategories->property("BorderStyle").toInt(), 1);
    }
};

DORVU_TEST_MAIN(TestTree)
#include "tst_tree.moc"
