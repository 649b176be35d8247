#pragma once

#include <QString>

// Language codes as stored in the settings row. The code doubles as the
// suffix of the language-specific columns (BEZ_DE, BEZ_US).
namespace Lang {
inline const QString German = QStringLiteral("DE");
inline const QString English = QStringLiteral("US");

// For texts that are German for "DE" and English for every other code.
inline QString deOr(const QString& code, const QString& german, const QString& english)
{
    return code == German ? german : english;
}

// For texts set only for a known code: German for "DE", English for "US",
// nothing for any other code.
inline QString byCode(const QString& code, const QString& german, const QString& english)
{
    if (code == German)
        return german;
    if (code == English)
        return english;
    return QString();
}

// One text of the program in both languages, as a feature's table of texts
// holds it (UTF-8): German for "DE", English for every other code.
struct Text
{
    const char* german;
    const char* english;

    QString in(const QString& code) const { return QString::fromUtf8(code == German ? german : english); }
    // For a text set only for a known code: nothing for a code but "DE" and "US".
    QString onlyIn(const QString& code) const
    {
        return byCode(code, QString::fromUtf8(german), QString::fromUtf8(english));
    }
};

// The code a set of labels is written in: English for "US", German for any
// other code (labels fall back to German, messages to English).
inline QString labelCode(const QString& code)
{
    return code == English ? English : German;
}

// A message about a failure followed by its reason (the database's, as it
// gave it) on a line of its own; the message alone when there is none.
inline QString withReason(const QString& code, const QString& message, const QString& reason)
{
    if (reason.trimmed().isEmpty())
        return message;
    return message + QLatin1Char('\n') + deOr(code, QStringLiteral("Grund: "), QStringLiteral("Reason: ")) +
           reason.trimmed();
}
} // namespace Lang
