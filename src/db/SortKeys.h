#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <vector>

struct sqlite3;

// The lists of names (feedstuffs, cases) are sorted in German dictionary
// order, case ignored. An SQLite index can only keep that order in a way
// every SQLite tool agrees with when it holds plain bytes: so each sorted
// name column has a sort-key column beside it (SORT_<name>), holding the
// collator's sort key, and the indexes are over those. Comparing two keys
// byte by byte gives the order of TextFolding::compare() on their names.
//
// Other tools keep the file sound: a key is a BLOB with an index in BINARY
// order. A name another tool changes gets a NULL key from a trigger stored in
// the file, and a row it inserts has none; the program fills such keys when it
// next opens the file for writing, and keeps its own writes' keys current
// through triggers of its connection (temporary ones, which no other tool
// sees).
namespace SortKeys {

struct Column
{
    QString table;
    QString name;
    QString sortColumn() const { return QStringLiteral("SORT_") + name; }
};

// Every sorted name column.
const std::vector<Column>& columns();

// The sort key of a name: bytes whose order is the names' order.
QByteArray key(QStringView text);

// Registers sort_key(text) on a connection: the key as a BLOB, NULL for NULL.
bool registerFunction(sqlite3* db);

// Whether the file's tables have their sort-key columns (files of schema
// version 4 and later).
bool present(sqlite3* db);

// Adds the sort-key columns to a file of an earlier version, fills them and
// makes the file's triggers; the caller holds the transaction.
bool addTo(sqlite3* db, QString* error);

// Makes the triggers: the file's own (a changed name loses its key) and the
// connection's temporary ones (a row the program writes gets its key).
bool installTriggers(sqlite3* db, QString* error);

// Fills the keys another tool left missing; the number of rows filled, or -1
// with SQLite's reason in error. all recomputes every key.
int refresh(sqlite3* db, bool all, QString* error);

// Jet SQL counting the rows of column whose key is missing or not the key of
// its name; readable through the program's connection only.
QString staleCountStatement(const Column& column);

} // namespace SortKeys
