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

// Every broken rule, one text each: the program's own check (the file's
// integrity, rows without their case or feedstuff, key counters, indexes) as
// mensoly-cli check prints it, cases whose ration rows are not all there,
// user feedstuffs without all their contents, and system tables in none of
// the states in systemStates.
QStringList failures(AppContext& context, const QList<QByteArray>& systemStates);

} // namespace DatabaseChecks
