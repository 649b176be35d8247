#include "db/PostgresBackend.h"

#include "core/DateText.h"
#include "db/DatabaseCreator.h"
#include "db/JetSqlTokenizer.h"
#include "db/PostgreSqlSchema.h"
#include "db/SqlQuote.h"

#include <QRegularExpression>

#include <libpq-fe.h>

#include <optional>
#include <vector>

namespace {

// Type oids of the server's built-in types (pg_type.dat).
constexpr Oid BoolOid = 16, ByteaOid = 17, Int8Oid = 20, Int2Oid = 21, Int4Oid = 23, Float4Oid = 700,
              Float8Oid = 701, DateOid = 1082, TimestampOid = 1114, TimestampTzOid = 1184, NumericOid = 1700;

using Result = std::unique_ptr<PGresult, decltype(&PQclear)>;

bool succeeded(const PGresult* result)
{
    const ExecStatusType status = PQresultStatus(result);
    return status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK;
}

QString errorOf(PGconn* db, const PGresult* result)
{
    // The server's own words, with its detail, as a user reads them: without
    // the severity and the context lines of the full report.
    if (const char* primary = result ? PQresultErrorField(result, PG_DIAG_MESSAGE_PRIMARY) : nullptr) {
        QString text = QString::fromUtf8(primary).trimmed();
        if (const char* detail = PQresultErrorField(result, PG_DIAG_MESSAGE_DETAIL))
            text += QLatin1Char('\n') + QString::fromUtf8(detail).trimmed();
        return text;
    }
    QString text = QString::fromUtf8(result ? PQresultErrorMessage(result) : PQerrorMessage(db)).trimmed();
    if (text.isEmpty())
        text = QString::fromUtf8(PQerrorMessage(db)).trimmed();
    return text.isEmpty() ? QStringLiteral("the server gave no result") : text;
}

const QString TransactionLost =
    QStringLiteral("the connection to the server was lost and the open transaction with it");

// How a result column is read, decided once per query.
enum class Reading { Integer, YesNo, Bool, Double, Numeric, Date, Text, Blob };

class PostgresCursor : public DbCursor
{
public:
    PostgresCursor(PGresult* result, const QSet<PostgresBackend::ColumnId>& yesNoColumns)
        : m_result(result, &PQclear)
        , m_rows(PQntuples(result))
    {
        for (int column = 0; column < PQnfields(result); ++column)
            m_readings.push_back(readingOf(column, yesNoColumns));
    }

    bool atEnd() const override { return m_row >= m_rows; }
    void next() override
    {
        if (m_row < m_rows)
            ++m_row;
    }
    int columnCount() const override { return int(m_readings.size()); }
    QString columnName(int column) const override
    {
        return column >= 0 && column < columnCount() ? QString::fromUtf8(PQfname(m_result.get(), column))
                                                     : QString();
    }
    DbValue value(int column) const override;

private:
    Reading readingOf(int column, const QSet<PostgresBackend::ColumnId>& yesNoColumns) const
    {
        switch (PQftype(m_result.get(), column)) {
        case Int2Oid:
        case Int4Oid:
        case Int8Oid:
            return yesNoColumns.contains(
                       {PQftable(m_result.get(), column), PQftablecol(m_result.get(), column)})
                       ? Reading::YesNo
                       : Reading::Integer;
        case BoolOid:
            return Reading::Bool;
        case Float4Oid:
        case Float8Oid:
            return Reading::Double;
        case NumericOid:
            return Reading::Numeric;
        case DateOid:
        case TimestampOid:
        case TimestampTzOid:
            return Reading::Date;
        case ByteaOid:
            return Reading::Blob;
        default:
            return Reading::Text;
        }
    }

