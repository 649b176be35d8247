#pragma once

#include <QDateTime>
#include <QString>

#include <optional>

// Dates travel through SQL as text. The database keeps them as ISO-8601 text
// so they sort and compare; the program writes and shows them in the form of
// the user's language.
namespace DateText {

// Reads "05.03.2005" (day.month.year), "03/05/2005" (month/day/year) and
// "2005-03-05", each optionally followed by a time "14:30" or "14:30:15".
std::optional<QDateTime> parse(const QString& text);

// The stored form: "2005-03-05", or "2005-03-05 14:30:15" when the time is not midnight.
QString toIso(const QDateTime& value);

// Reads a stored value (ISO text); invalid when it is none.
QDateTime fromIso(const QString& text);
// The date of a stored value, read without the cost of a full parse: lists
// of many thousand rows read one per row.
QDate isoDate(QStringView text);

// How dates are shown and typed in each language.
inline const QString GermanFormat = QStringLiteral("dd.MM.yyyy");
inline const QString EnglishFormat = QStringLiteral("MM/dd/yyyy");
// The form in which a date is typed: EnglishFormat for "US", GermanFormat
// for any other code.
QString inputFormat(const QString& languageCode);

// The date in the form of the language: GermanFormat for "DE", EnglishFormat
// for "US", the empty text for any other code.
QString forLanguage(const QDate& date, const QString& languageCode);

} // namespace DateText
