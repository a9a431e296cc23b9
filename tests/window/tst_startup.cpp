#include "support/Fixture.h"
#include "support/TestMain.h"

#include "platform/Pictures.h"
#include "views/ViewItems.h"
#include "views/ViewLoader.h"
#include "window/Startup.h"

#include <QFile>

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QTreeWidget>

class TestStartup : public QObject {
    Q_OBJECT

private slots:
    void aStoreThatCannotBeUsedIsReportedAndLeftAlone_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("folderMissing");
        QTest::newRow("another format") << QByteArray("Standard Jet DB").leftJustified(2048, '\0') << false;
        QTest::newRow("missing folder") << QByteArray() << true;
    }

    void aStoreThatCannotBeUsedIsReportedAndLeftAlone()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, folderMissing);
        QTemporaryDir dir;
        const QString folder = folderMissing ? dir.filePath(QStringLiteral("gone")) : dir.path();
        const QString path = folder + QStringLiteral("/Dorvudb.mdb");
        if (!folderMissing) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(content);
        }
        RecordingPrompter prompter;
        QVERIFY(!openStore(folder, prompter));
        QCOMPARE(prompter.shown.size(), 1);
        QCOMPARE(prompter.shown[0].icon, Prompt::Icon::Stop);
        QCOMPARE(prompter.shown[0].title, QStringLiteral("Dorvu v4.0"));
        QVERIFY2(prompter.shown[0].text.contains(path), qPrintable(prompter.shown[0].text));
        if (!folderMissing) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll(), content);
        }
    }

    void everyControlIsThereByItsName()
    {
        Fixture fx;
        frmMain& w = fx.open();
        QCOMPARE(w.windowTitle(), QStringLiteral("Dorvu v4.0"));
        const char* const names[] = {"Toolbar1", "SSPanel2", "txtPass", "Image1", "SSPanel3", "txtNormal",
                                     "cmdCheck", "txtEncrepted", "tvCategories", "lvURLs", "sURLsCount",
                                     "lvPasswords", "SSPanel1", "SSPanel4", "cmdX", "txtCatName", "txtSiteName",
                                     "txtURL", "txtSiteDesc", "txtUserID", "txtPassword", "txtPWDesc", "Label1",
                                     "lblPL", "lblCatCode", "lblSiteCode", "lblSer", "M1"};
        for (const char* name : names)
            QVERIFY2(w.findChild<QObject*>(QLatin1String(name)), name);
        QCOMPARE(w.findChildren<QLabel*>(QStringLiteral("SSPanel5")).size(), 7);
        QCOMPARE(w.findChildren<QAction*>(QStringLiteral("M1S")).size(), 4);

        QCOMPARE(w.SSPanel2->text(), QStringLiteral("       UnLock-Key"));
        QCOMPARE(w.SSPanel3->text(), QStringLiteral("Key Check"));
        QCOMPARE(w.txtNormal->text(), QStringLiteral("Normal text here !"));
        QCOMPARE(w.txtEncrepted->text(), QStringLiteral("Encrypted text here !"));
        QCOMPARE(w.txtPass->maxLength(), 6);
        QCOMPARE(w.txtPass->echoMode(), QLineEdit::Password);
        QCOMPARE(w.lvURLs->toolTip(), QStringLiteral("Double click to go to web site."));
        QCOMPARE(w.lvPasswords->toolTip(), QStringLiteral("Click to copy the password to clipboard."));
        QCOMPARE(w.lvURLs->headerItem()->text(2), QStringLiteral("Site Name"));
        QCOMPARE(w.lvURLs->headerItem()->text(4), QStringLiteral("Description"));
        QCOMPARE(items::headerPicture(w.lvURLs, 0), img1616::NotAllChecked);
        QCOMPARE(items::headerPicture(w.lvURLs, 1), img1616::Rank);
        QCOMPARE(w.lvPasswords->headerItem()->text(1), QStringLiteral("Password"));
        QCOMPARE(w.SSPanel4->text(), QStringLiteral("[ Add / Edit ] Panel"));
        QCOMPARE(w.Label1->text(), QStringLiteral("Character(s)"));
        QVERIFY(!w.lblCatCode->isVisible() && !w.lblSiteCode->isVisible() && !w.lblSer->isVisible());
        QVERIFY(!w.menuBar->isVisible());
    }

    void anEmptyStoreShowsTheRootAlone()
    {
        Fixture fx;
        frmMain& w = fx.open();
        QCOMPARE(w.tvCategories->topLevelItemCount(), 1);
        QTreeWidgetItem* root = w.tvCategories->topLevelItem(0);
        QCOMPARE(root->text(0), QStringLiteral("Categories"));
        QCOMPARE(items::key(root), QStringLiteral("Roo0"));
        QCOMPARE(items::picture(root), img1616::Root);
        QCOMPARE(root->childCount(), 0);
        QVERIFY(!root->isExpanded());
        QCOMPARE(w.tvCategories->currentItem(), root);
        QVERIFY(root->isSelected());
        QCOMPARE(w.SelNodeIndex, QStringLiteral("1"));
        QCOMPARE(w.sURLsCount->text(), QStringLiteral("0 Site(s)"));
        QCOMPARE(w.lvURLs->topLevelItemCount(), 0);
        QVERIFY(!w.SSPanel1->isVisible());
        QTRY_COMPARE(QApplication::focusWidget(), w.tvCategories);
    }

    void theTreeIsBuiltLevelByLevel()
    {
        Fixture fx;
        // Stored out of level order on purpose: the parents must still exist before their children.
        fx.addCategory(5, QStringLiteral("Cards"), 2, 1);
        fx.addCategory(1, QStringLiteral("Banks"), 1, 0);
        fx.addCategory(9, QStringLiteral("Gold"), 3, 5);
        fx.addCategory(3, QStringLiteral("Mail"), 1, 0);
        fx.addCategory(7, QStringLiteral("Loans"), 2, 1);
        fx.addCategory(8, QStringLiteral("Work"), 2, 3);
        frmMain& w = fx.open();

        QTreeWidgetItem* root = w.tvCategories->topLevelItem(0);
        QVERIFY(root->isExpanded());
        QCOMPARE(w.Nodes.count(), 7);
        QStringList order;
        for (int i = 1; i <= w.Nodes.count(); ++i)
            order << items::key(w.Nodes.at(i)) + QLatin1Char('=') + w.Nodes.at(i)->text(0);
        QCOMPARE(order, (QStringList{"Roo0=Categories", "Sub1=Banks", "Sub3=Mail", "Sub5=Cards", "Sub7=Loans",
                                     "Sub8=Work", "Sub9=Gold"}));
        auto parentKey = [&](const QString& text) { return items::key(fx.node(text)->parent()); };
        QCOMPARE(parentKey(QStringLiteral("Banks")), QStringLiteral("Roo0"));
        QCOMPARE(parentKey(QStringLiteral("Cards")), QStringLiteral("Sub1"));
        QCOMPARE(parentKey(QStringLiteral("Loans")), QStringLiteral("Sub1"));
        QCOMPARE(parentKey(QStringLiteral("Work")), QStringLiteral("Sub3"));
        QCOMPARE(parentKey(QStringLiteral("Gold")), QStringLiteral("Sub5"));
        for (int i = 2; i <= w.Nodes.count(); ++i)
            QCOMPARE(items::picture(w.Nodes.at(i)), img1616::Category);
        QCOMPARE(items::code(fx.node(QStringLiteral("Gold"))), qint64(9));
        QCOMPARE(items::code(root), qint64(0));
        QVERIFY(!fx.node(QStringLiteral("Banks"))->isExpanded());
    }

    void anEmptyStoreSendsNoLevelQuery()
    {
        Fixture fx;
        frmMain& w = fx.open();
        fx.startTrace();
        w.views->Load(QStringLiteral("Categories"));
        const QStringList trace = fx.stopTrace();
        QCOMPARE(trace.size(), 1);
        QVERIFY(trace.first().contains(QStringLiteral("max(CatLevel)")));
    }

    void rankText_data()
    {
        QTest::addColumn<qint64>("rank");
        QTest::addColumn<QString>("highest");
        QTest::addColumn<QString>("shown");
        QTest::newRow("3 under 12") << qint64(3) << "12" << "03";
        QTest::newRow("12 under 12") << qint64(12) << "12" << "12";
        QTest::newRow("0 under 12") << qint64(0) << "12" << "";
        QTest::newRow("5 under 100") << qint64(5) << "100" << "005";
        QTest::newRow("100 under 100") << qint64(100) << "100" << "100";
        QTest::newRow("0 under 0") << qint64(0) << "0" << "";
    }

    void rankText()
    {
        QFETCH(qint64, rank);
        QFETCH(QString, highest);
        QFETCH(QString, shown);
        QCOMPARE(ViewLoader::rankText(rank, highest), shown);
    }

    void aCategorysSitesFillTheListWithTheirRanks()
    {
        Fixture fx;
        fx.addCategory(4, QStringLiteral("Banks"), 1, 0);
        fx.addSite(4, 1, QStringLiteral("beta"), QStringLiteral("b.example"), QStringLiteral("second"), 12);
        fx.addSite(4, 2, QStringLiteral("Alpha"), QStringLiteral("a.example"), QVariant(), 3);
        fx.addSite(4, 3, QStringLiteral("gamma"), QStringLiteral("c.example"), QStringLiteral("third"), 0);
        frmMain& w = fx.open();
        w.tvCategories->setCurrentItem(fx.node(QStringLiteral("Banks")));
        w.views->Load(QStringLiteral("Sites"));

        QCOMPARE(w.lvURLs->topLevelItemCount(), 3);
        QCOMPARE(w.sURLsCount->text(), QStringLiteral("3 Site(s)"));
        QStringList rows;
        for (int i = 0; i < 3; ++i) {
            QTreeWidgetItem* row = w.lvURLs->topLevelItem(i);
            rows << QStringList{items::tag(row), row->text(1), QString::number(items::picture(row, 1)), row->text(2),
                                QString::number(items::picture(row, 2)), row->text(3), row->text(4)}
                        .join(QLatin1Char('|'));
            QCOMPARE(row->checkState(0), Qt::Unchecked);
        }
        QCOMPARE(rows, (QStringList{"2|03|21|Alpha|24|a.example|", "1|12|21|beta|24|b.example|second",
                                    "3||0|gamma|24|c.example|third"}));
    }

    void clearEmptiesOneGroupOfTheEditPanel()
    {
        Fixture fx;
        frmMain& w = fx.open();
        for (QLineEdit* box : {w.txtCatName, w.txtSiteName, w.txtURL, w.txtUserID, w.txtPassword, w.txtPWDesc})
            box->setText(QStringLiteral("x"));
        for (QLabel* code : {w.lblCatCode, w.lblSiteCode, w.lblSer})
            code->setText(QStringLiteral("7"));
        w.views->Clear(QStringLiteral("Sites"));
        QCOMPARE(w.txtURL->text(), QStringLiteral("http://"));
        QVERIFY(w.txtSiteName->text().isEmpty() && w.lblSiteCode->text().isEmpty());
        QCOMPARE(w.txtCatName->text(), QStringLiteral("x"));
        QCOMPARE(w.lblSer->text(), QStringLiteral("7"));
        w.views->Clear(QStringLiteral("Passwords"));
        QVERIFY(w.txtUserID->text().isEmpty() && w.txtPassword->text().isEmpty() && w.lblSer->text().isEmpty());
        w.views->Clear(QStringLiteral("Categories"));
        QVERIFY(w.txtCatName->text().isEmpty() && w.lblCatCode->text().isEmpty());
        w.txtCatName->setText(QStringLiteral("kept"));
        w.views->Clear(QStringLiteral("Other"));
        QCOMPARE(w.txtCatName->text(), QStringLiteral("kept"));
    }
};

DORVU_TEST_MAIN(TestStartup)
#include "tst_startup.moc"
