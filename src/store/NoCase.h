#pragma once

struct sqlite3;

// SQLite's NOCASE order for this UTF-16 store, registered on a connection under the name NOCASE for UTF-16le.
// SQLite's built-in works on UTF-8 and would convert every text it compares; with this one registered, SQLite
// picks it for the store's encoding and compares the texts where they lie. Returns SQLite's result code.
int registerNoCase(sqlite3* db);
