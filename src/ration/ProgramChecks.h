#pragma once

#include "db/DatabaseCheck.h"

#include <QList>

// The rules of "Check database" that need more than the tables: the
// formulas must read as the case calculation reads them.
namespace ProgramChecks {

// Every requirement and indicator formula of T_BEDARF and every condition of
// T_HOECHSTWERT, with each variable given a value, must parse.
DatabaseCheck::Entry formulas();

// The whole list the menu command and the command line run.
QList<DatabaseCheck::Entry> all();

} // namespace ProgramChecks
