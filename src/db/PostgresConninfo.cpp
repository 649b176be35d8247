#include "db/PostgresConninfo.h"

#include <libpq-fe.h>

#include <QMap>

#include <memory>

namespace {

using Options = std::unique_ptr<PQconninfoOption, decltype(&PQconninfoFree)>;

QMap<QByteArray, QString> valuesOf(const PQconninfoOption* options)
{
    QMap<QByteArray, QString> values;
    for (const PQconninfoOption* option = options; option && option->keyword; ++option)
        if (option->val && *option->val)
            values.insert(option->keyword, QString::fromUtf8(option->val));
    return values;
}

} // namespace

bool PostgresConninfo::parse(const QString& conninfo, QString* error)
{
    char* message = nullptr;
    const Options given(PQconninfoParse(conninfo.toUtf8().constData(), &message), &PQconninfoFree);
    if (!given) {
        if (error)
            *error = message ? QString::fromUtf8(message).trimmed() : QStringLiteral("out of memory");
        PQfreemem(message);
        return false;
    }
    const Options defaults(PQconndefaults(), &PQconninfoFree);
    const QMap<QByteArray, QString> values = valuesOf(given.get());
    const QMap<QByteArray, QString> fallback = valuesOf(defaults.get());
    auto value = [&](const char* key) { return values.value(key, fallback.value(key)); };
    hasPassword = values.contains("password");
    host = value("host");
    if (host.isEmpty())
        host = value("hostaddr");
    // libpq's database defaults to the user's name.
    dbname = value("dbname");
    if (dbname.isEmpty())
        dbname = value("user");
    return true;
}

QString PostgresConninfo::place(const QString& localSocket) const
{
    return (host.isEmpty() ? localSocket : host) + QLatin1Char('/') + dbname;
}
