#include "cipher/CryptText.h"
#include "edit/EditPanel.h"
#include "edit/RecordSaver.h"
#include "platform/Pictures.h"
#include "support/Fixture.h"
#include "support/TestMain.h"
#include "views/CategoryTree.h"
#include "views/ViewItems.h"
#include "views/ViewLoader.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTreeWidget>
#include <algorithm>

namespace {

const QString Key = QStringLiteral("314159");

// Banks (1) holding the site Bank (1, rank 3) with the entry me (Ser 1).
void seed(Fixture& fx)
{
    fx.addCategory(1, QStringLiteral("Banks"), 1, 0);
    fx.addSite(1, 1, QStringLiteral("Bank"), QStringLiteral("https://bank.example"), QStringLiteral("savings"), 3);
    fx.addPassword(1, 1, 1, QStringLiteral("me"), CryptText(CryptMode::Enc, Key, QStringLiteral("old")),
                   QStringLiteral("main"));
}

// The window with the key typed, Banks current and, for a site or entry, Bank clicked.
frmMain& openOnBank(Fixture& fx)
{
    frmMain& w = fx.open();
    w.txtPass->setText(Key);
    fx.clickNode(QStringLiteral("Banks"));
    fx.clickRow(w.lvURLs, 0);
    return w;
}

QStringList writes(const QStringList& trace)
{
    QStringList result;
    for (const QString& sql : trace) {
        const QString verb = sql.section(QLatin1Char(' '), 0, 0).toUpper();
        if (verb == u"INSERT" || verb == u"UPDATE" || verb == u"DELETE")
            result << sql;
    }
    return result;
}

// Whether `expected` appears in `trace` in this order (other statements in between).
bool inOrder(const QStringList& trace, const QStringList& expected)
{
    qsizetype at = 0;
    for (const QString& sql : expected) {
        at = trace.indexOf(sql, at);
        if (at < 0)
            return false;
        ++at;
    }
    return true;
}

QString dump(Fixture& fx)
{
    QStringList rows;
    for (const char* table : {"Categories", "URLs", "PWs"}) {
        for (const Row& row : fx.db().select(QStringLiteral("SELECT * FROM %1 ORDER BY 1, 2, 3").arg(table))) {
            QStringList values;
            for (int i = 0; i < row.size(); ++i)
                values << row.value(i).toString();
            rows << QLatin1String(table) + u':' + values.join(u'|');
        }
    }
    return rows.join(u'\n');
}

QVariantList rowOf(Fixture& fx, const QString& sql)
{
    QVariantList values;
    const std::vector<Row> rows = fx.db().select(sql);
    if (!rows.empty()) {
        for (int i = 0; i < rows.front().size(); ++i)
            values << rows.front().value(i);
    }
    return values;
}

void save(frmMain& w, const QString& what)
{
    w.saver->SaveWhat(QString(what));
}

} // namespace

