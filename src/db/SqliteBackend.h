#pragma once

#include "db/DbBackend.h"
#include "db/JetSqlTranslator.h"
#include "db/SchemaInfo.h"
#include "db/SqliteStatements.h"

#include <QDateTime>
#include <QHash>

#include <functional>

struct sqlite3;

// The program's database: an SQLite file, shared by several copies of the
// program through WAL journaling and a busy timeout.
class SqliteBackend : public DbBackend
{
public:
    using Clock = std::function<QDateTime()>;

    ~SqliteBackend() override;

    // Opens an existing database file; never creates one.
    static std::unique_ptr<SqliteBackend> open(const QString& path, bool readOnly, Clock clock,
                                               QString* error);

    bool execute(const QString& sql, long& affected) override;
    std::unique_ptr<DbCursor> query(const QString& sql) override;
    bool beginTransaction() override;
    bool commit() override;
    bool rollback() override;
    qint64 lastInsertKey() const override;
    QString lastError() const override { return m_lastError; }
    bool backupTo(const QString& path, const BackupProgress& progress) override;
    QString databaseFile() const override;
    int storedSchemaVersion() const override;

    sqlite3* handle() const { return m_db; }
    const SchemaInfo& schema() const { return m_schema; }
    // Translates a statement without running it (for diagnostics and tests).
    std::optional<QString> translate(const QString& jetSql, QString* error = nullptr) const;

    // Gives another connection to the file the program's NOCASE collation
    // (German order, case ignored) and its sort_key() function, so that it
    // compares and sorts names as the program does.
    static bool installCollation(sqlite3* db);
    // Runs sql (one or more statements) on a raw connection; false with
    // SQLite's reason in error.
    static bool execRaw(sqlite3* db, const QByteArray& sql, QString& error);

private:
    SqliteBackend(sqlite3* db, Clock clock);
    bool runPlain(const char* sql);
    void loadSchema();
    void registerFunctions();
    void createMissingIndexes();

    sqlite3* m_db;
    Clock m_clock;
    SchemaInfo m_schema;
    JetSqlTranslator m_translator{&m_schema};
    // Translations of recent statements: lists refill with the same
    // statements again and again, and translating one costs as much as
    // SQLite's preparing it.
    mutable QHash<QString, QString> m_translated;
    std::shared_ptr<SqliteStatements> m_statements;
    QString m_lastError;
};
