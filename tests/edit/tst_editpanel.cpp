#include "edit/EditPanel.h"
#include "support/Fixture.h"
#include "support/TestMain.h"
#include "views/ViewItems.h"
#include "views/ViewLoader.h"

#include <QApplication>
#include <QClipboard>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTreeView>
#include <string_view>

using namespace std::string_view_literals;

namespace {

int site(frmMain& w, const QString& name)
{
    return list::rowWith(w.lvURLs, 2, name);
}

// Every box and code of the panel in tab order, joined by '|'.
QString panelState(const frmMain& w)
{
    return QStringList{w.txtCatName->text(),  w.lblCatCode->text(), w.txtSiteName->text(),
                       w.lblSiteCode->text(), w.txtURL->text(),     w.txtSiteDesc->toPlainText(),
                       w.txtUserID->text(),   w.lblSer->text(),     w.txtPassword->text(),
                       w.lblPL->text(),       w.txtPWDesc->text()}
        .join(u'|');
}

} // namespace

class TestEditPanel : public QObject {
    Q_OBJECT

private slots:
    void newCodesAreTheLargestInTheirScopePlusOne()
    {
        Fixture fx;
        frmMain& w = fx.open();
        const auto next = [&w](const char* what) {
            w.panel->NewWhat(whatNamed(QString::fromLatin1(what)));
            return (what == "Categories"sv ? w.lblCatCode : what == "Sites"sv ? w.lblSiteCode : w.lblSer)->text();
        };
        QCOMPARE(next("Categories"), QStringLiteral("1"));
        for (int code : {1, 2, 5})
            fx.addCategory(code, QStringLiteral("C%1").arg(code), 1, 0);
        QCOMPARE(next("Categories"), QStringLiteral("6"));
        fx.addCategory(6, QStringLiteral("C6"), 1, 0);
        QCOMPARE(next("Categories"), QStringLiteral("7"));
        fx.db().execute(QStringLiteral("DELETE FROM Categories WHERE CatCode = 6"));
        QCOMPARE(next("Categories"), QStringLiteral("6"));

        // Sites count within their category, entries within their site: larger codes elsewhere do not count.
        w.panel->hide();
        w.views->Load(What::Categories);
        fx.addSite(2, 50, QStringLiteral("Elsewhere"));
        fx.addSite(2, 1, QStringLiteral("Twin"));
        fx.addPassword(2, 1, 200, QStringLiteral("other"), QStringLiteral("x"));
        fx.addSite(1, 1, QStringLiteral("One"));
        fx.clickNode(QStringLiteral("C5"));
        QCOMPARE(next("Sites"), QStringLiteral("1"));
        fx.clickNode(QStringLiteral("C1"));
        fx.addSite(1, 4, QStringLiteral("Four"));
        fx.addPassword(1, 4, 100, QStringLiteral("other"), QStringLiteral("x"));
        QCOMPARE(next("Sites"), QStringLiteral("5"));
        w.views->Load(What::Sites);
        list::select(w.lvURLs, site(w, QStringLiteral("One")));
        QCOMPARE(next("Passwords"), QStringLiteral("1"));
        for (int ser : {2, 3})
            fx.addPassword(1, 1, ser, QStringLiteral("u%1").arg(ser), QStringLiteral("x"));
        QCOMPARE(next("Passwords"), QStringLiteral("4"));
    }

    void focusControlEnablesOneGroupWithItsLook()
    {
        Fixture fx;
        frmMain& w = fx.open();
        const QList<QWidget*> boxes{w.txtCatName, w.txtSiteName, w.txtURL,   w.txtSiteDesc,
                                    w.txtUserID,  w.txtPassword, w.txtPWDesc};
        const QMap<QString, QList<QWidget*>> groups{
            {"Categories", {w.txtCatName}}, {"Sites", boxes.mid(1, 3)}, {"Passwords", boxes.mid(4)}};
        const QColor window = QApplication::palette().color(QPalette::Base);
        const QColor face = QApplication::palette().color(QPalette::Button);
        QVERIFY(window != face);
        w.panel->NewWhat(What::Categories);
        QTRY_VERIFY(w.txtCatName->hasFocus());
        for (const char* what : {"Passwords", "Sites", "Categories", "Nothing", "sites"}) {
            w.panel->FocusControl(whatNamed(QString::fromLatin1(what)));
            for (QWidget* box : boxes) {
                const bool enabled = groups.value(what).contains(box);
                QVERIFY2(box->isEnabled() == enabled, what);
                QCOMPARE(box->palette().color(QPalette::Active, QPalette::Base), enabled ? window : face);
                QCOMPARE(box->palette().color(QPalette::Disabled, QPalette::Base), enabled ? window : face);
            }
        }
        // Disabling the focused box moved the focus, but that move was not the user's.
        QCOMPARE(w.state.CurWhat, What::Categories);
    }

