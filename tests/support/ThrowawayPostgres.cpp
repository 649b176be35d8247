#include "support/ThrowawayPostgres.h"

#include "db/PostgreSqlSchema.h"
#include "db/PostgresLoader.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QThread>

#include <libpq-fe.h>
#include <pwd.h>
#include <unistd.h>

#include <memory>

namespace {

const QString ServerBin = QStringLiteral("/usr/lib/postgresql/15/bin/");
const QString Port = QStringLiteral("5432");

// Runs sql (one or more statements) on the database of conninfo; value is
// the first column of the last statement's first row.
bool runSql(const QByteArray& conninfo, const QString& sql, QString* error, QString* value = nullptr)
{
    const std::unique_ptr<PGconn, decltype(&PQfinish)> db(PQconnectdb(conninfo.constData()), &PQfinish);
    if (PQstatus(db.get()) != CONNECTION_OK) {
        if (error)
            *error = QString::fromUtf8(PQerrorMessage(db.get())).trimmed();
        return false;
    }
    const std::unique_ptr<PGresult, decltype(&PQclear)> result(PQexec(db.get(), sql.toUtf8().constData()),
                                                               &PQclear);
    const ExecStatusType status = PQresultStatus(result.get());
    if (status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK) {
        if (value && PQntuples(result.get()) > 0)
            *value = QString::fromUtf8(PQgetvalue(result.get(), 0, 0));
        return true;
    }
    if (error)
        *error = QString::fromUtf8(PQresultErrorMessage(result.get())).trimmed();
    return false;
}

} // namespace

ThrowawayPostgres::ThrowawayPostgres()
{
    m_running = start();
}

ThrowawayPostgres::~ThrowawayPostgres()
{
    if (m_running)
        run(QStringLiteral("pg_ctl"),
            {QStringLiteral("-D"), dataDir(), QStringLiteral("-m"), QStringLiteral("immediate"),
             QStringLiteral("-w"), QStringLiteral("stop")});
}

QByteArray ThrowawayPostgres::conninfo(const QString& database) const
{
    return QStringLiteral("host=%1 port=%2 user=postgres dbname=%3")
        .arg(m_dir.path(), Port, database)
        .toUtf8();
}

bool ThrowawayPostgres::createDatabase(const QString& name, const QString& sql, QString* error) const
{
    const QString schema = PostgreSqlSchema::renderBuiltIn();
    if (schema.isEmpty()) {
        if (error)
            *error = QStringLiteral("no schema");
        return false;
    }
    // Data loaded with its keys leaves the identity counters at their start.
    return createEmptyDatabase(name, error) && runSql(conninfo(name), schema, error) &&
           (sql.isEmpty() || runSql(conninfo(name), sql, error)) &&
           runSql(conninfo(name), PostgresLoader::ContinueKeys, error);
}

bool ThrowawayPostgres::createEmptyDatabase(const QString& name, QString* error) const
{
    QString quoted = name;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return runSql(conninfo(), QStringLiteral("CREATE DATABASE \"%1\"").arg(quoted), error);
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

QString ThrowawayPostgres::dataDir() const
{
    return m_dir.filePath(QStringLiteral("data"));
}

bool ThrowawayPostgres::start()
{
    if (!QFileInfo::exists(ServerBin + QStringLiteral("initdb"))) {
        m_error = QStringLiteral("no PostgreSQL 15 server installed");
        return false;
    }
    if (!m_dir.isValid()) {
        m_error = QStringLiteral("no temporary directory");
        return false;
    }
    if (geteuid() == 0) {
        const passwd* user = getpwnam("postgres");
        if (!user || chown(QFile::encodeName(m_dir.path()).constData(), user->pw_uid, user->pw_gid) != 0) {
            m_error = QStringLiteral("no postgres user to run the server as");
            return false;
        }
    }
    const QString options =
        QStringLiteral("-p %1 -k %2 -c listen_addresses='' -c fsync=off").arg(Port, m_dir.path());
    return run(QStringLiteral("initdb"),
               {QStringLiteral("-D"), dataDir(), QStringLiteral("-U"), QStringLiteral("postgres"),
                QStringLiteral("--auth=trust"), QStringLiteral("-E"), QStringLiteral("UTF8"),
                QStringLiteral("--locale=C.UTF-8"), QStringLiteral("--no-sync")}) &&
           run(QStringLiteral("pg_ctl"),
               {QStringLiteral("-D"), dataDir(), QStringLiteral("-l"),
                m_dir.filePath(QStringLiteral("server.log")), QStringLiteral("-w"), QStringLiteral("-t"),
                QStringLiteral("30"), QStringLiteral("-o"), options, QStringLiteral("start")});
}

bool ThrowawayPostgres::run(const QString& tool, const QStringList& arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    // The server's user may not enter the directory the test runs in.
    process.setWorkingDirectory(m_dir.path());
    if (geteuid() == 0)
        process.start(QStringLiteral("runuser"), QStringList{QStringLiteral("-u"), QStringLiteral("postgres"),
                                                             QStringLiteral("--"), ServerBin + tool} +
                                                     arguments);
    else
        process.start(ServerBin + tool, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        m_error = tool + QStringLiteral(": ") + QString::fromLocal8Bit(process.readAll());
        return false;
    }
    return true;
}

bool ThrowawayPostgres::execute(const QString& database, const QString& sql, QString* error) const
{
    return runSql(conninfo(database), sql, error);
}

int ThrowawayPostgres::endSessions(const QString& database) const
{
    QString quoted = database;
    quoted.replace(QLatin1Char('\''), QLatin1String("''"));
    // Waits up to five seconds for each session to be gone, so that the
    // client's next statement meets the closed connection.
    QString ended;
    if (!runSql(conninfo(),
                QStringLiteral("SELECT count(*) FILTER (WHERE pg_terminate_backend(pid, 5000)) "
                               "FROM pg_stat_activity WHERE datname = '%1' AND pid <> pg_backend_pid()")
                    .arg(quoted),
                nullptr, &ended))
        return -1;
    return ended.toInt();
}
