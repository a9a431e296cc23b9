#include "edit/EditPanel.h"
#include "support/Fixture.h"
#include "support/TestMain.h"
#include "views/ViewItems.h"
#include "window/Layout.h"
#include "window/Twips.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QToolButton>
#include <QTreeWidget>

namespace {

// Banks (1) with the sites Bank (1) and Card (4); Mail (2) with Inbox (9).
void seed(Fixture& fx)
{
    fx.addCategory(1, QStringLiteral("Banks"), 1, 0);
    fx.addCategory(2, QStringLiteral("Mail"), 1, 0);
    fx.addSite(1, 1, QStringLiteral("Bank"), QStringLiteral("https://bank.example"), QStringLiteral("savings"));
    fx.addSite(1, 4, QStringLiteral("Card"), QStringLiteral("https://card.example"), QStringLiteral("credit"));
    fx.addSite(2, 9, QStringLiteral("Inbox"), QStringLiteral("https://mail.example"));
}

int rowOf(QTreeWidget* list, const QString& name)
{
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        if (list->topLevelItem(i)->text(2) == name)
            return i;
    }
    return -1;
}

QList<QWidget*> boxes(const frmMain& w)
{
    return {w.txtCatName, w.txtSiteName, w.txtURL, w.txtSiteDesc, w.txtUserID, w.txtPassword, w.txtPWDesc};
}

QStringList enabledBoxes(const frmMain& w)
{
    QStringList names;
    for (QWidget* box : boxes(w)) {
        if (box->isEnabled())
            names << box->objectName();
    }
    return names;
}

// A passwords-list row as the list keeps it: user id, Ser as tag, clear password as the tag of column 1.
QTreeWidgetItem* addEntryRow(frmMain& w, const QString& ser, const QString& user, const QString& password,
                             const QString& description)
{
    auto* row = new QTreeWidgetItem(w.lvPasswords, {user, QString(password.size(), u'*'), description});
    items::setTag(row, ser);
    items::setTag(row, password, 1);
    return row;
}

} // namespace

class TestEditPanel : public QObject {
    Q_OBJECT

private slots:
    void newCodesAreTheLargestInTheirScopePlusOne_data()
    {
        QTest::addColumn<QString>("what");
        QTest::addColumn<QList<int>>("inUse");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("query");
        const QString cats = QStringLiteral("Select max(catcode) as xMax From Categories");
        const QString sites = QStringLiteral("Select max(sitecode) as xMax From URLs where catcode =7");
        const QString pws = QStringLiteral("Select max(ser) as xMax From PWs where catcode =7 And sitecode =3");
        QTest::newRow("no categories") << "Categories" << QList<int>{} << "1" << cats;
        QTest::newRow("categories 1 2 5") << "Categories" << QList<int>{1, 2, 5} << "6" << cats;
        QTest::newRow("first site of a category") << "Sites" << QList<int>{} << "1" << sites;
        QTest::newRow("sites 1 4") << "Sites" << QList<int>{1, 4} << "5" << sites;
        QTest::newRow("first password of a site") << "Passwords" << QList<int>{} << "1" << pws;
        QTest::newRow("serials 2 3") << "Passwords" << QList<int>{2, 3} << "4" << pws;
        QTest::newRow("serial 255 offers 256") << "Passwords" << QList<int>{255} << "256" << pws;
    }

    void newCodesAreTheLargestInTheirScopePlusOne()
    {
        QFETCH(QString, what);
        QFETCH(QList<int>, inUse);
        QFETCH(QString, expected);
        QFETCH(QString, query);
        Fixture fx;
        if (what == u"Categories") {
            for (int code : inUse)
                fx.addCategory(code, QStringLiteral("C%1").arg(code), 1, 0);
        } else {
            // Category 7, site 3, and neighbours with larger codes that are out of scope.
            fx.addCategory(7, QStringLiteral("Seven"), 1, 0);
            fx.addCategory(8, QStringLiteral("Eight"), 1, 0);
            fx.addSite(8, 50, QStringLiteral("Elsewhere"));
            if (what == u"Sites") {
                for (int code : inUse)
                    fx.addSite(7, code, QStringLiteral("S%1").arg(code));
            } else {
                fx.addSite(7, 3, QStringLiteral("Three"));
                fx.addSite(7, 4, QStringLiteral("Four"));
                fx.addPassword(7, 4, 200, QStringLiteral("other"), QStringLiteral("x"));
                for (int ser : inUse)
                    fx.addPassword(7, 3, ser, QStringLiteral("u%1").arg(ser), QStringLiteral("x"));
            }
        }
        frmMain& w = fx.open();
        if (what != u"Categories") {
            fx.clickNode(QStringLiteral("Seven"));
            if (what == u"Passwords")
                items::selectRow(w.lvURLs, w.lvURLs->topLevelItem(rowOf(w.lvURLs, QStringLiteral("Three"))));
        }
        fx.startTrace();
        w.panel->NewWhat(QString(what));
        const QStringList trace = fx.stopTrace();
        QVERIFY2(trace.contains(query), qPrintable(trace.join(QLatin1Char('\n'))));
        const QLabel* label = what == u"Categories" ? w.lblCatCode : what == u"Sites" ? w.lblSiteCode : w.lblSer;
        QCOMPARE(label->text(), expected);
    }

