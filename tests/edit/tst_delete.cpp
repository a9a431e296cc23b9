#include "cipher/CryptText.h"
#include "edit/EditPanel.h"
#include "edit/RecordDeleter.h"
#include "platform/Pictures.h"
#include "support/Fixture.h"
#include "support/TestMain.h"
#include "views/ViewItems.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTreeWidget>

Q_DECLARE_METATYPE(Prompt)

namespace {

const QString Key = QStringLiteral("314159");
const QString Title = QStringLiteral("Delete Confirmation");

// The tree A (B (C, D), E), F. A, B, C and F hold sites, C two entries; E holds an entry of a site it does
// not list, D nothing at all.
void seedTree(Fixture& fx)
{
    fx.addCategory(1, QStringLiteral("A"), 1, 0);
    fx.addCategory(2, QStringLiteral("B"), 2, 1);
    fx.addCategory(3, QStringLiteral("C"), 3, 2);
    fx.addCategory(4, QStringLiteral("D"), 3, 2);
    fx.addCategory(5, QStringLiteral("E"), 2, 1);
    fx.addCategory(6, QStringLiteral("F"), 1, 0);
    fx.addSite(1, 1, QStringLiteral("a-site"));
    fx.addPassword(1, 1, 1, QStringLiteral("a"), QStringLiteral("pw"));
    fx.addSite(2, 1, QStringLiteral("b-site"));
    fx.addSite(3, 1, QStringLiteral("c-site"));
    fx.addPassword(3, 1, 1, QStringLiteral("c1"), QStringLiteral("pw"));
    fx.addPassword(3, 1, 2, QStringLiteral("c2"), QStringLiteral("pw"));
    fx.addPassword(5, 9, 1, QStringLiteral("e"), QStringLiteral("pw"));
    fx.addSite(6, 1, QStringLiteral("f-site"));
    fx.addPassword(6, 1, 1, QStringLiteral("f"), QStringLiteral("pw"));
}

// Sites s1 .. s5 (codes 1 .. 5) in category 1, each with one entry; s3 has a second one.
void seedSites(Fixture& fx)
{
    fx.addCategory(1, QStringLiteral("Sites"), 1, 0);
    for (int code = 1; code <= 5; ++code) {
        fx.addSite(1, code, QStringLiteral("s%1").arg(code), QStringLiteral("https://s%1.example").arg(code));
        fx.addPassword(1, code, 1, QStringLiteral("u%1").arg(code), CryptText(CryptMode::Enc, Key, "secret"));
    }
    fx.addPassword(1, 3, 2, QStringLiteral("other"), CryptText(CryptMode::Enc, Key, "secret"));
}

frmMain& openOnSites(Fixture& fx)
{
    frmMain& w = fx.open();
    w.txtPass->setText(Key);
    fx.clickNode(QStringLiteral("Sites"));
    return w;
}

// The statements of the one unit of work in a trace; fails the test when there is not exactly one.
QStringList work(const QStringList& trace)
{
    const qsizetype begin = trace.indexOf(QStringLiteral("SAVEPOINT work1"));
    const qsizetype end = trace.indexOf(QStringLiteral("RELEASE work1"));
    if (begin < 0 || end < begin || trace.count(QStringLiteral("SAVEPOINT work1")) != 1)
        return QStringList{QStringLiteral("not one unit of work:")} + trace;
    return trace.mid(begin + 1, end - begin - 1);
}

QStringList leaf(int c, bool passwords, bool sites)
{
    const QString C = QString::number(c);
    QStringList s{"Select * from pws where catcode = " + C};
    if (passwords)
        s << "DELETE FROM pws where (catcode = " + C + ")";
    s << "Select * from URLs where catcode = " + C;
    if (sites)
        s << "DELETE FROM URLs where (catcode =" + C + ")";
    s << "Select * from Categories where catcode = " + C << "DELETE FROM categories where (catcode = " + C + ")";
    return s;
}

QStringList site(int c, int s, bool passwords = true)
{
    const QString C = QString::number(c), S = QString::number(s);
    QStringList sql{"Select * from URLs where catcode =" + C + " and Sitecode =" + S,
                    "Select * from pws where catcode =" + C + " and Sitecode =" + S};
    if (passwords)
        sql << "DELETE FROM pws where catcode = " + C + " and Sitecode =" + S;
    sql << "DELETE FROM URLs where (catcode =" + C + ") And (Sitecode =" + S + ")";
    return sql;
}

QList<int> codes(Fixture& fx, const QString& sql)
{
    QList<int> result;
    for (const Row& row : fx.db().select(sql))
        result << row.value(0).toInt();
    return result;
}

QStringList column(const QTreeWidget* list, int c)
{
    QStringList texts;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        texts << list->topLevelItem(i)->text(c);
    return texts;
}

Prompt question(const QString& text)
{
    return {text, Title, Prompt::Icon::Exclamation, Prompt::Buttons::YesNo};
}

QString siteQuestion(const QString& name)
{
    return "Do you want to delete this Site\r\n\r\n[ " + name + " ]\r\n\r\nand all passwords related to it ?";
}

void deleteWhat(frmMain& w, const char* what)
{
    w.deleter->DeleteWhat(QString::fromLatin1(what));
}

} // namespace

