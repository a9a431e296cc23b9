#include "window/Startup.h"

#include "platform/Prompter.h"
#include "store/Dorvudb.h"
#include "store/SessionBackup.h"
#include "store/StoreError.h"
#include "window/frmMain.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>

std::unique_ptr<Dorvudb> openStore(const QString& programFolder, Prompter& prompter)
{
    auto store = std::make_unique<Dorvudb>(programFolder);
    try {
        store->BuildDataBase();
    } catch (const StoreError& error) {
        prompter.error(error.reason(), frmMain::caption());
        return nullptr;
    }
    return store;
}

bool restoreBackup(const QString& programFolder, Prompter& prompter)
{
    const QString store = QDir(programFolder).filePath(Dorvudb::fileName());
    const QFileInfo copy(backup::latestPath(store));
    const QString question = QStringLiteral("Replace the database %1 with its backup of %2?\r\n\r\nEvery change made "
                                            "since then will be lost.")
                                 .arg(QDir::toNativeSeparators(store),
                                      QLocale().toString(copy.lastModified(), QLocale::ShortFormat));
    if (copy.isFile() && !prompter.confirm(question, frmMain::caption(), Prompt::Icon::Question))
        return true;
    try {
        backup::restore(store);
    } catch (const StoreError& error) {
        prompter.error(error.reason(), frmMain::caption());
        return false;
    }
    return true;
}
