#include "support/PostgresCluster.h"

#include "db/DatabaseCreator.h"
#include "db/PostgreSqlSchema.h"
#include "db/SqlQuote.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSet>

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

// The upper-case names of a table's text columns, where an empty field of
// the shipped data stays an empty text instead of NULL.
QSet<QString> textColumns(PGconn* db, const QString& table)
{
    const QString sql =
        QStringLiteral("SELECT upper(column_name) FROM information_schema.columns WHERE table_schema = "
                       "'public' AND table_name = lower(%1) AND data_type IN ('text', 'character varying')")
            .arg(Sql::quote(table));
    const Result result(PQexec(db, sql.toUtf8().constData()), &PQclear);
    QSet<QString> names;
    for (int row = 0; succeeded(result.get()) && row < PQntuples(result.get()); ++row)
        names.insert(QString::fromUtf8(PQgetvalue(result.get(), row, 0)));
    return names;
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
    return QStringLiteral(
        "DO $$DECLARE r record; BEGIN "
        "FOR r IN SELECT table_name, column_name FROM information_schema.columns "
        "WHERE table_schema = 'public' AND is_identity = 'YES' LOOP "
        "EXECUTE format('SELECT setval(pg_get_serial_sequence(%L, %L), coalesce(max(%I), 0) + 1, false) "
        "FROM %I', r.table_name, r.column_name, r.column_name, r.table_name); "
        "END LOOP; END$$");
}

bool PostgresCluster::runSql(const QString& database, const QString& sql, QString* error) const
{
    const Connection db(PQconnectdb(conninfo(database).constData()), &PQfinish);
    if (PQstatus(db.get()) != CONNECTION_OK) {
        if (error)
            *error = QString::fromUtf8(PQerrorMessage(db.get())).trimmed();
        return false;
    }
    const Result result(PQexec(db.get(), sql.toUtf8().constData()), &PQclear);
    if (succeeded(result.get()))
        return true;
    if (error)
        *error = QString::fromUtf8(PQresultErrorMessage(result.get())).trimmed();
    return false;
}

bool PostgresCluster::createDatabase(const QString& name, const QString& sql, QString* error) const
{
    const QString schema = PostgreSqlSchema::renderBuiltIn();
    if (schema.isEmpty()) {
        if (error)
            *error = QStringLiteral("no schema");
        return false;
    }
    return runSql(QStringLiteral("postgres"), QStringLiteral("CREATE DATABASE ") + quotedName(name), error) &&
           runSql(name, schema, error) && (sql.isEmpty() || runSql(name, sql, error)) &&
           runSql(name, continueKeys(), error);
}

bool PostgresCluster::loadShippedData(const QString& database, QString* error) const
{
    const Connection db(PQconnectdb(conninfo(database).constData()), &PQfinish);
    if (PQstatus(db.get()) != CONNECTION_OK) {
        if (error)
            *error = QString::fromUtf8(PQerrorMessage(db.get())).trimmed();
        return false;
    }
    QStringList files;
    for (QDirIterator it(QStringLiteral(":/mensoly/data/system"), {QStringLiteral("*.tsv")}, QDir::Files);
         it.hasNext();)
        files << it.next();
    files.sort();
    QString sql;
    for (const QString& path : files) {
        QFile file(path);
        DatabaseCreator::TableData data;
        if (!file.open(QIODevice::ReadOnly) ||
            !DatabaseCreator::parseTableFile(QFileInfo(path).completeBaseName(), file.readAll(), data, error))
            return false;
        if (data.rows.empty())
            continue;
        const QSet<QString> texts = textColumns(db.get(), data.table);
        QStringList rows;
        for (const auto& row : data.rows) {
            QStringList values;
            for (int i = 0; i < int(row.size()); ++i) {
                // As DatabaseCreator: an empty field is NULL except in a text column.
                const bool isNull =
                    !row[i] || (row[i]->isEmpty() && !texts.contains(data.columns[i].toUpper()));
                values << (isNull ? QStringLiteral("NULL") : Sql::quote(*row[i]));
            }
            rows << QLatin1Char('(') + values.join(QLatin1String(", ")) + QLatin1Char(')');
        }
        sql += QStringLiteral("INSERT INTO %1 (%2) VALUES %3;\n")
                   .arg(data.table, data.columns.join(QLatin1String(", ")), rows.join(QLatin1String(",\n")));
    }
    const Result result(PQexec(db.get(), (sql + continueKeys()).toUtf8().constData()), &PQclear);
    if (succeeded(result.get()))
        return true;
    if (error)
        *error = QString::fromUtf8(PQresultErrorMessage(result.get())).trimmed();
    return false;
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
