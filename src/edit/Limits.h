#pragma once

#include <QString>

// The store's limits in the user's words: shown before a command would break one of them.
namespace limits {

inline const QString TooManyEntries = QStringLiteral("A site can hold at most 255 entries.");
inline const QString TooDeep = QStringLiteral("Categories can be nested at most 255 levels deep.");
inline const QString TooManyCategories = QStringLiteral("No more categories can be added to this database.");
inline const QString TooManySites = QStringLiteral("This category can hold no more sites.");
inline const QString RankTooHigh = QStringLiteral("This site's rank cannot go any higher.");

} // namespace limits
