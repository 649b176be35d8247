#pragma once

#include <QString>

#include "sysdata/EditableColumn.h"

// What the system data editor tells apart in its grid: the row for a new
// record, marked in its first column, and the type the metadata gives a
// column.
namespace system_table {

inline const QString NewRecordMark = QStringLiteral("*");

inline bool isType(const EditableColumn& column, const char* type)
{
    // The type names are compared as written in the metadata.
    return column.type == QLatin1String(type);
}

} // namespace system_table
