#include "platform/Shell.h"

#include <QDesktopServices>
#include <QUrl>

void DesktopShell::openAddress(const QString& address)
{
    // The result is not examined: a browser that fails to start has its own ways of saying so.
    QDesktopServices::openUrl(QUrl(address, QUrl::TolerantMode));
}

void DesktopShell::openFile(const QString& path)
{
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}
