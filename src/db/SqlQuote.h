#pragma once

#include <QString>

// The one way user text enters an SQL statement.
namespace Sql {

// A text literal: 'O''Brien'.
QString quote(const QString& value);

// As quote(), but NULL for the empty text.
QString quoteOrNull(const QString& value);

// A table or column name in brackets; a closing bracket inside is dropped, so
// a name can never end the bracket early.
QString name(const QString& identifier);

} // namespace Sql
