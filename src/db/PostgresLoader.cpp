#include "db/PostgresLoader.h"

#include "db/PostgreSqlSchema.h"
#include "db/SchemaInfo.h"

#include <libpq-fe.h>

#include <memory>

namespace {

using Result = std::unique_ptr<PGresult, decltype(&PQclear)>;

// COPY's data travels in pieces of about this size.
constexpr qsizetype CopyChunk = 1 << 18;

QString quotedName(PGconn* db, const QString& name)
{
    const QByteArray utf8 = name.toUtf8();
    char* quoted = PQescapeIdentifier(db, utf8.constData(), size_t(utf8.size()));
    const QString text = QString::fromUtf8(quoted ? quoted : "");
    PQfreemem(quoted);
    return text;
}

} // namespace

const QString PostgresLoader::ContinueKeys = QStringLiteral(
    "DO $$DECLARE r record; BEGIN "
    "FOR r IN SELECT table_name, column_name FROM information_schema.columns "
    "WHERE table_schema = current_schema() AND is_identity = 'YES' LOOP "
    "EXECUTE format('SELECT setval(pg_get_serial_sequence(%L, %L), coalesce(max(%I), 0) + 1, false) FROM %I', "
    "quote_ident(r.table_name), r.column_name, r.column_name, r.table_name); "
    "END LOOP; END$$");

const QString PostgresLoader::VersionTable = QLatin1String(PostgreSqlSchema::VersionTable);

PostgresLoader::~PostgresLoader()
{
    // Ending the connection without COMMIT rolls everything back.
    if (m_db)
        PQfinish(m_db);
}

bool PostgresLoader::open(const QString& conninfo)
{
    m_db = PQconnectdb(conninfo.toUtf8().constData());
    if (PQstatus(m_db) != CONNECTION_OK) {
        m_error = QString::fromUtf8(PQerrorMessage(m_db)).trimmed();
        return false;
    }
    if (PQsetClientEncoding(m_db, "UTF8") != 0) {
        m_error = QString::fromUtf8(PQerrorMessage(m_db)).trimmed();
        return false;
    }
    // Names and texts of every language must fit; a database in another
    // encoding would refuse some of them only when they are first stored.
    const QByteArray encoding = PQparameterStatus(m_db, "server_encoding");
    if (encoding != "UTF8") {
        m_error = QStringLiteral("the database was created with the encoding %1; create it with "
                                 "\"CREATE DATABASE ... ENCODING 'UTF8'\"")
                      .arg(QString::fromLatin1(encoding));
        return false;
    }
    m_inTransaction = exec(QStringLiteral("SET DateStyle = ISO")) && exec(QStringLiteral("BEGIN"));
    return m_inTransaction && loadColumns();
}

bool PostgresLoader::exec(const QString& sql)
{
    const Result result(PQexec(m_db, sql.toUtf8().constData()), &PQclear);
    const ExecStatusType status = PQresultStatus(result.get());
    if (status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK)
        return true;
    m_error = QString::fromUtf8(PQresultErrorMessage(result.get())).trimmed();
    if (m_error.isEmpty())
        m_error = QString::fromUtf8(PQerrorMessage(m_db)).trimmed();
    return false;
}

bool PostgresLoader::select(const QString& sql, std::vector<std::vector<std::optional<QString>>>& rows)
{
    rows.clear();
    const Result result(PQexec(m_db, sql.toUtf8().constData()), &PQclear);
    if (PQresultStatus(result.get()) != PGRES_TUPLES_OK) {
        m_error = QString::fromUtf8(PQresultErrorMessage(result.get())).trimmed();
        return false;
    }
    for (int row = 0; row < PQntuples(result.get()); ++row) {
        std::vector<std::optional<QString>> values;
        for (int column = 0; column < PQnfields(result.get()); ++column) {
            if (PQgetisnull(result.get(), row, column))
                values.emplace_back();
            else
                values.emplace_back(QString::fromUtf8(PQgetvalue(result.get(), row, column)));
        }
        rows.push_back(std::move(values));
    }
    return true;
}

