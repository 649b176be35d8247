#pragma once

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

struct sqlite3;

// Creates a new program database from the schema and the shipped system
// data that are built into the program.
namespace DatabaseCreator {

// The schema version this program writes and understands (PRAGMA user_version).
// Version 2 added the maxima tables (T_HOECHSTWERT, T_FALL_LEBENSPHASE),
// version 3 the source of each feedstuff content (T_FM_NAEHRSTOFF.QUELLE),
// version 4 the sort keys of the listed names on SQLite (SortKeys) and the
// case list's index ending in the key, version 5 the handout's choices in
// T_PAT_REZ, the recipe's text blocks (T_REZ_TEXT) and the practice's
// letterhead (T_PRAXIS), version 6 the follow-up visits: the patient's
// first case and the weight check's figures in T_PAT_REZ, and the follow-up's
// rates and limits (T_VERLAUF).
constexpr int SchemaVersion = 6;

enum class Contents { SchemaOnly, SystemData };

// Creates the file at path, with the shipped system data unless told
// otherwise. Refuses when the file exists; on any failure no file is left behind.
bool create(const QString& path, QString* error, Contents contents = Contents::SystemData);

// The schema's "CREATE INDEX IF NOT EXISTS" statements with their index
// names: the indexes a database opened for writing gets when it lacks them.
struct SchemaIndex
{
    QString name;
    QString statement;
};
std::vector<SchemaIndex> schemaIndexes();
// Every index the schema creates, with or without IF NOT EXISTS; each
// statement is written with IF NOT EXISTS, so that running it again does no harm.
std::vector<SchemaIndex> allSchemaIndexes();

// One table file of the shipped data: the column names and the rows; a value
// without content is NULL.
struct TableData
{
    QString table;
    QStringList columns;
    std::vector<std::vector<std::optional<QString>>> rows;
};
bool parseTableFile(const QString& table, const QByteArray& content, TableData& data, QString* error);
// Every table file of the shipped data, in the order of their names.
bool readSystemData(std::vector<TableData>& tables, QString* error);
// The shipped data of one table.
bool readSystemTable(const QString& table, TableData& data, QString* error);
// Inserts the rows into an SQLite database; the first failure ends it with
// the table, line and reason in error.
bool insertRows(sqlite3* db, const TableData& data, QString* error);
// A field of a table file as the database stores it: an empty field is NULL
// except in a text column.
inline bool isStoredAsNull(const std::optional<QString>& field, bool textColumn)
{
    return !field || (field->isEmpty() && !textColumn);
}

// The tables of the schema, in the order it creates them.
QStringList schemaTables();
// The schema's CREATE TABLE statement of one table; empty for another name.
QString schemaTableStatement(const QString& table);

} // namespace DatabaseCreator