    void aDeletedLargestCategoryCodeIsGivenAgain()
    {
        Fixture fx;
        for (int code : {1, 2, 5, 6})
            fx.addCategory(code, QStringLiteral("C%1").arg(code), 1, 0);
        frmMain& w = fx.open();
        w.panel->NewWhat(QStringLiteral("Categories"));
        QCOMPARE(w.lblCatCode->text(), QStringLiteral("7"));
        fx.db().execute(QStringLiteral("DELETE FROM Categories WHERE CatCode = 6"));
        w.panel->NewWhat(QStringLiteral("Categories"));
        QCOMPARE(w.lblCatCode->text(), QStringLiteral("6"));
    }

    void focusControlEnablesOneGroup_data()
    {
        QTest::addColumn<QString>("what");
        QTest::addColumn<QStringList>("enabled");
        QTest::newRow("Categories") << "Categories" << QStringList{"txtCatName"};
        QTest::newRow("Sites") << "Sites" << QStringList{"txtSiteName", "txtURL", "txtSiteDesc"};
        QTest::newRow("Passwords") << "Passwords" << QStringList{"txtUserID", "txtPassword", "txtPWDesc"};
        QTest::newRow("other") << "Nothing" << QStringList{};
        QTest::newRow("case matters") << "sites" << QStringList{};
    }

    void focusControlEnablesOneGroup()
    {
        QFETCH(QString, what);
        QFETCH(QStringList, enabled);
        Fixture fx;
        frmMain& w = fx.open();
        w.panel->FocusControl(QStringLiteral("Passwords")); // something else enabled before
        w.SSPanel1->show();
        QWidget* before = QApplication::focusWidget();
        w.panel->FocusControl(QString(what));
        QCOMPARE(enabledBoxes(w), enabled);
        const QColor window = QApplication::palette().color(QPalette::Base);
        const QColor face = QApplication::palette().color(QPalette::Button);
        QVERIFY(window != face);
        for (QWidget* box : boxes(w)) {
            const QColor expected = box->isEnabled() ? window : face;
            QCOMPARE(box->palette().color(QPalette::Active, QPalette::Base), expected);
            QCOMPARE(box->palette().color(QPalette::Disabled, QPalette::Base), expected);
        }
        QCOMPARE(QApplication::focusWidget(), before); // the focus stays where it was
    }

    void disablingTheFocusedBoxDoesNotChangeCurWhat()
    {
        Fixture fx;
        frmMain& w = fx.open();
        w.panel->NewWhat(QStringLiteral("Categories"));
        QTRY_VERIFY(w.txtCatName->hasFocus());
        QCOMPARE(w.CurWhat, QStringLiteral("Categories"));
        w.panel->FocusControl(QStringLiteral("Passwords"));
        QCOMPARE(w.CurWhat, QStringLiteral("Categories"));
    }

    void theSiteDescriptionTakes500UnitsTypedOrPasted()
    {
        Fixture fx;
        frmMain& w = fx.open();
        w.panel->FocusControl(QStringLiteral("Sites"));
        QPlainTextEdit* box = w.txtSiteDesc;
        box->setPlainText(QString(498, u'a'));
        box->moveCursor(QTextCursor::End);
        QTest::keyClicks(box, QStringLiteral("bcd"));
        QCOMPARE(box->toPlainText(), QString(498, u'a') + QStringLiteral("bc"));

        // A paste in the middle keeps what fits and the text after it.
        box->setPlainText(QStringLiteral("head") + QString(490, u'x') + QStringLiteral("tail"));
        QTextCursor at = box->textCursor();
        at.setPosition(4);
        box->setTextCursor(at);
        box->insertPlainText(QStringLiteral("0123456789"));
        QCOMPARE(box->toPlainText(), QStringLiteral("head01") + QString(490, u'x') + QStringLiteral("tail"));

        // Units, not characters: an emoji is two, and is never cut in half; a line break is one.
        box->setPlainText(QString(499, u'a'));
        box->moveCursor(QTextCursor::End);
        box->insertPlainText(QStringLiteral("\U0001F511"));
        QCOMPARE(box->toPlainText(), QString(499, u'a'));
        box->setPlainText(QString(497, u'a'));
        box->moveCursor(QTextCursor::End);
        box->insertPlainText(QStringLiteral("\n\U0001F511z"));
        QCOMPARE(box->toPlainText(), QString(497, u'a') + QStringLiteral("\n\U0001F511"));
    }

