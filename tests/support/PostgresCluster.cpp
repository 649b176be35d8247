#include "support/PostgresCluster.h"

#include "db/PostgreSqlSchema.h"
#include "db/PostgresDatabaseCreator.h"
#include "db/PostgresLoader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <libpq-fe.h>
#include <pwd.h>
#include <unistd.h>

#include <memory>

namespace {

const QString ServerBin = QStringLiteral("/usr/lib/postgresql/15/bin/");
const QString Port = QStringLiteral("5432");

using Connection = std::unique_ptr<PGconn, decltype(&PQfinish)>;
using Result = std::unique_ptr<PGresult, decltype(&PQclear)>;

bool succeeded(const PGresult* result)
{
    const ExecStatusType status = PQresultStatus(result);
    return status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK;
}

} // namespace

PostgresCluster::PostgresCluster(const QString& directory)
    : m_directory(directory)
{
}

QByteArray PostgresCluster::conninfo(const QString& database) const
{
    return QStringLiteral("host=%1 port=%2 user=postgres dbname=%3")
        .arg(m_directory, Port, database)
        .toUtf8();
}

QString PostgresCluster::quotedName(const QString& name)
{
    QString quoted = name;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString PostgresCluster::continueKeys()
{
    return PostgresLoader::ContinueKeys;
}

bool PostgresCluster::runSql(const QString& database, const QString& sql, QString* error,
                             QString* value) const
{
    const Connection db(PQconnectdb(conninfo(database).constData()), &PQfinish);
    if (PQstatus(db.get()) != CONNECTION_OK) {
        if (error)
            *error = QString::fromUtf8(PQerrorMessage(db.get())).trimmed();
        return false;
    }
    const Result result(PQexec(db.get(), sql.toUtf8().constData()), &PQclear);
    if (succeeded(result.get())) {
        if (value && PQntuples(result.get()) > 0)
            *value = QString::fromUtf8(PQgetvalue(result.get(), 0, 0));
        return true;
    }
    if (error)
        *error = QString::fromUtf8(PQresultErrorMessage(result.get())).trimmed();
    return false;
}

bool PostgresCluster::createEmptyDatabase(const QString& name, QString* error) const
{
    return runSql(QStringLiteral("postgres"), QStringLiteral("CREATE DATABASE ") + quotedName(name), error);
}

bool PostgresCluster::createDatabase(const QString& name, const QString& sql, QString* error) const
{
    const QString schema = PostgreSqlSchema::renderBuiltIn();
    if (schema.isEmpty()) {
        if (error)
            *error = QStringLiteral("no schema");
        return false;
    }
    return createEmptyDatabase(name, error) && runSql(name, schema, error) &&
           (sql.isEmpty() || runSql(name, sql, error)) && runSql(name, continueKeys(), error);
}

bool PostgresCluster::createShippedDatabase(const QString& name, QString* error) const
{
    return createEmptyDatabase(name, error) &&
           PostgresDatabaseCreator::create(QString::fromUtf8(conninfo(name)), error);
}

QString PostgresCluster::dataDir() const
{
    return QDir(m_directory).filePath(QStringLiteral("data"));
}

bool PostgresCluster::start()
{
    if (!QFileInfo::exists(ServerBin + QStringLiteral("initdb"))) {
        m_error = QStringLiteral("no PostgreSQL 15 server installed");
        return false;
    }
    if (geteuid() == 0) {
        const passwd* user = getpwnam("postgres");
        if (!user || chown(QFile::encodeName(m_directory).constData(), user->pw_uid, user->pw_gid) != 0) {
            m_error = QStringLiteral("no postgres user to run the server as");
            return false;
        }
    }
    const QString options =
        QStringLiteral("-p %1 -k %2 -c listen_addresses='' -c fsync=off").arg(Port, m_directory);
    return run(QStringLiteral("initdb"),
               {QStringLiteral("-D"), dataDir(), QStringLiteral("-U"), QStringLiteral("postgres"),
                QStringLiteral("--auth=trust"), QStringLiteral("-E"), QStringLiteral("UTF8"),
                QStringLiteral("--locale=C.UTF-8"), QStringLiteral("--no-sync")}) &&
           run(QStringLiteral("pg_ctl"), {QStringLiteral("-D"), dataDir(), QStringLiteral("-l"),
                                          QDir(m_directory).filePath(QStringLiteral("server.log")),
                                          QStringLiteral("-w"), QStringLiteral("-t"), QStringLiteral("30"),
                                          QStringLiteral("-o"), options, QStringLiteral("start")});
}

bool PostgresCluster::stop()
{
    if (!QFileInfo::exists(QDir(dataDir()).filePath(QStringLiteral("postmaster.pid"))))
        return true;
    return run(QStringLiteral("pg_ctl"),
               {QStringLiteral("-D"), dataDir(), QStringLiteral("-m"), QStringLiteral("immediate"),
                QStringLiteral("-w"), QStringLiteral("stop")});
}

bool PostgresCluster::run(const QString& tool, const QStringList& arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    // The server's user may not enter the directory the test runs in.
    process.setWorkingDirectory(m_directory);
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
