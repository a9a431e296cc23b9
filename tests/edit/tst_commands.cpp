#include "edit/EditCommands.h"
#include "edit/EditPanel.h"
#include "support/Fixture.h"
#include "support/TestMain.h"
#include "views/ViewItems.h"

#include <QApplication>
#include <QFrame>
#include <QToolButton>
#include <QLabel>
#include <QLineEdit>
#include <QTreeView>

namespace {

const QString Key = QStringLiteral("314159");
const QString MovingMessage = QStringLiteral("You can not do this while you moving sites");

int site(frmMain& w, const QString& name)
{
    return list::rowWith(w.lvURLs, 2, name);
}

// Banks (1) with Bank (1, one entry) and Card (2, none), Mail (2) without sites; the views in a named state.
frmMain& openIn(Fixture& fx, const QString& state)
{
    fx.addCategory(1, QStringLiteral("Banks"), 1, 0);
    fx.addCategory(2, QStringLiteral("Mail"), 1, 0);
    fx.addSite(1, 1, QStringLiteral("Bank"));
    fx.addSite(1, 2, QStringLiteral("Card"));
    fx.addPassword(1, 1, 1, QStringLiteral("me"), QStringLiteral("secret"));
    frmMain& w = fx.open();
    w.txtPass->setText(Key);
    if (state == u"root")
        return w;
    fx.clickNode(state == u"mail" ? QStringLiteral("Mail") : QStringLiteral("Banks")); // "banks": no site clicked
    if (state == u"bank" || state == u"entry" || state == u"other site")
        fx.clickRow(w.lvURLs, site(w, QStringLiteral("Bank")));
    if (state == u"card")
        fx.clickRow(w.lvURLs, site(w, QStringLiteral("Card")));
    if (state == u"entry")
        list::select(w.lvPasswords, 0);
    if (state == u"other site") // Card selected while Bank's entries are on show
        list::select(w.lvURLs, site(w, QStringLiteral("Card")));
    if (state == u"no selected site")
        list::select(w.lvURLs, -1);
    return w;
}

void run(frmMain& w, const QString& command)
{
    static const QMap<QString, void (EditCommands::*)()> commands{{"Add", &EditCommands::sbAdd},
                                                                  {"Edit", &EditCommands::sbEdit},
                                                                  {"Save", &EditCommands::sbSave},
                                                                  {"Delete", &EditCommands::sbDelete}};
    (w.commands->*commands.value(command))();
}

} // namespace

class TestCommands : public QObject {
    Q_OBJECT

private slots:
    void theCommandsRouteByCurWhat_data()
    {
        QTest::addColumn<QString>("state");
        QTest::addColumn<QString>("curWhat");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("caption"); // of the panel afterwards; empty: still hidden
        QTest::addColumn<QString>("message"); // the one warning shown, if any
        QTest::addColumn<bool>("toTree");     // the focus was sent to the tree
        const auto row = [](const char* name, const char* state, const char* curWhat, const char* command,
                            const char* caption, const char* message = "", bool toTree = false) {
            QTest::newRow(name) << QString(state) << QString(curWhat) << QString(command) << QString(caption)
                                << QString(message) << toTree;
        };
        const char* cat = "[ Add Category ]";
        const char* site = "[ Add Site ]";
        const char* selectCategory = "Select category first.";
        row("empty: add", "banks", "", "Add", "");
        row("empty: edit", "banks", "", "Edit", "");
        row("empty: save", "banks", "", "Save", "");
        row("other value: add", "banks", "sites", "Add", "");
        row("categories: add at the root", "root", "Categories", "Add", cat);
        row("categories: add in Banks", "banks", "Categories", "Add", cat);
        row("sites: add at the root", "root", "Sites", "Add", "", "You can not add sites here.", true);
        row("sites: add in Banks", "banks", "Sites", "Add", site);
        row("passwords: add at the root", "root", "Passwords", "Add", cat);
        row("passwords: add without sites", "mail", "Passwords", "Add", site);
        row("passwords: add on the current site", "bank", "Passwords", "Add", "[ Add Password ]");
        row("passwords: add with another site selected", "other site", "Passwords", "Add", site);
        row("passwords: add with no site clicked", "banks", "Passwords", "Add", site);
        row("passwords: add with no site selected", "no selected site", "Passwords", "Add", site);
        row("categories: edit the root", "root", "Categories", "Edit", "", "You can not edit this item.");
        row("categories: edit Banks", "banks", "Categories", "Edit", "[ Edit Category ]");
        row("sites: edit at the root", "root", "Sites", "Edit", "", selectCategory, true);
        row("sites: edit in Banks", "banks", "Sites", "Edit", "[ Edit Site ]");
        row("sites: edit an empty list", "mail", "Sites", "Edit", site);
        row("sites: edit with no site selected", "no selected site", "Sites", "Edit", site);
        row("passwords: edit at the root", "root", "Passwords", "Edit", "", selectCategory, true);
        row("passwords: edit without sites", "mail", "Passwords", "Edit", site);
        row("passwords: edit with another site selected", "other site", "Passwords", "Edit", site);
        row("passwords: edit an empty list", "card", "Passwords", "Edit", "[ Add Password ]");
        row("passwords: edit an entry", "entry", "Passwords", "Edit", "[ Edit Password ]");
    }