class TestSave : public QObject {
    Q_OBJECT

private slots:
    void theWorkedExamples()
    {
        Fixture fx;
        for (int code = 1; code <= 3; ++code)
            fx.addCategory(code, QStringLiteral("C%1").arg(code), 1, 0);
        frmMain& w = fx.open();

        // Banks, with the root selected.
        w.panel->NewWhat(QStringLiteral("Categories"));
        w.txtCatName->setText(QStringLiteral("Banks"));
        fx.startTrace();
        save(w, QStringLiteral("Categories"));
        QStringList trace = fx.stopTrace();
        QVERIFY2(
            inOrder(trace,
                    {"Select catcode from categories where catcode =4", "Select Max(CatCode) as xMax From Categories",
                     "INSERT into Categories (catcode, CatName, CatLevel, Parent) values (4, 'Banks', 1, 0)"}),
            qPrintable(trace.join(u'\n')));
        QCOMPARE(writes(trace).size(), 1);
        QCOMPARE(rowOf(fx, "SELECT CatCode, CatName, CatLevel, Parent FROM Categories WHERE CatCode = 4"),
                 (QVariantList{4, "Banks", 1, 0}));
        // The new category's parent, the root, is expanded and selected; the panel waits for the next one.
        QCOMPARE(w.tvCategories->currentItem(), w.Nodes.at(1));
        QVERIFY(w.Nodes.at(1)->isExpanded());
        QVERIFY(w.SSPanel1->isVisible());
        QCOMPARE(w.SSPanel4->text(), QStringLiteral("[ Add Category ]"));
        QCOMPARE(w.lblCatCode->text(), QStringLiteral("5"));
        QCOMPARE(w.txtCatName->text(), QString());
        QTRY_VERIFY(w.txtCatName->hasFocus());

        // Cards, with Banks selected.
        fx.clickNode(QStringLiteral("Banks"));
        w.panel->NewWhat(QStringLiteral("Categories"));
        w.txtCatName->setText(QStringLiteral("Cards"));
        fx.startTrace();
        save(w, QStringLiteral("Categories"));
        trace = fx.stopTrace();
        QVERIFY2(
            inOrder(trace, {"Select CatLevel From Categories where catcode = 4",
                            "INSERT into Categories (catcode, CatName, CatLevel, Parent) values (5, 'Cards', 2, 4)"}),
            qPrintable(trace.join(u'\n')));
        QCOMPARE(rowOf(fx, "SELECT CatCode, CatName, CatLevel, Parent FROM Categories WHERE CatCode = 5"),
                 (QVariantList{5, "Cards", 2, 4}));
        QTreeWidgetItem* banks = fx.node(QStringLiteral("Banks"));
        QCOMPARE(w.tvCategories->currentItem(), banks);
        QVERIFY(banks->isExpanded());
        QCOMPARE(items::picture(banks), img1616::CurrentCategory);
        QCOMPARE(banks->childCount(), 1);

        // My Bank in Banks, the address left at its default.
        w.panel->NewWhat(QStringLiteral("Sites"));
        QCOMPARE(w.lblSiteCode->text(), QStringLiteral("1"));
        w.txtSiteName->setText(QStringLiteral("My Bank"));
        w.txtSiteDesc->setPlainText(QStringLiteral("Savings"));
        fx.startTrace();
        save(w, QStringLiteral("Sites"));
        trace = fx.stopTrace();
        QVERIFY2(inOrder(trace, {"Select * from urls where catcode =4 And sitecode =1",
                                 "INSERT into urls (catcode, sitecode, sitename, Rank, url, sitedesc) values "
                                 "(4, 1, 'My Bank', 0, 'http://', 'Savings')"}),
                 qPrintable(trace.join(u'\n')));
        QCOMPARE(writes(trace).size(), 1);
        QCOMPARE(rowOf(fx, "SELECT CatCode, SiteCode, SiteName, Rank, URL, SiteDesc FROM URLs"),
                 (QVariantList{4, 1, "My Bank", 0, "http://", "Savings"}));

        // Renaming Cards.
        w.panel->hide();
        fx.clickNode(QStringLiteral("Cards"));
        w.panel->EditWhat(QStringLiteral("Categories"));
        QCOMPARE(w.lblCatCode->text(), QStringLiteral("5"));
        w.txtCatName->setText(QStringLiteral("Credit Cards"));
        fx.prompter.answers.enqueue(Answer::Yes);
        fx.startTrace();
        save(w, QStringLiteral("Categories"));
        trace = fx.stopTrace();
        QCOMPARE(writes(trace), QStringList{"UpDate Categories Set catname = 'Credit Cards' where (catcode =5)"});
        QCOMPARE(rowOf(fx, "SELECT CatCode, CatName, CatLevel, Parent FROM Categories WHERE CatCode = 5"),
                 (QVariantList{5, "Credit Cards", 2, 4}));
        QVERIFY(!w.SSPanel1->isVisible());
        QTreeWidgetItem* renamed = fx.node(QStringLiteral("Credit Cards"));
        QVERIFY(renamed);
        QCOMPARE(w.tvCategories->currentItem(), renamed);
        QCOMPARE(items::picture(renamed), img1616::CurrentCategory);
    }