    Result m_result;
    int m_rows = 0;
    int m_row = 0;
    std::vector<Reading> m_readings;
};

DbValue PostgresCursor::value(int column) const
{
    DbValue v;
    if (atEnd() || column < 0 || column >= columnCount() || PQgetisnull(m_result.get(), m_row, column))
        return v;
    const char* data = PQgetvalue(m_result.get(), m_row, column);
    const QByteArray bytes = QByteArray::fromRawData(data, PQgetlength(m_result.get(), m_row, column));
    switch (m_readings[column]) {
    case Reading::Integer:
        v.kind = DbValue::Kind::Integer;
        v.integer = bytes.toLongLong();
        return v;
    case Reading::YesNo:
        v.kind = DbValue::Kind::YesNo;
        v.integer = bytes.toLongLong() != 0 ? -1 : 0;
        return v;
    case Reading::Bool:
        v.kind = DbValue::Kind::YesNo;
        v.integer = bytes == "t" ? -1 : 0;
        return v;
    case Reading::Numeric: {
        // Sums and averages of integer columns come back as numeric; a whole
        // number stays an integer, as SQLite gives it.
        bool whole = false;
        v.integer = bytes.toLongLong(&whole);
        if (whole) {
            v.kind = DbValue::Kind::Integer;
            return v;
        }
        v.integer = 0;
        [[fallthrough]];
    }
    case Reading::Double:
        v.kind = DbValue::Kind::Double;
        v.real = bytes.toDouble();
        return v;
    case Reading::Date:
        // The ISO form SQLite stores: "yyyy-MM-dd" or "yyyy-MM-dd HH:mm:ss",
        // without fractions of a second or a time zone.
        v.kind = DbValue::Kind::Date;
        v.text = QString::fromUtf8(bytes.left(19));
        v.date = DateText::isoDate(v.text);
        return v;
    case Reading::Blob:
        v.kind = DbValue::Kind::Blob;
        return v;
    case Reading::Text:
        break;
    }
    v.kind = DbValue::Kind::Text;
    v.text = QString::fromUtf8(bytes);
    return v;
}

// The table an INSERT writes to (the empty text for any other statement) and
// the columns it names, upper-case.
struct InsertTarget
{
    QString table;
    QStringList columns;
};

InsertTarget insertTarget(const QString& jetSql)
{
    const std::vector<SqlToken> tokens = tokenizeJetSql(jetSql);
    std::vector<const SqlToken*> words;
    for (const SqlToken& token : tokens) {
        if (!token.isSpace())
            words.push_back(&token);
    }
    if (words.size() < 3 || !words[0]->isWord("INSERT") || !words[1]->isWord("INTO") ||
        (words[2]->kind != SqlToken::Kind::Word && words[2]->kind != SqlToken::Kind::QuotedName))
        return {};
    InsertTarget target{words[2]->name().toUpper(), {}};
    if (words.size() > 3 && words[3]->isPunct('(')) {
        for (size_t i = 4; i < words.size() && !words[i]->isPunct(')'); ++i) {
            if (words[i]->kind == SqlToken::Kind::Word || words[i]->kind == SqlToken::Kind::QuotedName)
                target.columns << words[i]->name().toUpper();
        }
    }
    return target;
}

// A name as the server spells it, in double quotes.
QString serverName(const QString& name)
{
    QString escaped = name;
    escaped.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + escaped + QLatin1Char('"');
}

} // namespace

PostgresBackend::PostgresBackend(PGconn* db)
    : m_db(db)
{
}

PostgresBackend::~PostgresBackend()
{
    PQfinish(m_db);
}

int PostgresBackend::schemaVersion(PGconn* db)
{
    const auto single = [db](const QByteArray& sql) -> std::optional<QByteArray> {
        const Result result(PQexec(db, sql.constData()), &PQclear);
        if (PQresultStatus(result.get()) != PGRES_TUPLES_OK || PQntuples(result.get()) != 1 ||
            PQgetisnull(result.get(), 0, 0))
            return std::nullopt;
        return QByteArray(PQgetvalue(result.get(), 0, 0));
    };
    const QByteArray table = PostgreSqlSchema::VersionTable;
    if (single("SELECT to_regclass('" + table + "') IS NOT NULL").value_or("f") == "t")
        return single("SELECT max(version) FROM " + table).value_or("-1").toInt();
    // Made before the version was kept.
    if (single("SELECT to_regclass('t_hoechstwert') IS NOT NULL").value_or("f") == "t")
        return 2;
    return single("SELECT to_regclass('t_futtermittel') IS NOT NULL").value_or("f") == "t" ? 1 : 0;
}

