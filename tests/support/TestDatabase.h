#pragma once

#include "db/AppContext.h"
#include "support/TestBackend.h"

#include <QStringList>
#include <QTemporaryDir>

#include <memory>

struct pg_conn;

// A throwaway data directory with a database made from the program's schema,
// opened through the program's own layer with a pinned clock: the SQLite file
// in that directory or, when the run works on PostgreSQL (TestBackend), a new
// database of the test cluster copied from the template of the same data.
class TestDatabase
{
public:
    enum class Data {
        Fixture, // the schema and tests/support/fixture.sql
        Shipped, // the schema and the shipped system data
        Empty    // the schema only
    };

    static QDateTime pinnedNow() { return QDateTime(QDate(2024, 4, 3), QTime(10, 0, 0)); }

    explicit TestDatabase(Data data = Data::Fixture, const QString& languageCode = QStringLiteral("DE"));
    // Fails the running test when PRAGMA integrity_check, run through the
    // program's own connection, finds anything. A server database is dropped.
    ~TestDatabase();
    TestDatabase(const TestDatabase&) = delete;
    TestDatabase& operator=(const TestDatabase&) = delete;

    bool isValid() const { return m_valid; }
    QString error() const { return m_error; }
    AppContext& context() { return *m_context; }
    Connection& db() { return m_context->db(); }
    QString directory() const { return m_dir.path(); }
    // The SQLite file; tests of it start with SKIP_ON_POSTGRESQL.
    QString path() const;
    // The connection string the context opened.
    QString connectionString() const { return m_context->connectionString(); }

    // Direct access to the database, past the program's layer, to set up
    // cases and to check what a statement changed. On PostgreSQL the
    // identity keys continue after the keys a statement inserted.
    bool rawExec(const QString& sql);
    // Each row as its values joined by tabs, NULL as "NULL", numbers as
    // SQLite writes them ("2.5", "3.0"), on either engine.
    QStringList rawRows(const QString& sql);
    QString rawValue(const QString& sql);
    // A trigger on table, run at timing ("BEFORE INSERT", "AFTER INSERT",
    // "BEFORE UPDATE OF BEZ_US") for the rows that condition (over NEW and
    // OLD) selects, or for every row; it runs the statement action, or
    // refuses the change when action is empty. On either engine.
    bool addTrigger(const QString& name, const QString& timing, const QString& table,
                    const QString& condition = QString(), const QString& action = QString());
    bool dropTrigger(const QString& name, const QString& table);
    // Adds a table written as the schema writes its tables (SQLite's types),
    // for the engine, and opens the connection again so that it knows it.
    bool createTable(const QString& schemaSql);
    int tableCount();
    // The same on another database file, such as a copy.
    static QStringList rawRowsIn(const QString& file, const QString& sql);
    static QString rawValueIn(const QString& file, const QString& sql);

    void checkIntegrity();

private:
    bool createOnServer(Data data);
    QStringList serverRows(const QString& sql);

    QTemporaryDir m_dir;
    QString m_serverDatabase;
    pg_conn* m_server = nullptr;
    std::unique_ptr<AppContext> m_context;
    bool m_valid = false;
    QString m_error;
};
