#include "cipher/CryptText.h"
#include "edit/EditPanel.h"
#include "edit/RecordSaver.h"
#include "support/Fixture.h"
#include "support/TestMain.h"
#include "views/CategoryTree.h"
#include "views/ViewItems.h"
#include "views/ViewLoader.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTreeView>

namespace {

const QString Key = QStringLiteral("314159");

// Banks (1) holding the site Bank (1, rank 3) with the entry me (Ser 1).
frmMain& openOnBank(Fixture& fx)
{
    fx.addCategory(1, QStringLiteral("Banks"), 1, 0);
    fx.addSite(1, 1, QStringLiteral("Bank"), QStringLiteral("https://bank.example"), QStringLiteral("savings"), 3);
    fx.addPassword(1, 1, 1, QStringLiteral("me"), CryptText(CryptMode::Enc, Key, QStringLiteral("old")),
                   QStringLiteral("main"));
    frmMain& w = fx.open();
    w.txtPass->setText(Key);
    fx.clickNode(QStringLiteral("Banks"));
    fx.clickRow(w.lvURLs, 0);
    return w;
}

// The first row a query gives, its values joined by '|'.
QString rowOf(Fixture& fx, const QString& sql)
{
    const std::vector<Row> rows = fx.db().select(sql);
    QStringList values;
    for (int i = 0; !rows.empty() && i < rows.front().size(); ++i)
        values << rows.front().value(i).toString();
    return values.join(u'|');
}

void save(frmMain& w, const QString& what)
{
    w.saver->SaveWhat(whatNamed(what));
}

} // namespace

class TestSave : public QObject {
    Q_OBJECT

private slots:
    void theWorkedExamples()
    {
        Fixture fx;
        fx.addCategory(1, QStringLiteral("C1"), 1, 0);
        fx.addCategory(2, QStringLiteral("C2"), 1, 0);
        frmMain& w = fx.open();

        // Banks, with the root selected. Its code is taken when saving, not from the panel: C3 came meanwhile.
        w.panel->NewWhat(What::Categories);
        fx.addCategory(3, QStringLiteral("C3"), 1, 0);
        w.state.setCatCode(7);
        w.txtCatName->setText(QStringLiteral("Banks"));
        save(w, QStringLiteral("Categories"));
        QCOMPARE(rowOf(fx, "SELECT * FROM Categories WHERE CatCode = 4"), QStringLiteral("4|Banks|1|0"));
        // The new category's parent, the root, is expanded and selected; the panel is ready for the next one.
        QCOMPARE(w.tvCategories->currentIndex(), w.categoryModel.root());
        QVERIFY(w.tvCategories->isExpanded(w.categoryModel.root()));
        QCOMPARE(w.lblCatCode->text(), QStringLiteral("5"));

        // Cards, with Banks selected.
        fx.clickNode(QStringLiteral("Banks"));
        w.panel->NewWhat(What::Categories);
        w.txtCatName->setText(QStringLiteral("Cards"));
        save(w, QStringLiteral("Categories"));
        QCOMPARE(rowOf(fx, "SELECT * FROM Categories WHERE CatCode = 5"), QStringLiteral("5|Cards|2|4"));
        QCOMPARE(w.tvCategories->currentIndex(), fx.node(QStringLiteral("Banks")));
        QVERIFY(w.tvCategories->isExpanded(fx.node(QStringLiteral("Banks"))));

        // My Bank in Banks, the address left at its default: the panel waits for the next site.
        w.panel->NewWhat(What::Sites);
        w.txtSiteName->setText(QStringLiteral("My Bank"));
        w.txtSiteDesc->setPlainText(QStringLiteral("Savings"));
        save(w, QStringLiteral("Sites"));
        QCOMPARE(rowOf(fx, "SELECT CatCode, SiteCode, SiteName, Rank, URL, SiteDesc FROM URLs"),
                 QStringLiteral("4|1|My Bank|0|http://|Savings"));
        QCOMPARE(list::rows(w.lvURLs), 1); // reloaded
        QVERIFY(w.SSPanel1->isVisible());
        QCOMPARE(w.SSPanel4->text(), QStringLiteral("[ Add Site ]"));
        QCOMPARE((QStringList{w.txtCatName->text(), w.txtSiteName->text(), w.txtURL->text(),
                              w.txtSiteDesc->toPlainText(), w.lblSiteCode->text()}),
                 (QStringList{"Banks", "", "http://", "", "2"}));
        QTRY_VERIFY(w.txtSiteName->hasFocus());

        // Renaming Cards: the panel hides and the renamed category is selected.
        w.panel->hide();
        fx.clickNode(QStringLiteral("Cards"));
        w.panel->EditWhat(What::Categories);
        w.txtCatName->setText(QStringLiteral("Credit Cards"));
        fx.prompter.answers.enqueue(Answer::Yes);
        save(w, QStringLiteral("Categories"));
        QCOMPARE(rowOf(fx, "SELECT * FROM Categories WHERE CatCode = 5"), QStringLiteral("5|Credit Cards|2|4"));
        QVERIFY(!w.SSPanel1->isVisible());
        QCOMPARE(w.categoryModel.name(w.tvCategories->currentIndex()), QStringLiteral("Credit Cards"));
        QCOMPARE(fx.count(QStringLiteral("Categories")), 5);
    }

