// How long a site click takes when the site holds the most entries a site can (255), each deciphered as the
// list fills; and the reload when the sixth digit of the unlock key is typed.
#include "BenchSupport.h"

#include "cipher/CryptText.h"
#include "store/Dorvudb.h"
#include "views/CategoryTree.h"
#include "views/SitesList.h"
#include "window/frmMain.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <cstdio>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString key = QStringLiteral("271828");
    const int entries = 255;

    QTemporaryDir dir;
    Dorvudb store(dir.path());
    store.BuildDataBase();
    Connection& db = store.connection();
    {
        Connection::Transaction work(db);
        db.execute(QStringLiteral("INSERT INTO Categories VALUES (1, 'Bank', 1, 0)"));
        db.execute(QStringLiteral("INSERT INTO URLs VALUES (1, 1, 0, 'Full', 'https://full.example', NULL)"));
        db.execute(QStringLiteral("INSERT INTO URLs VALUES (1, 2, 0, 'Empty', 'https://empty.example', NULL)"));
        for (int i = 1; i <= entries; ++i)
            db.execute(QStringLiteral("INSERT INTO PWs VALUES (1, 1, ?, ?, ?, ?)"),
                       {i, QStringLiteral("user%1@example.org").arg(i),
                        CryptText(CryptMode::Enc, key, QStringLiteral("correct horse battery %1").arg(i)),
                        QStringLiteral("Entry %1").arg(i)});
        work.commit();
    }

    SilentPrompter prompter;
    NoClipboard clipboard;
    NoShell shell;
    frmMain window(dir.path(), db, {prompter, clipboard, shell});
    window.startUp();
    window.show();
    window.txtPass->setText(key);
    QTreeWidgetItem* bank = window.Nodes.at(2);
    window.tvCategories->setCurrentItem(bank);
    window.tree->NodeClick(bank);
    QCoreApplication::processEvents();

    auto clickSite = [&](int row) {
        window.lvURLs->setCurrentItem(window.lvURLs->topLevelItem(row));
        QElapsedTimer timer;
        timer.start();
        window.sites->SiteClick();
        QCoreApplication::processEvents(); // include the first paint of the list
        return timer.nsecsElapsed() / 1e6;
    };
    const int full = window.lvURLs->topLevelItem(0)->text(2) == u"Full" ? 0 : 1;

    const int runs = 15;
    std::vector<double> clicks, reloads;
    for (int r = 0; r < runs; ++r) {
        clickSite(1 - full);
        clicks.push_back(clickSite(full));
    }
    for (int r = 0; r < runs; ++r) {
        window.txtPass->setText(key.left(5));
        QCoreApplication::processEvents();
        QElapsedTimer timer;
        timer.start();
        window.txtPass->setText(key);
        QCoreApplication::processEvents();
        reloads.push_back(timer.nsecsElapsed() / 1e6);
    }

    std::printf("site click with %d entries: %.1f ms; completing the key: %.1f ms; median of %d\n",
                window.lvPasswords->topLevelItemCount(), medianMs(clicks), medianMs(reloads), runs);
    return 0;
}
