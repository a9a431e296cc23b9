#include "cipher/CryptText.h"
#include "cipher/UnlockGuard.h"
#include "platform/Pictures.h"
#include "edit/EditPanel.h"
#include "support/Fixture.h"
#include "support/TestMain.h"
#include "views/PasswordsList.h"
#include "views/ViewItems.h"
#include "views/ViewLoader.h"

#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTreeView>

namespace {

const QString Key = QStringLiteral("352416");

QString enc(const QString& text)
{
    return CryptText(CryptMode::Enc, Key, text);
}

// Banks (1) holds Alpha (1) with three entries and Beta (2) with none; Mail (3) holds no site.
void seed(Fixture& fx)
{
    fx.addCategory(1, QStringLiteral("Banks"), 1, 0);
    fx.addCategory(3, QStringLiteral("Mail"), 1, 0);
    fx.addSite(1, 1, QStringLiteral("Alpha"), QStringLiteral("https://alpha.example"), QStringLiteral("first"));
    fx.addSite(1, 2, QStringLiteral("Beta"), QStringLiteral("https://beta.example"));
    fx.addPassword(1, 1, 1, QStringLiteral("carl"), enc(QStringLiteral("abc")), QStringLiteral("short one"));
    fx.addPassword(1, 1, 2, QStringLiteral("ann"), enc(QStringLiteral("hunter22")), QVariant());
    fx.addPassword(1, 1, 3, QStringLiteral("Bob"), enc(QStringLiteral("p4ss5")), QStringLiteral("five"));
}

QStringList column(const QTreeView* list, int c)
{
    return list::column(list, c);
}

void clickHeader(QTreeView* list, int c)
{
    QHeaderView* header = list->header();
    const int x = header->sectionViewportPosition(c - 1) + header->sectionSize(c - 1) / 2;
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, header->height() / 2));
}

// The window with the key typed, Banks current and Alpha's entries shown.
frmMain& openAlpha(Fixture& fx, const QString& key = Key)
{
    frmMain& w = fx.open();
    QTest::mouseClick(w.txtPass, Qt::LeftButton);
    QTest::keyClicks(w.txtPass, key);
    fx.clickNode(QStringLiteral("Banks"));
    fx.clickRow(w.lvURLs, list::rowWith(w.lvURLs, 2, QStringLiteral("Alpha")));
    return w;
}

// A real double click: press, release, press, double-click, release.
void doubleClick(QTreeView* list, int row)
{
    const QPoint at = Fixture::rowPoint(list, row);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mousePress(list->viewport(), Qt::LeftButton, {}, at);
    QMouseEvent dbl(QEvent::MouseButtonDblClick, at, list->viewport()->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
    QCoreApplication::sendEvent(list->viewport(), &dbl);
    QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, at);
}

} // namespace

class TestPasswords : public QObject {
    Q_OBJECT

private slots:
    void fillingMasksAndDeciphers()
    {
        Fixture fx;
        seed(fx);
        frmMain& w = openAlpha(fx);
        QCOMPARE(column(w.lvPasswords, 0), (QStringList{"ann", "Bob", "carl"})); // by user id, any case
        QCOMPARE(list::text(w.lvPasswords, 0, 1), QStringLiteral("********"));
        QCOMPARE(list::password(w.lvPasswords, 0), QStringLiteral("hunter22"));
        QCOMPARE(list::code(w.lvPasswords, 0), QStringLiteral("2"));
        QCOMPARE(list::text(w.lvPasswords, 0, 2), QString()); // Null description
        QCOMPARE(list::picture(w.lvPasswords, 0, 0), img1616::Password);
        QCOMPARE(list::text(w.lvPasswords, 2, 2), QStringLiteral("short one"));

        // One statement, for the selected category and site.
        fx.startTrace();
        w.views->Load(What::Passwords);
        const QStringList sent = fx.stopTrace();
        QCOMPARE(sent.size(), 1);
        QVERIFY2(sent.first().contains(QStringLiteral("FROM PWs WHERE CatCode = 1 AND SiteCode = 1")),
                 qPrintable(sent.first()));
    }

