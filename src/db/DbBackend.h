#pragma once

#include "db/DbValue.h"
#include "db/ShippedFeedReport.h"

#include <QString>

#include <functional>
#include <memory>

// A forward-only cursor over the rows of one query.
class DbCursor
{
public:
    virtual ~DbCursor() = default;

    virtual bool atEnd() const = 0;
    // Moves to the next row; a failure while reading ends the cursor.
    virtual void next() = 0;
    virtual int columnCount() const = 0;
    virtual QString columnName(int column) const = 0;
    virtual DbValue value(int column) const = 0;
};

// One open database connection of some engine. Statements arrive in the
// program's SQL dialect; the backend translates them for its engine.
class DbBackend
{
public:
    virtual ~DbBackend() = default;

    virtual bool execute(const QString& sql, long& affected) = 0;
    virtual std::unique_ptr<DbCursor> query(const QString& sql) = 0;
    virtual bool beginTransaction() = 0;
    virtual bool commit() = 0;
    virtual bool rollback() = 0;
    // The key the last successful INSERT on this connection gave its row. A
    // server has no such state per connection: its backend sends each INSERT
    // as JetSqlTranslator::translateInsertReturningKey() gives it and keeps
    // the key the statement returns.
    virtual qint64 lastInsertKey() const = 0;
    virtual QString lastError() const = 0;

    // Pages (or rows) copied of all, while a backup runs.
    using BackupProgress = std::function<void(int done, int total)>;
    // Writes a consistent copy of the whole database into a new file at path.
    // An engine that keeps no database file of its own cannot.
    virtual bool backupTo(const QString& path, const BackupProgress& progress) = 0;
    // The database file, or the empty text for a server database.
    virtual QString databaseFile() const = 0;
    // The schema version of the program's tables in the database; 0 when it
    // holds none of them (an empty database, another program's).
    virtual int storedSchemaVersion() const = 0;

    // Called when the connection to a database server is lost, once per loss
    // and before the failed statement returns. A file never loses it.
    using LostConnectionHandler = std::function<void()>;
    void setLostConnectionHandler(LostConnectionHandler handler) { m_lostConnection = std::move(handler); }

    // What opening the database changed in its shipped data (an upgrade of
    // an older file); nothing changed after any other opening.
    const ShippedFeedReport& upgradeReport() const { return m_upgradeReport; }

protected:
    ShippedFeedReport m_upgradeReport;

    void reportLostConnection()
    {
        if (m_lostConnection)
            m_lostConnection();
    }

private:
    LostConnectionHandler m_lostConnection;
};
