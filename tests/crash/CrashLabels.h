#pragma once

#include <QDateTime>
#include <QRegularExpression>
#include <QString>

// The worker writes into each stored record how much belongs to it, so that
// a check after a crash can tell a whole record from a half-stored one.
namespace CrashLabels {

// The worker's and the driver's clock: an import stamps every system
// feedstuff with NOW(), and the two states of the system tables must not
// depend on when an import ran.
inline QDateTime pinnedNow()
{
    return QDateTime(QDate(2024, 4, 3), QTime(10, 0, 0));
}

inline QString caseTitle(int rationRows, int serial)
{
    return QStringLiteral("rows=%1 #%2").arg(rationRows).arg(serial);
}

inline QString feedName(int contents, int categories, int serial)
{
    return QStringLiteral("contents=%1 categories=%2 #%3").arg(contents).arg(categories).arg(serial);
}

// The ration rows a case title announces; -1 for a title the worker did not write.
inline int rationRowsOf(const QString& title)
{
    static const QRegularExpression pattern(QStringLiteral("^rows=(\\d+) #\\d+$"));
    const QRegularExpressionMatch match = pattern.match(title);
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

// The contents and categories a feedstuff name announces; false for a name
// the worker did not write.
inline bool feedCountsOf(const QString& name, int& contents, int& categories)
{
    static const QRegularExpression pattern(QStringLiteral("^contents=(\\d+) categories=(\\d+) #\\d+$"));
    const QRegularExpressionMatch match = pattern.match(name);
    if (!match.hasMatch())
        return false;
    contents = match.captured(1).toInt();
    categories = match.captured(2).toInt();
    return true;
}

} // namespace CrashLabels