    void clickingAnEntryCopiesItsPassword()
    {
        Fixture fx;
        seed(fx);
        frmMain& w = openAlpha(fx);
        w.txtSiteName->clear();
        fx.clickRow(w.lvPasswords, list::rowWith(w.lvPasswords, 0, QStringLiteral("Bob")));
        QCOMPARE(fx.clipboard.text, QStringLiteral("p4ss5"));
        QCOMPARE(fx.clipboard.clears, 1);
        QCOMPARE(fx.clipboard.sets, 1);
        QCOMPARE(w.txtPassword->text(), QStringLiteral("p4ss5"));
        QCOMPARE(w.txtUserID->text(), QStringLiteral("Bob"));
        QCOMPARE(w.lblSer->text(), QStringLiteral("3"));
        QCOMPARE(w.txtSiteName->text(), QStringLiteral("Alpha"));
        QCOMPARE(w.lblCatCode->text(), QStringLiteral("1"));
        QCOMPARE(w.txtCatName->text(), QStringLiteral("Banks"));
        QCOMPARE(list::text(w.lvPasswords, list::rowWith(w.lvPasswords, 0, QStringLiteral("Bob")), 1),
                 QStringLiteral("*****"));

        // With the panel open its caption follows.
        w.panel->show();
        fx.clickRow(w.lvPasswords, list::rowWith(w.lvPasswords, 0, QStringLiteral("ann")));
        QCOMPARE(fx.clipboard.text, QStringLiteral("hunter22"));
        QCOMPARE(w.SSPanel4->text(), QStringLiteral("[ Edit Password ]"));
    }

    void theGuardRefusesAnIncompleteKey_data()
    {
        QTest::addColumn<QString>("key");
        QTest::newRow("empty") << QString();
        QTest::newRow("five digits") << "35241";
    }

    void theGuardRefusesAnIncompleteKey()
    {
        QFETCH(QString, key);
        Fixture fx;
        seed(fx);
        frmMain& w = openAlpha(fx, key);
        QCOMPARE(list::text(w.lvPasswords, 0, 1), QStringLiteral("********")); // stars whatever the key
        fx.clickRow(w.lvPasswords, 0);
        QVERIFY(!fx.prompter.shown.isEmpty());
        const Prompt expected{unlockKeyMessage(), QStringLiteral("Dorvu v4.0"), Prompt::Icon::Exclamation,
                              Prompt::Buttons::Ok};
        QCOMPARE(fx.prompter.shown.last(), expected);
        QCOMPARE(fx.clipboard.clears, 0);
        QCOMPARE(fx.clipboard.sets, 0);
        QCOMPARE(w.txtPassword->text(), QString());
        QCOMPARE(w.state.CurWhat, What::Sites);
    }

    void aBlankUserIdCopiesNothing()
    {
        Fixture fx;
        seed(fx);
        fx.addPassword(1, 1, 4, QStringLiteral("   "), enc(QStringLiteral("nobody")));
        frmMain& w = openAlpha(fx);
        const int blank = list::rowWith(w.lvPasswords, 0, QStringLiteral("   "));
        fx.clickRow(w.lvPasswords, blank);
        QCOMPARE(fx.clipboard.clears, 0);
        QCOMPARE(fx.clipboard.sets, 0);
        QCOMPARE(w.lblSer->text(), QString());
        QCOMPARE(w.txtPassword->text(), QString());

        w.panel->show();
        w.SSPanel4->setText(QStringLiteral("before"));
        fx.clickRow(w.lvPasswords, blank);
        QCOMPARE(w.SSPanel4->text(), QStringLiteral("[ Add Password ]"));
        QCOMPARE(fx.clipboard.sets, 0);
    }

