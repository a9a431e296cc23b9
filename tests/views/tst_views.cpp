#include "platform/Pictures.h"
#include "support/Fixture.h"
#include "support/TestMain.h"
#include "views/PanelPort.h"

#include <QAction>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTreeView>

using namespace Qt::StringLiterals;

namespace {

// Banks (1) holds Cards (5, stored first: a child before its parent) and four sites; Mail (3) holds Inbox. Alpha's
// entries are enciphered by hand under "234561", not its own inverse: "abcdef" is stored "acdefb", and
// deciphering it the wrong way round would give "adefbc".
frmMain& open(Fixture& fx, bool alpha = true)
{
    fx.addCategory(5, u"Cards"_s, 2, 1);
    fx.addCategory(1, u"Banks"_s, 1, 0);
    fx.addCategory(3, u"Mail"_s, 1, 0);
    fx.addSite(1, 1, u"site10"_s, u"  zeta.example  "_s, u"ten"_s, 2);
    fx.addSite(1, 2, u"site2"_s, u"https://alpha.example"_s, u"two"_s, 10);
    fx.addSite(1, 3, u"Alpha"_s, u"https://mid.example"_s);
    fx.addSite(1, 4, u"   "_s, u"https://nameless.example"_s);
    fx.addSite(3, 1, u"Inbox"_s, u"https://mail.example"_s);
    fx.addPassword(1, 3, 1, u"carl"_s, u"bca"_s, u"short one"_s); // abc
    fx.addPassword(1, 3, 2, u"ann"_s, u"acdefb"_s);               // abcdef
    fx.addPassword(1, 3, 3, u"Bob"_s, u"4ss5p"_s, u"five"_s);     // p4ss5
    frmMain& w = fx.open();
    if (alpha) { // the key typed, Banks current and Alpha's entries on show
        QTest::mouseClick(w.txtPass, Qt::LeftButton);
        QTest::keyClicks(w.txtPass, u"234561"_s);
        fx.clickNode(u"Banks"_s);
        fx.clickRow(w.lvURLs, 1);
    }
    return w;
}

// The row showing a user id (passwords) or a site name (sites).
int row(const QTreeView* list, const QString& text)
{
    return list::rowWith(list, list->model()->columnCount() > 3 ? 2 : 0, text);
}

void clickHeader(QTreeView* list, int column)
{
    QHeaderView* header = list->header();
    const int x = header->sectionViewportPosition(column) + header->sectionSize(column) / 2;
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, header->height() / 2));
}

QString headers(const QTreeView* list)
{
    QString captions;
    for (int c = 0; c < list->model()->columnCount(); ++c)
        captions += list->model()->headerData(c, Qt::Horizontal).toString() + u'|';
    return captions;
}

} // namespace

class TestViews : public QObject {
    Q_OBJECT

private slots:
    void aClickedNodeIsTheCurrentCategory()
    {
        Fixture fx;
        frmMain& w = open(fx, false);
        QTest::keyClick(w.tvCategories, Qt::Key_Down); // from the root to Banks: moving the selection clicks nothing
        QCOMPARE(list::rows(w.lvURLs), 0);
        QTest::keyClick(w.tvCategories, Qt::Key_Space);
        QCOMPARE(pictureOf(fx.node(u"Banks"_s)), img1616::CurrentCategory);
        QCOMPARE(w.txtCatName->text() + u' ' + w.sURLsCount->text(), u"Banks 4 Site(s)"_s);
        QCOMPARE(list::selected(w.lvURLs), 0); // marked, not clicked
        // Only the left button selects.
        const QModelIndex mail = fx.node(u"Mail"_s);
        for (const Qt::MouseButton button : {Qt::RightButton, Qt::MiddleButton, Qt::LeftButton}) {
            QTest::mouseClick(w.tvCategories->viewport(), button, {}, w.tvCategories->visualRect(mail).center());
            const bool selected = w.tvCategories->currentIndex() == mail;
            QCOMPARE(selected || pictureOf(mail) == img1616::CurrentCategory, button == Qt::LeftButton);
        }
        QVERIFY(pictureOf(fx.node(u"Banks"_s)) == img1616::Category && w.txtSiteName->text().isEmpty());
        // Collapsing the branch of the current category makes the branch current.
        w.tvCategories->expand(fx.node(u"Banks"_s));
        fx.clickNode(u"Cards"_s);
        w.tvCategories->collapse(fx.node(u"Banks"_s));
        QCOMPARE(pictureOf(fx.node(u"Banks"_s)), img1616::CurrentCategory);
        QCOMPARE(w.tvCategories->currentIndex(), fx.node(u"Banks"_s));
        fx.clickNode(u"Categories"_s); // the root holds no sites
        QVERIFY(pictureOf(fx.node(u"Banks"_s)) == img1616::Category && list::rows(w.lvURLs) == 0);
        QCOMPARE(w.txtCatName->text() + w.sURLsCount->text(), u"0 Site(s)"_s);
    }

