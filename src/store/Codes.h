#pragma once

#include <QString>
#include <QVariant>

// Codes travel through the window as decimal text (labels, tags, node keys) and become numbers again
// before they reach a statement.
namespace codes {

// The leading number of a text, as the program reads codes: leading spaces skipped, digits up to the first
// other character, 0 when there are none ("12abc" is 12, "" is 0). Saturates at the 64-bit range.
qint64 numericValue(const QString& text);

// A new code is the largest code in use in its scope plus one, 1 in an empty scope (max is Null).
qint64 nextCode(const QVariant& maxInUse);

// The store's limits, which its own rules enforce as well: commands check them before they touch the store.
inline constexpr qint64 MaxCode = 2147483647; // CatCode, SiteCode and Rank are 32-bit
inline constexpr qint64 MaxSer = 255;         // entries in one site
inline constexpr qint64 MaxLevel = 255;       // depth of the category tree

} // namespace codes
