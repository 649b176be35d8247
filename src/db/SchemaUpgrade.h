#pragma once

#include <QString>

struct sqlite3;

// Brings a database file made by an earlier program up to
// DatabaseCreator::SchemaVersion: the tables added since are created and
// filled with their shipped rows, and the system data editor gets its rows
// for them. All of it happens in one transaction; rows already there are
// never changed.
namespace SchemaUpgrade {

// The file's schema version (PRAGMA user_version); -1 when unreadable.
int schemaVersion(sqlite3* db);

// True when the file is at the current version afterwards. A file of version
// 0 (not made by this program) or of a newer program is left alone.
bool upgrade(sqlite3* db, QString* error);

} // namespace SchemaUpgrade