bool PostgresLoader::copyRows(const DatabaseCreator::TableData& data)
{
    std::vector<bool> isText;
    for (const QString& column : data.columns)
        isText.push_back(isTextColumn(data.table, column));
    if (!beginCopy(data.table, data.columns))
        return false;
    for (const auto& row : data.rows) {
        for (size_t i = 0; i < row.size(); ++i) {
            if (DatabaseCreator::isStoredAsNull(row[i], isText[i]))
                addNull();
            else
                addField(row[i]->toUtf8());
        }
        if (!endRow())
            break;
    }
    if (endCopy())
        return true;
    m_error = data.table + QLatin1String(": ") + m_error;
    return false;
}

bool PostgresLoader::writeSchemaVersion(int version)
{
    // Made with the schema, or here for tables made without it.
    const QString create =
        m_columns.contains(VersionTable.toUpper())
            ? QString()
            : QStringLiteral("CREATE TABLE %1 (version INTEGER NOT NULL); ").arg(VersionTable);
    return exec(create + QStringLiteral("DELETE FROM %1; INSERT INTO %1 (version) VALUES (%2)")
                             .arg(VersionTable)
                             .arg(version));
}

bool PostgresLoader::loadColumns()
{
    m_columns.clear();
    m_names.clear();
    m_textColumns.clear();
    const Result result(PQexec(m_db, "SELECT table_name, column_name, coalesce(domain_name, data_type) "
                                     "FROM information_schema.columns WHERE table_schema = current_schema() "
                                     "ORDER BY table_name, ordinal_position"),
                        &PQclear);
    if (PQresultStatus(result.get()) != PGRES_TUPLES_OK) {
        m_error = QString::fromUtf8(PQresultErrorMessage(result.get())).trimmed();
        return false;
    }
    for (int row = 0; row < PQntuples(result.get()); ++row) {
        auto text = [&](int column) { return QString::fromUtf8(PQgetvalue(result.get(), row, column)); };
        const QString table = text(0).toUpper();
        const QString column = text(1).toUpper();
        m_names.insert(table, text(0));
        m_names.insert(table + QLatin1Char('.') + column, text(1));
        m_columns[table] << column;
        if (SchemaInfo::kindOfDeclaredType(text(2)) == SchemaInfo::ColumnKind::Text)
            m_textColumns[table].insert(column);
    }
    return true;
}

bool PostgresLoader::isTextColumn(const QString& table, const QString& column) const
{
    return m_textColumns.value(table.toUpper()).contains(column.toUpper());
}

QStringList PostgresLoader::existingTables(const QStringList& tables) const
{
    QStringList found;
    for (const QString& table : tables)
        if (m_columns.contains(table.toUpper()))
            found << table;
    return found;
}

bool PostgresLoader::createSchema()
{
    const QString schema = PostgreSqlSchema::renderBuiltIn();
    if (schema.isEmpty()) {
        m_error = QStringLiteral("the schema cannot be read");
        return false;
    }
    return exec(schema) && loadColumns();
}

bool PostgresLoader::beginCopy(const QString& table, const QStringList& columns)
{
    QStringList names;
    for (const QString& column : columns) {
        const QString name = m_names.value(table.toUpper() + QLatin1Char('.') + column.toUpper());
        if (name.isEmpty()) {
            m_error = QStringLiteral("%1 has no column %2 on the server").arg(table, column);
            return false;
        }
        names << quotedName(m_db, name);
    }
    const QString name = m_names.value(table.toUpper());
    if (name.isEmpty()) {
        m_error = QStringLiteral("the server has no table %1").arg(table);
        return false;
    }
    const Result result(PQexec(m_db, QStringLiteral("COPY %1 (%2) FROM STDIN")
                                         .arg(quotedName(m_db, name), names.join(QLatin1String(", ")))
                                         .toUtf8()
                                         .constData()),
                        &PQclear);
    if (PQresultStatus(result.get()) != PGRES_COPY_IN) {
        m_error = QString::fromUtf8(PQresultErrorMessage(result.get())).trimmed();
        return false;
    }
    m_buffer.clear();
    m_firstField = true;
    return true;
}