    void theKeyboardDoesWhatAClickDoes_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("space") << int(Qt::Key_Space);
        QTest::newRow("enter") << int(Qt::Key_Return);
    }

    void theKeyboardDoesWhatAClickDoes()
    {
        QFETCH(int, key);
        Fixture fx;
        seed(fx);
        frmMain& w = openAlpha(fx);
        w.lvPasswords->setFocus();
        w.lvPasswords->selectionModel()->setCurrentIndex(w.passwordsModel.index(1, 0), QItemSelectionModel::NoUpdate);
        QTest::keyClick(w.lvPasswords, Qt::Key(key));
        QCOMPARE(fx.clipboard.text, QStringLiteral("p4ss5"));
        QCOMPARE(w.lblSer->text(), QStringLiteral("3"));
    }

    void aDoubleClickIsOneClick()
    {
        Fixture fx;
        seed(fx);
        frmMain& w = openAlpha(fx);
        doubleClick(w.lvPasswords, 0);
        QCOMPARE(fx.clipboard.sets, 1);
        QCOMPARE(fx.clipboard.text, QStringLiteral("hunter22"));
        QCOMPARE(fx.shell.addresses, QStringList());
        // The next single click counts again.
        fx.clickRow(w.lvPasswords, 1);
        QCOMPARE(fx.clipboard.sets, 2);
    }

    void theHeaderSorts()
    {
        Fixture fx;
        seed(fx);
        frmMain& w = openAlpha(fx);
        QTreeView* list = w.lvPasswords;

        // Sorting starts off with the first column ascending, so a first click on it reverses.
        clickHeader(list, 1);
        QCOMPARE(column(list, 0), (QStringList{"carl", "Bob", "ann"}));
        QCOMPARE(list::headerPicture(list, 0), img1616::SortDescending);
        clickHeader(list, 1);

        clickHeader(list, 2); // by the stars: by password length
        QCOMPARE(column(list, 0), (QStringList{"carl", "Bob", "ann"}));
        QCOMPARE(list::headerPicture(list, 1), img1616::SortAscending);
        clickHeader(list, 2);
        QCOMPARE(column(list, 0), (QStringList{"ann", "Bob", "carl"}));
        QCOMPARE(list::headerPicture(list, 1), img1616::SortDescending);

        // Another column takes the sort in the current order; the former one loses its picture.
        clickHeader(list, 3);
        QCOMPARE(column(list, 2), (QStringList{"short one", "five", ""}));
        QCOMPARE(list::headerPicture(list, 2), img1616::SortDescending);
        QCOMPARE(list::headerPicture(list, 1), img1616::None);

        // The sort survives a reload.
        w.views->Load(What::Passwords);
        QCOMPARE(column(list, 2), (QStringList{"short one", "five", ""}));
        clickHeader(list, 1);
        QCOMPARE(column(list, 0), (QStringList{"carl", "Bob", "ann"}));
        QCOMPARE(list::headerPicture(list, 0), img1616::SortDescending);
        QCOMPARE(list::headerPicture(list, 2), img1616::None);
    }

    // The tree's selection not the current category sends the focus back to the tree, which loads it;
    // a category without sites sends it to the sites list.
    void enteringGoesBackWhenThereIsNoEntryToShow_data()
    {
        QTest::addColumn<QString>("node");
        QTest::addColumn<QString>("focus");
        QTest::newRow("tree selection not current") << "Mail"
                                                    << "tvCategories";
        QTest::newRow("no sites") << ""
                                  << "lvURLs";
    }

    void enteringGoesBackWhenThereIsNoEntryToShow()
    {
        QFETCH(QString, node);
        QFETCH(QString, focus);
        Fixture fx;
        seed(fx);
        frmMain& w = openAlpha(fx);
        if (node.isEmpty())
            fx.clickNode(QStringLiteral("Mail"));
        else
            w.tvCategories->setCurrentIndex(fx.node(node));
        w.lvPasswords->setFocus();
        QTRY_COMPARE(QApplication::focusWidget()->objectName(), focus);
        QCOMPARE(w.lblCatCode->text(), QStringLiteral("3"));
        QCOMPARE(w.lvPasswords->property("BorderStyle").toInt(), 0);
    }

    void enteringWithThePanelOpenPreparesIt_data()
    {
        QTest::addColumn<QString>("site");     // the sites list's selected row
        QTest::addColumn<QString>("selected"); // the passwords list's selected entry, by user id
        QTest::addColumn<bool>("current");     // whether that entry is the current one (lblSer)
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("code"); // lblSiteCode or lblSer afterwards
        const auto row = [](const char* name, const char* site, const char* selected, bool current, const char* caption,
                            const char* code) {
            QTest::newRow(name) << QString(site) << QString(selected) << current << QString(caption) << QString(code);
        };
        row("another site: a new site", "Beta", "", false, "[ Add Site ]", "3");
        row("the current entry: edit it", "Alpha", "Bob", true, "[ Edit Password ]", "3");
        row("another entry: a new one", "Alpha", "Bob", false, "[ Add Password ]", "4");
    }

    void enteringWithThePanelOpenPreparesIt()
    {
        QFETCH(QString, site);
        QFETCH(QString, selected);
        QFETCH(bool, current);
        QFETCH(QString, caption);
        QFETCH(QString, code);
        Fixture fx;
        seed(fx);
        frmMain& w = openAlpha(fx);
        list::select(w.lvURLs, list::rowWith(w.lvURLs, 2, site));
        if (!selected.isEmpty()) {
            const int row = list::rowWith(w.lvPasswords, 0, selected);
            list::select(w.lvPasswords, row);
            w.state.setSer(current ? w.passwordsModel.entry(row).ser : 1);
        }
        w.panel->show();
        w.SSPanel4->setText(QStringLiteral("before"));
        w.lvPasswords->setFocus();
        QTRY_COMPARE(w.SSPanel4->text(), caption);
        QCOMPARE(site == u"Beta" ? w.lblSiteCode->text() : w.lblSer->text(), code);
    }

    void enteringWithThePanelClosedClicksTheSelectedEntry()
    {
        Fixture fx;
        seed(fx);
        frmMain& w = openAlpha(fx);
        list::select(w.lvPasswords, list::rowWith(w.lvPasswords, 0, QStringLiteral("ann")));
        w.lvPasswords->setFocus();
        QTRY_COMPARE(fx.clipboard.text, QStringLiteral("hunter22"));
        QCOMPARE(w.lblSer->text(), QStringLiteral("2"));
        QCOMPARE(w.state.CurWhat, What::Passwords);
        QCOMPARE(w.lvPasswords->property("BorderStyle").toInt(), 1);

        // Entering again with the same entry current copies nothing more.
        w.lvURLs->setFocus();
        QTRY_COMPARE(w.lvPasswords->property("BorderStyle").toInt(), 0);
        w.lvPasswords->setFocus();
        QTRY_COMPARE(w.state.CurWhat, What::Passwords);
        QCOMPARE(fx.clipboard.sets, 1);
    }

    void enteringAnEmptyListTakesTheCategory()
    {
        Fixture fx;
        seed(fx);
        frmMain& w = openAlpha(fx);
        fx.clickRow(w.lvURLs, list::rowWith(w.lvURLs, 2, QStringLiteral("Beta")));
        QCOMPARE(list::rows(w.lvPasswords), 0);
        w.state.setCatCode(std::nullopt);
        w.txtCatName->setText(QStringLiteral("stale"));
        w.lvPasswords->setFocus();
        QTRY_COMPARE(w.lblCatCode->text(), QStringLiteral("1"));
        QCOMPARE(w.txtCatName->text(), QStringLiteral("Banks"));
        QCOMPARE(QApplication::focusWidget(), w.lvPasswords);
    }
};

DORVU_TEST_MAIN(TestPasswords)
#include "tst_passwords.moc"
