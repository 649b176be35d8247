#include "db/SqliteStatements.h"

#include <sqlite3.h>

#include <algorithm>

SqliteStatements::SqliteStatements(sqlite3* db)
    : m_db(db)
{
}

SqliteStatements::~SqliteStatements()
{
    for (const Entry& entry : m_entries) {
        if (!entry.lent)
            sqlite3_finalize(entry.lease.statement);
    }
}

bool SqliteStatements::lend(const QByteArray& sql, Lease& lease, QString& error)
{
    ++m_uses;
    const auto idle = std::find_if(m_entries.begin(), m_entries.end(),
                                   [&sql](const Entry& entry) { return !entry.lent && entry.sql == sql; });
    if (idle != m_entries.end()) {
        idle->lent = true;
        idle->lastUse = m_uses;
        lease = idle->lease;
        return true;
    }

    Lease made;
    const char* tail = nullptr;
    if (sqlite3_prepare_v2(m_db, sql.constData(), int(sql.size()), &made.statement, &tail) != SQLITE_OK ||
        !made.statement) {
        error = made.statement || sqlite3_errcode(m_db) != SQLITE_OK ? QString::fromUtf8(sqlite3_errmsg(m_db))
                                                                     : QStringLiteral("empty statement");
        sqlite3_finalize(made.statement);
        return false;
    }
    const int columns = sqlite3_column_count(made.statement);
    for (int i = 0; i < columns; ++i) {
        made.names << QString::fromUtf8(sqlite3_column_name(made.statement, i));
        const char* declared = sqlite3_column_decltype(made.statement, i);
        made.kinds.push_back(declared ? SchemaInfo::kindOfDeclaredType(QString::fromUtf8(declared))
                                      : SchemaInfo::ColumnKind::Other);
    }
    lease = made;

    // Kept in place of the idle one used longest ago once the room is full.
    if (int(m_entries.size()) >= Kept) {
        auto oldest = m_entries.end();
        for (auto it = m_entries.begin(); it != m_entries.end(); ++it) {
            if (!it->lent && (oldest == m_entries.end() || it->lastUse < oldest->lastUse))
                oldest = it;
        }
        if (oldest == m_entries.end())
            return true; // every kept one is lent out: this one is not kept
        sqlite3_finalize(oldest->lease.statement);
        m_entries.erase(oldest);
    }
    m_entries.push_back({sql, made, true, m_uses});
    return true;
}

void SqliteStatements::giveBack(sqlite3_stmt* statement)
{
    const auto kept = std::find_if(m_entries.begin(), m_entries.end(), [statement](const Entry& entry) {
        return entry.lease.statement == statement;
    });
    if (kept == m_entries.end()) {
        sqlite3_finalize(statement);
        return;
    }
    sqlite3_reset(statement);
    kept->lent = false;
}