    // Banks is current, Alpha clicked and ticked; then the tree's selection wanders to Mail without a click.
    void commandsActOnTheCurrentCategory_data()
    {
        QTest::addColumn<QString>("paste"); // the node clicked before the paste; none for the other buttons
        QTest::addColumn<int>("button");
        QTest::addColumn<QString>("result"); // categories left, Alpha's category and rank, the messages
        QTest::newRow("+Star") << "" << 6 << "3 1:1 ";
        QTest::newRow("delete") << "" << 4
                                << "1 - Do you want to delete this category\r\n\r\n[ Banks ]\r\n\r\nand all it's "
                                   "subcategories incloding sites and passwords ?";
        QTest::newRow("move to the clicked category") << "Mail" << 9 << "3 3:0 ";
        QTest::newRow("move to the root: refused") << "Categories" << 9 << "3 1:0 You can not move sites here!";
    }

    void commandsActOnTheCurrentCategory()
    {
        QFETCH(QString, paste);
        QFETCH(int, button);
        QFETCH(QString, result);
        Fixture fx;
        frmMain& w = open(fx);
        list::setCheckState(w.lvURLs, 1, Qt::Checked);
        w.tvCategories->setFocus();
        QTest::keyClick(w.tvCategories, Qt::Key_Down);
        QCOMPARE(w.tvCategories->currentIndex(), fx.node(u"Mail"_s));
        fx.prompter.answers.enqueue(Answer::Yes);
        w.Buttons[button]->trigger();
        if (!paste.isEmpty()) {
            fx.clickNode(paste);
            QTest::keyClick(w.tvCategories, paste == u"Mail" ? Qt::Key_Up : Qt::Key_Down); // wandering again
            w.Buttons[button]->trigger();
        }
        const QString held = fx.db()
                                 .scalar(u"SELECT (SELECT count(*) FROM Categories) || ' ' || ifnull((SELECT "
                                         "CatCode || ':' || Rank FROM URLs WHERE SiteName = 'Alpha'), '-')"_s)
                                 .toString();
        QCOMPARE(held + u' ' + fx.prompter.texts().join(u'|'), result);
    }

    void theListsShowTheirColumns()
    {
        Fixture fx;
        frmMain& w = open(fx);
        // Rank (padded to the category's highest, empty for 0), name, their pictures, address, description.
        QCOMPARE(headers(w.lvURLs), u"||Site Name|URL|Description|"_s);
        QStringList sites;
        for (int i = 0; i < list::rows(w.lvURLs); ++i)
            sites << QStringList{list::text(w.lvURLs, i, 1), QString::number(list::picture(w.lvURLs, i, 1)),
                                 list::text(w.lvURLs, i, 2), QString::number(list::picture(w.lvURLs, i, 2)),
                                 list::text(w.lvURLs, i, 3), list::text(w.lvURLs, i, 4)}
                         .join(u'|');
        QCOMPARE(sites,
                 (QStringList{"|0|   |24|https://nameless.example|", "|0|Alpha|24|https://mid.example|",
                              "02|21|site10|24|  zeta.example  |ten", "10|21|site2|24|https://alpha.example|two"}));
        // Entries by user id in any case, the password one star a character, a Null description empty.
        QCOMPARE(headers(w.lvPasswords), u"User ID|Password|Description|"_s);
        QCOMPARE(list::column(w.lvPasswords, 0), (QStringList{"ann", "Bob", "carl"}));
        QCOMPARE(list::column(w.lvPasswords, 1), (QStringList{"******", "*****", "***"}));
        QCOMPARE(list::column(w.lvPasswords, 2), (QStringList{"", "five", "short one"}));
        QCOMPARE(list::picture(w.lvPasswords, 0, 0), img1616::Password);
    }

    void aClickedSiteIsCurrentAndOpensItsAddress()
    {
        Fixture fx;
        frmMain& w = open(fx);
        fx.clickRow(w.lvURLs, row(w.lvURLs, u"site10"_s));
        QCOMPARE(w.txtSiteName->text() + w.txtURL->text() + w.txtSiteDesc->toPlainText(),
                 u"site10  zeta.example  ten"_s);
        QTest::keyClick(w.lvURLs, Qt::Key_Up); // the arrows click the row they reach
        QCOMPARE(w.txtSiteName->text(), u"Alpha"_s);
        QCOMPARE(list::rows(w.lvPasswords), 3);
        // A double click or Enter opens the address trimmed; a nameless row is no site.
        fx.doubleClickRow(w.lvURLs, row(w.lvURLs, u"site10"_s));
        QTest::keyClick(w.lvURLs, Qt::Key_Return);
        fx.doubleClickRow(w.lvURLs, row(w.lvURLs, u"   "_s));
        QTest::keyClick(w.lvURLs, Qt::Key_Return);
        QCOMPARE(w.txtSiteName->text(), u"site10"_s);
        fx.clickNode(u"Mail"_s); // Inbox is shown selected, not clicked: Go opens its own address
        w.Buttons[11]->trigger();
        QCOMPARE(fx.shell.addresses, (QStringList{"zeta.example", "zeta.example", "https://mail.example"}));
    }

