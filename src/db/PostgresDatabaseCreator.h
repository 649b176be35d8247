#pragma once

#include "db/ShippedFeedReport.h"

#include <QString>

#include <vector>

// The program's database on a PostgreSQL server: made new with the shipped
// system data, or copied from a SQLite database file. Either runs in one
// transaction on the server; after a failure the database is as before.
namespace PostgresDatabaseCreator {

// Creates the schema and the shipped system data in a database that holds
// none of the program's tables.
bool create(const QString& conninfo, QString* error);

struct CopiedTable
{
    QString table;
    qint64 rows = 0;
};

// Copies every table of the SQLite database at sqlitePath with every row and
// its keys into the database of conninfo, creating the schema there unless
// it is present and empty. Commits only when each table holds as many rows
// on the server as in the file; copied lists the tables and their rows.
bool migrate(const QString& sqlitePath, const QString& conninfo, std::vector<CopiedTable>& copied,
             QString* error);

struct UpgradeResult
{
    int from = 0;
    int to = 0;
    ShippedFeedReport report;
};

// Brings a database of an earlier schema version to the current one, in one
// transaction: the tables and columns added since, the shipped feedstuffs
// (ShippedFeedUpdate). Needs the role that owns the tables. A database at
// the current version is left as it is; one of a newer program is refused.
bool upgrade(const QString& conninfo, UpgradeResult& result, QString* error);

} // namespace PostgresDatabaseCreator
