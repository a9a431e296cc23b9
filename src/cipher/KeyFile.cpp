#include "cipher/KeyFile.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringConverter>
#include <QStringDecoder>
#include <QStringView>

namespace {

bool isLineEnd(QChar c)
{
    return c == u'\r' || c == u'\n';
}

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

QStringView trimmedOfSpaces(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin] == u' ')
        ++begin;
    while (end > begin && text[end - 1] == u' ')
        --end;
    return text.sliced(begin, end - begin);
}

KeyFileRead unreadable(const QString& path, const QString& reason)
{
    KeyFileRead result;
    result.status = KeyFileRead::Status::Unreadable;
    result.error = QStringLiteral("The check file %1 cannot be read: %2.").arg(QDir::toNativeSeparators(path), reason);
    return result;
}

QString decode(const QByteArray& bytes)
{
    // Only a byte-order mark can name another encoding; the decoder drops the mark itself.
    const auto encoding = QStringConverter::encodingForData(bytes).value_or(QStringConverter::Utf8);
    QStringDecoder decoder(encoding);
    return decoder.decode(bytes);
}

} // namespace

QString lastKeyFileField(const QString& content)
{
    const QStringView text(content);
    const qsizetype n = text.size();
    QStringView last;
    qsizetype i = 0;
    while (i < n) {
        while (i < n && isBlank(text[i]))
            ++i;
        if (i < n && text[i] == u'"') {
            const qsizetype start = ++i;
            while (i < n && text[i] != u'"')
                ++i;
            last = text.sliced(start, i - start);
            while (i < n && text[i] != u',' && !isLineEnd(text[i]))
                ++i;
        } else {
            const qsizetype start = i;
            while (i < n && text[i] != u',' && !isLineEnd(text[i]))
                ++i;
            qsizetype end = i;
            while (end > start && isBlank(text[end - 1]))
                --end;
            last = text.sliced(start, end - start);
        }
        if (i < n) {
            // The delimiter: a comma, or one line end, CRLF counting as one.
            if (text[i] == u'\r' && i + 1 < n && text[i + 1] == u'\n')
                ++i;
            ++i;
        }
    }
    return trimmedOfSpaces(last).toString();
}

QString keyFileField(const QByteArray& bytes)
{
    return lastKeyFileField(decode(bytes));
}

KeyFileRead readKeyFile(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return {};
    if (info.isDir())
        return unreadable(path, QStringLiteral("it is a folder, not a file"));
    if (!info.isFile())
        return unreadable(path, QStringLiteral("it is not an ordinary file"));
    if (info.size() > keyFileSizeLimit)
        return unreadable(path, QStringLiteral("it is too large for a check file (%1 bytes; at most %2)")
                                    .arg(info.size())
                                    .arg(keyFileSizeLimit));

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return unreadable(path, file.errorString());
    // Read one byte past the limit, so that a file that grew since the size check is still refused.
    const QByteArray bytes = file.read(keyFileSizeLimit + 1);
    if (file.error() != QFileDevice::NoError)
        return unreadable(path, file.errorString());
    if (bytes.size() > keyFileSizeLimit)
        return unreadable(
            path, QStringLiteral("it is too large for a check file (more than %1 bytes)").arg(keyFileSizeLimit));

    KeyFileRead result;
    result.status = KeyFileRead::Status::Read;
    result.lastField = keyFileField(bytes);
    return result;
}
