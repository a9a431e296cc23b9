#include "platform/Pictures.h"
#include "support/Fixture.h"
#include "support/TestMain.h"
#include "views/ViewItems.h"
#include "views/ViewLoader.h"
#include "window/Startup.h"

#include <QFile>
#include <QLabel>
#include <QTreeView>

class TestStartup : public QObject {
    Q_OBJECT

private slots:
    // The store's own tests cover each bad file and folder; here the user is told, and the file kept.
    void aStoreThatCannotBeUsedIsReportedAndLeftAlone()
    {
        QTemporaryDir dir;
        const QByteArray content = QByteArray("Standard Jet DB").leftJustified(2048, '\0');
        QFile file(dir.filePath(QStringLiteral("Dorvudb.mdb")));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
        file.close();
        RecordingPrompter prompter;
        QVERIFY(!openStore(dir.path(), prompter));
        QCOMPARE(prompter.shown.size(), 1);
        QCOMPARE(prompter.shown[0].icon, Prompt::Icon::Stop);
        QVERIFY2(prompter.shown[0].text.contains(file.fileName()), qPrintable(prompter.shown[0].text));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), content);
    }

    void anEmptyStoreShowsTheRootAlone()
    {
        Fixture fx;
        frmMain& w = fx.open();
        QCOMPARE(w.categoryModel.nodeCount(), 1);
        const QModelIndex root = w.categoryModel.root();
        QCOMPARE(root.data().toString(), QStringLiteral("Categories"));
        QCOMPARE(pictureOf(root), img1616::Root);
        QVERIFY(!w.tvCategories->isExpanded(root));
        QVERIFY(w.tvCategories->selectionModel()->isSelected(root));
        QCOMPARE(w.tvCategories->currentIndex(), root);
        QCOMPARE(w.state.SelNodeIndex, 0);
        QCOMPARE(w.sURLsCount->text(), QStringLiteral("0 Site(s)"));
        QVERIFY(!w.SSPanel1->isVisible());
        QTRY_COMPARE(QApplication::focusWidget(), w.tvCategories);
    }

    void theTreeIsBuiltLevelByLevel()
    {
        Fixture fx;
        // Stored out of level order on purpose: the parents must still exist before their children.
        fx.addCategory(5, QStringLiteral("Cards"), 2, 1);
        fx.addCategory(1, QStringLiteral("Banks"), 1, 0);
        fx.addCategory(9, QStringLiteral("Gold"), 3, 5);
        fx.addCategory(3, QStringLiteral("Mail"), 1, 0);
        fx.addCategory(7, QStringLiteral("Loans"), 2, 1);
        fx.addCategory(8, QStringLiteral("Work"), 2, 3);
        frmMain& w = fx.open();
        QVERIFY(w.tvCategories->isExpanded(w.categoryModel.root()));
        QVERIFY(!w.tvCategories->isExpanded(fx.node(QStringLiteral("Banks"))));
        // The nodes in load order: code, text, parent's code, picture.
        const CategoryModel& m = w.categoryModel;
        QStringList nodes;
        for (const qint32 code : m.codesInLoadOrder()) {
            const QModelIndex n = m.indexOf(code);
            nodes << QStringLiteral("%1 %2 %3 %4")
                         .arg(code)
                         .arg(m.name(n), n.parent().isValid() ? QString::number(m.code(n.parent())) : QStringLiteral("-"))
                         .arg(pictureOf(n));
        }
        QCOMPARE(nodes, (QStringList{"0 Categories - 15", "1 Banks 0 17", "3 Mail 0 17", "5 Cards 1 17", "7 Loans 1 17",
                                     "8 Work 3 17", "9 Gold 5 17"}));
    }

    // Ranks are zero-padded to the width of the category's highest, and 0 shows nothing.
    void aCategorysSitesFillTheListWithPaddedRanks()
    {
        Fixture fx;
        fx.addCategory(4, QStringLiteral("Banks"), 1, 0);
        fx.addSite(4, 1, QStringLiteral("beta"), QStringLiteral("b.example"), QStringLiteral("second"), 12);
        fx.addSite(4, 2, QStringLiteral("Alpha"), QStringLiteral("a.example"), QVariant(), 3);
        fx.addSite(4, 3, QStringLiteral("gamma"), QStringLiteral("c.example"), QStringLiteral("third"), 0);
        frmMain& w = fx.open();
        fx.clickNode(QStringLiteral("Banks"));
        QCOMPARE(w.sURLsCount->text(), QStringLiteral("3 Site(s)"));
        // Tag, rank and its picture, name and its picture, address, description.
        QStringList rows;
        for (int i = 0; i < list::rows(w.lvURLs); ++i) {
            rows << QStringList{list::code(w.lvURLs, i),
                                list::text(w.lvURLs, i, 1),
                                QString::number(list::picture(w.lvURLs, i, 1)),
                                list::text(w.lvURLs, i, 2),
                                QString::number(list::picture(w.lvURLs, i, 2)),
                                list::text(w.lvURLs, i, 3),
                                list::text(w.lvURLs, i, 4)}
                        .join(u'|');
        }
        QCOMPARE(rows, (QStringList{"2|03|21|Alpha|24|a.example|", "1|12|21|beta|24|b.example|second",
                                    "3||0|gamma|24|c.example|third"}));
        QCOMPARE(SitesModel::rankText(5, 3), QStringLiteral("005"));
        QCOMPARE(SitesModel::rankText(100, 3), QStringLiteral("100"));
    }
};

DORVU_TEST_MAIN(TestStartup)
#include "tst_startup.moc"
