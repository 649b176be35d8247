#include "support/ThrowawayPostgres.h"

#include "db/ConnectionString.h"
#include "db/SqlQuote.h"

#include <QFile>

#include <QThread>

#include <libpq-fe.h>

#include <memory>

ThrowawayPostgres::ThrowawayPostgres()
{
    if (!m_dir.isValid()) {
        m_error = QStringLiteral("no temporary directory");
        return;
    }
    m_running = m_cluster.start();
    m_error = m_cluster.error();
}

ThrowawayPostgres::~ThrowawayPostgres()
{
    if (m_running)
        m_cluster.stop();
}

int ThrowawayPostgres::endSessions(const QString& database) const
{
    // Waits up to five seconds for each session to be gone, so that the
    // client's next statement meets the closed connection.
    QString ended;
    if (!m_cluster.runSql(
            QStringLiteral("postgres"),
            QStringLiteral("SELECT count(*) FILTER (WHERE pg_terminate_backend(pid, 5000)) "
                           "FROM pg_stat_activity WHERE datname = %1 AND pid <> pg_backend_pid()")
                .arg(Sql::quote(database)),
            nullptr, &ended))
        return -1;
    return ended.toInt();
}

bool ThrowawayPostgres::waitForALockWaiter() const
{
    const std::unique_ptr<PGconn, decltype(&PQfinish)> db(PQconnectdb(conninfo().constData()), &PQfinish);
    for (int tries = 0; tries < 2000 && PQstatus(db.get()) == CONNECTION_OK; ++tries) {
        const std::unique_ptr<PGresult, decltype(&PQclear)> result(
            PQexec(db.get(), "SELECT count(*) FROM pg_locks WHERE NOT granted"), &PQclear);
        if (PQresultStatus(result.get()) == PGRES_TUPLES_OK &&
            QByteArray(PQgetvalue(result.get(), 0, 0)) != "0")
            return true;
        QThread::msleep(5);
    }
    return false;
}

QString ClusterTest::fixtureDatabase(const QString& prefix, QString* name)
{
    static int databases = 0;
    const QString database = prefix + QString::number(++databases);
    if (name)
        *name = database;
    QFile fixture(QStringLiteral(":/mensoly/tests/fixture.sql"));
    QString error = QStringLiteral("no fixture");
    if (fixture.open(QIODevice::ReadOnly) &&
        cluster->createDatabase(database, QString::fromUtf8(fixture.readAll()), &error))
        return ConnectionString::buildPostgreSql(QString::fromUtf8(cluster->conninfo(database)));
    ADD_FAILURE() << database.toStdString() << ": " << error.toStdString();
    return QString();
}

::testing::AssertionResult ClusterTest::open(Connection& db, const QString& connection)
{
    if (connection.isEmpty())
        return ::testing::AssertionFailure() << "no database";
    if (!db.openConnection(connection, QString(), QString()))
        return ::testing::AssertionFailure() << db.lastError().toStdString();
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult ClusterTest::open(AppContext& context, const QString& connection)
{
    if (connection.isEmpty())
        return ::testing::AssertionFailure() << "no database";
    context.setConnectionString(connection);
    if (!context.openDatabase())
        return ::testing::AssertionFailure() << context.db().lastError().toStdString();
    return ::testing::AssertionSuccess();
}
