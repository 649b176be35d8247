#pragma once

#include <QByteArray>
#include <QList>
#include <QStringList>

class AppContext;

// What must hold of a database however a writer ended, checked through the
// program's own connection.
namespace DatabaseChecks {

// A digest of the system tables as the export collects them; empty when they
// cannot be read.
QByteArray systemDigest(AppContext& context);

// Every broken rule, one text each: the file's integrity (of a SQLite file), cases whose ration
// rows are not all there (or rows without a case or feedstuff), user feedstuffs without
// all their contents (or contents without a feedstuff), the key counter of
// the owner at or below a stored key, and system tables in none of the
// states in systemStates.
QStringList failures(AppContext& context, const QList<QByteArray>& systemStates);

} // namespace DatabaseChecks
