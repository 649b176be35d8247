#pragma once

#include "db/DatabaseCreator.h"

#include <QString>

struct sqlite3;

// Stored cases as a busy practice has them: owners that share family names
// (umlauts and an apostrophe among them), patients, titles and dates over
// fifteen years. Shared by the benchmarks and the case list's screenshot.
namespace ManyCases {

// Adds count cases to an open database inside the caller's transaction.
bool add(sqlite3* db, int count);

// Creates a database of the program's schema at path with count cases.
bool create(const QString& path, int count, QString* error,
            DatabaseCreator::Contents contents = DatabaseCreator::Contents::SchemaOnly);

} // namespace ManyCases
