#include "cipher/CryptText.h"
#include "edit/EditCommands.h"
#include "edit/EditPanel.h"
#include "edit/RecordDeleter.h"
#include "edit/RecordSaver.h"
#include "platform/Pictures.h"
#include "support/Fixture.h"
#include "support/TestMain.h"
#include "views/CategoryTree.h"
#include "views/SitesList.h"
#include "views/ViewItems.h"
#include "views/ViewLoader.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTextCursor>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>

namespace {

const QString Key = QStringLiteral("314159"), Other = QStringLiteral("271828");

// Banks (1): Bank (1, rank 9) with alice (Ser 1), bob (2) and carol (5); Card (2, rank 5) with dave (9); Shop (5,
// rank 4) with frank (1); under Banks Sub (8) with a site, under Sub Leaf (9) with an entry of no site. Mail (2):
// Post (1, Bank's code) with eve (1) and fay (20), News (9). Games (5): none. Codes in use have gaps and larger
// ones elsewhere. A nameless site (3) comes first in Banks when asked for. The state to open in is
// "category clicked[/site clicked[/entry clicked, or else a site selected without a click ('-': none)]]".
frmMain& openIn(Fixture& fx, const QString& state, const QString& key = Key, bool nameless = false)
{
    fx.db().execute("INSERT INTO Categories VALUES (1, 'Banks', 1, 0), (2, 'Mail', 1, 0), (5, 'Games', 1, 0), "
                    "(8, 'Sub', 2, 1), (9, 'Leaf', 3, 8)");
    fx.db().execute("INSERT INTO URLs VALUES (1, 1, 9, 'Bank', 'https://bank.example', 'bank'), (1, 2, 5, 'Card', "
                    "'https://card.example', 'card'), (1, 5, 4, 'Shop', 'http://', NULL), (8, 7, 0, 'sub', '', NULL), "
                    "(2, 1, 0, 'Post', '', NULL), (2, 9, 0, 'News', 'https://news.example', 'news')");
    fx.db().execute("INSERT INTO PWs VALUES (1, 1, 1, 'alice', ?1, 'main'), (1, 1, 2, 'bob', ?2, 'main'), (1, 1, 5, "
                    "'carol', ?1, NULL), (1, 2, 9, 'dave', ?1, NULL), (1, 5, 1, 'frank', ?1, NULL), (8, 7, 1, 'sub', "
                    "?1, NULL), (9, 4, 1, 'stray', ?1, NULL), (2, 1, 1, 'eve', ?1, NULL), (2, 1, 20, 'fay', ?1, NULL)",
                    {CryptText(CryptMode::Enc, Key, "pw"), CryptText(CryptMode::Enc, Key, "p\U0001F511")});
    if (nameless)
        fx.addSite(1, 3, QStringLiteral("   "));
    frmMain& w = fx.open();
    w.txtPass->setText(key);
    const QStringList path = state.split(u'/');
    fx.clickNode(path[0]);
    if (path.size() > 1)
        fx.clickRow(w.lvURLs, list::rowWith(w.lvURLs, 2, path[1]));
    if (path.size() > 2 && list::rowWith(w.lvPasswords, 0, path[2]) >= 0)
        fx.clickRow(w.lvPasswords, list::rowWith(w.lvPasswords, 0, path[2]));
    else if (path.size() > 2)
        list::select(w.lvURLs, list::rowWith(w.lvURLs, 2, path[2]));
    return w;
}

QString panelState(const frmMain& w)
{
    return QStringList{w.txtCatName->text(),  w.lblCatCode->text(), w.txtSiteName->text(),
                       w.lblSiteCode->text(), w.txtURL->text(),     w.txtSiteDesc->toPlainText(),
                       w.txtUserID->text(),   w.lblSer->text(),     w.txtPassword->text(),
                       w.lblPL->text(),       w.txtPWDesc->text(),  w.SSPanel4->text()}
        .join(u'|');
}

// The current category, the selected site and entry, and the number of ticked sites.
QString views(const frmMain& w)
{
    return QStringList{
        w.categoryModel.name(w.tvCategories->currentIndex()), list::text(w.lvURLs, list::selected(w.lvURLs), 2),
        list::text(w.lvPasswords, list::selected(w.lvPasswords), 0), QString::number(w.sitesModel.checkedRows().size())}
        .join(u'/');
}

QString rowOf(Fixture& fx, const QString& start)
{
    return fx.dump().split(u'\n').filter(start).value(0);
}

// The store as dumped before, less the rows matching a pattern (each row reads "Table:CatCode|SiteCode|...").
QString without(const QString& dump, const QString& pattern)
{
    QStringList rows = dump.split(u'\n');
    rows.removeIf([&pattern](const QString& row) { return QRegularExpression(u'^' + pattern).match(row).hasMatch(); });
    return pattern.isEmpty() ? dump : rows.join(u'\n');
}

void verifyMoving(const frmMain& w, bool moving)
{
    QCOMPARE(w.Buttons[9]->isChecked(), moving);
    QCOMPARE(w.Buttons[9]->text(), moving ? "Paste" : "Move");
}

struct Route {
    QString state;
    What curWhat;
    QString command, shown; // the panel (see panelState), or else the one warning
    QString focus;
};
struct Save {
    QString state;
    What what;
    QString typed;    // pasted into every box of the kind; or else "category|site|user id|password" typed
    QString expected; // the new row, %1.. its texts; or else the one message
    QString sql = {}; // run first
};
struct Deletion {
    What what;
    QString state;
    QList<int> ticked;
    QString prompt, gone; // the name asked about ('*': the ticked sites) or a warning; the rows deleted (see without)
    QString after, focus = {}; // see views; the focus is not checked when empty
};

} // namespace

