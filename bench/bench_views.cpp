// How long a click on a category with many sites takes: the query, 2,000 rows into the list, and the sort.
#include "BenchSupport.h"

#include "store/Dorvudb.h"
#include "views/CategoryTree.h"
#include "views/SitesList.h"
#include "window/frmMain.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int sites = argc > 1 ? std::atoi(argv[1]) : 2000;

    QTemporaryDir dir;
    Dorvudb store(dir.path());
    store.BuildDataBase();
    Connection& db = store.connection();
    {
        Connection::Transaction work(db);
        db.execute(QStringLiteral("INSERT INTO Categories VALUES (1, 'Many', 1, 0)"));
        db.execute(QStringLiteral("INSERT INTO Categories VALUES (2, 'None', 1, 0)"));
        for (int i = 1; i <= sites; ++i)
            db.execute(QStringLiteral("INSERT INTO URLs VALUES (1, ?, ?, ?, ?, ?)"),
                       {i, i % 7, QStringLiteral("Site number %1").arg((i * 7919) % sites),
                        QStringLiteral("https://site%1.example/login").arg(i), QStringLiteral("Description %1").arg(i)});
        work.commit();
    }

    SilentPrompter prompter;
    NoClipboard clipboard;
    NoShell shell;
    frmMain window(dir.path(), db, {prompter, clipboard, shell});
    window.startUp();
    window.show();
    QCoreApplication::processEvents();

    QTreeWidgetItem* many = window.Nodes.at(2);
    QTreeWidgetItem* none = window.Nodes.at(3);
    auto clickMany = [&] {
        window.tvCategories->setCurrentItem(none);
        window.tree->NodeClick(none);
        window.tvCategories->setCurrentItem(many);
        QElapsedTimer timer;
        timer.start();
        window.tree->NodeClick(many);
        QCoreApplication::processEvents(); // include the first paint of the list
        return timer.nsecsElapsed() / 1e6;
    };

    const int runs = 15;
    std::vector<double> unsorted, sorted;
    for (int r = 0; r < runs; ++r)
        unsorted.push_back(clickMany());
    window.sites->HeaderClick(3); // sort by name: the collator runs on every load from now on
    for (int r = 0; r < runs; ++r)
        sorted.push_back(clickMany());

    std::printf("category click with %d sites: %.1f ms (query order), %.1f ms (sorted by name), median of %d\n",
                window.lvURLs->topLevelItemCount(), medianMs(unsorted), medianMs(sorted), runs);
    return 0;
}