    void theCommandsRouteByCurWhat()
    {
        QFETCH(QString, state);
        QFETCH(QString, curWhat);
        QFETCH(QString, command);
        QFETCH(QString, caption);
        QFETCH(QString, message);
        QFETCH(bool, toTree);
        Fixture fx;
        frmMain& w = openIn(fx, state);
        w.txtNormal->setFocus();
        QTRY_VERIFY(w.txtNormal->hasFocus());
        fx.prompter.shown.clear();
        w.state.CurWhat = whatNamed(curWhat);

        fx.startTrace();
        run(w, command);
        const QStringList trace = fx.stopTrace();
        QCOMPARE(w.SSPanel1->isVisible() ? w.SSPanel4->text() : QString(), caption);
        const Prompt warning{message, frmMain::caption(), Prompt::Icon::Exclamation};
        QCOMPARE(fx.prompter.shown, message.isEmpty() ? QList<Prompt>() : QList<Prompt>{warning});
        if (toTree)
            QTRY_VERIFY(w.tvCategories->hasFocus());
        else if (!message.isEmpty())
            QVERIFY(w.txtNormal->hasFocus());
        if (caption.isEmpty() && !toTree) // a tree given the focus may reload itself
            QCOMPARE(trace, QStringList());
    }

    void aRefusedCommandChangesNothing_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("curWhat");
        QTest::addColumn<QString>("key");
        QTest::addColumn<bool>("moving");
        for (const char* command : {"Add", "Edit", "Save", "Delete"}) {
            for (const char* view : {"Categories", "Sites", "Passwords", ""})
                QTest::addRow("moving: %s in '%s'", command, view) << command << view << Key << true;
        }
        for (const char* command : {"Add", "Edit", "Save"}) {
            QTest::addRow("%s, no key", command) << command << "Passwords"
                                                 << "" << false;
            QTest::addRow("%s, five digits", command) << command << "Passwords"
                                                      << "12345" << false;
        }
        QTest::newRow("Save, six digits") << "Save"
                                          << "Passwords" << Key << false; // not refused
    }

    void aRefusedCommandChangesNothing()
    {
        QFETCH(QString, command);
        QFETCH(QString, curWhat);
        QFETCH(QString, key);
        QFETCH(bool, moving);
        Fixture fx;
        frmMain& w = openIn(fx, QStringLiteral("card"));
        // A panel holding an entry a save would write, under a caption Add and Edit would change.
        w.panel->NewWhat(What::Passwords);
        w.txtUserID->setText(QStringLiteral("new"));
        w.txtPassword->setText(QStringLiteral("pw"));
        w.panel->showCaption(EditPanel::Mode::Edit, What::Passwords);
        w.txtPass->setText(key);
        w.state.movingMode = moving;
        fx.prompter.shown.clear();
        w.state.CurWhat = whatNamed(curWhat);

        fx.startTrace();
        run(w, command);
        const QStringList trace = fx.stopTrace();
        if (!moving && key == Key) {
            QCOMPARE(fx.prompter.texts(), QStringList());
            QCOMPARE(fx.count(QStringLiteral("PWs")), 2);
            return;
        }
        QCOMPARE(trace, QStringList());
        const Prompt refusal =
            moving ? Prompt{MovingMessage, frmMain::appTitle(), Prompt::Icon::Exclamation}
                   : Prompt{QStringLiteral("Enter the UnLock-Key first\r\nand must be 6 digits in length."),
                            frmMain::caption(), Prompt::Icon::Exclamation};
        QCOMPARE(fx.prompter.shown, QList<Prompt>{refusal});
        QCOMPARE(w.SSPanel4->text(), QStringLiteral("[ Edit Password ]"));
        QCOMPARE(w.txtUserID->text(), QStringLiteral("new"));
    }

    void everyWayOfClosingThePanelGivesTheFocusBackToTheView_data()
    {
        QTest::addColumn<QString>("state");
        QTest::addColumn<QString>("curWhat");
        QTest::addColumn<QString>("close");
        for (const char* close : {"Esc", "X", "Save"}) {
            QTest::addRow("categories, %s", close) << "banks" << "Categories" << close;
            QTest::addRow("sites, %s", close) << "bank" << "Sites" << close;
            QTest::addRow("passwords, %s", close) << "entry" << "Passwords" << close;
        }
    }

    void everyWayOfClosingThePanelGivesTheFocusBackToTheView()
    {
        QFETCH(QString, state);
        QFETCH(QString, curWhat);
        QFETCH(QString, close);
        Fixture fx;
        frmMain& w = openIn(fx, state);
        w.state.CurWhat = whatNamed(curWhat);
        run(w, QStringLiteral("Edit"));
        QTRY_VERIFY(w.SSPanel1->isVisible() && w.SSPanel1->isAncestorOf(QApplication::focusWidget()));
        if (close == u"Esc") {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        } else if (close == u"X") {
            QTest::mouseClick(w.cmdX, Qt::LeftButton);
        } else {
            fx.prompter.answers.enqueue(Answer::Yes); // the update question of an edit
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier);
        }
        QVERIFY(!w.SSPanel1->isVisible());
        QWidget* view = curWhat == u"Categories" ? static_cast<QWidget*>(w.tvCategories)
                        : curWhat == u"Sites"    ? static_cast<QWidget*>(w.lvURLs)
                                                 : static_cast<QWidget*>(w.lvPasswords);
        QTRY_COMPARE(QApplication::focusWidget(), view);
    }
};

DORVU_TEST_MAIN(TestCommands)
#include "tst_commands.moc"