Q_DECLARE_METATYPE(Route)
Q_DECLARE_METATYPE(Save)
Q_DECLARE_METATYPE(Deletion)

class TestCommands : public QObject {
    Q_OBJECT

private slots:
    void theCommandsPrepareThePanel_data()
    {
        QTest::addColumn<Route>("r");
        const QString cat = "|10|||http://|||||||[ Add Category ]", site = "|http://|||||||[ Add Site ]";
        const QString bank = "Banks|1|Bank|1|https://bank.example|bank|", games = "Games|5||1" + site;
        const QString banks = "Banks|1||6" + site, add = "|6||||[ Add Password ]", sel = "Select category first.";
        const char *root = "Categories", *tree = "tvCategories", *name = "txtSiteName", *user = "txtUserID";
        const char *normal = "txtNormal", *b = "Banks/Bank";
        const What pw = What::Passwords, c = What::Categories, s = What::Sites, none = What::None;
        QTest::newRow("none: add") << Route{"Banks", none, "Add", "", normal};
        QTest::newRow("none: edit") << Route{"Banks", none, "Edit", "", normal};
        QTest::newRow("categories: add") << Route{root, c, "Add", cat, "txtCatName"};
        QTest::newRow("sites: add at the root") << Route{root, s, "Add", "You can not add sites here.", tree};
        QTest::newRow("sites: add in Banks") << Route{"Banks", s, "Add", banks, name};
        QTest::newRow("passwords: add at the root") << Route{root, pw, "Add", cat, "txtCatName"};
        QTest::newRow("passwords: add without sites") << Route{"Games", pw, "Add", games, name};
        QTest::newRow("passwords: add on the site") << Route{b, pw, "Add", bank + add, user};
        QTest::newRow("passwords: add, other site") << Route{"Banks/Bank/Card", pw, "Add", banks, name};
        QTest::newRow("passwords: add, no site") << Route{"Banks/Bank/-", pw, "Add", banks, name};
        QTest::newRow("categories: edit the root") << Route{root, c, "Edit", "You can not edit this item.", normal};
        const QString edit = "Banks|1|||http://|||||||[ Edit Category ]";
        QTest::newRow("categories: edit Banks") << Route{"Banks", c, "Edit", edit, "txtCatName"};
        QTest::newRow("categories: edit Banks, declined") << Route{"Banks", c, "Edit", edit, "txtCatName"};
        QTest::newRow("sites: edit at the root") << Route{root, s, "Edit", sel, tree};
        QTest::newRow("sites: edit Card")
            << Route{"Banks/Card", s, "Edit", "Banks|1|Card|2|https://card.example|card||||||[ Edit Site ]", name};
        QTest::newRow("sites: edit an empty list") << Route{"Games", s, "Edit", games, name};
        QTest::newRow("sites: edit, no site") << Route{"Banks/Bank/-", s, "Edit", banks, name};
        QTest::newRow("passwords: edit at the root") << Route{root, pw, "Edit", sel, tree};
        QTest::newRow("passwords: edit without sites") << Route{"Games", pw, "Edit", games, name};
        QTest::newRow("passwords: edit, other site") << Route{"Banks/Bank/Card", pw, "Edit", banks, name};
        QTest::newRow("passwords: edit, no entries")
            << Route{"Mail/News", pw, "Edit", "Mail|2|News|9|https://news.example|news||1||||[ Add Password ]", user};
        QTest::newRow("passwords: edit, no entry") << Route{b, pw, "Edit", bank + add, user};
        QTest::newRow("passwords: edit bob")
            << Route{"Banks/Bank/bob", pw, "Edit", bank + "bob|2|p\U0001F511|3|main|[ Edit Password ]", user};
    }

