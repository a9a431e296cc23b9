#pragma once

#include <QVariant>

// The codes of categories, sites and entries: how new ones are allocated and how far they can go.
namespace codes {

// A new code is the largest code in use in its scope plus one, 1 in an empty scope (max is Null).
qint64 nextCode(const QVariant& maxInUse);

// The store's limits, which its own rules enforce as well: commands check them before they touch the store.
inline constexpr qint64 MaxCode = 2147483647; // CatCode, SiteCode and Rank are 32-bit
inline constexpr qint64 MaxSer = 255;         // entries in one site
inline constexpr qint64 MaxLevel = 255;       // depth of the category tree

} // namespace codes