class TestDelete : public QObject {
    Q_OBJECT

private slots:
    void aCategoryGoesWithItsSubtreeLeavesFirst_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("statements");
        QTest::addColumn<QString>("parent");
        QTest::addColumn<QList<int>>("categoriesLeft");
        QTest::addColumn<QStringList>("parentSites");

        QTest::newRow("top level") << "A"
                                   << leaf(3, true, true) + leaf(4, false, false) + leaf(2, false, true) +
                                          leaf(5, true, false) + leaf(1, true, true)
                                   << "Categories" << QList<int>{6} << QStringList{};
        QTest::newRow("nested") << "B" << leaf(3, true, true) + leaf(4, false, false) + leaf(2, false, true) << "A"
                                << QList<int>{1, 5, 6} << QStringList{"a-site"};
        QTest::newRow("empty leaf") << "D" << leaf(4, false, false) << "B" << QList<int>{1, 2, 3, 5, 6}
                                    << QStringList{"b-site"};
    }

    void aCategoryGoesWithItsSubtreeLeavesFirst()
    {
        QFETCH(QString, name);
        QFETCH(QStringList, statements);
        QFETCH(QString, parent);
        QFETCH(QList<int>, categoriesLeft);
        QFETCH(QStringList, parentSites);
        Fixture fx;
        seedTree(fx);
        frmMain& w = fx.open();
        w.tvCategories->expandAll();
        fx.clickNode(name);
        const int nodes = w.Nodes.count();
        const int gone = int(statements.filter(QRegularExpression("^DELETE FROM categories")).size());

        fx.prompter.answers.enqueue(Answer::Yes);
        fx.startTrace();
        deleteWhat(w, "Categories");
        QCOMPARE(work(fx.stopTrace()), statements);

        QCOMPARE(fx.prompter.shown.size(), 1);
        QCOMPARE(fx.prompter.shown[0],
                 question("Do you want to delete this category\r\n\r\n[ " + name +
                          " ]\r\n\r\nand all it's subcategories incloding sites and passwords ?"));
        QCOMPARE(codes(fx, "SELECT CatCode FROM Categories ORDER BY 1"), categoriesLeft);
        const QString inLeft = "(SELECT CatCode FROM Categories)";
        QCOMPARE(fx.count("URLs WHERE CatCode NOT IN " + inLeft), 0);
        QCOMPARE(fx.count("PWs WHERE CatCode NOT IN " + inLeft), 0);
        QCOMPARE(fx.count("PWs WHERE CatCode = 6"), 1);

        // The nodes are gone and the parent is current, shown as if clicked.
        QCOMPARE(w.Nodes.count(), nodes - gone);
        QVERIFY(!fx.node(name));
        QTreeWidgetItem* up = fx.node(parent);
        QCOMPARE(w.tvCategories->currentItem(), up);
        QCOMPARE(w.SelNodeIndex, QString::number(w.Nodes.indexOf(up)));
        QCOMPARE(items::picture(up), items::isRoot(up) ? img1616::Root : img1616::CurrentCategory);
        QCOMPARE(column(w.lvURLs, 2), parentSites);
        QCOMPARE(w.sURLsCount->text(), QStringLiteral("%1 Site(s)").arg(parentSites.size()));
        QTRY_VERIFY(w.tvCategories->hasFocus());
    }

    void theRootEmptiesTheStore_data()
    {
        QTest::addColumn<bool>("withSites");
        QTest::addColumn<QStringList>("statements");
        QTest::newRow("every table") << true << QStringList{"Select * from pws",        "DELETE FROM pws",
                                                            "Select * from URLs",       "DELETE FROM URLs",
                                                            "Select * from Categories", "DELETE FROM categories"};
        QTest::newRow("categories only") << false
                                         << QStringList{"Select * from pws", "Select * from URLs",
                                                        "Select * from Categories", "DELETE FROM categories"};
    }

    void theRootEmptiesTheStore()
    {
        QFETCH(bool, withSites);
        QFETCH(QStringList, statements);
        Fixture fx;
        if (withSites) {
            seedTree(fx);
        } else {
            fx.addCategory(1, QStringLiteral("A"), 1, 0);
            fx.addCategory(2, QStringLiteral("B"), 2, 1);
        }
        frmMain& w = fx.open();
        fx.clickNode(QStringLiteral("A"));
        // The root selected without a click: A is still the current category.
        w.tvCategories->setCurrentItem(w.Nodes.at(1));
        items::setHeaderPicture(w.lvURLs, 0, img1616::AllChecked);

        fx.prompter.answers.enqueue(Answer::Yes);
        fx.startTrace();
        deleteWhat(w, "Categories");
        QCOMPARE(work(fx.stopTrace()), statements);
        for (const char* table : {"Categories", "URLs", "PWs"})
            QCOMPARE(fx.count(table), 0);
        QCOMPARE(w.Nodes.count(), 1);
        QCOMPARE(w.tvCategories->topLevelItemCount(), 1);
        QCOMPARE(w.tvCategories->currentItem(), w.Nodes.at(1));
        QCOMPARE(w.SelNodeIndex, QStringLiteral("1"));
        QCOMPARE(w.lvURLs->topLevelItemCount(), 0);
        QCOMPARE(w.lvPasswords->topLevelItemCount(), 0);
        QCOMPARE(w.sURLsCount->text(), QStringLiteral("0 Site(s)"));
        QCOMPARE(items::headerPicture(w.lvURLs, 0), img1616::NotAllChecked);
        QTRY_VERIFY(w.tvCategories->hasFocus());
        QCOMPARE(w.CurWhat, QStringLiteral("Categories"));
    }

    void sites_data()
    {
        QTest::addColumn<int>("selected");
        QTest::addColumn<QList<int>>("checked");
        QTest::addColumn<QString>("prompt");
        QTest::addColumn<QStringList>("statements");
        QTest::addColumn<QList<int>>("left");

        const QString several = "Do you want to delete selected sites\r\n\r\nand all passwords related to them ?";
        QTest::newRow("three of five checked")
            << 1 << QList<int>{0, 2, 4} << several << site(1, 1) + site(1, 3) + site(1, 5) << QList<int>{2, 4};
        QTest::newRow("one checked, another selected")
            << 0 << QList<int>{3} << siteQuestion("s4") << site(1, 4) << QList<int>{1, 2, 3, 5};
        QTest::newRow("none checked") << 1 << QList<int>{} << siteQuestion("s2") << site(1, 2)
                                      << QList<int>{1, 3, 4, 5};
        QTest::newRow("all checked") << 0 << QList<int>{0, 1, 2, 3, 4} << several
                                     << site(1, 1) + site(1, 2) + site(1, 3) + site(1, 4) + site(1, 5) << QList<int>{};
    }

    void sites()
    {
        QFETCH(int, selected);
        QFETCH(QList<int>, checked);
        QFETCH(QString, prompt);
        QFETCH(QStringList, statements);
        QFETCH(QList<int>, left);
        Fixture fx;
        seedSites(fx);
        frmMain& w = openOnSites(fx);
        fx.clickRow(w.lvURLs, selected);
        for (int row : checked)
            w.lvURLs->topLevelItem(row)->setCheckState(0, Qt::Checked);
        items::setHeaderPicture(w.lvURLs, 0, img1616::AllChecked);
        w.lvURLs->setFocus();

        fx.prompter.answers.enqueue(Answer::Yes);
        fx.startTrace();
        deleteWhat(w, "Sites");
        QCOMPARE(work(fx.stopTrace()), statements);
        QCOMPARE(fx.prompter.shown, QList<Prompt>{question(prompt)});
        QCOMPARE(codes(fx, "SELECT SiteCode FROM URLs ORDER BY 1"), left);
        QCOMPARE(codes(fx, "SELECT DISTINCT SiteCode FROM PWs ORDER BY 1"), left);

        QStringList names;
        for (int code : left)
            names << QStringLiteral("s%1").arg(code);
        QCOMPARE(column(w.lvURLs, 2), names);
        QCOMPARE(w.sURLsCount->text(), QStringLiteral("%1 Site(s)").arg(left.size()));
        QCOMPARE(items::headerPicture(w.lvURLs, 0), img1616::NotAllChecked);
        if (left.isEmpty()) {
            // The last site gone: the passwords are emptied and the focus goes to the tree.
            QCOMPARE(w.lvPasswords->topLevelItemCount(), 0);
            QTRY_VERIFY(w.tvCategories->hasFocus());
        } else {
            // The row left selected is the current site again, with its entries.
            const QTreeWidgetItem* row = items::selectedRow(w.lvURLs);
            QVERIFY(row);
            QCOMPARE(w.lblSiteCode->text(), items::tag(row));
            QCOMPARE(w.lvPasswords->topLevelItemCount(), fx.count("PWs WHERE SiteCode = " + items::tag(row)));
        }
    }

    void aSiteMissingFromTheStoreIsToldOnce()
    {
        Fixture fx;
        seedSites(fx);
        frmMain& w = openOnSites(fx);
        fx.clickRow(w.lvURLs, 1);
        for (int row : {0, 2, 4})
            w.lvURLs->topLevelItem(row)->setCheckState(0, Qt::Checked);
        fx.db().execute(QStringLiteral("DELETE FROM PWs WHERE SiteCode = 3"));
        fx.db().execute(QStringLiteral("DELETE FROM URLs WHERE SiteCode = 3"));

        fx.prompter.answers.enqueue(Answer::Yes);
        deleteWhat(w, "Sites");
        QCOMPARE(fx.prompter.texts(), (QStringList{"Do you want to delete selected sites\r\n\r\nand all passwords "
                                                   "related to them ?",
                                                   "Site not found !"}));
        QCOMPARE(fx.prompter.shown[1], (Prompt{"Site not found !", Title, Prompt::Icon::Stop}));
        QCOMPARE(codes(fx, "SELECT SiteCode FROM URLs ORDER BY 1"), (QList<int>{2, 4}));
        QCOMPARE(column(w.lvURLs, 2), (QStringList{"s2", "s3", "s4"}));
        QCOMPARE(w.sURLsCount->text(), QStringLiteral("3 Site(s)"));
    }

    void aNamelessSelectedSiteIsRefused()
    {
        Fixture fx;
        fx.addCategory(1, QStringLiteral("Sites"), 1, 0);
        fx.addSite(1, 1, QStringLiteral("   "));
        fx.addSite(1, 2, QStringLiteral("x"));
        fx.addSite(1, 3, QStringLiteral("y"));
        frmMain& w = openOnSites(fx);
        QCOMPARE(column(w.lvURLs, 2).first(), QStringLiteral("   "));
        items::selectRow(w.lvURLs, w.lvURLs->topLevelItem(0));
        w.lvURLs->topLevelItem(1)->setCheckState(0, Qt::Checked);
        w.lvURLs->topLevelItem(2)->setCheckState(0, Qt::Checked);
        fx.prompter.answers.enqueue(Answer::Yes);
        fx.startTrace();
        deleteWhat(w, "Sites");
        QCOMPARE(fx.stopTrace(), QStringList());
        QCOMPARE(fx.prompter.shown,
                 QList<Prompt>{(Prompt{"Select Site from the list first!", Title, Prompt::Icon::Exclamation})});
        QCOMPARE(w.lvURLs->topLevelItemCount(), 3);
    }

    void anEntry()
    {
        Fixture fx;
        seedSites(fx);
        frmMain& w = openOnSites(fx);
        fx.clickRow(w.lvURLs, 2); // s3: "other" and u3
        QCOMPARE(column(w.lvPasswords, 0), (QStringList{"other", "u3"}));
        fx.clickRow(w.lvPasswords, 0);
        w.lvPasswords->setFocus();

        fx.prompter.answers.enqueue(Answer::Yes);
        fx.startTrace();
        deleteWhat(w, "Passwords");
        const QStringList trace = fx.stopTrace();
        QCOMPARE(trace.first(), QStringLiteral("Select * from pws where catcode =1 and SiteCode =3 and ser =2"));
        QCOMPARE(work(trace), QStringList{"DELETE FROM pws where (catcode =1) And (SiteCode =3) And (ser =2)"});
        QCOMPARE(fx.prompter.shown, QList<Prompt>{question("Do you want to delete this UserID ?\r\n\r\n[ other ]")});
        QCOMPARE(codes(fx, "SELECT Ser FROM PWs WHERE SiteCode = 3"), QList<int>{1});
        QCOMPARE(column(w.lvPasswords, 0), QStringList{"u3"});
        QCOMPARE(w.CurWhat, QStringLiteral("Passwords"));

        // The last entry of the site: the sites list's focus rule runs.
        items::selectRow(w.lvPasswords, w.lvPasswords->topLevelItem(0));
        fx.prompter.answers.enqueue(Answer::Yes);
        deleteWhat(w, "Passwords");
        QCOMPARE(fx.count("PWs WHERE SiteCode = 3"), 0);
        QCOMPARE(w.lvPasswords->topLevelItemCount(), 0);
        QCOMPARE(w.CurWhat, QStringLiteral("Sites"));
        QCOMPARE(items::tag(items::selectedRow(w.lvURLs)), QStringLiteral("3"));
    }

    void entryRefusals_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("setup");
        QTest::addColumn<Prompt>("prompt");
        QTest::newRow("five key digits") << "31415"
                                         << ""
                                         << Prompt{"Enter the UnLock-Key first\r\nand must be 6 digits in length.",
                                                   "Dorvu", Prompt::Icon::Exclamation};
        QTest::newRow("blank password") << Key << "UPDATE PWs SET UserPW = '' WHERE SiteCode = 1"
                                        << Prompt{"Select UserID from the list first!", Title,
                                                  Prompt::Icon::Exclamation};
        QTest::newRow("not in the store") << Key << "" << Prompt{"UserID not found!", Title, Prompt::Icon::Stop};
    }

    void entryRefusals()
    {
        QFETCH(QString, key);
        QFETCH(QString, setup);
        QFETCH(Prompt, prompt);
        Fixture fx;
        seedSites(fx);
        if (!setup.isEmpty())
            fx.db().execute(setup);
        frmMain& w = openOnSites(fx);
        fx.clickRow(w.lvURLs, 0);
        fx.clickRow(w.lvPasswords, 0);
        if (prompt.icon == Prompt::Icon::Stop)
            fx.db().execute(QStringLiteral("DELETE FROM PWs WHERE SiteCode = 1"));
        w.txtPass->setText(key);
        const QString before = fx.dump();
        fx.prompter.shown.clear();
        fx.prompter.answers.enqueue(Answer::Yes);

        deleteWhat(w, "Passwords");
        QCOMPARE(fx.prompter.shown, QList<Prompt>{prompt});
        QCOMPARE(fx.dump(), before);
        QCOMPARE(w.lvPasswords->topLevelItemCount(), 1);
    }

    void theKeyIsLookedAtForEntriesOnly()
    {
        Fixture fx;
        seedSites(fx);
        frmMain& w = openOnSites(fx);
        fx.clickRow(w.lvURLs, 0);
        w.txtPass->setText(QStringLiteral("31415"));
        deleteWhat(w, "Sites");
        QCOMPARE(fx.prompter.shown, QList<Prompt>{question(siteQuestion("s1"))});
    }

    void nothingWhileThePanelIsOpen_data()
    {
        QTest::addColumn<QString>("what");
        for (const char* what : {"Categories", "Sites", "Passwords"})
            QTest::newRow(what) << what;
    }

    void nothingWhileThePanelIsOpen()
    {
        QFETCH(QString, what);
        Fixture fx;
        seedSites(fx);
        frmMain& w = openOnSites(fx);
        fx.clickRow(w.lvURLs, 0);
        fx.clickRow(w.lvPasswords, 0);
        w.panel->NewWhat(QStringLiteral("Sites"));
        QVERIFY(w.SSPanel1->isVisible());
        fx.prompter.answers.enqueue(Answer::Yes);
        fx.startTrace();
        w.deleter->DeleteWhat(what);
        QCOMPARE(fx.stopTrace(), QStringList());
        QCOMPARE(fx.prompter.shown.size(), 0);
    }

    void decliningChangesNothing_data()
    {
        QTest::addColumn<QString>("what");
        for (const char* what : {"Categories", "Sites", "Passwords"})
            QTest::newRow(what) << what;
    }

    void decliningChangesNothing()
    {
        QFETCH(QString, what);
        Fixture fx;
        seedSites(fx);
        frmMain& w = openOnSites(fx);
        fx.clickRow(w.lvURLs, 2);
        fx.clickRow(w.lvPasswords, 0);
        w.lvURLs->topLevelItem(0)->setCheckState(0, Qt::Checked);
        w.lvURLs->topLevelItem(1)->setCheckState(0, Qt::Checked);
        items::setHeaderPicture(w.lvURLs, 0, img1616::AllChecked);
        const QString before = fx.dump();

        fx.prompter.answers.enqueue(Answer::No);
        fx.startTrace();
        w.deleter->DeleteWhat(what);
        QVERIFY(!fx.stopTrace().join(u'\n').contains(QStringLiteral("DELETE")));
        QCOMPARE(fx.prompter.shown.size(), 1);
        QCOMPARE(fx.prompter.shown[0].buttons, Prompt::Buttons::YesNo);
        QCOMPARE(fx.dump(), before);
        QCOMPARE(w.Nodes.count(), 2);
        QCOMPARE(w.lvURLs->topLevelItemCount(), 5);
        QCOMPARE(w.lvPasswords->topLevelItemCount(), 2);
        QCOMPARE(items::headerPicture(w.lvURLs, 0), img1616::AllChecked);
    }

    void aRefusedStepUndoesTheWholeDeletion_data()
    {
        QTest::addColumn<QString>("what");
        QTest::addColumn<QString>("trigger");
        QTest::newRow("subtree") << "Categories"
                                 << "BEFORE DELETE ON Categories WHEN old.CatCode = 2";
        QTest::newRow("root") << "Categories"
                              << "BEFORE DELETE ON Categories WHEN old.CatCode = 6";
        QTest::newRow("checked sites") << "Sites"
                                       << "BEFORE DELETE ON URLs WHEN old.CatCode = 1 AND old.SiteCode = 2";
    }

    void aRefusedStepUndoesTheWholeDeletion()
    {
        QFETCH(QString, what);
        QFETCH(QString, trigger);
        Fixture fx;
        seedTree(fx);
        fx.addSite(1, 2, QStringLiteral("a-two"));
        fx.addSite(1, 3, QStringLiteral("a-three"));
        frmMain& w = fx.open();
        w.tvCategories->expandAll();
        fx.clickNode(QStringLiteral("A"));
        if (QTest::currentDataTag() == QByteArray("root"))
            w.tvCategories->setCurrentItem(w.Nodes.at(1));
        for (int row = 0; row < 3; ++row)
            w.lvURLs->topLevelItem(row)->setCheckState(0, Qt::Checked);
        items::selectRow(w.lvURLs, w.lvURLs->topLevelItem(2));
        fx.db().execute("CREATE TEMP TRIGGER boom " + trigger + " BEGIN SELECT RAISE(ABORT, 'injected'); END");
        const QString before = fx.dump();
        const QString index = w.SelNodeIndex;

        fx.prompter.answers.enqueue(Answer::Yes);
        w.deleter->DeleteWhat(what);
        QCOMPARE(fx.dump(), before);
        QCOMPARE(fx.prompter.shown.size(), 2);
        QCOMPARE(fx.prompter.shown[1].icon, Prompt::Icon::Stop);
        QCOMPARE(fx.prompter.shown[1].title, frmMain::caption());
        QVERIFY2(fx.prompter.shown[1].text.contains(QStringLiteral("injected")), qPrintable(fx.prompter.shown[1].text));
        // The views still show the store as it is.
        QCOMPARE(w.Nodes.count(), 7);
        QVERIFY(fx.node(QStringLiteral("C")));
        QCOMPARE(w.SelNodeIndex, index);
        QCOMPARE(w.lvURLs->topLevelItemCount(), 3);
        QCOMPARE(w.sURLsCount->text(), QStringLiteral("3 Site(s)"));
    }
};

DORVU_TEST_MAIN(TestDelete)
#include "tst_delete.moc"