    void theCommandsPrepareThePanel()
    {
        QFETCH(Route, r);
        Fixture fx;
        frmMain& w = openIn(fx, r.state);
        w.txtNormal->setFocus();
        QTRY_VERIFY(w.txtNormal->hasFocus());
        fx.prompter.shown.clear();
        w.state.CurWhat = r.curWhat;
        if (r.command == u"Add")
            w.commands->sbAdd();
        else
            w.commands->sbEdit();
        QTRY_COMPARE(QApplication::focusWidget()->objectName(), r.focus);
        const bool open = r.shown.endsWith(u']');
        const Prompt warning{r.shown, frmMain::caption(), Prompt::Icon::Exclamation};
        QCOMPARE(fx.prompter.shown, open || r.shown.isEmpty() ? QList<Prompt>() : QList<Prompt>{warning});
        QCOMPARE(w.SSPanel1->isVisible(), open);
        if (!open)
            return;
        QCOMPARE(panelState(w), r.shown);
        const int k = r.focus == u"txtCatName" ? 0 : r.focus == u"txtSiteName" ? 1 : 2;
        const QList<QWidget*> boxes{w.txtCatName, w.txtSiteName, w.txtURL,   w.txtSiteDesc,
                                    w.txtUserID,  w.txtPassword, w.txtPWDesc};
        for (int i = 0; i < boxes.size(); ++i) // only the prepared kind's boxes take input
            QCOMPARE(boxes[i]->isEnabled(), (i == 0 ? 0 : i < 4 ? 1 : 2) == k);
        QCOMPARE(int(w.state.CurWhat), k + 1);
        if (k == 1) { // the address is selected on entry, so typing replaces it
            w.txtURL->setFocus();
            QTRY_COMPARE(w.txtURL->selectedText(), w.txtURL->text());
        }
        // Every way of closing gives the focus back to the kind's view: Save after an edit, X, or Esc. Saving an
        // edit updates the record on Yes only: a site keeps its rank, an entry is enciphered under the key.
        if (r.shown.contains(u"Edit")) {
            const bool yes = !QByteArray(QTest::currentDataTag()).contains("declined");
            const QString before = fx.dump();
            QList<QLineEdit*>{w.txtCatName, w.txtSiteName, w.txtUserID}[k]->setText(QStringLiteral("  Changed "));
            w.txtPassword->setText(QStringLiteral(" n3w-pass "));
            fx.prompter.answers.enqueue(yes ? Answer::Yes : Answer::No);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier);
            const Prompt asked{"This " + QStringList{"category", "Site", "password"}[k] +
                                   " is found. Do you want to update it?",
                               frmMain::caption(), Prompt::Icon::Question, Prompt::Buttons::YesNo};
            QCOMPARE(fx.prompter.shown, QList<Prompt>{asked});
            const QString pw = CryptText(CryptMode::Enc, Key, QStringLiteral("n3w-pass"));
            const QStringList stored{"Categories:1|Changed|1|0", "URLs:1|2|5|Changed|https://card.example|card",
                                     "PWs:1|1|2|Changed|" + pw + "|main"};
            QCOMPARE(rowOf(fx, stored[k].section(u'|', 0, k) + u'|'), yes ? stored[k] : "Categories:1|Banks|1|0");
            QCOMPARE(fx.dump() == before, !yes);
            QCOMPARE(fx.dump().count(u'\n'), before.count(u'\n'));
            if (k == 0) // Yes selects the edited category; No leaves the remembered code 0, the root's
                QCOMPARE(w.tvCategories->currentIndex(), yes ? fx.node("Changed") : w.categoryModel.root());
        } else if (k == 1) {
            QTest::mouseClick(w.cmdX, Qt::LeftButton);
        } else {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        }
        QVERIFY(!w.SSPanel1->isVisible());
        QTRY_COMPARE(QApplication::focusWidget(), (QList<QWidget*>{w.tvCategories, w.lvURLs, w.lvPasswords}[k]));
    }

    void savingStoresTheRecordOrSaysWhy_data()
    {
        QTest::addColumn<Save>("r");
        const What c = What::Categories, s = What::Sites, p = What::Passwords;
        // Each box keeps whole characters up to its length: the longest texts are cut in an emoji. An entry is
        // enciphered under the key in force, not the one at the start, and parts the surrogates of its password.
        const QString longest = "a" + QStringLiteral("中\U0001F511zz").repeated(100);
        const QString quotes = QStringLiteral("  O'Brien'); --\ta  b "), site = "URLs:1|6|0|%1|%2|%3";
        const QString entry = "PWs:1|1|6|%1|%2|%3", pair = "Enter UserID and Password first.";
        QTest::newRow("category at the top") << Save{"Categories", c, quotes, "Categories:10|%1|1|0"};
        QTest::newRow("category under Banks") << Save{"Banks", c, longest, "Categories:10|%1|2|1"};
        // A category's code is taken when saving: another came meanwhile, and the panel's is stale.
        QTest::newRow("category, another meanwhile") << Save{"Categories", c, "New", "Categories:11|%1|1|0"};
        QTest::newRow("site, the longest texts") << Save{"Banks", s, longest, site};
        QTest::newRow("site, quotes") << Save{"Banks", s, quotes, site};
        QTest::newRow("entry, the longest texts") << Save{"Banks/Bank", p, longest, entry};
        QTest::newRow("entry, quotes") << Save{"Banks/Bank", p, quotes, entry};
        // Refused: the checks in order, the first empty box speaks; a full scope is said before the panel opens.
        QTest::newRow("entry: nothing") << Save{"Banks/Bank", p, "|||", "Select category first."};
        QTest::newRow("entry: no site") << Save{"Banks/Bank", p, "Banks| ||", "Select site first."};
        QTest::newRow("entry: no user") << Save{"Banks/Bank", p, "Banks|Bank|  |pw", pair};
        QTest::newRow("entry: password of spaces") << Save{"Banks/Bank", p, "Banks|Bank|me|     ", pair};
        QTest::newRow("site: no name") << Save{"Banks", s, "Banks|  ||", "Enter site name first."};
        QTest::newRow("category: no name") << Save{"Banks", c, "   |||", "Enter category name first."};
        QTest::newRow("entry: five key digits")
            << Save{"Banks/Bank", p, "a|b|c|d", "Enter the UnLock-Key first\r\nand must be 6 digits in length."};
        QTest::newRow("a category level above 255")
            << Save{"Banks", c, "a|||", "Categories can be nested at most 255 levels deep.",
                    "WITH RECURSIVE c(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM c WHERE n < 255) INSERT INTO "
                    "Categories SELECT 100 + n, 'L' || n, n, iif(n = 1, 0, 99 + n) FROM c"};
        QTest::newRow("a 256th entry in one site")
            << Save{"Banks/Bank", p, "|||", "A site can hold at most 255 entries.",
                    "INSERT INTO PWs VALUES (1, 1, 255, 'last', 'x', NULL)"};
        QTest::newRow("a site code past 32 bits") << Save{"Banks", s, "|||", "This category can hold no more sites.",
                                                          "INSERT INTO URLs VALUES (1, 2147483647, 0, 'L', '', '')"};
        QTest::newRow("a category code past 32 bits")
            << Save{"Banks", c, "|||", "No more categories can be added to this database.",
                    "INSERT INTO Categories VALUES (2147483647, 'L', 1, 0)"};
    }

    void savingStoresTheRecordOrSaysWhy()
    {
        QFETCH(Save, r);
        const bool stored = r.expected.contains(u'%'), deep = r.expected.contains(u"levels");
        Fixture fx;
        frmMain& w = openIn(fx, r.state, r.expected.contains(u"UnLock") ? "31415" : stored ? Other : Key);
        if (!r.sql.isEmpty())
            fx.db().execute(r.sql);
        if (deep) {
            w.views->Load(What::Categories);
            w.tvCategories->setCurrentIndex(fx.node(QStringLiteral("L255")));
            w.tree->NodeClick(fx.node(QStringLiteral("L255")));
        }
        const QString before = fx.dump();
        const int k = int(r.what) - 1;
        const QList<QList<QWidget*>> boxes{
            {w.txtCatName}, {w.txtSiteName, w.txtURL, w.txtSiteDesc}, {w.txtUserID, w.txtPassword, w.txtPWDesc}};
        w.panel->NewWhat(r.what);
        if (r.typed == u"New") {
            fx.addCategory(10, QStringLiteral("Later"), 1, 0);
            w.state.setCatCode(12);
        }
        QApplication::clipboard()->setText(r.typed);
        for (QWidget* box : boxes[k]) { // pasted between two "!": what does not fit is cut where it came in
            const char* text = qobject_cast<QLineEdit*>(box) ? "text" : "plainText";
            box->setProperty(text, QStringLiteral("!!"));
            QTest::keyClick(box, Qt::Key_Home);
            QTest::keyClick(box, Qt::Key_Right);
            QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
            QCOMPARE(box->inputMethodQuery(Qt::ImCursorPosition).toInt(), box->property(text).toString().size() - 1);
        }
        const QList<QLineEdit*> edits{w.txtCatName, w.txtSiteName, w.txtUserID, w.txtPassword};
        for (int i = 0; !stored && i < edits.size(); ++i)
            edits[i]->setText(r.typed.section(u'|', i, i));
        const QString shown = panelState(w);
        w.saver->SaveWhat(r.what);
        if (!stored) { // nothing written, and the panel kept to be put right
            QCOMPARE(panelState(w), shown);
            QCOMPARE(w.SSPanel1->isVisible(), r.sql.isEmpty() || deep);
            QCOMPARE(fx.dump(), before);
            QCOMPARE(fx.prompter.shown, (QList<Prompt>{{r.expected, frmMain::caption(), Prompt::Icon::Exclamation}}));
            return;
        }
        const auto kept = [&r](int n) { return u'!' + r.typed.left(n < r.typed.size() + 2 ? n - 3 : n) + u'!'; };
        QCOMPARE(rowOf(fx, r.expected.section(u'|', 0, k) + u'|'),
                 k == 0   ? r.expected.arg(kept(50))
                 : k == 1 ? r.expected.arg(kept(200), kept(500), kept(500))
                          : r.expected.arg(kept(25), CryptText(CryptMode::Enc, Other, kept(25)), kept(500)));
        const QModelIndex parent = fx.node(r.state.section(u'/', 0, 0));
        QCOMPARE(w.tvCategories->currentIndex(), parent);
        if (k == 0)
            QVERIFY(w.tvCategories->isExpanded(parent) && fx.node(kept(50)).parent() == parent);
        else
            QVERIFY(list::rowWith(k == 1 ? w.lvURLs : w.lvPasswords, k == 1 ? 2 : 0, kept(k == 1 ? 200 : 25)) >= 0);
        QCOMPARE(w.SSPanel4->text(), QStringList({"[ Add Category ]", "[ Add Site ]", "[ Add Password ]"})[k]);
        QCOMPARE((QList<QLabel*>{w.lblCatCode, w.lblSiteCode, w.lblSer}[k]->text()),
                 QString::number(r.expected.section(u'|', k, k).section(u':', -1).toInt() + 1));
        QTRY_VERIFY(boxes[k][0]->hasFocus());
        w.txtSiteDesc->setPlainText(QStringLiteral("end")); // pasted at the start: what follows is kept
        w.txtSiteDesc->moveCursor(QTextCursor::Start);
        w.txtSiteDesc->paste();
        const QString description = w.txtSiteDesc->toPlainText();
        QVERIFY(description.size() <= 500 && description.startsWith(r.typed.left(9)) && description.endsWith("end"));
    }

    void aDeleteRemovesItsRowsAfterAsking_data()
    {
        QTest::addColumn<Deletion>("d");
        const What c = What::Categories, s = What::Sites, p = What::Passwords;
        const char *tree = "tvCategories", *urls = "lvURLs", *list = "lvPasswords", *bob = "Banks/Bank/bob";
        const QString sites = "(URLs|PWs):1\\|", card = "Banks/Card//0", same = "Banks/Bank/bob/2";
        // A category goes with its subtree, and its parent is shown as if clicked.
        QTest::newRow("a top category") << Deletion{c, "Banks", {}, "Banks", "\\w+:[189]\\|", "Categories///0", tree};
        QTest::newRow("a nested category") << Deletion{c, "Sub", {}, "Sub", "\\w+:[89]\\|", "Banks/Bank//0", tree};
        QTest::newRow("the root") << Deletion{c, "Categories", {}, "Categories", "\\w+:", "Categories///0", tree};
        // The ticked sites, or else the selected one; the selection goes to the next row left, or the one before.
        QTest::newRow("two of three ticked") << Deletion{s, "Banks/Card", {0, 2}, "*", sites + "[15]\\|", card, urls};
        QTest::newRow("one ticked") << Deletion{s, "Banks/Bank", {1}, "Card", sites + "2\\|", "Banks/Bank//0", urls};
        // Mail holds a site of the same code, and Post an entry of the same Ser.
        QTest::newRow("none ticked") << Deletion{s, "Banks/Bank", {}, "Bank", sites + "1\\|", card, urls};
        QTest::newRow("the last row") << Deletion{s, "Banks/Shop", {}, "Shop", sites + "5\\|", card, urls};
        QTest::newRow("every row") << Deletion{s, "Banks/Bank", {0, 1, 2}, "*", sites + "[125]\\|", "Banks///0", tree};
        const QString pws = "PWs:1\\|", toBob = "Banks/Bank/bob/0";
        QTest::newRow("the first entry") << Deletion{p, "Banks/Bank/alice", {}, "alice", pws + "1\\|1\\|", toBob, list};
        QTest::newRow("the last entry") << Deletion{p, "Banks/Bank/carol", {}, "carol", pws + "1\\|5\\|", toBob, list};
        // The site stays selected, and the focus goes to the sites.
        QTest::newRow("the only entry")
            << Deletion{p, "Banks/Shop/frank", {}, "frank", pws + "5\\|", "Banks/Shop//0", urls};
        // Refused or declined: nothing changes.
        for (What what : {c, s, p})
            QTest::addRow("edit panel open, %d", int(what)) << Deletion{what, bob, {1, 2}, "", "", same, "txtSiteName"};
        QTest::newRow("nameless selected row, others ticked")
            << Deletion{s, "Banks/   ", {1, 2}, "Select Site from the list first!", "", "Banks/   //2", urls};
        QTest::newRow("declined category") << Deletion{c, bob, {1, 2}, "Banks", "", same, list};
        QTest::newRow("declined sites") << Deletion{s, bob, {1, 2}, "*", "", same, list};
        QTest::newRow("declined entry") << Deletion{p, bob, {1, 2}, "bob", "", same, list};
    }

    void aDeleteRemovesItsRowsAfterAsking()
    {
        QFETCH(Deletion, d);
        const QByteArray tag = QTest::currentDataTag();
        Fixture fx;
        frmMain& w = openIn(fx, d.state, Key, d.state.contains(u"   "));
        for (int row : d.ticked)
            list::setCheckState(w.lvURLs, row, Qt::Checked);
        if (tag.startsWith("edit panel"))
            w.panel->NewWhat(What::Sites);
        const QString before = fx.dump();
        fx.prompter.answers.enqueue(tag.startsWith("declined") ? Answer::No : Answer::Yes);
        w.deleter->DeleteWhat(d.what);
        const int k = int(d.what) - 1;
        const QStringList tails{"\r\n\r\nand all it's subcategories incloding sites and passwords ?",
                                "\r\n\r\nand all passwords related to it ?", ""};
        const QString question = d.prompt == u"*"
                                     ? "Do you want to delete selected sites\r\n\r\nand all passwords related to them ?"
                                     : "Do you want to delete this " + QStringList{"category", "Site", "UserID ?"}[k] +
                                           "\r\n\r\n[ " + d.prompt + " ]" + tails[k];
        const bool warning = d.prompt.endsWith(u'!');
        const Prompt asked{warning ? d.prompt : question, QStringLiteral("Delete Confirmation"),
                           Prompt::Icon::Exclamation, warning ? Prompt::Buttons::Ok : Prompt::Buttons::YesNo};
        QCOMPARE(fx.prompter.shown, d.prompt.isEmpty() ? QList<Prompt>() : QList<Prompt>{asked});
        QCOMPARE(fx.dump(), without(before, d.gone));
        const QModelIndex current = w.tvCategories->currentIndex();
        QCOMPARE(w.categoryModel.nodeCount(), fx.count(QStringLiteral("Categories")) + 1);
        QCOMPARE(pictureOf(current), w.categoryModel.isRoot(current) ? img1616::Root : img1616::CurrentCategory);
        const QString sites = "SELECT group_concat(SiteName, '/') FROM (SELECT SiteName FROM URLs WHERE CatCode = ? "
                              "ORDER BY SiteName COLLATE NOCASE)";
        QCOMPARE(list::column(w.lvURLs, 2).join(u'/'),
                 fx.db().scalar(sites, {w.categoryModel.code(current)}).toString());
        QCOMPARE(w.sURLsCount->text(), QStringLiteral("%1 Site(s)").arg(list::rows(w.lvURLs)));
        QCOMPARE(views(w), d.after);
        if (!d.focus.isEmpty())
            QTRY_COMPARE(QApplication::focusWidget()->objectName(), d.focus);
    }

    void aStarChangesTheRankAndReloads_data()
    {
        QTest::addColumn<bool>("raise");
        QTest::addColumn<QString>("state");
        QTest::addColumn<QStringList>("shown"); // the list afterwards, "name:rank"
        QTest::newRow("9 raised: the others get two digits")
            << true << "Banks/Bank" << QStringList{"Bank:10", "Card:05", "Shop:04"};
        QTest::newRow("5 lowered") << false << "Banks/Card" << QStringList{"Bank:9", "Card:4", "Shop:4"};
        QTest::newRow("0 lowered") << false << "Mail/Post" << QStringList{"News:", "Post:"};
        // Raised to Card's rank, Shop comes after it: the same site is selected again in its new place.
        QTest::newRow("sorted by rank") << true << "Banks/Shop" << QStringList{"Card:5", "Shop:5", "Bank:9"};
        QTest::newRow("a nameless row") << true << "Banks/   " << QStringList{"   :", "Bank:9", "Card:5", "Shop:4"};
        QTest::newRow("an empty list") << false << "Categories" << QStringList{};
    }

    void aStarChangesTheRankAndReloads()
    {
        QFETCH(bool, raise);
        QFETCH(QString, state);
        QFETCH(QStringList, shown);
        Fixture fx;
        frmMain& w = openIn(fx, state, Key, state.contains(u"   "));
        if (QByteArray(QTest::currentDataTag()).startsWith("sorted")) {
            w.sites->HeaderClick(2);
            fx.clickRow(w.lvURLs, list::rowWith(w.lvURLs, 2, QStringLiteral("Shop")));
        }
        const QString before = fx.dump(), site = state.section(u'/', 1);
        w.Buttons[raise ? 6 : 7]->trigger();
        QStringList ranks;
        for (int row = 0; row < list::rows(w.lvURLs); ++row)
            ranks << list::text(w.lvURLs, row, 2) + u':' + list::text(w.lvURLs, row, 1);
        QCOMPARE(ranks, shown);
        if (site.trimmed().isEmpty()) {
            QCOMPARE(fx.dump(), before);
            return;
        }
        // Reloaded; the same site is selected again and clicked: its entries are on show.
        const int row = list::selected(w.lvURLs);
        QCOMPARE(list::text(w.lvURLs, row, 2), site);
        QCOMPARE(fx.db().scalar("SELECT Rank FROM URLs WHERE SiteName = ?", {site}).toInt(),
                 shown[row].section(u':', 1).toInt());
        QVERIFY(list::rows(w.lvPasswords) > 0);
    }

    void moveBringsThePickedSitesWithTheirEntries_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<int>("first"); // the new code of the first site picked
        QTest::newRow("above the highest code 9") << "Mail" << 10;
        QTest::newRow("into an empty category") << "Games" << 1;
        QTest::newRow("back into the source, above its highest") << "Banks" << 6;
    }

    void moveBringsThePickedSitesWithTheirEntries()
    {
        QFETCH(QString, target);
        QFETCH(int, first);
        Fixture fx;
        frmMain& w = openIn(fx, QStringLiteral("Banks/Bank")); // picked with Shop: its entries leave the view too
        w.Buttons[9]->trigger();                               // nothing ticked: nothing picked
        verifyMoving(w, false);
        for (int row : {0, 2})
            list::setCheckState(w.lvURLs, row, Qt::Checked);
        w.panel->NewWhat(What::Sites); // nor while the panel is open
        w.Buttons[9]->trigger();
        verifyMoving(w, false);
        QCOMPARE(list::rows(w.lvURLs), 3);
        w.panel->close();
        const QString before = fx.dump();
        w.Buttons[9]->trigger();
        QCOMPARE(list::column(w.lvURLs, 2), QStringList{"Card"});
        QCOMPARE(w.sURLsCount->text(), QStringLiteral("1 Site(s)"));
        QCOMPARE(list::rows(w.lvPasswords), 0);
        verifyMoving(w, true);
        // While moving only Move and Exit act (About would wait for a click); Exit ends the main loop at once.
        fx.clickRow(w.lvURLs, 0);
        for (int index : {1, 2, 3, 4, 6, 7, 11, 13, 15})
            w.Buttons[index]->trigger();
        EditCommands& commands = *w.commands;
        commands.sbAdd();
        commands.sbEdit();
        commands.sbSave();
        commands.sbDelete();
        QCOMPARE(fx.prompter.texts(), QStringList(9, QStringLiteral("You can not do that while moving sites")) +
                                          QStringList(4, QStringLiteral("You can not do this while you moving sites")));
        QVERIFY(!w.SSPanel1->isVisible() && fx.shell.addresses.isEmpty() && fx.clipboard.clears == 0);
        QTimer::singleShot(0, w.Buttons[17], &QAction::trigger);
        QCOMPARE(QCoreApplication::exec(), 0);
        QCOMPARE(fx.dump(), before);
        fx.clickNode(target);
        w.Buttons[9]->trigger();
        // Exactly the picked sites, in list order under new codes, each entry keeping its Ser and all else.
        QStringList moved = before.split(u'\n'), after = fx.dump().split(u'\n');
        const QString T = QString::number(w.categoryModel.code(fx.node(target)));
        for (int i : {0, 1}) // Bank, whose code Post has too, then Shop
            moved.replaceInStrings(QRegularExpression(QStringLiteral("^(URLs|PWs):1\\|%1\\|").arg(i ? 5 : 1)),
                                   QStringLiteral("\\1:%1|%2|").arg(T).arg(first + i));
        moved.sort();
        after.sort();
        QCOMPARE(after, moved);
        verifyMoving(w, false);
        QCOMPARE(w.tvCategories->currentIndex(), fx.node(target));
        QVERIFY(list::column(w.lvURLs, 2).contains(QStringLiteral("Shop")));
    }
};

DORVU_TEST_MAIN(TestCommands)
#include "tst_commands.moc"
