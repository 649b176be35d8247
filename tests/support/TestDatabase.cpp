#include "support/TestDatabase.h"

#include "db/ConnectionString.h"
#include "db/DatabaseCreator.h"
#include "db/PostgreSqlSchema.h"
#include "db/SortKeys.h"
#include "db/SqliteBackend.h"
#include "support/PostgresCluster.h"

#include <QFile>

#include <gtest/gtest.h>

#include <libpq-fe.h>
#include <sqlite3.h>
#include <unistd.h>

namespace {

QByteArray fixtureSql()
{
    QFile file(QStringLiteral(":/mensoly/tests/fixture.sql"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct RawDb
{
    sqlite3* db = nullptr;
    explicit RawDb(const QString& path)
    {
        sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
        sqlite3_busy_timeout(db, 5000);
        // Rows written here enter the program's lists: they must sort as
        // the program sorts them.
        SqliteBackend::installCollation(db);
        SortKeys::installTriggers(db, nullptr);
    }
    ~RawDb() { sqlite3_close_v2(db); }
};

// A real as SQLite gives it as text: 15 significant digits, and always a
// decimal point ("3.0", "1.0e+20").
QString sqliteRealText(double value)
{
    QString text = QString::asprintf("%.15g", value);
    if (text.contains(QLatin1Char('.')) || text.contains(QLatin1String("n")))
        return text; // a fraction, inf or nan
    const qsizetype exponent = text.indexOf(QLatin1Char('e'));
    text.insert(exponent < 0 ? text.size() : exponent, QLatin1String(".0"));
    return text;
}

// A value of a libpq result as SQLite would give the same value as text.
QString sqliteText(const PGresult* result, int row, int column)
{
    constexpr Oid BoolOid = 16, Float4Oid = 700, Float8Oid = 701, NumericOid = 1700;
    const QByteArray value = PQgetvalue(result, row, column);
    switch (PQftype(result, column)) {
    case BoolOid:
        return value == "t" ? QStringLiteral("1") : QStringLiteral("0");
    case NumericOid: {
        bool whole = false;
        value.toLongLong(&whole);
        if (whole)
            return QString::fromLatin1(value);
        [[fallthrough]];
    }
    case Float4Oid:
    case Float8Oid:
        return sqliteRealText(value.toDouble());
    default:
        return QString::fromUtf8(value);
    }
}

QStringList integrityProblems(sqlite3* db)
{
    QStringList problems;
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, "PRAGMA integrity_check", -1, &statement, nullptr) == SQLITE_OK) {
        while (sqlite3_step(statement) == SQLITE_ROW)
            problems << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)));
    }
    sqlite3_finalize(statement);
    return problems;
}

} // namespace

TestDatabase::TestDatabase(Data data, const QString& languageCode)
    : m_context(std::make_unique<AppContext>())
{
    if (TestBackend::isPostgreSql()) {
        if (!createOnServer(data))
            return;
    } else {
        const auto contents = data == Data::Shipped ? DatabaseCreator::Contents::SystemData
                                                    : DatabaseCreator::Contents::SchemaOnly;
        if (!DatabaseCreator::create(path(), &m_error, contents))
            return;
        if (data == Data::Fixture && !rawExec(QString::fromUtf8(fixtureSql())))
            return;
        m_context->setConnectionString(
            ConnectionString::build(m_dir.path(), QStringLiteral("Share Deny None")));
    }
    m_context->setDataDirectory(m_dir.path());
    m_context->setLanguageCode(languageCode);
    m_context->setClock(&TestDatabase::pinnedNow);
    m_context->setShareMode(QStringLiteral("Share Deny None"));
    m_valid = m_context->openDatabase();
    if (!m_valid)
        m_error = db().lastError();
}

