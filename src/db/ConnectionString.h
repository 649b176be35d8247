#pragma once

#include <QMap>
#include <QString>

// The connection settings the program hands to its database layer, in the
// provider's key=value form.
namespace ConnectionString {

inline const QString DatabaseFileName = QStringLiteral("MensolyVers3.mdb");

// The database file in a data directory, with the platform's separator.
QString databasePath(const QString& dataDirectory);

// The full connection string for the program's database in dataDirectory.
QString build(const QString& dataDirectory, const QString& shareMode);

// Key=value pairs split at semicolons (a value in double quotes may hold
// semicolons, and "" for each double quote); keys trimmed and lower-cased,
// values trimmed and unquoted.
QMap<QString, QString> parse(const QString& connectionString);

// A database on a PostgreSQL server: "Backend=postgresql;Connection=<libpq
// conninfo>", the conninfo in double quotes when it holds a semicolon or a
// double quote. Every other connection string names the SQLite file.
bool isPostgreSql(const QMap<QString, QString>& settings);
// The connection string of the PostgreSQL database that conninfo reaches,
// quoted so that parse() gives conninfo back whatever it holds.
QString buildPostgreSql(const QString& conninfo);

} // namespace ConnectionString