    void thePasswordLengthFollowsTheBox()
    {
        Fixture fx;
        frmMain& w = fx.open();
        w.panel->FocusControl(QStringLiteral("Passwords"));
        w.SSPanel1->show();
        w.txtPassword->setFocus();
        QCOMPARE(w.lblPL->text(), QString());
        QTest::keyClicks(w.txtPassword, QStringLiteral("abcde"));
        QCOMPARE(w.lblPL->text(), QStringLiteral("5"));
        for (int i = 0; i < 5; ++i)
            QTest::keyClick(w.txtPassword, Qt::Key_Backspace);
        QCOMPARE(w.lblPL->text(), QString());
        w.txtPassword->setText(QStringLiteral("\U0001F511ab")); // counted in units
        QCOMPARE(w.lblPL->text(), QStringLiteral("4"));
    }

    void aNewSiteShowsItsCategoryGreyed()
    {
        Fixture fx;
        seed(fx);
        frmMain& w = fx.open();
        fx.clickNode(QStringLiteral("Banks"));
        fx.clickRow(w.lvURLs, rowOf(w.lvURLs, QStringLiteral("Card")));
        QCOMPARE(w.txtSiteName->text(), QStringLiteral("Card"));

        w.panel->NewWhat(QStringLiteral("Sites"));
        QVERIFY(w.SSPanel1->isVisible());
        QCOMPARE(w.SSPanel4->text(), QStringLiteral("[ Add Site ]"));
        QCOMPARE(w.txtCatName->text(), QStringLiteral("Banks"));
        QCOMPARE(w.lblCatCode->text(), QStringLiteral("1"));
        QVERIFY(!w.txtCatName->isEnabled());
        QCOMPARE(w.txtSiteName->text(), QString());
        QCOMPARE(w.txtURL->text(), QStringLiteral("http://"));
        QCOMPARE(w.txtSiteDesc->toPlainText(), QString());
        QCOMPARE(w.lblSiteCode->text(), QStringLiteral("5"));
        QCOMPARE(enabledBoxes(w), (QStringList{"txtSiteName", "txtURL", "txtSiteDesc"}));
        QTRY_VERIFY(w.txtSiteName->hasFocus());
        QCOMPARE(w.CurWhat, QStringLiteral("Sites"));
    }

    void aNewPasswordShowsItsSiteGreyed()
    {
        Fixture fx;
        seed(fx);
        frmMain& w = fx.open();
        fx.clickNode(QStringLiteral("Banks"));
        fx.clickRow(w.lvURLs, rowOf(w.lvURLs, QStringLiteral("Bank")));
        w.txtUserID->setText(QStringLiteral("left over"));
        w.txtPassword->setText(QStringLiteral("left"));

        w.panel->NewWhat(QStringLiteral("Passwords"));
        QCOMPARE(w.SSPanel4->text(), QStringLiteral("[ Add Password ]"));
        QCOMPARE(w.txtCatName->text(), QStringLiteral("Banks"));
        QCOMPARE(w.txtSiteName->text(), QStringLiteral("Bank"));
        QCOMPARE(w.txtURL->text(), QStringLiteral("https://bank.example"));
        QCOMPARE(w.txtSiteDesc->toPlainText(), QStringLiteral("savings"));
        QCOMPARE(w.lblSiteCode->text(), QStringLiteral("1"));
        QCOMPARE(w.lblSer->text(), QStringLiteral("1"));
        QCOMPARE(w.txtUserID->text(), QString());
        QCOMPARE(w.txtPassword->text(), QString());
        QCOMPARE(w.lblPL->text(), QString());
        QCOMPARE(enabledBoxes(w), (QStringList{"txtUserID", "txtPassword", "txtPWDesc"}));
        QTRY_VERIFY(w.txtUserID->hasFocus());
        QCOMPARE(w.CurWhat, QStringLiteral("Passwords"));
    }

