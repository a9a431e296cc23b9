#include "cipher/UnlockGuard.h"

namespace {

// The key box is measured as the original's Trim did: spaces only, in 16-bit units.
qsizetype lengthWithoutSurroundingSpaces(const QString& text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin) == u' ')
        ++begin;
    while (end > begin && text.at(end - 1) == u' ')
        --end;
    return end - begin;
}

} // namespace

bool unlockKeyComplete(const QString& key)
{
    return lengthWithoutSurroundingSpaces(key) >= 6;
}

QString unlockKeyMessage()
{
    return QStringLiteral("Enter the UnLock-Key first\r\nand must be 6 digits in length.");
}
