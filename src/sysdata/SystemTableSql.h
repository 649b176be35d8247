#pragma once

#include <QString>

#include <optional>

struct EditableColumn;

// The conditions the system data editor adds to the statements kept in its
// metadata. Those statements are written by hand and may already filter or
// sort, so a condition is never simply appended.
namespace SystemTableSql {

// The statement with the condition added: AND-ed to an existing WHERE (whose
// condition is put in parentheses), else as a WHERE of its own, in both cases
// before a GROUP BY, HAVING or ORDER BY at the statement's top level.
QString withCondition(const QString& statement, const QString& condition);

// The rows an installation with this owner code may see of a table; empty when
// it sees them all. Only the feedstuff tables are restricted.
QString ownerCondition(const QString& table, const QString& ownerCode);

// The rows of a dependent table that belong to the parent row with this key;
// empty for a table that is not filtered, nothing for a key that is not a
// whole number.
std::optional<QString> dependentCondition(int dependentTable, const QString& filterValue);

// A cell's text as the SQL value of its column; the text is checked first,
// so nothing but a number reaches a number column. Refused texts come back
// with the message that tells the user why.
struct CellValue
{
    QString sql;     // "NULL" for the empty text
    QString refusal; // empty when the text is accepted
    bool isRefused() const { return !refusal.isEmpty(); }
};
CellValue cellValue(const EditableColumn& column, const QString& text, const QString& languageCode);

// A yes/no cell's text in the language: "Ja"/"Nein" or "Yes"/"No".
QString yesNoText(bool value, const QString& languageCode);
// Whether a yes/no cell's text means yes, in either language.
bool meansYes(const QString& text);

// A row's key as it goes into a WHERE: quoted for a text key, else a whole
// number or nothing.
std::optional<QString> keyValue(const QString& key, bool isTextKey);

} // namespace SystemTableSql