bool TestDatabase::createOnServer(Data data)
{
    // Names unique across the test processes that share the cluster.
    static int databases = 0;
    m_serverDatabase = QStringLiteral("test_%1_%2").arg(getpid()).arg(++databases);
    const QString& source = data == Data::Fixture   ? TestBackend::FixtureTemplate
                            : data == Data::Shipped ? TestBackend::ShippedTemplate
                                                    : TestBackend::EmptyTemplate;
    const PostgresCluster cluster(TestBackend::clusterDirectory());
    if (!cluster.runSql(QStringLiteral("postgres"),
                        QStringLiteral("CREATE DATABASE %1 TEMPLATE %2")
                            .arg(PostgresCluster::quotedName(m_serverDatabase), source),
                        &m_error)) {
        m_serverDatabase.clear();
        return false;
    }
    const QByteArray conninfo = cluster.conninfo(m_serverDatabase);
    m_server = PQconnectdb(conninfo.constData());
    if (PQstatus(m_server) != CONNECTION_OK) {
        m_error = QString::fromUtf8(PQerrorMessage(m_server)).trimmed();
        return false;
    }
    m_context->setConnectionString(
        QStringLiteral("Backend=postgresql;Connection=\"%1\"").arg(QString::fromUtf8(conninfo)));
    return true;
}

TestDatabase::~TestDatabase()
{
    // Whatever the test did through the program and past it, the file's
    // indexes must still agree with their tables in the program's collation.
    if (m_valid)
        checkIntegrity();
    m_context.reset();
    PQfinish(m_server);
    if (!m_serverDatabase.isEmpty())
        PostgresCluster(TestBackend::clusterDirectory())
            .runSql(QStringLiteral("postgres"),
                    QStringLiteral("DROP DATABASE %1 WITH (FORCE)")
                        .arg(PostgresCluster::quotedName(m_serverDatabase)),
                    nullptr);
}

