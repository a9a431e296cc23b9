#include "platform/Clipboard.h"
#include "platform/Prompter.h"
#include "platform/Shell.h"
#include "platform/SingleInstance.h"
#include "store/Dorvudb.h"
#include "window/Startup.h"
#include "window/frmMain.h"

#include <QApplication>
#include <QCommandLineParser>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Dorvu"));
    QApplication::setApplicationVersion(QStringLiteral("4.0"));
    QCommandLineParser options;
    options.addHelpOption();
    options.addVersionOption();
    const QCommandLineOption restore(QStringLiteral("restore-backup"),
                                     QStringLiteral("Put the database back as the last session that changed it found "
                                                    "it (Dorvudb.mdb.backup), after asking, then start."));
    options.addOption(restore);
    options.process(app);

    // The program's files (store, key.chk, help) live beside the program itself.
    const QString programFolder = QApplication::applicationDirPath();

    SingleInstance instance(programFolder);
    const InstanceCheck instanceCheck = instance.acquire();
    if (instanceCheck.state == InstanceCheck::State::AlreadyRunning)
        return 0;

    MessageBoxPrompter prompter;
    if (instanceCheck.state == InstanceCheck::State::Refused) {
        prompter.error(instanceCheck.problem, frmMain::caption());
        return 1;
    }
    if (options.isSet(restore) && !restoreBackup(programFolder, prompter))
        return 1;
    std::unique_ptr<Dorvudb> store = openStore(programFolder, prompter);
    if (!store)
        return 1;
    store->keepBackupBeforeFirstChange();

    SystemClipboard clipboard;
    // Both the Exit button and closing the window end through quit: no clipboard manager keeps the password.
    QObject::connect(&app, &QCoreApplication::aboutToQuit, [&clipboard] { clipboard.clearIfOurs(); });
    DesktopShell shell;
    frmMain window(programFolder, store->connection(), {prompter, clipboard, shell});
    window.startUp();
    window.show();
    return app.exec();
}
