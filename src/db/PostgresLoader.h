#pragma once

#include "db/DatabaseCreator.h"

#include <QByteArray>
#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

struct pg_conn;

// Fills a PostgreSQL database with the program's tables in one transaction:
// the schema, rows copied in bulk with their keys (COPY), and identity
// counters that continue after the highest key. Nothing stays behind unless
// commit() succeeds.
class PostgresLoader
{
public:
    // Sets every identity counter of the current schema after the highest
    // key of its table, so that the next row without a key gets a new one.
    static const QString ContinueKeys;

    PostgresLoader() = default;
    ~PostgresLoader();
    PostgresLoader(const PostgresLoader&) = delete;
    PostgresLoader& operator=(const PostgresLoader&) = delete;

    // Connects with a libpq conninfo and begins the transaction.
    bool open(const QString& conninfo);
    QString error() const { return m_error; }

    // Those of the named tables the database holds (names compared without case).
    QStringList existingTables(const QStringList& tables) const;
    // The schema built into the program, rendered for PostgreSQL.
    bool createSchema();
    // The columns of a table in the database, upper-case, in their order.
    QStringList columns(const QString& table) const { return m_columns.value(table.toUpper()); }
    // Whether a column holds texts (in the sense of SchemaInfo::ColumnKind::Text).
    bool isTextColumn(const QString& table, const QString& column) const;

    // Rows for one table: beginCopy(), then per row the fields and endRow(),
    // then endCopy(). Fields are given in the order of the columns named.
    bool beginCopy(const QString& table, const QStringList& columns);
    void addNull();
    void addField(const QByteArray& utf8);
    bool endRow();
    bool endCopy();

    bool rowCount(const QString& table, qint64& count);
    bool continueKeys();
    // Statistics of the loaded tables: without them the server's planner
    // takes every table for small and may choose plans far too slow.
    bool analyze();
    bool commit();
    // After the commit: marks the loaded tables' rows visible to all, so
    // that a list reads its index alone at once rather than after the
    // server's autovacuum has come by.
    bool vacuum();

    // One statement (or several without parameters) in the transaction.
    bool exec(const QString& sql);
    // The rows of a query, every value as text; NULL as no value.
    bool select(const QString& sql, std::vector<std::vector<std::optional<QString>>>& rows);
    // The rows of a table of the shipped data, in its columns, by COPY.
    bool copyRows(const DatabaseCreator::TableData& data);
    // The columns again, after the schema changed.
    bool reloadColumns() { return loadColumns(); }
    // The version of the program's tables, kept in a table of its own that
    // only a server database has (an SQLite file keeps it in its header).
    static const QString VersionTable;
    bool writeSchemaVersion(int version);
    pg_conn* handle() const { return m_db; }

private:
    // Runs command (ANALYZE, VACUUM) on the program's tables.
    bool forTables(const QString& command);
    bool loadColumns();
    bool flush();

    pg_conn* m_db = nullptr;
    bool m_inTransaction = false;
    // Upper-case table name: its columns, upper-case, and the text ones.
    QHash<QString, QStringList> m_columns;
    QHash<QString, QString> m_names;
    QHash<QString, QSet<QString>> m_textColumns;
    QByteArray m_buffer;
    bool m_firstField = true;
    QString m_error;
};
