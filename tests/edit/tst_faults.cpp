#include "cipher/CryptText.h"
#include "edit/EditPanel.h"
#include "edit/RecordDeleter.h"
#include "edit/RecordSaver.h"
#include "edit/SiteMover.h"
#include "edit/SiteStars.h"
#include "support/Fixture.h"
#include "store/SessionBackup.h"
#include "support/TestMain.h"
#include "window/Startup.h"

#include <QFile>
#include <QLineEdit>
#include <sys/stat.h>
#include <QTreeView>
#include <functional>

namespace {

const QString Key = QStringLiteral("314159");
const QString Refused = QStringLiteral("The database refused the change because it breaks one of its rules.");

// A writing command as the user gives it: `ready` brings the window to where the command is given, `act` gives it.
struct Command {
    std::function<void(Fixture&, frmMain&)> ready;
    std::function<void(Fixture&, frmMain&)> act;
};

// A (1) holds B (2) and the sites a1, a2 (codes 1, 2); B holds b1 (code 1, like a1); C (3) is empty.
void seed(Fixture& fx)
{
    fx.addCategory(1, QStringLiteral("A"), 1, 0);
    fx.addCategory(2, QStringLiteral("B"), 2, 1);
    fx.addCategory(3, QStringLiteral("C"), 1, 0);
    for (auto [category, site, name] : {std::tuple{1, 1, "a1"}, {1, 2, "a2"}, {2, 1, "b1"}}) {
        fx.addSite(category, site, QString::fromLatin1(name));
        for (int ser : {1, 2})
            fx.addPassword(category, site, ser, QStringLiteral("u%1").arg(ser), CryptText(CryptMode::Enc, Key, "pw"));
    }
}

// Shows A's sites; with `site`, selects a1 and shows its entries; with `entry`, selects a1's first entry.
void show(Fixture& fx, frmMain& w, bool site = false, bool entry = false)
{
    fx.clickNode(QStringLiteral("A"));
    if (site)
        fx.clickRow(w.lvURLs, 0);
    if (entry)
        fx.clickRow(w.lvPasswords, 0);
}

void checkBoth(frmMain& w)
{
    list::setCheckState(w.lvURLs, 0, Qt::Checked);
    list::setCheckState(w.lvURLs, 1, Qt::Checked);
}

// Saving a new record (or an edited one, confirming its update) whose first box holds a new text.
Command saving(What what, bool isNew, QLineEdit* Form::*box, bool site = false, bool entry = false)
{
    return {[=](Fixture& fx, frmMain& w) {
                show(fx, w, site, entry);
                isNew ? w.panel->NewWhat(what) : w.panel->EditWhat(what);
                (w.*box)->setText(QStringLiteral("new text"));
                w.txtPassword->setText(QStringLiteral("new password"));
            },
            [=](Fixture& fx, frmMain& w) {
                fx.prompter.answers.enqueue(Answer::Yes);
                w.saver->SaveWhat(what);
            }};
}

Command deleting(What what, std::function<void(Fixture&, frmMain&)> ready)
{
    return {ready, [=](Fixture& fx, frmMain& w) {
                fx.prompter.answers.enqueue(Answer::Yes);
                w.deleter->DeleteWhat(what);
            }};
}

Command command(const QString& name)
{
    using W = What;
    if (name == "save new category")
        return saving(W::Categories, true, &Form::txtCatName);
    if (name == "save category")
        return saving(W::Categories, false, &Form::txtCatName);
    if (name == "save new site")
        return saving(W::Sites, true, &Form::txtSiteName);
    if (name == "save site")
        return saving(W::Sites, false, &Form::txtSiteName, true);
    if (name == "save new entry")
        return saving(W::Passwords, true, &Form::txtUserID, true);
    if (name == "save entry")
        return saving(W::Passwords, false, &Form::txtUserID, true, true);
    if (name == "delete root")
        return deleting(W::Categories, [](Fixture& fx, frmMain&) { fx.clickNode(QStringLiteral("Categories")); });
    if (name == "delete subtree")
        return deleting(W::Categories, [](Fixture& fx, frmMain& w) { show(fx, w); });
    if (name == "delete site")
        return deleting(W::Sites, [](Fixture& fx, frmMain& w) { show(fx, w, true); });
    if (name == "delete checked sites")
        return deleting(W::Sites, [](Fixture& fx, frmMain& w) { show(fx, w, true), checkBoth(w); });
    if (name == "delete entry")
        return deleting(W::Passwords, [](Fixture& fx, frmMain& w) { show(fx, w, true, true); });
    if (name == "star")
        return {[](Fixture& fx, frmMain& w) { show(fx, w, true); }, [](Fixture&, frmMain& w) { w.stars->AddStar(); }};
    // Paste: a1 and a2 picked in A, pasted into C.
    return {[](Fixture& fx, frmMain& w) {
                show(fx, w), checkBoth(w);
                w.mover->ButtonClicked();
                fx.clickNode(QStringLiteral("C"));
            },
            [](Fixture&, frmMain& w) { w.mover->ButtonClicked(); }};
}

} // namespace

