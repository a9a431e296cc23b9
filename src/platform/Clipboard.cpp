#include "platform/Clipboard.h"

#include <QClipboard>
#include <QCryptographicHash>
#include <QGuiApplication>
#include <QMimeData>

namespace {

const QString hintFormat = QStringLiteral("x-kde-passwordManagerHint");

QByteArray digest(const QString& text)
{
    return QCryptographicHash::hash(text.toUtf8(), QCryptographicHash::Sha256);
}

} // namespace

void SystemClipboard::clear()
{
    QGuiApplication::clipboard()->clear();
    m_digest.clear();
}

void SystemClipboard::setPassword(const QString& password)
{
    auto* data = new QMimeData;
    data->setText(password);
    data->setData(hintFormat, QByteArrayLiteral("secret"));
    QGuiApplication::clipboard()->setMimeData(data);
    m_digest = digest(password);
}

void SystemClipboard::clearIfOurs()
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!m_digest.isEmpty() && data && data->data(hintFormat) == "secret" && digest(data->text()) == m_digest)
        clear();
}