std::unique_ptr<PostgresBackend> PostgresBackend::open(const QString& conninfo, Clock clock, QString* error,
                                                       int* foundVersion)
{
    PGconn* db = PQconnectdb(conninfo.toUtf8().constData());
    if (!db) {
        if (error)
            *error = QStringLiteral("out of memory");
        return nullptr;
    }
    std::unique_ptr<PostgresBackend> backend(new PostgresBackend(db));
    if (PQstatus(db) != CONNECTION_OK) {
        if (error)
            *error = errorOf(db, nullptr);
        return nullptr;
    }
    if (!backend->setUpSession() || !backend->loadSchema()) {
        if (error)
            *error = backend->lastError().isEmpty() ? errorOf(db, nullptr) : backend->lastError();
        return nullptr;
    }
    // Working on tables of another version would write what the other
    // program does not expect, or miss what this one needs. A database
    // without the program's tables opens, and its statements fail.
    const int version = schemaVersion(db);
    if (version < 0) {
        if (error)
            *error =
                QStringLiteral("the schema version of the database cannot be read: ") + errorOf(db, nullptr);
        return nullptr;
    }
    if (version > 0 && version != DatabaseCreator::SchemaVersion) {
        if (foundVersion)
            *foundVersion = version;
        if (error)
            *error =
                QStringLiteral("the database's tables are of schema version %1, this program's are of %2")
                    .arg(version)
                    .arg(DatabaseCreator::SchemaVersion);
        return nullptr;
    }
    if (!clock)
        clock = [] { return QDateTime::currentDateTime(); };
    backend->m_translator.setClock(std::move(clock));
    return backend;
}

QString PostgresBackend::serverEncoding() const
{
    const char* encoding = PQparameterStatus(m_db, "server_encoding");
    return encoding ? QString::fromUtf8(encoding) : QString();
}

bool PostgresBackend::setUpSession()
{
    // Dates travel as ISO texts, texts as UTF-8, whatever the server's defaults.
    if (PQsetClientEncoding(m_db, "UTF8") != 0) {
        m_lastError = errorOf(m_db, nullptr);
        return false;
    }
    return runPlain("SET DateStyle = ISO");
}

bool PostgresBackend::reconnectIfLost()
{
    // A session the server ended while no transaction was open (a restart,
    // an administrator) took nothing of the program's with it. What the
    // server left on the socket tells so before the statement is sent; the
    // second read meets the closed socket.
    if (PQstatus(m_db) == CONNECTION_OK && !m_inTransaction && PQtransactionStatus(m_db) == PQTRANS_IDLE) {
        for (int read = 0; read < 2 && PQstatus(m_db) == CONNECTION_OK; ++read)
            PQconsumeInput(m_db);
    }
    if (PQstatus(m_db) == CONNECTION_OK)
        return true;
    // A new session would run the rest of a lost transaction's statements on
    // their own, each kept: half a save. They fail until the rollback.
    if (m_transactionLost) {
        m_lastError = TransactionLost;
        return false;
    }
    PQreset(m_db);
    if (PQstatus(m_db) != CONNECTION_OK) {
        m_lastError = errorOf(m_db, nullptr);
        // The server cannot be reached again: told once, as a loss.
        noticeLostConnection();
        return false;
    }
    if (!setUpSession())
        return false;
    m_lost = false;
    return true;
}

void PostgresBackend::noticeLostConnection()
{
    if (PQstatus(m_db) != CONNECTION_BAD || m_lost)
        return;
    m_lost = true;
    m_transactionLost = m_inTransaction;
    reportLostConnection();
}

bool PostgresBackend::runPlain(const char* sql)
{
    const Result result(PQexec(m_db, sql), &PQclear);
    if (succeeded(result.get()))
        return true;
    m_lastError = errorOf(m_db, result.get());
    noticeLostConnection();
    return false;
}

