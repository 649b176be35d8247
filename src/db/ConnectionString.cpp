#include "db/ConnectionString.h"

#include <QDir>

namespace ConnectionString {

QString databasePath(const QString& dataDirectory)
{
    return QDir::toNativeSeparators(dataDirectory) + QDir::separator() + DatabaseFileName;
}

QString build(const QString& dataDirectory, const QString& shareMode)
{
    static const char* const properties[][2] = {
        {"Extended Properties", "\"\""},
        {"Jet OLEDB:System database", "\"\""},
        {"Jet OLEDB:Registry Path", "\"\""},
        {"Jet OLEDB:Engine Type", "5"},
        {"Jet OLEDB:Database Locking Mode", "1"},
        {"Jet OLEDB:Database Password", "QRT_K4"},
        {"Jet OLEDB:Global Partial Bulk Ops", "2"},
        {"Jet OLEDB:Global Bulk Transactions", "1"},
        {"Jet OLEDB:Create System Database", "False"},
        {"Jet OLEDB:Encrypt Database", "False"},
        {"Jet OLEDB:Don't Copy Locale on Compact", "False"},
        {"Jet OLEDB:Compact Without Replica Repair", "False"},
        {"Jet OLEDB:SFP", "False"},
    };
    QString text = QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;User ID=Admin; Data Source=") +
                   databasePath(dataDirectory) + QStringLiteral(";Mode=") + shareMode;
    for (const auto& property : properties)
        text += QLatin1Char(';') + QLatin1String(property[0]) + QLatin1Char('=') + QLatin1String(property[1]);
    return text;
}

QMap<QString, QString> parse(const QString& connectionString)
{
    QMap<QString, QString> pairs;
    QString piece;
    bool inQuotes = false;
    auto finish = [&] {
        const int equals = piece.indexOf(QLatin1Char('='));
        if (equals > 0) {
            QString value = piece.mid(equals + 1).trimmed();
            if (value.size() >= 2 && value.startsWith(QLatin1Char('"')) && value.endsWith(QLatin1Char('"'))) {
                value = value.mid(1, value.size() - 2);
                value.replace(QLatin1String("\"\""), QLatin1String("\""));
            }
            pairs.insert(piece.left(equals).trimmed().toLower(), value);
        }
        piece.clear();
    };
    for (const QChar c : connectionString) {
        if (c == QLatin1Char('"'))
            inQuotes = !inQuotes;
        if (c == QLatin1Char(';') && !inQuotes)
            finish();
        else
            piece += c;
    }
    finish();
    return pairs;
}

QString buildPostgreSql(const QString& conninfo)
{
    QString quoted = conninfo;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QStringLiteral("Backend=postgresql;Connection=\"") + quoted + QLatin1Char('"');
}

bool isPostgreSql(const QMap<QString, QString>& settings)
{
    return settings.value(QStringLiteral("backend"))
               .compare(QLatin1String("postgresql"), Qt::CaseInsensitive) == 0;
}

} // namespace ConnectionString
