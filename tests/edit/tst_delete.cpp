#include "cipher/CryptText.h"
#include "edit/EditPanel.h"
#include "edit/RecordDeleter.h"
#include "platform/Pictures.h"
#include "support/Fixture.h"
#include "support/TestMain.h"
#include "views/ViewItems.h"

#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTreeView>
#include <tuple>

Q_DECLARE_METATYPE(Prompt)

namespace {

const QString Key = QStringLiteral("314159");
const QString Title = QStringLiteral("Delete Confirmation");
const QString Several =
    QStringLiteral("Do you want to delete selected sites\r\n\r\nand all passwords related to them ?");

// The tree A (B (C, D), E), F. C holds two entries, E an entry of a site it does not list, D nothing.
void seedTree(Fixture& fx)
{
    const int parents[] = {0, 1, 2, 2, 1, 0}, levels[] = {1, 2, 3, 3, 2, 1};
    for (int code = 1; code <= 6; ++code)
        fx.addCategory(code, QString(QChar(u'A' + code - 1)), levels[code - 1], parents[code - 1]);
    for (int code : {1, 2, 3, 6})
        fx.addSite(code, 1, QChar(u'a' + code - 1) + QStringLiteral("-site"));
    for (auto [category, site, ser] : {std::tuple{1, 1, 1}, {3, 1, 1}, {3, 1, 2}, {5, 9, 1}, {6, 1, 1}})
        fx.addPassword(category, site, ser, QStringLiteral("user"), QStringLiteral("pw"));
}

// Sites s1 .. s5 (codes 1 .. 5) in category 1, each with one entry; s3 has a second one, "other".
frmMain& openOnSites(Fixture& fx, bool nameless = false)
{
    fx.addCategory(1, QStringLiteral("Sites"), 1, 0);
    for (int code = 1; code <= 5; ++code) {
        fx.addSite(1, code, QStringLiteral("s%1").arg(code), QStringLiteral("https://s%1.example").arg(code));
        fx.addPassword(1, code, 1, QStringLiteral("u%1").arg(code), CryptText(CryptMode::Enc, Key, "secret"));
    }
    fx.addPassword(1, 3, 2, QStringLiteral("other"), CryptText(CryptMode::Enc, Key, "secret"));
    if (nameless)
        fx.addSite(1, 6, QStringLiteral("   ")); // listed first
    frmMain& w = fx.open();
    w.txtPass->setText(Key);
    fx.clickNode(QStringLiteral("Sites"));
    return w;
}

// The deletes of the one unit of work in a trace, each as "table codes...": a deletion is one transaction.
QStringList deletes(const QStringList& trace)
{
    const qsizetype begin = trace.indexOf(QStringLiteral("SAVEPOINT work1"));
    const qsizetype end = trace.indexOf(QStringLiteral("RELEASE work1"));
    if (begin < 0 || end < begin || trace.count(QStringLiteral("SAVEPOINT work1")) != 1)
        return QStringList{QStringLiteral("not one unit of work:")} + trace;
    static const QRegularExpression number(QStringLiteral("\\d+"));
    QStringList result;
    for (const QString& sql : trace.mid(begin + 1, end - begin - 1)) {
        if (!sql.startsWith(QStringLiteral("DELETE FROM ")))
            continue;
        QStringList parts{sql.section(u' ', 2, 2)};
        for (auto match = number.globalMatch(sql); match.hasNext();)
            parts << match.next().captured();
        result << parts.join(u' ');
    }
    return result;
}

QList<int> codes(Fixture& fx, const QString& sql)
{
    QList<int> result;
    for (const Row& row : fx.db().select(sql))
        result << row.value(0).toInt();
    return result;
}

Prompt question(const QString& text)
{
    return {text, Title, Prompt::Icon::Exclamation, Prompt::Buttons::YesNo};
}

QString categoryQuestion(const QString& name)
{
    return "Do you want to delete this category\r\n\r\n[ " + name +
           " ]\r\n\r\nand all it's subcategories incloding sites and passwords ?";
}

} // namespace

