#include "cipher/CryptText.h"
#include "edit/EditPanel.h"
#include "edit/RecordDeleter.h"
#include "edit/RecordSaver.h"
#include "edit/SiteMover.h"
#include "edit/SiteStars.h"
#include "support/Fixture.h"
#include "support/TestMain.h"

#include <QAction>
#include <QLineEdit>
#include <QTreeView>
#include <algorithm>
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

void onSites(Fixture& fx, frmMain&)
{
    fx.clickNode(QStringLiteral("A"));
}

void onFirstSite(Fixture& fx, frmMain& w)
{
    fx.clickNode(QStringLiteral("A"));
    fx.clickRow(w.lvURLs, 0);
}

void onFirstEntry(Fixture& fx, frmMain& w)
{
    onFirstSite(fx, w);
    fx.clickRow(w.lvPasswords, 0);
}

std::function<void(Fixture&, frmMain&)> opening(void (*where)(Fixture&, frmMain&), bool isNew, What what,
                                                 QLineEdit* Form::*box)
{
    return [=](Fixture& fx, frmMain& w) {
        where(fx, w);
        isNew ? w.panel->NewWhat(what) : w.panel->EditWhat(what);
        (w.*box)->setText(QStringLiteral("new text"));
        w.txtPassword->setText(QStringLiteral("new password"));
    };
}

std::function<void(Fixture&, frmMain&)> saving(What what)
{
    return [=](Fixture& fx, frmMain& w) {
        fx.prompter.answers.enqueue(Answer::Yes); // to "… is found. Do you want to update it?"
        w.saver->SaveWhat(what);
    };
}

std::function<void(Fixture&, frmMain&)> deleting(What what)
{
    return [=](Fixture& fx, frmMain& w) {
        fx.prompter.answers.enqueue(Answer::Yes);
        w.deleter->DeleteWhat(what);
    };
}

Command command(const QString& name)
{
    using W = What;
    if (name == "save new category")
        return {opening(onSites, true, W::Categories, &Form::txtCatName), saving(W::Categories)};
    if (name == "save category")
        return {opening(onSites, false, W::Categories, &Form::txtCatName), saving(W::Categories)};
    if (name == "save new site")
        return {opening(onSites, true, W::Sites, &Form::txtSiteName), saving(W::Sites)};
    if (name == "save site")
        return {opening(onFirstSite, false, W::Sites, &Form::txtSiteName), saving(W::Sites)};
    if (name == "save new entry")
        return {opening(onFirstSite, true, W::Passwords, &Form::txtUserID), saving(W::Passwords)};
    if (name == "save entry")
        return {opening(onFirstEntry, false, W::Passwords, &Form::txtUserID), saving(W::Passwords)};
    if (name == "delete root")
        return {[](Fixture& fx, frmMain&) { fx.clickNode(QStringLiteral("Categories")); }, deleting(W::Categories)};
    if (name == "delete subtree")
        return {onSites, deleting(W::Categories)};
    if (name == "delete site")
        return {onFirstSite, deleting(W::Sites)};
    if (name == "delete checked sites")
        return {[](Fixture& fx, frmMain& w) {
                    onFirstSite(fx, w);
                    list::setCheckState(w.lvURLs, 0, Qt::Checked);
                    list::setCheckState(w.lvURLs, 1, Qt::Checked);
                },
                deleting(W::Sites)};
    if (name == "delete entry")
        return {onFirstEntry, deleting(W::Passwords)};
    if (name == "star")
        return {onFirstSite, [](Fixture&, frmMain& w) { w.stars->AddStar(); }};
    // Paste: a1 and a2 picked in A, pasted into C.
    return {[](Fixture& fx, frmMain& w) {
                onSites(fx, w);
                list::setCheckState(w.lvURLs, 0, Qt::Checked);
                list::setCheckState(w.lvURLs, 1, Qt::Checked);
                w.mover->ButtonClicked();
                fx.clickNode(QStringLiteral("C"));
            },
            [](Fixture&, frmMain& w) { w.mover->ButtonClicked(); }};
}

int errorsShown(const Fixture& fx)
{
    return int(std::count_if(fx.prompter.shown.cbegin(), fx.prompter.shown.cend(),
                             [](const Prompt& p) { return p.buttons != Prompt::Buttons::YesNo; }));
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
        QCOMPARE(errorsShown(fx), 1);
        QCOMPARE(fx.prompter.shown.last().text, Refused);

        fx.db().execute(QStringLiteral("DROP TRIGGER fault"));
        fx.prompter.shown.clear();
        c.act(fx, w);
        QCOMPARE(errorsShown(fx), 0);
        QVERIFY(fx.dump() != before);
        QCOMPARE(fx.db().scalar(QStringLiteral("PRAGMA foreign_key_check")), QVariant());
    }
};

DORVU_TEST_MAIN(TestFaults)
#include "tst_faults.moc"