class TestFaults : public QObject {
    Q_OBJECT

private slots:
    // Each statement of each writing command fails in turn: a trigger raises on the rows it writes. The store
    // must keep every row it had, the user sees one message, and once the fault is gone the same command works.
    void aFailingStatementLeavesTheStoreAsItWas_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("fault"); // "<event> ON <table> [WHEN <condition>]"
        const auto row = [](const char* command, const char* fault) {
            QTest::addRow("%s: %s", command, fault) << QString(command) << QString(fault);
        };
        row("save new category", "INSERT ON Categories");
        row("save category", "UPDATE ON Categories");
        row("save new site", "INSERT ON URLs");
        row("save site", "UPDATE ON URLs");
        row("save new entry", "INSERT ON PWs");
        row("save entry", "UPDATE ON PWs");
        for (const char* fault : {"DELETE ON PWs", "DELETE ON URLs", "DELETE ON Categories"})
            row("delete root", fault);
        // A goes after B: these fail once B's rows are gone.
        for (const char* fault : {"DELETE ON PWs WHEN old.CatCode = 1", "DELETE ON URLs WHEN old.CatCode = 1",
                                  "DELETE ON Categories WHEN old.CatCode = 1"})
            row("delete subtree", fault);
        for (const char* command : {"delete site", "delete checked sites"}) {
            row(command, "DELETE ON PWs");
            row(command, "DELETE ON URLs");
        }
        row("delete entry", "DELETE ON PWs");
        row("star", "UPDATE ON URLs");
        row("paste", "UPDATE ON URLs WHEN old.SiteCode = 2");
        row("paste", "UPDATE ON PWs WHEN old.SiteCode = 2");
    }

    void aFailingStatementLeavesTheStoreAsItWas()
    {
        QFETCH(QString, command);
        QFETCH(QString, fault);
        Fixture fx;
        seed(fx);
        frmMain& w = fx.open();
        w.txtPass->setText(Key);
        const Command c = ::command(command);
        c.ready(fx, w);
        const QString before = fx.dump();
        fx.db().execute("CREATE TEMP TRIGGER fault BEFORE " + fault + " BEGIN SELECT RAISE(ABORT, 'fault'); END");
        fx.prompter.shown.clear();

        c.act(fx, w);
        fx.prompter.answers.clear();
        QCOMPARE(fx.dump(), before);
        QStringList told = fx.prompter.texts(); // besides the confirmations
        told.removeIf([](const QString& text) { return text.contains("Do you want"); });
        QCOMPARE(told, QStringList{Refused});

        fx.db().execute(QStringLiteral("DROP TRIGGER fault"));
        fx.prompter.shown.clear();
        c.act(fx, w);
        QVERIFY(!fx.prompter.texts().contains(Refused));
        QVERIFY(fx.dump() != before);
        QCOMPARE(fx.db().scalar(QStringLiteral("PRAGMA foreign_key_check")), QVariant());
    }

    // The session's first change is preceded by a copy of the store as the session found it (a session that only
    // reads keeps none): restoring it brings every row back after the root was emptied.
    void theStoreAsTheSessionFoundItCanBeRestored()
    {
        Fixture fx;
        seed(fx);
        frmMain& w = fx.open();
        const QString before = fx.dump(), store = fx.folder() + "/Dorvudb.mdb";
        const Command emptying = command("delete root");
        show(fx, w, true, true);
        QVERIFY(!QFile::exists(backup::latestPath(store)));
        emptying.ready(fx, w);
        emptying.act(fx, w);
        QCOMPARE(fx.count("PWs") + fx.count("URLs") + fx.count("Categories"), 0);
        struct stat info {};
        QVERIFY(::stat(QFile::encodeName(backup::latestPath(store)).constData(), &info) == 0);
        QCOMPARE(info.st_mode & 0777, 0600u);

        fx.prompter.answers.enqueue(Answer::Yes);
        QVERIFY(restoreBackup(fx.folder(), fx.prompter));
        QCOMPARE(fx.dump(), before);
        // The next session's first change keeps this copy as the one before.
        Dorvudb next(fx.folder());
        next.BuildDataBase();
        next.keepBackupBeforeFirstChange();
        Connection::Transaction(next.connection()).commit();
        QVERIFY(QFile::exists(backup::latestPath(store)) && QFile::exists(backup::previousPath(store)));
    }
};

DORVU_TEST_MAIN(TestFaults)
#include "tst_faults.moc"