bool PostgresBackend::loadSchema()
{
    const Result columns(PQexec(m_db,
                                "SELECT c.table_name, c.column_name, coalesce(c.domain_name, c.data_type), "
                                "c.is_identity, a.attrelid, a.attnum, "
                                "pg_get_serial_sequence(format('%I.%I', c.table_schema, c.table_name), "
                                "c.column_name) "
                                "FROM information_schema.columns c "
                                "JOIN pg_attribute a ON a.attrelid = format('%I.%I', c.table_schema, "
                                "c.table_name)::regclass AND a.attname = c.column_name "
                                "WHERE c.table_schema = current_schema()"),
                         &PQclear);
    if (PQresultStatus(columns.get()) != PGRES_TUPLES_OK) {
        m_lastError = errorOf(m_db, columns.get());
        return false;
    }
    for (int row = 0; row < PQntuples(columns.get()); ++row) {
        auto text = [&](int column) { return QString::fromUtf8(PQgetvalue(columns.get(), row, column)); };
        const QString table = text(0);
        const QString column = text(1);
        const SchemaInfo::ColumnKind kind = SchemaInfo::kindOfDeclaredType(text(2));
        m_schema.addColumn(table, column, kind);
        if (text(3) == QLatin1String("YES")) {
            m_identityKeys.insert(table.toUpper(), column);
            m_keySequences.insert(table.toUpper(), text(6));
        }
        if (kind == SchemaInfo::ColumnKind::YesNo)
            m_yesNoColumns.insert({text(4).toUInt(), text(5).toInt()});
    }
    return true;
}

std::optional<QString> PostgresBackend::translate(const QString& jetSql, bool* returnsKey)
{
    *returnsKey = false;
    // A PostgreSQL text cannot hold NUL; the server would end the statement there.
    if (jetSql.contains(QChar(0))) {
        m_lastError = QStringLiteral("a statement holds a NUL character");
        return std::nullopt;
    }
    const InsertTarget target = insertTarget(jetSql);
    const auto key = m_identityKeys.constFind(target.table);
    if (key == m_identityKeys.cend())
        return m_translator.translate(jetSql, &m_lastError);
    *returnsKey = true;
    const std::optional<QString> sql = m_translator.translateInsertReturningKey(jetSql, *key, &m_lastError);
    if (!sql || !target.columns.contains(key->toUpper()))
        return sql;
    // A row inserted with its own key leaves the identity's sequence behind,
    // and a later INSERT without a key would be given a key in use. The same
    // statement moves the sequence past the highest key it inserted; taking a
    // value first, instead of reading the sequence, never moves it back below
    // a key another connection has just been given.
    const QString column = serverName(*key);
    const QString sequence = Sql::quote(m_keySequences.value(target.table));
    return QStringLiteral("WITH mensoly_inserted AS (%1) SELECT %2, (SELECT CASE WHEN nextval(%3) < max(%2) "
                          "THEN setval(%3, max(%2)) END FROM mensoly_inserted) FROM mensoly_inserted")
        .arg(*sql, column, sequence);
}

PGresult* PostgresBackend::run(const QString& sql)
{
    if (!reconnectIfLost())
        return nullptr;
    // A failed statement ends a transaction on PostgreSQL but not on SQLite,
    // where the program goes on or rolls back as it decides; a savepoint
    // around each statement inside a transaction keeps SQLite's way.
    // The program's own savepoints stand alone: releasing a statement's
    // savepoint would release one set inside it too.
    const QString head = sql.trimmed().left(9).toUpper();
    const bool ownSavepoint = head.startsWith(QLatin1String("SAVEPOINT")) ||
                              head.startsWith(QLatin1String("RELEASE")) ||
                              head.startsWith(QLatin1String("ROLLBACK"));
    const bool guarded = !ownSavepoint && PQtransactionStatus(m_db) == PQTRANS_INTRANS;
    if (guarded && !runPlain("SAVEPOINT mensoly_statement"))
        return nullptr;
    // The extended protocol takes one statement only, as SQLite does.
    // A statement the loss meets while it runs is not run again: whether it
    // was kept, only the server knows.
    PGresult* result = PQexecParams(m_db, sql.toUtf8().constData(), 0, nullptr, nullptr, nullptr, nullptr, 0);
    if (!succeeded(result)) {
        m_lastError = errorOf(m_db, result);
        PQclear(result);
        noticeLostConnection();
        // After a loss there is no savepoint left to return to.
        if (guarded && !m_lost) {
            const QString error = m_lastError;
            runPlain("ROLLBACK TO SAVEPOINT mensoly_statement");
            m_lastError = error;
        }
        return nullptr;
    }
    if (guarded && !runPlain("RELEASE SAVEPOINT mensoly_statement")) {
        PQclear(result);
        return nullptr;
    }
    return result;
}