    void aNewPasswordWithoutASelectedSitePreparesASite()
    {
        Fixture fx;
        seed(fx);
        frmMain& w = fx.open();
        fx.clickNode(QStringLiteral("Banks"));
        w.lvURLs->clearSelection();
        w.panel->NewWhat(QStringLiteral("Passwords"));
        QCOMPARE(w.SSPanel4->text(), QStringLiteral("[ Add Site ]"));
        QCOMPARE(w.lblSiteCode->text(), QStringLiteral("5"));
    }

    void aNewCategoryClearsEveryGroup()
    {
        Fixture fx;
        seed(fx);
        frmMain& w = fx.open();
        fx.clickNode(QStringLiteral("Banks"));
        fx.clickRow(w.lvURLs, 0);
        w.panel->NewWhat(QStringLiteral("Categories"));
        QCOMPARE(w.SSPanel4->text(), QStringLiteral("[ Add Category ]"));
        QCOMPARE(w.lblCatCode->text(), QStringLiteral("3"));
        for (const QString& text : {w.txtCatName->text(), w.txtSiteName->text(), w.lblSiteCode->text(),
                                    w.txtUserID->text(), w.lblSer->text()})
            QCOMPARE(text, QString());
        QCOMPARE(w.txtURL->text(), QStringLiteral("http://"));
        QTRY_VERIFY(w.txtCatName->hasFocus());
    }

    void aHiddenPanelComesBackCentredAShownOneStays()
    {
        Fixture fx;
        frmMain& w = fx.open();
        w.SSPanel1->move(3, 4);
        w.panel->NewWhat(QStringLiteral("Categories"));
        const QPoint centred(layout::arrPan(w.outerWidth(), w.outerHeight(), twips::fromPixels(w.SSPanel1->size())));
        QCOMPARE(w.SSPanel1->pos(), QPoint(twips::toPixels(centred.x()), twips::toPixels(centred.y())));
        QVERIFY(w.SSPanel1->pos() != QPoint(3, 4));

        w.SSPanel1->move(5, 6);
        w.panel->NewWhat(QStringLiteral("Categories"));
        QCOMPARE(w.SSPanel1->pos(), QPoint(5, 6));
        w.panel->hide();
        w.panel->NewWhat(QStringLiteral("Categories"));
        QCOMPARE(w.SSPanel1->pos(), QPoint(twips::toPixels(centred.x()), twips::toPixels(centred.y())));
    }

    void editingACategoryTakesTheCurrentNode()
    {
        Fixture fx;
        seed(fx);
        frmMain& w = fx.open();
        fx.clickNode(QStringLiteral("Mail"));
        fx.clickRow(w.lvURLs, 0);
        w.tvCategories->setCurrentItem(fx.node(QStringLiteral("Banks"))); // moved, not clicked
        w.panel->EditWhat(QStringLiteral("Categories"));
        QCOMPARE(w.SSPanel4->text(), QStringLiteral("[ Edit Category ]"));
        QCOMPARE(w.txtCatName->text(), QStringLiteral("Mail"));
        QCOMPARE(w.lblCatCode->text(), QStringLiteral("2"));
        QCOMPARE(w.tvCategories->currentItem(), fx.node(QStringLiteral("Mail")));
        QCOMPARE(w.txtSiteName->text(), QString());
        QCOMPARE(w.lblSiteCode->text(), QString());
        QCOMPARE(enabledBoxes(w), QStringList{"txtCatName"});
        QTRY_VERIFY(w.txtCatName->hasFocus());
    }

    void editingTheRootPreparesANewCategory()
    {
        Fixture fx;
        seed(fx);
        frmMain& w = fx.open();
        w.panel->EditWhat(QStringLiteral("Categories"));
        QCOMPARE(w.SSPanel4->text(), QStringLiteral("[ Add Category ]"));
        QCOMPARE(w.lblCatCode->text(), QStringLiteral("3"));
    }

