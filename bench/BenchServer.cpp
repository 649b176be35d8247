#include "BenchServer.h"

#include "db/AppContext.h"
#include "db/ConnectionString.h"
#include "db/PostgresDatabaseCreator.h"

#include <chrono>
#include <cstdio>

BenchServer::BenchServer(const char* who)
    : m_who(who)
{
    if (!m_cluster.isRunning())
        std::fprintf(stderr, "%s: no PostgreSQL cluster, no server figures: %s\n", who,
                     qPrintable(m_cluster.error()));
}

std::optional<QString> BenchServer::migrate(const QString& sqlitePath, double* ms)
{
    if (!m_cluster.isRunning())
        return std::nullopt;
    const QString name = QStringLiteral("bench%1").arg(++m_databases);
    QString error;
    if (!m_cluster.createEmptyDatabase(name, &error)) {
        std::fprintf(stderr, "%s: %s\n", m_who, qPrintable(error));
        return std::nullopt;
    }
    const QString conninfo = QString::fromUtf8(m_cluster.conninfo(name));
    std::vector<PostgresDatabaseCreator::CopiedTable> copied;
    const auto start = std::chrono::steady_clock::now();
    if (!PostgresDatabaseCreator::migrate(sqlitePath, conninfo, copied, &error)) {
        std::fprintf(stderr, "%s: migration failed: %s\n", m_who, qPrintable(error));
        return std::nullopt;
    }
    if (ms)
        *ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    return conninfo;
}

bool BenchServer::open(AppContext& context, const QString& conninfo)
{
    context.setLanguageCode(QStringLiteral("DE"));
    context.setConnectionString(ConnectionString::buildPostgreSql(conninfo));
    if (context.openDatabase())
        return true;
    std::fprintf(stderr, "%s: cannot open the server database: %s\n", m_who,
                 qPrintable(context.db().lastError()));
    return false;
}
