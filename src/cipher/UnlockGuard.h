#pragma once

#include <QString>

// True when the unlock key, trimmed of spaces, holds at least six characters (the guard lets the command pass).
bool unlockKeyComplete(const QString& key);

// The guard's two-line message: "Enter the UnLock-Key first" CRLF "and must be 6 digits in length."
QString unlockKeyMessage();
