#pragma once

#include "db/AppContext.h"
#include "support/PostgresCluster.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

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
    // Where the server's socket is: the host of its conninfo.
    QString socketDirectory() const { return m_dir.path(); }
    // The libpq conninfo of a database of the cluster.
    QByteArray conninfo(const QString& database = QStringLiteral("postgres")) const
    {
        return m_cluster.conninfo(database);
    }

    // Creates a new database holding the program's schema rendered for
    // PostgreSQL and, unless empty, the statements of sql (such as the
    // fixture data). False with the server's reason in error.
    bool createDatabase(const QString& name, const QString& sql, QString* error) const
    {
        return m_cluster.createDatabase(name, sql, error);
    }
    // A new database without any table.
    bool createEmptyDatabase(const QString& name, QString* error) const
    {
        return m_cluster.createEmptyDatabase(name, error);
    }

    // Runs sql on database as the cluster's superuser; false with the
    // server's reason in error. value receives the first field of a query.
    bool execute(const QString& database, const QString& sql, QString* error, QString* value = nullptr) const
    {
        return m_cluster.runSql(database, sql, error, value);
    }
    // Ends every session connected to database, as a restarted server or a
    // lost network would: the number ended, -1 when that failed.
    int endSessions(const QString& database) const;

    // Waits until a statement on the cluster waits for a lock another
    // transaction holds; false when none does within ten seconds.
    bool waitForALockWaiter() const;

private:
    QTemporaryDir m_dir;
    PostgresCluster m_cluster{m_dir.path()};
    bool m_running = false;
    QString m_error;
};

// A test suite whose tests share one throwaway cluster, started for the
// suite; without a server every test of it is skipped.
class ClusterTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { cluster = new ThrowawayPostgres; }
    static void TearDownTestSuite()
    {
        delete cluster;
        cluster = nullptr;
    }
    void SetUp() override
    {
        if (!cluster->isRunning())
            GTEST_SKIP() << "no PostgreSQL cluster: " << cluster->error().toStdString();
    }

public:
    // A new database named prefix and a number, with the schema and the test
    // fixture; its connection string for the program, empty after a failure,
    // which fails the test.
    static QString fixtureDatabase(const QString& prefix, QString* name = nullptr);
    // Opens db or context on connection; a failure says why.
    static ::testing::AssertionResult open(Connection& db, const QString& connection);
    static ::testing::AssertionResult open(AppContext& context, const QString& connection);

    static inline ThrowawayPostgres* cluster = nullptr;
};
