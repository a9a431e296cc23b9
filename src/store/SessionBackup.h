#pragma once

#include <QString>

struct sqlite3;

// The copy of the store as a session found it, made before the session's first change, so that one mistaken
// delete can be undone: Dorvudb.mdb.backup beside the store, and the copy it replaced, Dorvudb.mdb.backup-1.
namespace backup {

QString latestPath(const QString& storePath);
QString previousPath(const QString& storePath);

// Copies the open store `db` through SQLite's online backup API into a new file (mode 0600), which then takes
// the latest copy's name, the latest becoming the previous one. Throws StoreError; the store is never touched.
void keep(sqlite3* db, const QString& storePath);

// Puts the latest copy's rows back into the store at `storePath` (not open elsewhere), in one transaction.
// Throws StoreError when there is no copy or it cannot be read.
void restore(const QString& storePath);

} // namespace backup