    void editingASiteTakesTheSelectedRow()
    {
        Fixture fx;
        seed(fx);
        frmMain& w = fx.open();
        fx.clickNode(QStringLiteral("Banks"));
        w.txtUserID->setText(QStringLiteral("left over"));
        items::selectRow(w.lvURLs, w.lvURLs->topLevelItem(rowOf(w.lvURLs, QStringLiteral("Card"))));
        w.panel->EditWhat(QStringLiteral("Sites"));
        QCOMPARE(w.SSPanel4->text(), QStringLiteral("[ Edit Site ]"));
        QCOMPARE(w.lblSiteCode->text(), QStringLiteral("4"));
        QCOMPARE(w.txtSiteName->text(), QStringLiteral("Card"));
        QCOMPARE(w.txtURL->text(), QStringLiteral("https://card.example"));
        QCOMPARE(w.txtSiteDesc->toPlainText(), QStringLiteral("credit"));
        QCOMPARE(w.txtUserID->text(), QString());
        QTRY_VERIFY(w.txtSiteName->hasFocus());
    }

    void editingAnEntryPutsItsPasswordOnTheClipboard()
    {
        Fixture fx;
        seed(fx);
        frmMain& w = fx.open();
        fx.clickNode(QStringLiteral("Banks"));
        fx.clickRow(w.lvURLs, rowOf(w.lvURLs, QStringLiteral("Bank")));
        w.lvPasswords->clear();
        addEntryRow(w, QStringLiteral("3"), QStringLiteral("alice"), QStringLiteral("s3cret!"), QStringLiteral("d"));
        items::selectRow(w.lvPasswords, addEntryRow(w, QStringLiteral("7"), QStringLiteral("bob"),
                                                    QStringLiteral("pa55"), QStringLiteral("main")));
        fx.clipboard.text = QStringLiteral("before");
        w.panel->EditWhat(QStringLiteral("Passwords"));
        QCOMPARE(w.SSPanel4->text(), QStringLiteral("[ Edit Password ]"));
        QCOMPARE(w.lblSer->text(), QStringLiteral("7"));
        QCOMPARE(w.txtUserID->text(), QStringLiteral("bob"));
        QCOMPARE(w.txtPassword->text(), QStringLiteral("pa55"));
        QCOMPARE(w.txtPWDesc->text(), QStringLiteral("main"));
        QCOMPARE(w.lblPL->text(), QStringLiteral("4"));
        QCOMPARE(w.lblCatCode->text(), QStringLiteral("1"));
        QCOMPARE(w.lblSiteCode->text(), QStringLiteral("1"));
        QCOMPARE(fx.clipboard.clears, 1);
        QCOMPARE(fx.clipboard.text, QStringLiteral("pa55"));
        QTRY_VERIFY(w.txtUserID->hasFocus());
    }

    void editingWithoutASelectedRowPreparesANewRecord_data()
    {
        QTest::addColumn<QString>("what");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("code");
        QTest::newRow("Sites") << "Sites"
                               << "[ Add Site ]"
                               << "5";
        QTest::newRow("Passwords") << "Passwords"
                                   << "[ Add Password ]"
                                   << "1";
    }

    void editingWithoutASelectedRowPreparesANewRecord()
    {
        QFETCH(QString, what);
        QFETCH(QString, caption);
        QFETCH(QString, code);
        Fixture fx;
        seed(fx);
        frmMain& w = fx.open();
        fx.clickNode(QStringLiteral("Banks"));
        fx.clickRow(w.lvURLs, rowOf(w.lvURLs, QStringLiteral("Bank")));
        if (what == u"Sites")
            w.lvURLs->clearSelection();
        w.lvPasswords->clear();
        w.panel->EditWhat(QString(what));
        QCOMPARE(w.SSPanel4->text(), caption);
        QCOMPARE((what == u"Sites" ? w.lblSiteCode : w.lblSer)->text(), code);
    }

