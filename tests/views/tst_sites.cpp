#include "edit/EditPanel.h"
#include "support/Fixture.h"
#include "support/TestMain.h"

#include "platform/Pictures.h"
#include "views/SitesList.h"
#include "views/ViewItems.h"
#include "views/ViewLoader.h"

#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStyle>
#include <QTreeView>

namespace {

void seed(Fixture& fx)
{
    fx.addCategory(1, QStringLiteral("Banks"), 1, 0);
    fx.addCategory(3, QStringLiteral("Mail"), 1, 0);
    fx.addSite(1, 1, QStringLiteral("site10"), QStringLiteral("  zeta.example  "), QStringLiteral("ten"), 2);
    fx.addSite(1, 2, QStringLiteral("site2"), QStringLiteral("https://alpha.example"), QStringLiteral("two"), 10);
    fx.addSite(1, 3, QStringLiteral("Alpha"), QStringLiteral("https://mid.example"), QVariant(), 0);
    fx.addSite(1, 4, QStringLiteral("   "), QStringLiteral("https://nameless.example"));
    fx.addSite(3, 1, QStringLiteral("Inbox"), QStringLiteral("https://mail.example"));
    fx.addPassword(1, 2, 1, QStringLiteral("me"), QStringLiteral("x"));
}

QStringList column(const frmMain& w, int c)
{
    return list::column(w.lvURLs, c);
}

int rowOf(const frmMain& w, const QString& name)
{
    return list::rowWith(w.lvURLs, 2, name);
}

void clickHeader(frmMain& w, int c)
{
    QHeaderView* header = w.lvURLs->header();
    const int x = header->sectionViewportPosition(c - 1) + header->sectionSize(c - 1) / 2;
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, header->height() / 2));
}

} // namespace

class TestSites : public QObject {
    Q_OBJECT

private slots:
    void clickingASiteMakesItCurrent()
    {
        Fixture fx;
        seed(fx);
        frmMain& w = fx.open();
        fx.clickNode(QStringLiteral("Banks"));
        fx.clickRow(w.lvURLs, rowOf(w, QStringLiteral("site2")));
        QCOMPARE(w.lblSiteCode->text(), QStringLiteral("2"));
        QCOMPARE(w.txtSiteName->text(), QStringLiteral("site2"));
        QCOMPARE(w.txtURL->text(), QStringLiteral("https://alpha.example"));
        QCOMPARE(w.txtSiteDesc->toPlainText(), QStringLiteral("two"));
        QCOMPARE(w.lblCatCode->text(), QStringLiteral("1"));
        QCOMPARE(w.txtCatName->text(), QStringLiteral("Banks"));
        QCOMPARE(w.state.CurWhat, What::Sites);
    }

    void aNamelessRowIsNotASite()
    {
        Fixture fx;
        seed(fx);
        frmMain& w = fx.open();
        fx.clickNode(QStringLiteral("Banks"));
        fx.clickRow(w.lvURLs, rowOf(w, QStringLiteral("   ")));
        QVERIFY(w.lblSiteCode->text().isEmpty());
        QTest::keyClick(w.lvURLs, Qt::Key_Return);
        QCOMPARE(fx.shell.addresses, QStringList());
        w.panel->show();
        w.sites->SiteClick();
        QCOMPARE(w.SSPanel4->text(), QStringLiteral("[ Add Site ]"));
    }

    void goingToASiteOpensTheTrimmedAddressUnchanged()
    {
        Fixture fx;
        seed(fx);
        frmMain& w = fx.open();
        fx.clickNode(QStringLiteral("Banks"));
        fx.doubleClickRow(w.lvURLs, rowOf(w, QStringLiteral("site10")));
        QCOMPARE(fx.shell.addresses, QStringList{"zeta.example"});
        QTest::keyClick(w.lvURLs, Qt::Key_Return);
        QCOMPARE(fx.shell.addresses, (QStringList{"zeta.example", "zeta.example"}));

        // An empty list opens nothing.
        fx.clickNode(QStringLiteral("Categories"));
        fx.shell.addresses.clear();
        w.sites->GoToSite();
        QCOMPARE(fx.shell.addresses, QStringList());
    }

    void theHeaderSortsAndKeepsItsState()
    {
        Fixture fx;
        seed(fx);
        frmMain& w = fx.open();
        fx.clickNode(QStringLiteral("Banks"));

        clickHeader(w, 3);
        QCOMPARE(column(w, 2), (QStringList{"   ", "Alpha", "site2", "site10"}));
        QCOMPARE(list::headerPicture(w.lvURLs, 2), img1616::SortAscending);
        clickHeader(w, 3);
        QCOMPARE(column(w, 2), (QStringList{"site10", "site2", "Alpha", "   "}));
        QCOMPARE(list::headerPicture(w.lvURLs, 2), img1616::SortDescending);

        clickHeader(w, 4); // the address column, in the current (descending) order
        // Shown text, leading spaces and all: they sort before any letter.
        QCOMPARE(column(w, 3), (QStringList{"https://nameless.example", "https://mid.example", "https://alpha.example",
                                            "  zeta.example  "}));
        QCOMPARE(list::headerPicture(w.lvURLs, 3), img1616::SortDescending);
        QCOMPARE(list::headerPicture(w.lvURLs, 2), img1616::None);

        // The sort survives a reload.
        fx.clickNode(QStringLiteral("Mail"));
        fx.clickNode(QStringLiteral("Banks"));
        QCOMPARE(column(w, 3).first(), QStringLiteral("https://nameless.example"));

        // The rank column sorts by its shown text, reverses on a second click, and never shows a sort picture.
        clickHeader(w, 2);
        QCOMPARE(column(w, 1), (QStringList{"10", "02", "", ""}));
        clickHeader(w, 2);
        QCOMPARE(column(w, 1).first(), QString());
        QCOMPARE(list::headerPicture(w.lvURLs, 1), img1616::Rank);
        QCOMPARE(list::headerPicture(w.lvURLs, 3), img1616::None); // the former sort column's picture goes
    }