    void theSiteDescriptionTakes500UnitsNeverHalfAnEmoji()
    {
        Fixture fx;
        frmMain& w = fx.open();
        w.panel->FocusControl(What::Sites);
        // A paste in the middle keeps what fits and the text after it; a line break is one unit, an emoji two.
        w.txtSiteDesc->setPlainText(QString(494, u'x') + QStringLiteral("tail"));
        QTextCursor at = w.txtSiteDesc->textCursor();
        at.setPosition(494);
        w.txtSiteDesc->setTextCursor(at);
        w.txtSiteDesc->insertPlainText(QStringLiteral("\n\U0001F511z"));
        QCOMPARE(w.txtSiteDesc->toPlainText(), QString(494, u'x') + QStringLiteral("\ntail"));
    }

    void aLineEditNeverKeepsHalfAnEmoji_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("kind"); // the group FocusControl enables
        QTest::newRow("txtCatName") << "txtCatName" << "Categories";
        QTest::newRow("txtURL") << "txtURL" << "Sites";
        QTest::newRow("txtPassword") << "txtPassword" << "Passwords";
    }

    // maxLength counts 16-bit units and would keep the first half of an emoji that has one place left.
    void aLineEditNeverKeepsHalfAnEmoji()
    {
        QFETCH(QString, box);
        QFETCH(QString, kind);
        Fixture fx;
        frmMain& w = fx.open();
        w.panel->FocusControl(whatNamed(kind));
        auto* edit = w.findChild<QLineEdit*>(box);
        const QString key = QStringLiteral("\U0001F511");
        const QString start(edit->maxLength() - 3, u'x');
        const auto type = [edit, &key] { QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, key, {}); };
        edit->setText(start);
        QApplication::clipboard()->setText(QStringLiteral("ab") + key);
        QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(edit->text(), start + QStringLiteral("ab"));
        edit->setCursorPosition(1);
        type();
        QCOMPARE(edit->text(), start + QStringLiteral("ab"));
        QCOMPARE(edit->cursorPosition(), 1);
        QTest::keyClick(edit, Qt::Key_End);
        QTest::keyClick(edit, Qt::Key_Backspace); // two places: the emoji goes in whole
        type();
        QCOMPARE(edit->text(), start + QStringLiteral("a") + key);
    }

    void thePanelShowsTheRecordPrepared_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("what");
        QTest::addColumn<QString>("selection"); // changed from Banks current and Bank clicked
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("state"); // see panelState
        const QString bank = QStringLiteral("Banks|1|Bank|1|https://bank.example|savings");
        const QString newSite = QStringLiteral("Banks|1||5|http://||||||");
        const QString newCategory = QStringLiteral("|3|||http://||||||");
        const auto row = [](const char* name, const char* command, const char* what, const char* selection,
                            const char* caption, const QString& state) {
            QTest::newRow(name) << command << what << selection << caption << state;
        };
        row("new category", "New", "Categories", "", "[ Add Category ]", newCategory);
        row("new site", "New", "Sites", "", "[ Add Site ]", newSite);
        row("new entry", "New", "Passwords", "", "[ Add Password ]", bank + "||1|||");
        // An entry needs its site: with none selected the new record is a site.
        row("new entry, no site selected", "New", "Passwords", "no site", "[ Add Site ]", newSite);
        row("edit category", "Edit", "Categories", "", "[ Edit Category ]", "Banks|1|||http://||||||");
        row("edit site", "Edit", "Sites", "Card", "[ Edit Site ]", "Banks|1|Card|4|https://card.example|credit|||||");
        row("edit entry", "Edit", "Passwords", "", "[ Edit Password ]",
            bank + QStringLiteral("|bob|7|p\U0001F511|3|main"));
        row("edit the root", "Edit", "Categories", "root", "[ Add Category ]", newCategory);
        row("edit, no site selected", "Edit", "Sites", "no site", "[ Add Site ]", newSite);
        row("edit, no entry selected", "Edit", "Passwords", "no entry", "[ Add Password ]", bank + "||1|||");
    }

    void thePanelShowsTheRecordPrepared()
    {
        QFETCH(QString, command);
        QFETCH(QString, what);
        QFETCH(QString, selection);
        QFETCH(QString, caption);
        QFETCH(QString, state);
        Fixture fx;
        fx.addCategory(1, QStringLiteral("Banks"), 1, 0);
        fx.addCategory(2, QStringLiteral("Mail"), 1, 0);
        fx.addSite(1, 1, QStringLiteral("Bank"), QStringLiteral("https://bank.example"), QStringLiteral("savings"));
        fx.addSite(1, 4, QStringLiteral("Card"), QStringLiteral("https://card.example"), QStringLiteral("credit"));
        frmMain& w = fx.open();
        fx.clickNode(selection == u"root" ? w.categoryModel.name(w.categoryModel.root()) : QStringLiteral("Banks"));
        if (selection != u"root")
            fx.clickRow(w.lvURLs, 0);
        list::select(w.lvURLs, site(w, selection == u"Card" ? QStringLiteral("Card") : QStringLiteral("Bank")));
        if (selection == u"no site")
            list::select(w.lvURLs, -1);
        // Entry rows as the passwords list keeps them: the clear password with its row.
        w.passwordsModel.setRows({{3, QStringLiteral("alice"), QStringLiteral("s3cret!"), 4, QStringLiteral("d")},
                                  {7, QStringLiteral("bob"), QStringLiteral("p\U0001F511"), 4, QStringLiteral("main")}});
        list::select(w.lvPasswords, selection == u"no entry" ? -1 : 1);
        w.txtUserID->setText(QStringLiteral("left over"));
        w.txtPWDesc->setText(QStringLiteral("left over"));
        if (what == u"Categories")
            w.tvCategories->setCurrentIndex(fx.node(QStringLiteral("Mail"))); // moved, not clicked: Banks stays
        fx.clipboard.text = QStringLiteral("before");

        if (command == u"New")
            w.panel->NewWhat(whatNamed(what));
        else
            w.panel->EditWhat(whatNamed(what));
        QVERIFY(w.SSPanel1->isVisible());
        QCOMPARE(w.SSPanel4->text(), caption);
        QCOMPARE(panelState(w), state);
        // The first box of the kind prepared has the focus, and that kind is now current.
        const QString kind = caption.contains(u"Categ")  ? QStringLiteral("Categories")
                             : caption.contains(u"Site") ? QStringLiteral("Sites")
                                                         : QStringLiteral("Passwords");
        QWidget* first = kind == u"Categories" ? w.txtCatName
                         : kind == u"Sites"    ? w.txtSiteName
                                               : static_cast<QWidget*>(w.txtUserID);
        QTRY_VERIFY(first->hasFocus());
        QCOMPARE(w.state.CurWhat, whatNamed(kind));
        if (kind == u"Sites") { // the address is selected on entry, so typing replaces it
            w.txtURL->setFocus();
            QTRY_VERIFY(w.txtURL->hasFocus());
            QCOMPARE(w.txtURL->selectedText(), w.txtURL->text());
        }
        if (caption == u"[ Edit Category ]")
            QCOMPARE(w.tvCategories->currentIndex(), fx.node(QStringLiteral("Banks")));
        // Editing an entry puts its password on the clipboard; the length shown counts 16-bit units.
        QCOMPARE(fx.clipboard.text,
                 caption == u"[ Edit Password ]" ? QStringLiteral("p\U0001F511") : QStringLiteral("before"));

        // Esc hides the panel and takes the focus to the current kind's view (a view may hand it on up).
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(!w.SSPanel1->isVisible());
        const QStringList views = kind == u"Categories" ? QStringList{"tvCategories"}
                                  : kind == u"Sites"    ? QStringList{"lvURLs"}
                                                        : QStringList{"lvPasswords", "lvURLs"};
        QVERIFY2(views.contains(QApplication::focusWidget()->objectName()),
                 qPrintable(QApplication::focusWidget()->objectName()));
    }

    void aFailingCodeQueryIsReported()
    {
        Fixture fx;
        frmMain& w = fx.open();
        fx.db().execute(QStringLiteral("ALTER TABLE Categories RENAME TO Gone"));
        w.panel->NewWhat(What::Categories);
        QCOMPARE(fx.prompter.shown.size(), 1);
        QCOMPARE(fx.prompter.shown[0].icon, Prompt::Icon::Stop);
        QCOMPARE(fx.prompter.shown[0].title, frmMain::caption());
        QVERIFY(!w.SSPanel1->isVisible());
    }
};

DORVU_TEST_MAIN(TestEditPanel)
#include "tst_editpanel.moc"