    // Natural order, case ignored; another column sorts in the current direction; rank shows no sort picture.
    void theHeadersSort()
    {
        Fixture fx;
        frmMain& w = open(fx);
        clickHeader(w.lvURLs, 2);
        QCOMPARE(list::column(w.lvURLs, 2), (QStringList{"   ", "Alpha", "site2", "site10"}));
        QCOMPARE(list::headerPicture(w.lvURLs, 2), img1616::SortAscending);
        clickHeader(w.lvURLs, 2);
        QCOMPARE(list::column(w.lvURLs, 2), (QStringList{"site10", "site2", "Alpha", "   "}));
        QCOMPARE(list::text(w.lvURLs, list::selected(w.lvURLs), 2), u"Alpha"_s); // the site on show stays selected
        clickHeader(w.lvURLs, 3);
        QCOMPARE(list::column(w.lvURLs, 3), (QStringList{"https://nameless.example", "https://mid.example",
                                                         "https://alpha.example", "  zeta.example  "}));
        QCOMPARE(list::headerPicture(w.lvURLs, 3), img1616::SortDescending);
        QCOMPARE(list::headerPicture(w.lvURLs, 2), img1616::None);
        fx.clickNode(u"Mail"_s); // the sort outlives a reload
        fx.clickNode(u"Banks"_s);
        QCOMPARE(list::text(w.lvURLs, 2, 2), u"site2"_s);
        clickHeader(w.lvURLs, 1);
        QCOMPARE(list::column(w.lvURLs, 1), (QStringList{"10", "02", "", ""}));
        QCOMPARE(list::headerPicture(w.lvURLs, 1), img1616::Rank);
        QCOMPARE(list::headerPicture(w.lvURLs, 3), img1616::None);
    }

    void theCheckBoxesAndTheCheckAllHeader()
    {
        Fixture fx;
        frmMain& w = open(fx);
        // A tick picks a site for a command, not clicking it: the site on show stays selected.
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(list::headerPicture(w.lvURLs, 0), img1616::NotAllChecked);
            const QRect box = w.lvURLs->visualRect(w.sitesModel.index(i, 0));
            QTest::mouseClick(w.lvURLs->viewport(), Qt::LeftButton, {}, {10, box.center().y()});
            QCOMPARE(list::checkState(w.lvURLs, i), Qt::Checked);
        }
        QCOMPARE(list::headerPicture(w.lvURLs, 0), img1616::AllChecked);
        QVERIFY(list::selected(w.lvURLs) == 1 && w.txtSiteName->text() == u"Alpha");
        list::setCheckState(w.lvURLs, 0, Qt::Unchecked);
        QCOMPARE(list::headerPicture(w.lvURLs, 0), img1616::NotAllChecked);
        clickHeader(w.lvURLs, 0); // not all: check all
        QCOMPARE(list::checkState(w.lvURLs, 0), Qt::Checked);
        clickHeader(w.lvURLs, 0);
        QCOMPARE(list::checkState(w.lvURLs, 3), Qt::Unchecked);
        // Rows come back from a reload unchecked, and the header with them: its next click checks.
        clickHeader(w.lvURLs, 0);
        fx.clickNode(u"Mail"_s);
        clickHeader(w.lvURLs, 0);
        QCOMPARE(list::checkState(w.lvURLs, 0), Qt::Checked);
    }

    // A click, a double click (which counts once), Space and Enter each copy the entry's password once.
    void aPickedEntryCopiesItsPasswordDecipheredUnderTheKey()
    {
        Fixture fx;
        frmMain& w = open(fx);
        w.panel->show();
        fx.clickRow(w.lvPasswords, row(w.lvPasswords, u"ann"_s));
        QCOMPARE(fx.clipboard.text + u' ' + w.txtPassword->text(), u"abcdef abcdef"_s); // stored "acdefb"
        QCOMPARE(fx.clipboard.clears + fx.clipboard.sets, 2);
        QCOMPARE(w.txtUserID->text() + w.txtSiteName->text() + w.txtCatName->text(), u"annAlphaBanks"_s);
        QCOMPARE(w.SSPanel4->text(), u"[ Edit Password ]"_s);
        w.panel->hide();
        fx.doubleClickRow(w.lvPasswords, row(w.lvPasswords, u"Bob"_s));
        QCOMPARE(fx.clipboard.text + QString::number(fx.clipboard.sets), u"p4ss52"_s);
        for (const Qt::Key key : {Qt::Key_Space, Qt::Key_Return}) {
            const QModelIndex carl = w.passwordsModel.index(row(w.lvPasswords, u"carl"_s), 0);
            list::select(w.lvPasswords, -1);
            w.lvPasswords->selectionModel()->setCurrentIndex(carl, QItemSelectionModel::NoUpdate);
            QTest::keyClick(w.lvPasswords, key);
            QCOMPARE(fx.clipboard.text + QString::number(fx.clipboard.sets),
                     u"abc"_s + QString::number(key == Qt::Key_Space ? 3 : 4));
        }
    }
};

DORVU_TEST_MAIN(TestViews)
#include "tst_views.moc"
