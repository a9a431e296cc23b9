#include "edit/EditCommands.h"
#include "edit/EditPanel.h"
#include "support/Fixture.h"
#include "support/TestMain.h"
#include "views/ViewItems.h"

#include <QAction>
#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QTreeWidget>

namespace {

const QString Key = QStringLiteral("314159");

// Banks (1) with Bank (1, one entry) and Card (2, none); Mail (2) without sites.
void seed(Fixture& fx)
{
    fx.addCategory(1, QStringLiteral("Banks"), 1, 0);
    fx.addCategory(2, QStringLiteral("Mail"), 1, 0);
    fx.addSite(1, 1, QStringLiteral("Bank"));
    fx.addSite(1, 2, QStringLiteral("Card"));
    fx.addPassword(1, 1, 1, QStringLiteral("me"), QStringLiteral("secret"));
}

int rowOf(QTreeWidget* list, const QString& name)
{
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        if (list->topLevelItem(i)->text(2) == name)
            return i;
    }
    return -1;
}

// The window in a named state of the views.
frmMain& openIn(Fixture& fx, const QString& state)
{
    frmMain& w = fx.open();
    w.txtPass->setText(Key);
    if (state == u"root")
        return w;
    if (state == u"mail") {
        fx.clickNode(QStringLiteral("Mail"));
        return w;
    }
    fx.clickNode(QStringLiteral("Banks")); // "banks": the first site marked, none clicked
    if (state == u"bank" || state == u"other site")
        fx.clickRow(w.lvURLs, rowOf(w.lvURLs, QStringLiteral("Bank")));
    if (state == u"card")
        fx.clickRow(w.lvURLs, rowOf(w.lvURLs, QStringLiteral("Card")));
    if (state == u"other site") // Card selected while Bank's entries are on show
        items::selectRow(w.lvURLs, w.lvURLs->topLevelItem(rowOf(w.lvURLs, QStringLiteral("Card"))));
    if (state == u"no selected site")
        w.lvURLs->clearSelection();
    return w;
}

void run(frmMain& w, const QString& command)
{
    if (command == u"Add")
        w.commands->sbAdd();
    else if (command == u"Edit")
        w.commands->sbEdit();
    else if (command == u"Save")
        w.commands->sbSave();
    else
        w.commands->sbDelete();
}

