#include "db/SqlQuote.h"

#include <QStringList>

namespace Sql {

QString quote(const QString& value)
{
    // SQLite ends a statement's text at a NUL character: NULs are joined in
    // as char(0) between the literals of the pieces around them. PostgreSQL
    // cannot store them at all; its translation refuses such a statement.
    if (value.contains(QChar(0))) {
        QStringList pieces = value.split(QChar(0));
        for (QString& piece : pieces)
            piece = quote(piece);
        return QLatin1Char('(') + pieces.join(QStringLiteral(" || char(0) || ")) + QLatin1Char(')');
    }
    QString escaped = value;
    escaped.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + escaped + QLatin1Char('\'');
}

QString quoteOrNull(const QString& value)
{
    return value.isEmpty() ? QStringLiteral("NULL") : quote(value);
}

QString name(const QString& identifier)
{
    QString clean = identifier;
    clean.remove(QLatin1Char(']'));
    return QLatin1Char('[') + clean + QLatin1Char(']');
}

} // namespace Sql
