#pragma once

#include "db/SchemaInfo.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

struct sqlite3;
struct sqlite3_stmt;

// The prepared statements of one connection, kept for their next use: the
// lists run the same few statements again and again, and preparing one costs
// as much as reading a screen of its rows. A statement is lent to one cursor
// at a time; a second cursor on the same text gets one of its own.
class SqliteStatements
{
public:
    struct Lease
    {
        sqlite3_stmt* statement = nullptr;
        QStringList names;
        std::vector<SchemaInfo::ColumnKind> kinds;
    };

    static constexpr int Kept = 32;

    explicit SqliteStatements(sqlite3* db);
    // Finalizes the statements not lent out; a cursor finalizes its own.
    ~SqliteStatements();
    SqliteStatements(const SqliteStatements&) = delete;
    SqliteStatements& operator=(const SqliteStatements&) = delete;

    // A statement ready for its first step, or false with the engine's error.
    bool lend(const QByteArray& sql, Lease& lease, QString& error);
    // Back from its cursor: reset, which ends its read of the database, and
    // kept, or finalized when it was not one of the kept.
    void giveBack(sqlite3_stmt* statement);

private:
    struct Entry
    {
        QByteArray sql;
        Lease lease;
        bool lent = false;
        quint64 lastUse = 0;
    };

    sqlite3* m_db;
    std::vector<Entry> m_entries; // few: a linear search is the quickest
    quint64 m_uses = 0;
};