    void focusInABoxSetsCurWhat_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("group");
        QTest::addColumn<QString>("curWhat");
        QTest::newRow("txtCatName") << "txtCatName"
                                    << "Categories"
                                    << "Categories";
        QTest::newRow("txtSiteName") << "txtSiteName"
                                     << "Sites"
                                     << "Sites";
        QTest::newRow("txtURL") << "txtURL"
                                << "Sites"
                                << "Sites";
        QTest::newRow("txtSiteDesc") << "txtSiteDesc"
                                     << "Sites"
                                     << "Sites";
        QTest::newRow("txtUserID") << "txtUserID"
                                   << "Passwords"
                                   << "Passwords";
        QTest::newRow("txtPassword") << "txtPassword"
                                     << "Passwords"
                                     << "Passwords";
        QTest::newRow("txtPWDesc") << "txtPWDesc"
                                   << "Passwords"
                                   << "Passwords";
    }

    void focusInABoxSetsCurWhat()
    {
        QFETCH(QString, box);
        QFETCH(QString, group);
        QFETCH(QString, curWhat);
        Fixture fx;
        frmMain& w = fx.open();
        w.SSPanel1->show();
        w.panel->FocusControl(QString(group));
        w.CurWhat = QStringLiteral("something else");
        auto* widget = w.SSPanel1->findChild<QWidget*>(box);
        widget->setFocus();
        QTRY_VERIFY(widget->hasFocus());
        QCOMPARE(w.CurWhat, curWhat);
    }

    void focusInTheAddressSelectsIt()
    {
        Fixture fx;
        frmMain& w = fx.open();
        w.panel->NewWhat(QStringLiteral("Categories"));
        w.panel->FocusControl(QStringLiteral("Sites"));
        w.txtURL->setText(QStringLiteral("http://"));
        w.txtURL->deselect();
        w.txtURL->setFocus();
        QTRY_VERIFY(w.txtURL->hasFocus());
        QCOMPARE(w.txtURL->selectedText(), QStringLiteral("http://"));
        QTest::keyClicks(w.txtURL, QStringLiteral("x.example"));
        QCOMPARE(w.txtURL->text(), QStringLiteral("x.example"));
    }

    void escInABoxHidesThePanelAndGoesToTheView_data()
    {
        QTest::addColumn<QString>("group");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QStringList>("views"); // where the focus may end: a view may hand it on up
        QTest::newRow("Categories") << "Categories"
                                    << "txtCatName" << QStringList{"tvCategories"};
        QTest::newRow("Sites") << "Sites"
                               << "txtSiteDesc" << QStringList{"lvURLs"};
        QTest::newRow("Passwords") << "Passwords"
                                   << "txtPassword" << QStringList{"lvPasswords", "lvURLs"};
    }

    void escInABoxHidesThePanelAndGoesToTheView()
    {
        QFETCH(QString, group);
        QFETCH(QString, box);
        QFETCH(QStringList, views);
        Fixture fx;
        frmMain& w = fx.open();
        w.SSPanel1->show();
        w.panel->FocusControl(QString(group));
        auto* widget = w.SSPanel1->findChild<QWidget*>(box);
        widget->setFocus();
        QTRY_VERIFY(widget->hasFocus());
        QTest::keyClick(widget, Qt::Key_Escape);
        QVERIFY(!w.SSPanel1->isVisible());
        QVERIFY(QApplication::focusWidget());
        QVERIFY2(views.contains(QApplication::focusWidget()->objectName()),
                 qPrintable(QApplication::focusWidget()->objectName()));
    }

    void escWithTheSitesCurrentFocusesTheSitesList()
    {
        Fixture fx;
        seed(fx);
        frmMain& w = fx.open();
        fx.clickNode(QStringLiteral("Banks"));
        fx.clickRow(w.lvURLs, 0);
        w.panel->EditWhat(QStringLiteral("Sites"));
        QTRY_VERIFY(w.txtSiteName->hasFocus());
        QTest::keyClick(w.txtSiteName, Qt::Key_Escape);
        QVERIFY(!w.SSPanel1->isVisible());
        QVERIFY(w.lvURLs->hasFocus());
    }

    void closingKeepsTheBoxes()
    {
        Fixture fx;
        frmMain& w = fx.open();
        w.panel->NewWhat(QStringLiteral("Categories"));
        w.txtCatName->setText(QStringLiteral("typed"));
        QTest::mouseClick(w.cmdX, Qt::LeftButton);
        QVERIFY(!w.SSPanel1->isVisible());
        QCOMPARE(w.txtCatName->text(), QStringLiteral("typed"));
        QCOMPARE(w.SSPanel4->text(), QStringLiteral("[ Add Category ]"));
        QCOMPARE(w.lblCatCode->text(), QStringLiteral("1"));
    }

    void aFailingCodeQueryIsReported()
    {
        Fixture fx;
        frmMain& w = fx.open();
        fx.db().execute(QStringLiteral("ALTER TABLE Categories RENAME TO Gone"));
        w.panel->NewWhat(QStringLiteral("Categories"));
        QCOMPARE(fx.prompter.shown.size(), 1);
        QCOMPARE(fx.prompter.shown[0].icon, Prompt::Icon::Stop);
        QCOMPARE(fx.prompter.shown[0].title, frmMain::caption());
        QVERIFY(!w.SSPanel1->isVisible());
    }
};

DORVU_TEST_MAIN(TestEditPanel)
#include "tst_editpanel.moc"