void PostgresLoader::addNull()
{
    if (!m_firstField)
        m_buffer += '\t';
    m_firstField = false;
    m_buffer += "\\N";
}

void PostgresLoader::addField(const QByteArray& utf8)
{
    if (!m_firstField)
        m_buffer += '\t';
    m_firstField = false;
    // COPY's text format: a backslash starts an escape, tab and newline end
    // the field and the row.
    for (const char c : utf8) {
        switch (c) {
        case '\\':
            m_buffer += "\\\\";
            break;
        case '\t':
            m_buffer += "\\t";
            break;
        case '\n':
            m_buffer += "\\n";
            break;
        case '\r':
            m_buffer += "\\r";
            break;
        default:
            m_buffer += c;
        }
    }
}

bool PostgresLoader::endRow()
{
    m_buffer += '\n';
    m_firstField = true;
    return m_buffer.size() < CopyChunk || flush();
}

bool PostgresLoader::flush()
{
    if (!m_buffer.isEmpty() && PQputCopyData(m_db, m_buffer.constData(), int(m_buffer.size())) != 1) {
        m_error = QString::fromUtf8(PQerrorMessage(m_db)).trimmed();
        return false;
    }
    m_buffer.clear();
    return true;
}

bool PostgresLoader::endCopy()
{
    const bool sent = flush();
    if (PQputCopyEnd(m_db, sent ? nullptr : "the rows could not be sent") != 1) {
        m_error = QString::fromUtf8(PQerrorMessage(m_db)).trimmed();
        return false;
    }
    bool ok = sent;
    while (PGresult* result = PQgetResult(m_db)) {
        if (PQresultStatus(result) != PGRES_COMMAND_OK && ok) {
            m_error = QString::fromUtf8(PQresultErrorMessage(result)).trimmed();
            ok = false;
        }
        PQclear(result);
    }
    return ok;
}

bool PostgresLoader::rowCount(const QString& table, qint64& count)
{
    const Result result(PQexec(m_db, QStringLiteral("SELECT count(*) FROM %1")
                                         .arg(quotedName(m_db, m_names.value(table.toUpper())))
                                         .toUtf8()),
                        &PQclear);
    if (PQresultStatus(result.get()) != PGRES_TUPLES_OK) {
        m_error = QString::fromUtf8(PQresultErrorMessage(result.get())).trimmed();
        return false;
    }
    count = QByteArray(PQgetvalue(result.get(), 0, 0)).toLongLong();
    return true;
}

bool PostgresLoader::continueKeys()
{
    return exec(ContinueKeys);
}

bool PostgresLoader::analyze()
{
    return forTables(QStringLiteral("ANALYZE "));
}

bool PostgresLoader::vacuum()
{
    return forTables(QStringLiteral("VACUUM "));
}

bool PostgresLoader::forTables(const QString& command)
{
    // Only the tables of the schema; a bare command would read the catalogs too.
    QStringList tables;
    for (auto it = m_columns.cbegin(); it != m_columns.cend(); ++it)
        tables << quotedName(m_db, m_names.value(it.key()));
    return tables.isEmpty() || exec(command + tables.join(QLatin1String(", ")));
}

bool PostgresLoader::commit()
{
    if (!m_inTransaction) {
        m_error = QStringLiteral("no transaction");
        return false;
    }
    const Result result(PQexec(m_db, "COMMIT"), &PQclear);
    m_inTransaction = false;
    if (PQresultStatus(result.get()) != PGRES_COMMAND_OK ||
        QByteArray(PQcmdStatus(result.get())) != "COMMIT") {
        m_error = QString::fromUtf8(PQresultErrorMessage(result.get())).trimmed();
        if (m_error.isEmpty())
            m_error = QStringLiteral("the transaction failed and was rolled back");
        return false;
    }
    return true;
}