void TestDatabase::checkIntegrity()
{
    if (m_server)
        return; // the server keeps its indexes itself
    std::unique_ptr<SqliteBackend> own;
    auto* backend = dynamic_cast<SqliteBackend*>(db().backend());
    if (!backend) {
        // The test closed the connection: open one of the program's own.
        own = SqliteBackend::open(path(), true, {}, nullptr);
        backend = own.get();
    }
    if (!backend)
        return; // the test made the file no database on purpose
    // The program's connection, and one as any other SQLite tool has it:
    // SQLite's own NOCASE, none of the program's functions.
    if (const QStringList problems = integrityProblems(backend->handle());
        problems != QStringList{QStringLiteral("ok")})
        ADD_FAILURE() << "PRAGMA integrity_check: " << problems.join(QLatin1Char('\n')).toStdString();
    sqlite3* plain = nullptr;
    if (sqlite3_open_v2(path().toUtf8().constData(), &plain, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        if (const QStringList problems = integrityProblems(plain);
            problems != QStringList{QStringLiteral("ok")})
            ADD_FAILURE() << "PRAGMA integrity_check without the program's collation: "
                          << problems.join(QLatin1Char('\n')).toStdString();
    }
    sqlite3_close_v2(plain);
}

QString TestDatabase::path() const
{
    return ConnectionString::databasePath(m_dir.path());
}

bool TestDatabase::rawExec(const QString& sql)
{
    if (m_server) {
        const std::unique_ptr<PGresult, decltype(&PQclear)> result(
            PQexec(m_server,
                   (sql + QStringLiteral(";\n") + PostgresCluster::continueKeys()).toUtf8().constData()),
            &PQclear);
        if (PQresultStatus(result.get()) == PGRES_COMMAND_OK ||
            PQresultStatus(result.get()) == PGRES_TUPLES_OK)
            return true;
        m_error = QString::fromUtf8(PQresultErrorMessage(result.get())).trimmed();
        return false;
    }
    RawDb raw(path());
    char* message = nullptr;
    if (sqlite3_exec(raw.db, sql.toUtf8().constData(), nullptr, nullptr, &message) != SQLITE_OK) {
        m_error = QString::fromUtf8(message ? message : "?");
        sqlite3_free(message);
        return false;
    }
    return true;
}

bool TestDatabase::addTrigger(const QString& name, const QString& timing, const QString& table,
                              const QString& condition, const QString& action)
{
    if (!m_server) {
        return rawExec(
            QStringLiteral("CREATE TRIGGER %1 %2 ON %3 %4 BEGIN %5; END")
                .arg(name, timing, table,
                     condition.isEmpty() ? QString() : QStringLiteral("WHEN ") + condition,
                     action.isEmpty() ? QStringLiteral("SELECT RAISE(ABORT, 'refused')") : action));
    }
    return rawExec(QStringLiteral("CREATE FUNCTION %1() RETURNS trigger LANGUAGE plpgsql AS $$BEGIN %2; "
                                  "IF TG_OP = 'DELETE' THEN RETURN OLD; END IF; RETURN NEW; END$$; "
                                  "CREATE TRIGGER %1 %3 ON %4 FOR EACH ROW %5 EXECUTE FUNCTION %1()")
                       .arg(name, action.isEmpty() ? QStringLiteral("RAISE EXCEPTION 'refused'") : action,
                            timing, table,
                            condition.isEmpty() ? QString() : QStringLiteral("WHEN (%1)").arg(condition)));
}

bool TestDatabase::dropTrigger(const QString& name, const QString& table)
{
    return rawExec(m_server ? QStringLiteral("DROP TRIGGER %1 ON %2; DROP FUNCTION %1()").arg(name, table)
                            : QStringLiteral("DROP TRIGGER %1").arg(name));
}

bool TestDatabase::createTable(const QString& schemaSql)
{
    if (!m_server)
        return rawExec(schemaSql);
    const QString rendered = PostgreSqlSchema::render(schemaSql);
    return rawExec(rendered.mid(rendered.indexOf(QLatin1String("CREATE TABLE")))) &&
           m_context->openDatabase();
}

int TestDatabase::tableCount()
{
    return rawValue(m_server ? QStringLiteral("SELECT count(*) FROM information_schema.tables WHERE "
                                              "table_schema = 'public'")
                             : QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type = 'table'"))
        .toInt();
}

QStringList TestDatabase::rawRows(const QString& sql)
{
    return m_server ? serverRows(sql) : rawRowsIn(path(), sql);
}

QStringList TestDatabase::serverRows(const QString& sql)
{
    const std::unique_ptr<PGresult, decltype(&PQclear)> result(PQexec(m_server, sql.toUtf8().constData()),
                                                               &PQclear);
    if (PQresultStatus(result.get()) != PGRES_TUPLES_OK)
        return {QStringLiteral("ERROR: ") + QString::fromUtf8(PQresultErrorMessage(result.get())).trimmed()};
    QStringList rows;
    for (int row = 0; row < PQntuples(result.get()); ++row) {
        QStringList values;
        for (int column = 0; column < PQnfields(result.get()); ++column)
            values << (PQgetisnull(result.get(), row, column) ? QStringLiteral("NULL")
                                                              : sqliteText(result.get(), row, column));
        rows << values.join(QLatin1Char('\t'));
    }
    return rows;
}

QStringList TestDatabase::rawRowsIn(const QString& file, const QString& sql)
{
    RawDb raw(file);
    QStringList rows;
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(raw.db, sql.toUtf8().constData(), -1, &statement, nullptr) != SQLITE_OK) {
        rows << QStringLiteral("ERROR: ") + QString::fromUtf8(sqlite3_errmsg(raw.db));
        return rows;
    }
    while (sqlite3_step(statement) == SQLITE_ROW) {
        QStringList values;
        for (int i = 0; i < sqlite3_column_count(statement); ++i) {
            if (sqlite3_column_type(statement, i) == SQLITE_NULL)
                values << QStringLiteral("NULL");
            else
                values << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, i)));
        }
        rows << values.join(QLatin1Char('\t'));
    }
    sqlite3_finalize(statement);
    return rows;
}

QString TestDatabase::rawValue(const QString& sql)
{
    const QStringList rows = rawRows(sql);
    return rows.isEmpty() ? QString() : rows.first();
}

QString TestDatabase::rawValueIn(const QString& file, const QString& sql)
{
    const QStringList rows = rawRowsIn(file, sql);
    return rows.isEmpty() ? QString() : rows.first();
}
