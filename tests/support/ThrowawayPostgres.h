#pragma once

#include "support/PostgresCluster.h"

#include <QTemporaryDir>

// A PostgreSQL cluster in a temporary directory for as long as the object
// lives.
class ThrowawayPostgres
{
public:
    ThrowawayPostgres();
    ~ThrowawayPostgres();
    ThrowawayPostgres(const ThrowawayPostgres&) = delete;
    ThrowawayPostgres& operator=(const ThrowawayPostgres&) = delete;

    bool isRunning() const { return m_running; }
    // Why the cluster did not start.
    QString error() const { return m_error; }
    QByteArray conninfo(const QString& database = QStringLiteral("postgres")) const
    {
        return m_cluster.conninfo(database);
    }
    bool createDatabase(const QString& name, const QString& sql, QString* error) const
    {
        return m_cluster.createDatabase(name, sql, error);
    }

private:
    QTemporaryDir m_dir;
    PostgresCluster m_cluster{m_dir.path()};
    bool m_running = false;
    QString m_error;
};
