#pragma once

#include "db/DbBackend.h"
#include "db/JetSqlTranslator.h"
#include "db/SchemaInfo.h"

#include <QDateTime>
#include <QHash>
#include <QSet>

#include <functional>

struct pg_conn;
struct pg_result;

// The program's database on a PostgreSQL server, reached through libpq.
// The tables are those of the program's schema rendered for PostgreSQL.
class PostgresBackend : public DbBackend
{
public:
    using Clock = std::function<QDateTime()>;

    ~PostgresBackend() override;

    // Connects with a libpq conninfo ("host=... dbname=..."). NOW() and
    // Date() follow clock (the computer's clock when empty), not the server's.
    // A database whose tables are of another schema version than the
    // program's is not opened: foundVersion, when given, receives its version.
    static std::unique_ptr<PostgresBackend> open(const QString& conninfo, Clock clock, QString* error,
                                                 int* foundVersion = nullptr);
    // The schema version of the database open on db: the version table's,
    // else 2 with the maxima tables, 1 with the other tables, 0 without any.
    static int schemaVersion(pg_conn* db);

    bool execute(const QString& sql, long& affected) override;
    std::unique_ptr<DbCursor> query(const QString& sql) override;
    bool beginTransaction() override;
    bool commit() override;
    bool rollback() override;
    qint64 lastInsertKey() const override { return m_lastInsertKey; }
    QString lastError() const override { return m_lastError; }
    bool backupTo(const QString& path, const BackupProgress& progress) override;
    QString databaseFile() const override { return QString(); }
    int storedSchemaVersion() const override { return schemaVersion(m_db); }
    // The encoding the database was created with, as the server names it ("UTF8").
    QString serverEncoding() const;

    const SchemaInfo& schema() const { return m_schema; }

    // A column of a table, as libpq names it in a result: the table's oid and
    // the column's number.
    using ColumnId = QPair<unsigned int, int>;

private:
    explicit PostgresBackend(pg_conn* db);
    // The settings every session starts with, on connecting and reconnecting.
    bool setUpSession();
    // Before a statement: connects again after a loss, unless the loss ended
    // a transaction that is not yet rolled back. False with lastError then.
    bool reconnectIfLost();
    // After a failure: whether it lost the connection, told once per loss.
    void noticeLostConnection();
    // Runs translated SQL; a failure inside a transaction is undone on its
    // own, as on SQLite, instead of ending the whole transaction.
    pg_result* run(const QString& sql);
    bool runPlain(const char* sql);
    bool loadSchema();
    // The statement for the server, an INSERT into a table with an identity
    // key asking for the new key back.
    std::optional<QString> translate(const QString& jetSql, bool* returnsKey);

    pg_conn* m_db;
    SchemaInfo m_schema;
    JetSqlTranslator m_translator{&m_schema, SqlDialect::PostgreSql};
    // Upper-case table names and their identity key column.
    QHash<QString, QString> m_identityKeys;
    // Upper-case table names and the sequence of their identity key.
    QHash<QString, QString> m_keySequences;
    // The columns of the YESNO domain, which libpq reports as plain smallints.
    QSet<ColumnId> m_yesNoColumns;
    qint64 m_lastInsertKey = 0;
    QString m_lastError;
    bool m_inTransaction = false;
    bool m_lost = false;
    bool m_transactionLost = false;
};
