#include "cipher/UnlockGuard.h"

#include "store/TrimSpaces.h"

bool unlockKeyComplete(const QString& key)
{
    // Measured in 16-bit units, trimmed of spaces only.
    return trimSpaces(key).size() >= 6;
}

QString unlockKeyMessage()
{
    return QStringLiteral("Enter the UnLock-Key first\r\nand must be 6 digits in length.");
}