class TestDelete : public QObject {
    Q_OBJECT

private slots:
    void aCategoryGoesWithItsSubtreeLeavesFirst_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("sent");
        QTest::addColumn<QString>("parent");
        QTest::addColumn<QList<int>>("categoriesLeft");
        QTest::addColumn<QStringList>("parentSites");
        const QString b = "pws 3,URLs 3,categories 3,categories 4,URLs 2,categories 2";
        QTest::newRow("top level") << "A" << b + ",pws 5,categories 5,pws 1,URLs 1,categories 1"
                                   << "Categories" << QList<int>{6} << QStringList{};
        QTest::newRow("nested") << "B" << b << "A" << QList<int>{1, 5, 6} << QStringList{"a-site"};
        // The root itself stays, alone.
        QTest::newRow("root") << "Categories"
                              << "pws,URLs,categories"
                              << "Categories" << QList<int>{} << QStringList{};
    }

    void aCategoryGoesWithItsSubtreeLeavesFirst()
    {
        QFETCH(QString, name);
        QFETCH(QString, sent);
        QFETCH(QString, parent);
        QFETCH(QList<int>, categoriesLeft);
        QFETCH(QStringList, parentSites);
        Fixture fx;
        seedTree(fx);
        frmMain& w = fx.open();
        w.tvCategories->expandAll();
        fx.clickNode(name);

        fx.prompter.answers.enqueue(Answer::Yes);
        fx.startTrace();
        w.deleter->DeleteWhat(What::Categories);
        QCOMPARE(deletes(fx.stopTrace()), sent.split(u','));
        QCOMPARE(fx.prompter.shown, QList<Prompt>{question(categoryQuestion(name))});
        QCOMPARE(codes(fx, "SELECT CatCode FROM Categories ORDER BY 1"), categoriesLeft);
        QCOMPARE(fx.count("URLs WHERE CatCode NOT IN (SELECT CatCode FROM Categories)"), 0);
        QCOMPARE(fx.count("PWs WHERE CatCode NOT IN (SELECT CatCode FROM Categories)"), 0);

        // The nodes are gone and the parent is current, shown as if clicked.
        QCOMPARE(w.categoryModel.nodeCount(), categoriesLeft.size() + 1);
        const QModelIndex up = fx.node(parent);
        QCOMPARE(w.tvCategories->currentIndex(), up);
        QCOMPARE(w.state.SelNodeIndex, w.categoryModel.code(up));
        QCOMPARE(pictureOf(up), w.categoryModel.isRoot(up) ? img1616::Root : img1616::CurrentCategory);
        QCOMPARE(list::column(w.lvURLs, 2), parentSites);
        QCOMPARE(w.sURLsCount->text(), QStringLiteral("%1 Site(s)").arg(parentSites.size()));
        QTRY_VERIFY(w.tvCategories->hasFocus());
    }

    void checkedSitesOrElseTheSelectedOne_data()
    {
        QTest::addColumn<int>("selected");
        QTest::addColumn<QList<int>>("checked");
        QTest::addColumn<QString>("named"); // none: the question about several sites
        QTest::addColumn<QList<int>>("left");
        QTest::newRow("three of five checked") << 1 << QList<int>{0, 2, 4} << QString() << QList<int>{2, 4};
        QTest::newRow("one checked, another selected") << 0 << QList<int>{3} << "s4" << QList<int>{1, 2, 3, 5};
        QTest::newRow("none checked") << 1 << QList<int>{} << "s2" << QList<int>{1, 3, 4, 5};
    }

    void checkedSitesOrElseTheSelectedOne()
    {
        QFETCH(int, selected);
        QFETCH(QList<int>, checked);
        QFETCH(QString, named);
        QFETCH(QList<int>, left);
        Fixture fx;
        frmMain& w = openOnSites(fx);
        fx.clickRow(w.lvURLs, selected);
        for (int row : checked)
            list::setCheckState(w.lvURLs, row, Qt::Checked);

        fx.prompter.answers.enqueue(Answer::Yes);
        w.deleter->DeleteWhat(What::Sites);
        QStringList names;
        for (int code : left)
            names << QStringLiteral("s%1").arg(code);
        const QString prompt =
            "Do you want to delete this Site\r\n\r\n[ " + named + " ]\r\n\r\nand all passwords related to it ?";
        QCOMPARE(fx.prompter.shown, QList<Prompt>{question(named.isEmpty() ? Several : prompt)});
        QCOMPARE(codes(fx, "SELECT SiteCode FROM URLs ORDER BY 1"), left);
        QCOMPARE(codes(fx, "SELECT DISTINCT SiteCode FROM PWs ORDER BY 1"), left);
        QCOMPARE(list::column(w.lvURLs, 2), names);
        QCOMPARE(w.sURLsCount->text(), QStringLiteral("%1 Site(s)").arg(left.size()));
    }

    void anEntryGoesAlone()
    {
        Fixture fx;
        frmMain& w = openOnSites(fx);
        fx.clickRow(w.lvURLs, 2);
        fx.clickRow(w.lvPasswords, 0); // "other", s3's second entry

        fx.prompter.answers.enqueue(Answer::Yes);
        fx.startTrace();
        w.deleter->DeleteWhat(What::Passwords);
        QCOMPARE(deletes(fx.stopTrace()), QStringList{"pws 1 3 2"});
        QCOMPARE(list::column(w.lvPasswords, 0), QStringList{"u3"});
    }

    void refusedOrDeclinedChangesNothing_data()
    {
        QTest::addColumn<QString>("what");
        QTest::addColumn<QList<Prompt>>("prompts");
        for (const char* what : {"Categories", "Sites", "Passwords"})
            QTest::addRow("edit panel open, %s", what) << what << QList<Prompt>{};
        QTest::newRow("five key digits") << "Passwords"
                                         << QList<Prompt>{{"Enter the UnLock-Key first\r\nand must be 6 digits in "
                                                           "length.",
                                                           "Dorvu", Prompt::Icon::Exclamation}};
        QTest::newRow("nameless selected row, others checked")
            << "Sites" << QList<Prompt>{{"Select Site from the list first!", Title, Prompt::Icon::Exclamation}};
        QTest::newRow("declined category") << "Categories" << QList<Prompt>{question(categoryQuestion("Sites"))};
        QTest::newRow("declined sites") << "Sites" << QList<Prompt>{question(Several)};
        QTest::newRow("declined entry") << "Passwords"
                                        << QList<Prompt>{
                                               question("Do you want to delete this UserID ?\r\n\r\n[ other ]")};
    }

    void refusedOrDeclinedChangesNothing()
    {
        QFETCH(QString, what);
        QFETCH(QList<Prompt>, prompts);
        const QByteArray tag = QTest::currentDataTag();
        Fixture fx;
        frmMain& w = openOnSites(fx, tag.startsWith("nameless"));
        fx.clickRow(w.lvURLs, tag.startsWith("nameless") ? 0 : 2);
        if (list::rows(w.lvPasswords))
            fx.clickRow(w.lvPasswords, 0);
        for (int row : {3, 4})
            list::setCheckState(w.lvURLs, row, Qt::Checked);
        if (tag.startsWith("edit panel"))
            w.panel->NewWhat(What::Sites);
        if (tag == "five key digits")
            w.txtPass->setText(QStringLiteral("31415"));
        const QString before = fx.dump();
        const int sites = list::rows(w.lvURLs), entries = list::rows(w.lvPasswords);
        fx.prompter.shown.clear();
        fx.prompter.answers.enqueue(tag.startsWith("declined") ? Answer::No : Answer::Yes);

        w.deleter->DeleteWhat(whatNamed(what));
        QCOMPARE(fx.prompter.shown, prompts);
        QCOMPARE(fx.dump(), before);
        QCOMPARE(w.categoryModel.nodeCount(), 2);
        QCOMPARE(list::rows(w.lvURLs), sites);
        QCOMPARE(list::checkState(w.lvURLs, 3), Qt::Checked);
        QCOMPARE(list::rows(w.lvPasswords), entries);
    }

    void aFailingStepUndoesTheWholeDeletion()
    {
        Fixture fx;
        seedTree(fx);
        frmMain& w = fx.open();
        fx.clickNode(QStringLiteral("A"));
        // B goes after C and D: the trigger raises in the middle of the subtree.
        fx.db().execute(QStringLiteral("CREATE TEMP TRIGGER boom BEFORE DELETE ON Categories WHEN old.CatCode = 2 "
                                       "BEGIN SELECT RAISE(ABORT, 'injected'); END"));
        const QString before = fx.dump();

        fx.prompter.answers.enqueue(Answer::Yes);
        w.deleter->DeleteWhat(What::Categories);
        QCOMPARE(fx.dump(), before);
        QCOMPARE(fx.prompter.shown.size(), 2);
        QCOMPARE(fx.prompter.shown[1].icon, Prompt::Icon::Stop);
        QCOMPARE(fx.prompter.shown[1].text,
                 QStringLiteral("The database refused the change because it breaks one of its rules."));
        // The views still show the store as it is.
        QCOMPARE(w.categoryModel.nodeCount(), 7);
        QVERIFY(fx.node(QStringLiteral("C")).isValid());
    }
};

DORVU_TEST_MAIN(TestDelete)
#include "tst_delete.moc"
