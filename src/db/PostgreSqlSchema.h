#pragma once

#include <QString>

// The program's schema for a PostgreSQL server, rendered from the same
// schema text that creates a SQLite database, so that both engines share one
// source of tables.
namespace PostgreSqlSchema {

// The collation of the text columns: case ignored, umlauts kept apart from
// their base letters, German order; SQLite's NOCASE as the program makes it.
inline constexpr const char* TextCollation = "mensoly_nocase";
// The table that holds a server database's schema version (an SQLite file
// keeps it in its header).
inline constexpr const char* VersionTable = "mensoly_schema_version";

// The statements that create the schema on PostgreSQL; the SQLite schema's
// comments and PRAGMAs are left out.
// Without the preamble, the statements add tables to a database that has
// the yes/no domain and the collation already.
QString render(const QString& sqliteSchema, bool preamble = true);
// render() of the schema built into the program, with its version; the empty
// text when it cannot be read.
QString renderBuiltIn();

} // namespace PostgreSqlSchema