bool PostgresBackend::execute(const QString& sql, long& affected)
{
    affected = 0;
    bool returnsKey = false;
    const std::optional<QString> translated = translate(sql, &returnsKey);
    if (!translated)
        return false;
    const Result result(run(*translated), &PQclear);
    if (!result)
        return false;
    if (returnsKey && PQntuples(result.get()) > 0 && !PQgetisnull(result.get(), 0, 0))
        m_lastInsertKey = QByteArray(PQgetvalue(result.get(), 0, 0)).toLongLong();
    // An INSERT gives one row per inserted row, also when it moved the
    // identity's sequence; a SELECT run as a statement changes nothing,
    // whatever rows it gave.
    if (returnsKey)
        affected = PQntuples(result.get());
    else if (!QByteArray(PQcmdStatus(result.get())).startsWith("SELECT"))
        affected = QByteArray(PQcmdTuples(result.get())).toLong();
    return true;
}

std::unique_ptr<DbCursor> PostgresBackend::query(const QString& sql)
{
    bool returnsKey = false;
    const std::optional<QString> translated = translate(sql, &returnsKey);
    if (!translated)
        return nullptr;
    PGresult* result = run(*translated);
    if (!result)
        return nullptr;
    return std::make_unique<PostgresCursor>(result, m_yesNoColumns);
}

bool PostgresBackend::beginTransaction()
{
    // Unlike SQLite's BEGIN IMMEDIATE this takes no lock: two copies of the
    // program write at once, each row locked as it is changed. Writers that
    // must not interleave lock their row by changing it first (the key
    // counter) or with SELECT ... FOR UPDATE; the other waits until commit.
    if (!reconnectIfLost())
        return false;
    // BEGIN changes nothing: meeting a session that ended, it is given once
    // more on a new one.
    Result begun(PQexec(m_db, "BEGIN"), &PQclear);
    if (!succeeded(begun.get()) && PQstatus(m_db) == CONNECTION_BAD) {
        if (!reconnectIfLost())
            return false;
        begun.reset(PQexec(m_db, "BEGIN"));
    }
    if (!succeeded(begun.get())) {
        m_lastError = errorOf(m_db, begun.get());
        noticeLostConnection();
        return false;
    }
    m_inTransaction = true;
    return true;
}

bool PostgresBackend::commit()
{
    if (m_transactionLost) {
        m_lastError = TransactionLost;
        return false;
    }
    const Result result(PQexec(m_db, "COMMIT"), &PQclear);
    if (!succeeded(result.get())) {
        // Lost during the commit, the transaction may or may not have been
        // kept; the server alone knows.
        m_lastError = errorOf(m_db, result.get());
        noticeLostConnection();
        return false;
    }
    m_inTransaction = false;
    // The server answers a failed transaction's COMMIT with a rollback.
    if (QByteArray(PQcmdStatus(result.get())) == "ROLLBACK") {
        m_lastError = QStringLiteral("the transaction failed and was rolled back");
        return false;
    }
    return true;
}

bool PostgresBackend::rollback()
{
    // The server rolled back what the lost connection left open.
    if (m_transactionLost) {
        m_inTransaction = false;
        m_transactionLost = false;
        return true;
    }
    m_inTransaction = false;
    return runPlain("ROLLBACK");
}

bool PostgresBackend::backupTo(const QString& /*path*/, const BackupProgress& /*progress*/)
{
    m_lastError = QStringLiteral("a server database is backed up on the server");
    return false;
}