    void anExistingRecordIsUpdatedOnlyOnYes_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("yes");
        QTest::addColumn<bool>("addMode");
        QTest::addColumn<QString>("question");
        QTest::addColumn<QString>("updated"); // the record after Yes
        const QString pw = QStringLiteral("This password is found. Do you want to update it?");
        const QString site = QStringLiteral("This Site is found. Do you want to update it?");
        const QString cat = QStringLiteral("This category is found. Do you want to update it?");
        const QString entry = "you|" + CryptText(CryptMode::Enc, Key, QStringLiteral("n3w-pass")) + "|spare";
        const QString bank = QStringLiteral("Bank 2|https://two.example|current|3"); // the rank kept
        QTest::newRow("entry, yes, edit") << "Passwords" << true << false << pw << entry;
        QTest::newRow("entry, no, add") << "Passwords" << false << true << pw << entry;
        QTest::newRow("site, yes, add") << "Sites" << true << true << site << bank;
        QTest::newRow("site, no, edit") << "Sites" << false << false << site << bank;
        QTest::newRow("category, yes, edit") << "Categories" << true << false << cat << "Money|1|0";
        QTest::newRow("category, no, add") << "Categories" << false << true << cat << "Money|1|0";
    }

    void anExistingRecordIsUpdatedOnlyOnYes()
    {
        QFETCH(QString, kind);
        QFETCH(bool, yes);
        QFETCH(bool, addMode);
        QFETCH(QString, question);
        QFETCH(QString, updated);
        Fixture fx;
        frmMain& w = openOnBank(fx);
        // The Add caption with the codes of a stored record: the lookup decides, the caption only the follow-up.
        w.panel->NewWhat(whatNamed(kind));
        w.state.setCatCode(1);
        w.state.setSiteCode(1);
        w.state.setSer(1);
        if (!addMode)
            w.panel->showCaption(EditPanel::Mode::Edit, whatNamed(kind));
        w.txtCatName->setText(QStringLiteral("  Money  "));
        w.txtSiteName->setText(QStringLiteral("Bank 2"));
        w.txtURL->setText(QStringLiteral("https://two.example"));
        w.txtSiteDesc->setPlainText(QStringLiteral("current"));
        w.txtUserID->setText(QStringLiteral("you"));
        w.txtPassword->setText(QStringLiteral(" n3w-pass "));
        w.txtPWDesc->setText(QStringLiteral("spare"));
        const QString before = fx.dump();
        fx.prompter.answers.enqueue(yes ? Answer::Yes : Answer::No);

        save(w, kind);
        QCOMPARE(fx.prompter.shown,
                 (QList<Prompt>{{question, frmMain::caption(), Prompt::Icon::Question, Prompt::Buttons::YesNo}}));
        const QString record = kind == u"Passwords" ? QStringLiteral("SELECT UserID, UserPW, PWDesc FROM PWs")
                               : kind == u"Sites"   ? QStringLiteral("SELECT SiteName, URL, SiteDesc, Rank FROM URLs")
                                                  : QStringLiteral("SELECT CatName, CatLevel, Parent FROM Categories");
        if (yes)
            QCOMPARE(rowOf(fx, record), updated);
        else
            QCOMPARE(fx.dump(), before);
        for (const char* table : {"Categories", "URLs", "PWs"})
            QCOMPARE(fx.count(QLatin1String(table)), 1);

        // The follow-up runs either way.
        QCOMPARE(w.SSPanel1->isVisible(), addMode);
        if (addMode) {
            const QLabel* code = kind == u"Passwords" ? w.lblSer : kind == u"Sites" ? w.lblSiteCode : w.lblCatCode;
            QCOMPARE(code->text(), QStringLiteral("2"));
        }
        if (kind == u"Categories") // Yes selects the edited category; No leaves the remembered code 0, the root's
            QCOMPARE(w.tvCategories->currentIndex(), yes ? fx.node(QStringLiteral("Money")) : w.categoryModel.root());
    }

    void textsAreStoredExactlyAsTyped_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored"); // each box keeps at most its own length of it
        const auto same = [](const char* name, const QString& text) { QTest::newRow(name) << text << text; };
        same("apostrophe", QStringLiteral("O'Brien's"));
        same("Arabic", QStringLiteral("كلمة السر"));
        same("emoji", QStringLiteral("key \U0001F511 \U0001F600"));
        same("injection", QStringLiteral("Robert'); DROP TABLE URLs;--"));
        same("inner spaces and tab", QStringLiteral("a  b\tc"));
        // Mixed units, CJK one and an emoji two, filling every box to its very last unit; the password's
        // permutation parts the emoji's surrogate halves, and they must still come back whole.
        same("the longest texts", QStringLiteral("中\U0001F511zz").repeated(100));
        QTest::newRow("outer spaces") << QStringLiteral("   padded  ") << QStringLiteral("padded");
    }

    void textsAreStoredExactlyAsTyped()
    {
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        Fixture fx;
        frmMain& w = openOnBank(fx);

        w.panel->NewWhat(What::Sites);
        w.txtSiteName->setText(typed);
        w.txtURL->setText(typed);
        w.txtSiteDesc->setPlainText(typed);
        save(w, QStringLiteral("Sites"));
        const QStringList site{stored.left(200), stored.left(500), stored.left(500)};
        QCOMPARE(rowOf(fx, "SELECT SiteName, URL, SiteDesc FROM URLs WHERE SiteCode = 2"), site.join(u'|'));
        const int row = w.sitesModel.rowOfSite(2);
        QVERIFY(row >= 0);
        QCOMPARE((QStringList{list::text(w.lvURLs, row, 2), list::text(w.lvURLs, row, 3), list::text(w.lvURLs, row, 4)}),
                 site);

        w.panel->hide();
        fx.clickRow(w.lvURLs, row);
        w.panel->NewWhat(What::Passwords);
        w.txtUserID->setText(typed);
        w.txtPassword->setText(typed);
        w.txtPWDesc->setText(typed);
        save(w, QStringLiteral("Passwords"));
        const QString entry = rowOf(fx, "SELECT UserID, UserPW, PWDesc FROM PWs WHERE SiteCode = 2");
        QCOMPARE(entry,
                 stored.left(25) + u'|' + CryptText(CryptMode::Enc, Key, stored.left(25)) + u'|' + stored.left(500));
        QCOMPARE(list::rows(w.lvPasswords), 1);
        QCOMPARE((QStringList{list::text(w.lvPasswords, 0, 0), list::password(w.lvPasswords, 0),
                              list::text(w.lvPasswords, 0, 2)}),
                 (QStringList{stored.left(25), stored.left(25), stored.left(500)}));

        w.panel->NewWhat(What::Categories);
        w.txtCatName->setText(typed);
        save(w, QStringLiteral("Categories"));
        QCOMPARE(rowOf(fx, "SELECT CatName FROM Categories WHERE CatCode = 2"), stored.left(50));
        QVERIFY(fx.node(stored.left(50)).isValid());
        QCOMPARE(fx.prompter.shown.size(), 0);
        QCOMPARE(fx.count(QStringLiteral("URLs")), 2); // the table is still there
    }

    void thePasswordIsStoredEncipheredUnderTheKeyInForce()
    {
        Fixture fx;
        frmMain& w = openOnBank(fx);
        const QString other = QStringLiteral("271828"), plain = QStringLiteral("pa55word!x");
        w.txtPass->setText(other);
        w.panel->NewWhat(What::Passwords);
        w.txtUserID->setText(QStringLiteral("alice"));
        w.txtPassword->setText(QStringLiteral("  pa55word!x  "));
        save(w, QStringLiteral("Passwords"));
        QCOMPARE(rowOf(fx, "SELECT UserPW FROM PWs WHERE Ser = 2"), CryptText(CryptMode::Enc, other, plain));
        QCOMPARE(list::password(w.lvPasswords, w.passwordsModel.rowOfSer(2)), plain);
    }

    void aRefusedSaveWritesNothingAndKeepsThePanel_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QStringList>("boxes"); // category, site, user id, password
        QTest::addColumn<QString>("message");   // the warning; none: an error from the store
        QTest::addColumn<QString>("sql");       // run before the window opens
        const auto row = [](const char* name, const char* command, const char* kind, const QStringList& boxes,
                            const char* message, const QString& sql = {}) {
            QTest::newRow(name) << command << kind << boxes << message << sql;
        };
        const char* cat = "Select category first.";
        const char* pair = "Enter UserID and Password first.";
        // The checks in order: with several boxes empty the first one speaks.
        row("entry: nothing", "New", "Passwords", {"", "", "", ""}, cat);
        row("entry: no site", "New", "Passwords", {"Banks", " ", "", ""}, "Select site first.");
        row("entry: no user", "New", "Passwords", {"Banks", "Bank", "  ", "pw"}, pair);
        row("entry: password of spaces", "New", "Passwords", {"Banks", "Bank", "me", "     "}, pair);
        row("site: no name", "New", "Sites", {"Banks", "  ", "", ""}, "Enter site name first.");
        row("category: no name", "New", "Categories", {"   ", "", "", ""}, "Enter category name first.");
        // Limits the store enforces are said in words before it is touched.
        const QStringList typed(4, QStringLiteral("typed"));
        row("a category level above 255", "New", "Categories", typed,
            "Categories can be nested at most 255 levels deep.",
            "WITH RECURSIVE c(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM c WHERE n < 255) INSERT INTO Categories "
            "(CatCode, CatName, CatLevel, Parent) SELECT 100 + n, 'L' || n, n, iif(n = 1, 0, 99 + n) FROM c");
        // A statement the store rejects.
        row("a refused category update", "Edit", "Categories", typed, "",
            "CREATE TEMP TRIGGER refuse BEFORE UPDATE ON Categories BEGIN SELECT RAISE(ABORT, 'refused'); END");
    }

    void aRefusedSaveWritesNothingAndKeepsThePanel()
    {
        QFETCH(QString, command);
        QFETCH(QString, kind);
        QFETCH(QStringList, boxes);
        QFETCH(QString, message);
        QFETCH(QString, sql);
        Fixture fx;
        fx.addCategory(1, QStringLiteral("Banks"), 1, 0);
        fx.addSite(1, 1, QStringLiteral("Bank"));
        if (!sql.isEmpty())
            fx.db().execute(sql);
        frmMain& w = fx.open();
        w.txtPass->setText(Key);
        const QModelIndex node =
            fx.node(QStringLiteral("L255")).isValid() ? fx.node(QStringLiteral("L255")) : fx.node("Banks");
        w.tvCategories->setCurrentIndex(node);
        w.tree->NodeClick(node);
        list::select(w.lvURLs, w.sitesModel.rowOfSite(1));
        if (command == u"New")
            w.panel->NewWhat(whatNamed(kind));
        else
            w.panel->EditWhat(whatNamed(kind));
        const QList<QLineEdit*> edits{w.txtCatName, w.txtSiteName, w.txtUserID, w.txtPassword};
        for (int i = 0; i < edits.size(); ++i)
            edits[i]->setText(boxes[i]);
        fx.prompter.answers.enqueue(Answer::Yes); // to an update question
        const QString before = fx.dump();
        const auto panel = [&w, &edits] {
            QStringList shown{w.SSPanel4->text(), w.lblCatCode->text(), w.lblSiteCode->text(), w.lblSer->text()};
            for (const QLineEdit* box : edits)
                shown << box->text();
            return shown;
        };
        const QStringList shown = panel();

        save(w, kind);
        QCOMPARE(fx.dump(), before);
        QVERIFY(w.SSPanel1->isVisible());
        QCOMPARE(panel(), shown);
        QVERIFY(!fx.prompter.shown.isEmpty());
        const Prompt said = fx.prompter.shown.last();
        QCOMPARE(said.title, frmMain::caption());
        QCOMPARE(said.icon, message.isEmpty() ? Prompt::Icon::Stop : Prompt::Icon::Exclamation);
        if (message.isEmpty())
            QCOMPARE(said.text, QStringLiteral("The database refused the change because it breaks one of its rules."));
        else
            QCOMPARE(fx.prompter.texts(), QStringList{message});
    }

    void aFullScopeIsSaidBeforeThePanelOpens_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("message");
        QTest::newRow("a 256th entry in one site")
            << "Passwords" << "INSERT INTO PWs (CatCode, SiteCode, Ser, UserID, UserPW) VALUES (1, 1, 255, 'last', 'x')"
            << "A site can hold at most 255 entries.";
        QTest::newRow("a site code past 32 bits")
            << "Sites" << "INSERT INTO URLs (CatCode, SiteCode, SiteName, Rank, URL) VALUES (1, 2147483647, 'L', 0, '')"
            << "This category can hold no more sites.";
        QTest::newRow("a category code past 32 bits")
            << "Categories" << "INSERT INTO Categories (CatCode, CatName, CatLevel, Parent) VALUES (2147483647, 'L', 1, 0)"
            << "No more categories can be added to this database.";
    }

    void aFullScopeIsSaidBeforeThePanelOpens()
    {
        QFETCH(QString, kind);
        QFETCH(QString, sql);
        QFETCH(QString, message);
        Fixture fx;
        frmMain& w = openOnBank(fx);
        fx.db().execute(sql);
        const QString before = fx.dump();
        w.panel->NewWhat(whatNamed(kind));
        QCOMPARE(fx.prompter.texts(), QStringList{message});
        QVERIFY(!w.SSPanel1->isVisible());
        QCOMPARE(fx.dump(), before);
    }
};

DORVU_TEST_MAIN(TestSave)
#include "tst_save.moc"
