#pragma once

#include "db/DbBackend.h"

#include <QDateTime>
#include <QString>

#include <functional>
#include <memory>

// The program's database connection. Every form borrows it for one operation
// at a time; statements arrive as Jet SQL text and failures come back as
// false, never as a message.
class Connection
{
public:
    using Clock = std::function<QDateTime()>;
    using LanguageSource = std::function<QString()>;

    Connection();
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Releases any connection held and prepares a new, closed one.
    bool createConnection();
    // Opens the database that the connection string names ("Data Source",
    // "Mode"); closes an open connection first. False on any failure.
    bool openConnection(const QString& connectionString, const QString& userName, const QString& password);
    void closeConnection();
    bool isOpen() const { return m_backend != nullptr; }

    // Runs one statement that returns no rows; affected is the number of rows
    // it changed (0 after a failure).
    bool executeSql(const QString& sql, long& affected);
    bool executeSql(const QString& sql);

    // Several statements that must take effect together.
    bool beginTrans();
    bool commitTrans();
    bool rollbackTrans();

    // The key that the last successful INSERT gave its new row; 0 before any.
    // Unlike Max(ID) it cannot pick up a row another copy of the program added.
    qint64 lastInsertKey() const;

    // A cursor over a query's rows; nullptr with the reason in lastError().
    std::unique_ptr<DbCursor> query(const QString& sql);

    // The reason of the last failed statement, as the engine gave it; the
    // forms append it to their message of the failure.
    QString lastError() const { return m_lastError; }
    // After a failed opening of a server database: the schema version its
    // tables are of when it is not this program's, else -1.
    int otherSchemaVersion() const { return m_otherSchemaVersion; }

    // The text reader formats dates by the language code read at each call.
    void setLanguageSource(LanguageSource source) { m_language = std::move(source); }
    QString languageCode() const { return m_language ? m_language() : QString(); }
    // The clock behind NOW() and Date().
    void setClock(Clock clock) { m_clock = std::move(clock); }
    // Told once each time the connection to a database server is lost. The
    // statement that met the loss fails; the next one connects again, unless
    // a transaction was open: it ended with the connection, so its statements
    // fail and its commit too until it is rolled back.
    using LostConnectionHandler = std::function<void()>;
    void setLostConnectionHandler(LostConnectionHandler handler) { m_lostConnection = std::move(handler); }

    DbBackend* backend() const { return m_backend.get(); }

private:
    std::unique_ptr<DbBackend> m_backend;
    bool m_created = false;
    LanguageSource m_language;
    Clock m_clock;
    LostConnectionHandler m_lostConnection;
    QString m_lastError;
    int m_otherSchemaVersion = -1;
};

// Begins a transaction and rolls it back unless commit() succeeded.
class DbTransaction
{
public:
    explicit DbTransaction(Connection& db);
    ~DbTransaction();
    DbTransaction(const DbTransaction&) = delete;
    DbTransaction& operator=(const DbTransaction&) = delete;

    bool isActive() const { return m_active; }
    bool commit();

private:
    Connection& m_db;
    bool m_active;
};