    void theFirstHeaderChecksAndUnchecksAll()
    {
        Fixture fx;
        seed(fx);
        frmMain& w = fx.open();
        clickHeader(w, 1); // an empty list only shows "not all"
        QCOMPARE(list::headerPicture(w.lvURLs, 0), img1616::NotAllChecked);

        fx.clickNode(QStringLiteral("Banks"));
        clickHeader(w, 1);
        QCOMPARE(list::headerPicture(w.lvURLs, 0), img1616::AllChecked);
        for (int i = 0; i < 4; ++i)
            QCOMPARE(list::checkState(w.lvURLs, i), Qt::Checked);
        clickHeader(w, 1);
        QCOMPARE(list::headerPicture(w.lvURLs, 0), img1616::NotAllChecked);
        for (int i = 0; i < 4; ++i)
            QCOMPARE(list::checkState(w.lvURLs, i), Qt::Unchecked);
    }

    void checkingTheLastRowByHandShowsAllChecked()
    {
        Fixture fx;
        seed(fx);
        frmMain& w = fx.open();
        fx.clickNode(QStringLiteral("Banks"));
        for (int i = 0; i < 3; ++i)
            list::setCheckState(w.lvURLs, i, Qt::Checked);
        QCOMPARE(list::headerPicture(w.lvURLs, 0), img1616::NotAllChecked);
        list::setCheckState(w.lvURLs, 3, Qt::Checked);
        QCOMPARE(list::headerPicture(w.lvURLs, 0), img1616::AllChecked);
        list::setCheckState(w.lvURLs, 1, Qt::Unchecked);
        QCOMPARE(list::headerPicture(w.lvURLs, 0), img1616::NotAllChecked);
        // A check is not a site click, and the next click on a row is one.
        QVERIFY(w.lblSiteCode->text().isEmpty());
        const QRect box = w.lvURLs->visualRect(w.sitesModel.index(1, 0)); // unchecked above
        QTest::mouseClick(w.lvURLs->viewport(), Qt::LeftButton, {},
                          QPoint(w.lvURLs->style()->pixelMetric(QStyle::PM_IndicatorWidth) / 2 + 4, box.center().y()));
        QCOMPARE(list::checkState(w.lvURLs, 1), Qt::Checked);
        QVERIFY(w.lblSiteCode->text().isEmpty());
        list::setCheckState(w.lvURLs, 2, Qt::Unchecked); // by keyboard: no click follows
        fx.clickRow(w.lvURLs, 2);
        QCOMPARE(w.lblSiteCode->text(), list::code(w.lvURLs, 2));
    }

    void enteringTheListFollowsTheCascade()
    {
        Fixture fx;
        seed(fx);
        frmMain& w = fx.open();
        fx.clickNode(QStringLiteral("Banks"));

        // The tree's selection is not the current category: back to the tree, which loads it.
        w.tvCategories->setCurrentIndex(fx.node(QStringLiteral("Mail")));
        w.lvURLs->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), w.tvCategories);
        QCOMPARE(w.lblCatCode->text(), QStringLiteral("3"));
        QCOMPARE(column(w, 2), QStringList{"Inbox"});

        // Panel closed, rows, the selected row not current: a site click.
        w.lvURLs->setFocus();
        QTRY_COMPARE(w.lblSiteCode->text(), QStringLiteral("1"));
        QCOMPARE(w.txtSiteName->text(), QStringLiteral("Inbox"));
        QCOMPARE(w.lvURLs->property("BorderStyle").toInt(), 1);

        // Panel closed, empty list under a category: the category is taken, the site boxes cleared.
        fx.addCategory(9, QStringLiteral("Empty"), 1, 0);
        w.views->Load(What::Categories);
        w.state.SelNodeIndex = 0;
        w.tvCategories->setCurrentIndex(fx.node(QStringLiteral("Empty")));
        w.tvCategories->setFocus();
        QTRY_COMPARE(w.lblCatCode->text(), QStringLiteral("9"));
        w.txtSiteName->setText(QStringLiteral("stale"));
        w.lvURLs->setFocus();
        QTRY_COMPARE(w.txtSiteName->text(), QString());
        QCOMPARE(w.txtCatName->text(), QStringLiteral("Empty"));
        QCOMPARE(w.txtURL->text(), QStringLiteral("http://"));

        // Root selected, empty list, panel open: back to the tree.
        fx.clickNode(QStringLiteral("Categories"));
        w.panel->show();
        w.lvURLs->setFocus();
        QTRY_VERIFY(QApplication::focusWidget() != w.lvURLs);
        QCOMPARE(w.lvURLs->property("BorderStyle").toInt(), 0);
    }

    void arrowKeysMakeTheNewRowCurrent()
    {
        Fixture fx;
        seed(fx);
        frmMain& w = fx.open();
        fx.clickNode(QStringLiteral("Banks"));
        fx.clickRow(w.lvURLs, 0);
        QTest::keyClick(w.lvURLs, Qt::Key_Down);
        QCOMPARE(w.txtSiteName->text(), list::text(w.lvURLs, 1, 2));
    }
};

DORVU_TEST_MAIN(TestSites)
#include "tst_sites.moc"