    void withThePanelHiddenNothingHappens()
    {
        Fixture fx;
        seed(fx);
        frmMain& w = openOnBank(fx);
        w.panel->NewWhat(QStringLiteral("Sites"));
        w.txtSiteName->setText(QStringLiteral("New"));
        w.panel->hide();
        fx.startTrace();
        for (const char* what : {"Categories", "Sites", "Passwords", ""})
            save(w, QLatin1String(what));
        QCOMPARE(fx.stopTrace(), QStringList());
        QCOMPARE(fx.prompter.shown.size(), 0);
    }

    void eachWarningStopsWithNothingWritten_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("category");
        QTest::addColumn<QString>("site");
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("message");
        const QString cat = QStringLiteral("Select category first.");
        QTest::newRow("entry: no category") << "Passwords"
                                            << ""
                                            << ""
                                            << ""
                                            << "" << cat;
        QTest::newRow("entry: blank category") << "Passwords"
                                               << "   "
                                               << "Bank"
                                               << "me"
                                               << "pw" << cat;
        QTest::newRow("entry: no site") << "Passwords"
                                        << "Banks"
                                        << " "
                                        << ""
                                        << ""
                                        << "Select site first.";
        QTest::newRow("entry: no user") << "Passwords"
                                        << "Banks"
                                        << "Bank"
                                        << "  "
                                        << "pw"
                                        << "Enter UserID and Password first.";
        QTest::newRow("entry: no password") << "Passwords"
                                            << "Banks"
                                            << "Bank"
                                            << "me"
                                            << ""
                                            << "Enter UserID and Password first.";
        QTest::newRow("entry: password of spaces") << "Passwords"
                                                   << "Banks"
                                                   << "Bank"
                                                   << "me"
                                                   << "     "
                                                   << "Enter UserID and Password first.";
        QTest::newRow("site: no category") << "Sites"
                                           << ""
                                           << ""
                                           << ""
                                           << "" << cat;
        QTest::newRow("site: no name") << "Sites"
                                       << "Banks"
                                       << "  "
                                       << ""
                                       << ""
                                       << "Enter site name first.";
        QTest::newRow("category: no name") << "Categories"
                                           << "   "
                                           << ""
                                           << ""
                                           << ""
                                           << "Enter category name first.";
    }

    void eachWarningStopsWithNothingWritten()
    {
        QFETCH(QString, kind);
        QFETCH(QString, category);
        QFETCH(QString, site);
        QFETCH(QString, user);
        QFETCH(QString, password);
        QFETCH(QString, message);
        Fixture fx;
        seed(fx);
        frmMain& w = openOnBank(fx);
        w.panel->NewWhat(QString(kind));
        w.txtCatName->setText(category);
        w.txtSiteName->setText(site);
        w.txtUserID->setText(user);
        w.txtPassword->setText(password);
        const QString before = dump(fx);
        const QString caption = w.SSPanel4->text();

        fx.startTrace();
        save(w, kind);
        QCOMPARE(writes(fx.stopTrace()), QStringList());
        QCOMPARE(fx.prompter.shown.size(), 1);
        QCOMPARE(fx.prompter.shown[0], (Prompt{message, frmMain::caption(), Prompt::Icon::Exclamation}));
        QCOMPARE(dump(fx), before);
        QVERIFY(w.SSPanel1->isVisible());
        QCOMPARE(w.SSPanel4->text(), caption);
        QCOMPARE(w.txtCatName->text(), category);
        QCOMPARE(w.txtSiteName->text(), site);
        QCOMPARE(w.txtPassword->text(), password);
    }

    void anExistingRecordIsUpdatedOnlyOnYes_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("yes");
        QTest::addColumn<bool>("addMode");
        QTest::addColumn<QString>("question");
        const QString pw = QStringLiteral("This password is found. Do you want to update it?");
        const QString site = QStringLiteral("This Site is found. Do you want to update it?");
        const QString cat = QStringLiteral("This category is found. Do you want to update it?");
        QTest::newRow("entry, yes, edit") << "Passwords" << true << false << pw;
        QTest::newRow("entry, no, add") << "Passwords" << false << true << pw;
        QTest::newRow("site, yes, add") << "Sites" << true << true << site;
        QTest::newRow("site, no, edit") << "Sites" << false << false << site;
        QTest::newRow("category, yes, edit") << "Categories" << true << false << cat;
        QTest::newRow("category, no, edit") << "Categories" << false << false << cat;
        QTest::newRow("category, no, add") << "Categories" << false << true << cat;
    }

    void anExistingRecordIsUpdatedOnlyOnYes()
    {
        QFETCH(QString, kind);
        QFETCH(bool, yes);
        QFETCH(bool, addMode);
        QFETCH(QString, question);
        Fixture fx;
        seed(fx);
        frmMain& w = openOnBank(fx);
        // The Add caption with the codes of a stored record: the lookup decides, the caption only the follow-up.
        w.panel->NewWhat(QString(kind));
        w.lblCatCode->setText(QStringLiteral("1"));
        w.lblSiteCode->setText(QStringLiteral("1"));
        w.lblSer->setText(QStringLiteral("1"));
        if (!addMode)
            w.SSPanel4->setText(QStringLiteral("[ Edit Record ]"));
        w.txtCatName->setText(QStringLiteral("  Money  "));
        w.txtSiteName->setText(QStringLiteral("Bank 2"));
        w.txtURL->setText(QStringLiteral("https://two.example"));
        w.txtSiteDesc->setPlainText(QStringLiteral("current"));
        w.txtUserID->setText(QStringLiteral("you"));
        w.txtPassword->setText(QStringLiteral(" n3w-pass "));
        w.txtPWDesc->setText(QStringLiteral("spare"));
        const QString before = dump(fx);
        fx.prompter.answers.enqueue(yes ? Answer::Yes : Answer::No);

        save(w, kind);
        QCOMPARE(fx.prompter.shown.size(), 1);
        QCOMPARE(fx.prompter.shown[0],
                 (Prompt{question, frmMain::caption(), Prompt::Icon::Question, Prompt::Buttons::YesNo}));
        if (!yes) {
            QCOMPARE(dump(fx), before);
        } else if (kind == u"Passwords") {
            QCOMPARE(rowOf(fx, "SELECT UserID, UserPW, PWDesc FROM PWs"),
                     (QVariantList{"you", CryptText(CryptMode::Enc, Key, QStringLiteral("n3w-pass")), "spare"}));
        } else if (kind == u"Sites") {
            QCOMPARE(rowOf(fx, "SELECT SiteName, URL, SiteDesc, Rank FROM URLs"),
                     (QVariantList{"Bank 2", "https://two.example", "current", 3}));
        } else {
            QCOMPARE(rowOf(fx, "SELECT CatName, CatLevel, Parent FROM Categories"), (QVariantList{"Money", 1, 0}));
        }
        QCOMPARE(fx.count(QStringLiteral("Categories")), 1);
        QCOMPARE(fx.count(QStringLiteral("URLs")), 1);
        QCOMPARE(fx.count(QStringLiteral("PWs")), 1);

        // The follow-up runs either way.
        QCOMPARE(w.SSPanel1->isVisible(), addMode);
        if (addMode) {
            QVERIFY(w.SSPanel4->text().startsWith(QStringLiteral("[ Add ")));
            const QLabel* code = kind == u"Passwords" ? w.lblSer : kind == u"Sites" ? w.lblSiteCode : w.lblCatCode;
            QCOMPARE(code->text(), QStringLiteral("2"));
        }
        if (kind == u"Categories") {
            // Yes selects the edited category; No leaves the remembered code 0, the root's.
            QTreeWidgetItem* expected = yes ? fx.node(QStringLiteral("Money")) : w.Nodes.at(1);
            QVERIFY(expected);
            QCOMPARE(w.tvCategories->currentItem(), expected);
            QVERIFY(expected->isExpanded() || expected->childCount() == 0);
        }
    }

    void afterAddingASiteThePanelWaitsForTheNext()
    {
        Fixture fx;
        seed(fx);
        frmMain& w = openOnBank(fx);
        w.panel->NewWhat(QStringLiteral("Sites"));
        QCOMPARE(w.lblSiteCode->text(), QStringLiteral("2"));
        w.txtSiteName->setText(QStringLiteral("Broker"));
        w.txtURL->setText(QStringLiteral("https://broker.example"));
        w.txtSiteDesc->setPlainText(QStringLiteral("shares"));
        save(w, w.CurWhat);
        QCOMPARE(fx.count(QStringLiteral("URLs")), 2);
        QCOMPARE(rowOf(fx, "SELECT SiteName, Rank FROM URLs WHERE SiteCode = 2"), (QVariantList{"Broker", 0}));
        QVERIFY(w.SSPanel1->isVisible());
        QCOMPARE(w.SSPanel4->text(), QStringLiteral("[ Add Site ]"));
        QCOMPARE(w.txtSiteName->text(), QString());
        QCOMPARE(w.txtURL->text(), QStringLiteral("http://"));
        QCOMPARE(w.txtSiteDesc->toPlainText(), QString());
        QCOMPARE(w.lblSiteCode->text(), QStringLiteral("3"));
        QCOMPARE(w.txtCatName->text(), QStringLiteral("Banks"));
        QTRY_VERIFY(w.txtSiteName->hasFocus());
        QCOMPARE(w.lvURLs->topLevelItemCount(), 2); // reloaded
    }

    void afterAnEditThePanelHides()
    {
        Fixture fx;
        seed(fx);
        frmMain& w = openOnBank(fx);
        w.panel->EditWhat(QStringLiteral("Sites"));
        QCOMPARE(w.SSPanel4->text(), QStringLiteral("[ Edit Site ]"));
        w.txtSiteName->setText(QStringLiteral("Renamed"));
        fx.prompter.answers.enqueue(Answer::Yes);
        save(w, QStringLiteral("Sites"));
        QVERIFY(!w.SSPanel1->isVisible());
        QCOMPARE(w.lvURLs->topLevelItem(0)->text(2), QStringLiteral("Renamed"));
        QCOMPARE(rowOf(fx, "SELECT SiteName, Rank FROM URLs"), (QVariantList{"Renamed", 3}));
    }

    void aNewCategoryCodeIsTakenAtSaveTime()
    {
        Fixture fx;
        seed(fx);
        frmMain& w = fx.open();
        w.panel->NewWhat(QStringLiteral("Categories"));
        QCOMPARE(w.lblCatCode->text(), QStringLiteral("2"));
        fx.addCategory(2, QStringLiteral("Meanwhile"), 1, 0);
        fx.addCategory(9, QStringLiteral("Later"), 1, 0);
        w.lblCatCode->setText(QStringLiteral("7")); // not stored: a new category, whatever the panel shows
        w.txtCatName->setText(QStringLiteral("Fresh"));
        save(w, QStringLiteral("Categories"));
        QCOMPARE(rowOf(fx, "SELECT CatCode, CatLevel, Parent FROM Categories WHERE CatName = 'Fresh'"),
                 (QVariantList{10, 1, 0}));
    }

    void textsAreStoredExactlyAsTyped_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");
        const auto same = [](const char* name, const QString& text) { QTest::newRow(name) << text << text; };
        same("apostrophe", QStringLiteral("O'Brien's"));
        same("double quotes", QStringLiteral("say \"hi\""));
        same("backslash", QStringLiteral("C:\\dir\\"));
        same("percent and underscore", QStringLiteral("100% _x_"));
        same("semicolon and comment", QStringLiteral("a; -- b"));
        same("Arabic", QStringLiteral("كلمة السر"));
        same("Chinese", QStringLiteral("密码很长的名字"));
        same("emoji", QStringLiteral("key \U0001F511 \U0001F600"));
        same("injection", QStringLiteral("Robert'); DROP TABLE URLs;--"));
        same("inner spaces and tab", QStringLiteral("a  b\tc"));
        QTest::newRow("outer spaces") << QStringLiteral("   padded  ") << QStringLiteral("padded");
    }

    void textsAreStoredExactlyAsTyped()
    {
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        Fixture fx;
        seed(fx);
        frmMain& w = openOnBank(fx);

        w.panel->NewWhat(QStringLiteral("Sites"));
        w.txtSiteName->setText(typed);
        w.txtURL->setText(typed);
        w.txtSiteDesc->setPlainText(typed);
        save(w, QStringLiteral("Sites"));
        QCOMPARE(fx.prompter.shown.size(), 0);
        QCOMPARE(rowOf(fx, "SELECT SiteName, URL, SiteDesc FROM URLs WHERE SiteCode = 2"),
                 (QVariantList{stored, stored, stored}));
        QTreeWidgetItem* row = nullptr;
        for (int i = 0; i < w.lvURLs->topLevelItemCount(); ++i) {
            if (items::tag(w.lvURLs->topLevelItem(i)) == u"2")
                row = w.lvURLs->topLevelItem(i);
        }
        QVERIFY(row);
        QCOMPARE(row->text(2), stored);
        QCOMPARE(row->text(3), stored);
        QCOMPARE(row->text(4), stored);

        w.panel->hide();
        fx.clickRow(w.lvURLs, w.lvURLs->indexOfTopLevelItem(row));
        // User ids and passwords hold at most 25 units (the boxes cut longer ones).
        const QString shortStored = stored.left(25);
        w.panel->NewWhat(QStringLiteral("Passwords"));
        QCOMPARE(w.SSPanel4->text(), QStringLiteral("[ Add Password ]"));
        w.txtUserID->setText(typed);
        w.txtPassword->setText(typed);
        w.txtPWDesc->setText(typed);
        save(w, QStringLiteral("Passwords"));
        QCOMPARE(fx.prompter.shown.size(), 0);
        const QVariantList entry = rowOf(fx, "SELECT UserID, UserPW, PWDesc FROM PWs WHERE SiteCode = 2");
        QCOMPARE(entry.value(0).toString(), shortStored);
        QCOMPARE(CryptText(CryptMode::Dec, Key, entry.value(1).toString()), shortStored);
        QCOMPARE(entry.value(2).toString(), stored);
        QCOMPARE(w.lvPasswords->topLevelItemCount(), 1);
        QCOMPARE(w.lvPasswords->topLevelItem(0)->text(0), shortStored);
        QCOMPARE(items::tag(w.lvPasswords->topLevelItem(0), 1), shortStored);
        QCOMPARE(w.lvPasswords->topLevelItem(0)->text(2), stored);

        w.panel->NewWhat(QStringLiteral("Categories"));
        w.txtCatName->setText(typed);
        save(w, QStringLiteral("Categories"));
        QCOMPARE(rowOf(fx, "SELECT CatName FROM Categories WHERE CatCode = 2"), QVariantList{stored});
        QVERIFY(fx.node(stored));
        QCOMPARE(fx.count(QStringLiteral("URLs")), 2); // the table is still there
    }

    void theLongestTextsRoundTrip()
    {
        Fixture fx;
        seed(fx);
        frmMain& w = openOnBank(fx);
        // Mixed units: CJK (one unit) and an emoji (two), filling each box to its very last unit.
        auto filled = [](int units) {
            QString text;
            while (text.size() + 3 <= units)
                text += QStringLiteral("中\U0001F511");
            while (text.size() < units)
                text += u'z';
            return text;
        };
        w.panel->NewWhat(QStringLiteral("Sites"));
        w.txtSiteName->setText(filled(200));
        w.txtURL->setText(filled(500));
        w.txtSiteDesc->setPlainText(filled(500));
        save(w, QStringLiteral("Sites"));
        QCOMPARE(rowOf(fx, "SELECT SiteName, URL, SiteDesc FROM URLs WHERE SiteCode = 2"),
                 (QVariantList{filled(200), filled(500), filled(500)}));

        w.panel->hide();
        for (int i = 0; i < w.lvURLs->topLevelItemCount(); ++i) {
            if (items::tag(w.lvURLs->topLevelItem(i)) == u"1")
                fx.clickRow(w.lvURLs, i);
        }
        w.panel->NewWhat(QStringLiteral("Passwords"));
        QCOMPARE(w.SSPanel4->text(), QStringLiteral("[ Add Password ]"));
        w.txtUserID->setText(filled(25));
        w.txtPassword->setText(filled(25));
        w.txtPWDesc->setText(filled(500));
        save(w, QStringLiteral("Passwords"));
        const QVariantList entry = rowOf(fx, "SELECT UserID, UserPW, PWDesc FROM PWs WHERE Ser = 2");
        QCOMPARE(entry.value(0).toString(), filled(25));
        QCOMPARE(entry.value(1).toString(), CryptText(CryptMode::Enc, Key, filled(25)));
        QCOMPARE(entry.value(2).toString(), filled(500));

        w.panel->NewWhat(QStringLiteral("Categories"));
        w.txtCatName->setText(filled(50));
        save(w, QStringLiteral("Categories"));
        QCOMPARE(rowOf(fx, "SELECT CatName FROM Categories WHERE CatCode = 2"), QVariantList{filled(50)});
        QCOMPARE(fx.prompter.shown.size(), 0);
    }

    void thePasswordIsStoredEncipheredUnderTheKeyInForce()
    {
        Fixture fx;
        seed(fx);
        frmMain& w = openOnBank(fx);
        w.panel->NewWhat(QStringLiteral("Passwords"));
        w.txtUserID->setText(QStringLiteral("alice"));
        w.txtPassword->setText(QStringLiteral("  pa55word!x  "));
        save(w, QStringLiteral("Passwords"));
        const QString plain = QStringLiteral("pa55word!x");
        const QString stored = rowOf(fx, "SELECT UserPW FROM PWs WHERE Ser = 2").value(0).toString();
        QCOMPARE(stored, CryptText(CryptMode::Enc, Key, plain));
        QVERIFY(stored != plain);

        auto shownPassword = [&w] {
            for (int i = 0; i < w.lvPasswords->topLevelItemCount(); ++i) {
                if (items::tag(w.lvPasswords->topLevelItem(i)) == u"2")
                    return items::tag(w.lvPasswords->topLevelItem(i), 1);
            }
            return QStringLiteral("<no row>");
        };
        QCOMPARE(shownPassword(), plain);

        w.panel->hide();
        w.txtPass->setText(QStringLiteral("271828"));
        fx.clickRow(w.lvURLs, 0);
        w.views->Load(QStringLiteral("Passwords"));
        const QString wrong = shownPassword();
        QVERIFY(wrong != plain);
        QString a = wrong, b = plain;
        std::sort(a.begin(), a.end());
        std::sort(b.begin(), b.end());
        QCOMPARE(a, b);

        w.txtPass->setText(Key);
        w.views->Load(QStringLiteral("Passwords"));
        QCOMPARE(shownPassword(), plain);
    }

    void aRejectedStatementWritesNothingAndKeepsThePanel_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::newRow("a 256th entry in one site") << "ser";
        QTest::newRow("a site code past 32 bits") << "site code";
        QTest::newRow("a category level above 255") << "level";
        QTest::newRow("a refused site insert") << "trigger";
        QTest::newRow("a refused category update") << "update";
        QTest::newRow("a refused new category") << "new category";
    }

    void aRejectedStatementWritesNothingAndKeepsThePanel()
    {
        QFETCH(QString, fault);
        Fixture fx;
        seed(fx);
        if (fault == u"ser")
            fx.addPassword(1, 1, 255, QStringLiteral("last"), QStringLiteral("x"));
        if (fault == u"level") {
            for (int level = 1; level <= 255; ++level)
                fx.addCategory(100 + level, QStringLiteral("L%1").arg(level), level, level == 1 ? 0 : 99 + level);
        }
        frmMain& w = openOnBank(fx);
        QString what;
        if (fault == u"ser") {
            what = QStringLiteral("Passwords");
            w.panel->NewWhat(what);
            QCOMPARE(w.lblSer->text(), QStringLiteral("256"));
            w.txtUserID->setText(QStringLiteral("one too many"));
            w.txtPassword->setText(QStringLiteral("pw"));
        } else if (fault == u"site code" || fault == u"trigger") {
            what = QStringLiteral("Sites");
            w.panel->NewWhat(what);
            if (fault == u"site code")
                w.lblSiteCode->setText(QStringLiteral("4294967296"));
            else
                fx.db().execute(QStringLiteral("CREATE TEMP TRIGGER refuse BEFORE INSERT ON URLs "
                                               "BEGIN SELECT RAISE(ABORT, 'refused'); END"));
            w.txtSiteName->setText(QStringLiteral("Broker"));
        } else if (fault == u"update") {
            what = QStringLiteral("Categories");
            fx.db().execute(QStringLiteral("CREATE TEMP TRIGGER refuse BEFORE UPDATE ON Categories "
                                           "BEGIN SELECT RAISE(ABORT, 'refused'); END"));
            w.panel->EditWhat(what);
            w.txtCatName->setText(QStringLiteral("Money"));
            fx.prompter.answers.enqueue(Answer::Yes);
        } else {
            what = QStringLiteral("Categories");
            if (fault == u"level") {
                QTreeWidgetItem* deepest = w.Nodes.byKey(QStringLiteral("Sub355"));
                QVERIFY(deepest);
                w.tvCategories->setCurrentItem(deepest);
                w.tree->NodeClick(deepest);
            } else {
                fx.db().execute(QStringLiteral("CREATE TEMP TRIGGER refuse BEFORE INSERT ON Categories "
                                               "BEGIN SELECT RAISE(ABORT, 'refused'); END"));
            }
            w.panel->NewWhat(what);
            w.txtCatName->setText(QStringLiteral("Too deep"));
        }
        const QString before = dump(fx);
        const QString caption = w.SSPanel4->text();
        const QStringList codes{w.lblCatCode->text(), w.lblSiteCode->text(), w.lblSer->text()};
        const QStringList texts{w.txtCatName->text(), w.txtSiteName->text(), w.txtUserID->text(),
                                w.txtPassword->text()};
        const int shownBefore = int(fx.prompter.shown.size());

        save(w, what);
        QCOMPARE(dump(fx), before);
        QVERIFY(fx.prompter.shown.size() > shownBefore);
        const Prompt& error = fx.prompter.shown.last();
        QCOMPARE(error.icon, Prompt::Icon::Stop);
        QCOMPARE(error.title, frmMain::caption());
        QVERIFY(!error.text.isEmpty());
        QVERIFY(w.SSPanel1->isVisible());
        QCOMPARE(w.SSPanel4->text(), caption);
        QCOMPARE((QStringList{w.lblCatCode->text(), w.lblSiteCode->text(), w.lblSer->text()}), codes);
        QCOMPARE((QStringList{w.txtCatName->text(), w.txtSiteName->text(), w.txtUserID->text(), w.txtPassword->text()}),
                 texts);
    }
};

DORVU_TEST_MAIN(TestSave)
#include "tst_save.moc"
