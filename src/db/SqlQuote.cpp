#include "db/SqlQuote.h"

namespace Sql {

QString quote(const QString& value)
{
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
