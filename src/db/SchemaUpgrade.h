#pragma once

#include <QString>

struct sqlite3;
struct ShippedFeedReport;

// Brings a database file made by an earlier program up to
// DatabaseCreator::SchemaVersion: the tables added since are created and
// filled with their shipped rows, and the system data editor gets its rows
// for them; version 3 brings the shipped feedstuffs up to date
// (ShippedFeedUpdate). All of it happens in one transaction; no row of the
// practice is changed.
namespace SchemaUpgrade {

// The file's schema version (PRAGMA user_version); -1 when unreadable.
int schemaVersion(sqlite3* db);

// True when the file is at the current version afterwards. A file of version
// 0 (not made by this program) or of a newer program is left alone. report
// receives what the update of the shipped feedstuffs changed, when it ran.
bool upgrade(sqlite3* db, QString* error, ShippedFeedReport* report = nullptr);

} // namespace SchemaUpgrade