QString guardMessage()
{
    return QStringLiteral("Enter the UnLock-Key first\r\nand must be 6 digits in length.");
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
        const QString selectCategory = QStringLiteral("Select category first.");
        const QString addCat = QStringLiteral("[ Add Category ]"), addSite = QStringLiteral("[ Add Site ]");
        const QString addPw = QStringLiteral("[ Add Password ]");

        QTest::newRow("empty: add") << "banks"
                                    << ""
                                    << "Add"
                                    << ""
                                    << "" << false;
        QTest::newRow("empty: edit") << "banks"
                                     << ""
                                     << "Edit"
                                     << ""
                                     << "" << false;
        QTest::newRow("empty: save") << "banks"
                                     << ""
                                     << "Save"
                                     << ""
                                     << "" << false;
        QTest::newRow("other value: add") << "banks"
                                          << "sites"
                                          << "Add"
                                          << ""
                                          << "" << false;

        QTest::newRow("categories: add at the root") << "root"
                                                     << "Categories"
                                                     << "Add" << addCat << "" << false;
        QTest::newRow("categories: add in Banks") << "banks"
                                                  << "Categories"
                                                  << "Add" << addCat << "" << false;
        QTest::newRow("sites: add at the root") << "root"
                                                << "Sites"
                                                << "Add"
                                                << ""
                                                << "You can not add sites here." << true;
        QTest::newRow("sites: add in Banks") << "banks"
                                             << "Sites"
                                             << "Add" << addSite << "" << false;
        QTest::newRow("passwords: add at the root") << "root"
                                                    << "Passwords"
                                                    << "Add" << addCat << "" << false;
        QTest::newRow("passwords: add without sites") << "mail"
                                                      << "Passwords"
                                                      << "Add" << addSite << "" << false;
        QTest::newRow("passwords: add on the current site") << "bank"
                                                            << "Passwords"
                                                            << "Add" << addPw << "" << false;
        QTest::newRow("passwords: add with another site selected") << "other site"
                                                                   << "Passwords"
                                                                   << "Add" << addSite << "" << false;
        QTest::newRow("passwords: add with no site clicked") << "banks"
                                                             << "Passwords"
                                                             << "Add" << addSite << "" << false;
        QTest::newRow("passwords: add with no site selected") << "no selected site"
                                                              << "Passwords"
                                                              << "Add" << addSite << "" << false;

        QTest::newRow("categories: edit the root") << "root"
                                                   << "Categories"
                                                   << "Edit"
                                                   << ""
                                                   << "You can not edit this item." << false;
        QTest::newRow("categories: edit Banks") << "banks"
                                                << "Categories"
                                                << "Edit"
                                                << "[ Edit Category ]"
                                                << "" << false;
        QTest::newRow("sites: edit at the root") << "root"
                                                 << "Sites"
                                                 << "Edit"
                                                 << "" << selectCategory << true;
        QTest::newRow("sites: edit in Banks") << "banks"
                                              << "Sites"
                                              << "Edit"
                                              << "[ Edit Site ]"
                                              << "" << false;
        QTest::newRow("sites: edit an empty list") << "mail"
                                                   << "Sites"
                                                   << "Edit" << addSite << "" << false;
        QTest::newRow("sites: edit with no site selected") << "no selected site"
                                                           << "Sites"
                                                           << "Edit" << addSite << "" << false;
        QTest::newRow("passwords: edit at the root") << "root"
                                                     << "Passwords"
                                                     << "Edit"
                                                     << "" << selectCategory << true;
        QTest::newRow("passwords: edit without sites") << "mail"
                                                       << "Passwords"
                                                       << "Edit" << addSite << "" << false;
        QTest::newRow("passwords: edit with another site selected") << "other site"
                                                                    << "Passwords"
                                                                    << "Edit" << addSite << "" << false;
        QTest::newRow("passwords: edit an empty list") << "card"
                                                       << "Passwords"
                                                       << "Edit" << addPw << "" << false;
        QTest::newRow("passwords: edit an entry") << "bank"
                                                  << "Passwords"
                                                  << "Edit"
                                                  << "[ Edit Password ]"
                                                  << "" << false;
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
        seed(fx);
        frmMain& w = openIn(fx, state);
        if (command == u"Edit" && caption == u"[ Edit Password ]")
            items::selectRow(w.lvPasswords, w.lvPasswords->topLevelItem(0));
        w.txtNormal->setFocus();
        QTRY_VERIFY(w.txtNormal->hasFocus());
        fx.prompter.shown.clear();
        w.CurWhat = curWhat;

        fx.startTrace();
        run(w, command);
        const QStringList trace = fx.stopTrace();
        if (caption.isEmpty()) {
            QVERIFY(!w.SSPanel1->isVisible());
        } else {
            QVERIFY(w.SSPanel1->isVisible());
            QCOMPARE(w.SSPanel4->text(), caption);
        }
        if (message.isEmpty()) {
            QCOMPARE(fx.prompter.texts(), QStringList());
        } else {
            QCOMPARE(fx.prompter.shown.size(), 1);
            QCOMPARE(fx.prompter.shown[0], (Prompt{message, frmMain::caption(), Prompt::Icon::Exclamation}));
            if (!toTree)
                QVERIFY(w.txtNormal->hasFocus());
        }
        if (toTree)
            QTRY_VERIFY(w.tvCategories->hasFocus());
        if (caption.isEmpty())
            QVERIFY2(trace.isEmpty() || toTree, qPrintable(trace.join(u'\n'))); // the tree may reload itself
    }

    void whileMovingEveryCommandIsRefused_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("curWhat");
        for (const char* command : {"Add", "Edit", "Save", "Delete"}) {
            for (const char* view : {"Categories", "Sites", "Passwords", ""})
                QTest::addRow("%s in '%s'", command, view) << command << view;
        }
    }

    void whileMovingEveryCommandIsRefused()
    {
        QFETCH(QString, command);
        QFETCH(QString, curWhat);
        Fixture fx;
        seed(fx);
        frmMain& w = openIn(fx, QStringLiteral("bank"));
        // A panel holding a record that a save would write.
        w.panel->NewWhat(QStringLiteral("Sites"));
        w.txtSiteName->setText(QStringLiteral("Unsaved"));
        const QString caption = w.SSPanel4->text();
        w.Buttons[9]->setChecked(true);
        fx.prompter.shown.clear();
        w.CurWhat = curWhat;

        fx.startTrace();
        run(w, command);
        QCOMPARE(fx.stopTrace(), QStringList());
        QCOMPARE(fx.prompter.shown.size(), 1);
        QCOMPARE(fx.prompter.shown[0], (Prompt{QStringLiteral("You can not do this while you moving sites"),
                                               frmMain::appTitle(), Prompt::Icon::Exclamation}));
        QCOMPARE(w.SSPanel4->text(), caption);
        QCOMPARE(w.txtSiteName->text(), QStringLiteral("Unsaved"));
        QCOMPARE(fx.count(QStringLiteral("URLs")), 2);
    }

    void theGuardStopsTheCommandsOnEntries_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("key");
        QTest::addColumn<bool>("refused");
        for (const char* command : {"Add", "Edit", "Save"}) {
            QTest::addRow("%s, no key", command) << command << "" << true;
            QTest::addRow("%s, five digits", command) << command << "12345" << true;
            QTest::addRow("%s, six digits", command) << command << "123456" << false;
        }
    }

    void theGuardStopsTheCommandsOnEntries()
    {
        QFETCH(QString, command);
        QFETCH(QString, key);
        QFETCH(bool, refused);
        Fixture fx;
        seed(fx);
        frmMain& w = openIn(fx, QStringLiteral("card"));
        w.panel->NewWhat(QStringLiteral("Passwords"));
        w.txtUserID->setText(QStringLiteral("new"));
        w.txtPassword->setText(QStringLiteral("pw"));
        w.SSPanel4->setText(QStringLiteral("[ Edit Password ]")); // Add and Edit would change it
        w.txtPass->setText(key);
        fx.prompter.shown.clear();
        w.CurWhat = QStringLiteral("Passwords");

        run(w, command);
        if (refused) {
            QCOMPARE(fx.prompter.shown.size(), 1);
            QCOMPARE(fx.prompter.shown[0], (Prompt{guardMessage(), frmMain::caption(), Prompt::Icon::Exclamation}));
            QCOMPARE(w.SSPanel4->text(), QStringLiteral("[ Edit Password ]"));
            QCOMPARE(fx.count(QStringLiteral("PWs")), 1);
        } else {
            QCOMPARE(fx.prompter.texts(), QStringList());
            if (command == u"Save")
                QCOMPARE(fx.count(QStringLiteral("PWs")), 2);
            else
                QCOMPARE(w.SSPanel4->text(), QStringLiteral("[ Add Password ]"));
        }
    }

    void ctrlSSavesFromAnyControl_data()
    {
        QTest::addColumn<QString>("control");
        for (const char* control : {"txtCatName", "txtPass", "txtNormal", "tvCategories", "lvURLs", "lvPasswords"})
            QTest::newRow(control) << control;
    }

    void ctrlSSavesFromAnyControl()
    {
        QFETCH(QString, control);
        Fixture fx;
        seed(fx);
        frmMain& w = fx.open();
        w.txtPass->setText(Key);
        w.panel->NewWhat(QStringLiteral("Categories"));
        w.txtCatName->setText(QStringLiteral("Typed"));
        QWidget* widget = w.findChild<QWidget*>(control);
        QVERIFY(widget);
        widget->setFocus();
        QTRY_VERIFY(QApplication::focusWidget());
        fx.prompter.shown.clear();

        QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier);
        // The save ran: the category was written, or (where entering a view prepared the panel afresh) a
        // warning told why not.
        const bool written = fx.count(QStringLiteral("Categories")) == 3;
        QVERIFY2(written || !fx.prompter.shown.isEmpty(), qPrintable(control));
        if (!written)
            QCOMPARE(fx.prompter.shown[0].icon, Prompt::Icon::Exclamation);
        if (control == u"txtCatName" || control == u"txtPass")
            QVERIFY(written);
    }

    void onlyCtrlAloneMakesTheShortcut()
    {
        Fixture fx;
        frmMain& w = fx.open();
        w.panel->NewWhat(QStringLiteral("Categories"));
        w.txtCatName->setText(QStringLiteral("Typed"));
        QTRY_VERIFY(w.txtCatName->hasFocus());
        QTest::keyClick(w.txtCatName, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
        QTest::keyClick(w.txtCatName, Qt::Key_S, Qt::AltModifier);
        QTest::keyClick(w.txtCatName, Qt::Key_S, Qt::ControlModifier | Qt::AltModifier);
        QCOMPARE(fx.count(QStringLiteral("Categories")), 0);
        QCOMPARE(fx.prompter.texts(), QStringList());
        QTest::keyClick(w.txtCatName, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(fx.count(QStringLiteral("Categories")), 1);
    }

    void ctrlAAndCtrlEOpenThePanel()
    {
        Fixture fx;
        seed(fx);
        frmMain& w = fx.open();
        fx.clickNode(QStringLiteral("Banks"));
        QTRY_VERIFY(w.tvCategories->hasFocus());
        QCOMPARE(w.CurWhat, QStringLiteral("Categories"));
        QTest::keyClick(w.tvCategories, Qt::Key_E, Qt::ControlModifier);
        QCOMPARE(w.SSPanel4->text(), QStringLiteral("[ Edit Category ]"));
        QCOMPARE(w.txtCatName->text(), QStringLiteral("Banks"));
        QTRY_VERIFY(w.txtCatName->hasFocus());
        QTest::keyClick(w.txtCatName, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(w.SSPanel4->text(), QStringLiteral("[ Add Category ]"));
        QCOMPARE(w.lblCatCode->text(), QStringLiteral("3"));
    }

    void ctrlDActsOnReleaseOnly()
    {
        Fixture fx;
        frmMain& w = fx.open();
        w.Buttons[9]->setChecked(true); // moving: every command answers with a message
        QWidget* focus = QApplication::focusWidget();
        QVERIFY(focus);
        QTest::keyPress(focus, Qt::Key_D, Qt::ControlModifier);
        QCOMPARE(fx.prompter.shown.size(), 0);
        QTest::keyRelease(focus, Qt::Key_D, Qt::ControlModifier);
        QCOMPARE(fx.prompter.texts(), QStringList{"You can not do this while you moving sites"});
    }

    void theHiddenMenuRunsTheFourCommands()
    {
        Fixture fx;
        seed(fx);
        frmMain& w = fx.open();
        w.Buttons[9]->setChecked(true);
        for (QAction* item : w.M1S)
            item->trigger();
        QCOMPARE(fx.prompter.texts(), QStringList(4, QStringLiteral("You can not do this while you moving sites")));
        w.Buttons[9]->setChecked(false);
        fx.prompter.shown.clear();

        fx.clickNode(QStringLiteral("Banks"));
        w.M1S[1]->trigger(); // Edit
        QCOMPARE(w.SSPanel4->text(), QStringLiteral("[ Edit Category ]"));
        w.txtCatName->setText(QStringLiteral("Money"));
        fx.prompter.answers.enqueue(Answer::Yes);
        w.M1S[2]->trigger(); // Save
        QCOMPARE(fx.db().scalar(QStringLiteral("SELECT CatName FROM Categories WHERE CatCode = 1")).toString(),
                 QStringLiteral("Money"));
        QVERIFY(!w.SSPanel1->isVisible());
        w.CurWhat = QStringLiteral("Categories");
        w.M1S[0]->trigger(); // Add
        QCOMPARE(w.SSPanel4->text(), QStringLiteral("[ Add Category ]"));
    }
};

DORVU_TEST_MAIN(TestCommands)
#include "tst_commands.moc"
