#pragma once

#include <QDateTime>
#include <QString>

#include <functional>
#include <optional>

class SchemaInfo;

// The SQL engine a statement is translated for.
enum class SqlDialect { Sqlite, PostgreSql };

// Turns the Jet SQL that the program and its stored metadata issue into the
// dialect of the engine: yes/no literals as -1/0, "+" and "&" joining texts
// ("&" taking NULL as the empty text), DELETE with a target list over joins,
// #dates# and date texts into date columns, double-quoted texts, Date().
// On SQLite, functions such as NOW(), LCase() and UCase() and the
// case-insensitive comparisons are provided by the connection itself; on
// PostgreSQL they become the server's own functions, bracketed names quoted
// names, and LIKE a case-insensitive ILIKE. A row lock closing a SELECT
// (FOR UPDATE, FOR SHARE, FOR KEY SHARE) reaches PostgreSQL as written;
// SQLite, whose transactions lock the whole file, gets the SELECT without it.
class JetSqlTranslator
{
public:
    explicit JetSqlTranslator(const SchemaInfo* schema = nullptr, SqlDialect dialect = SqlDialect::Sqlite);

    // The translated statement, or nothing with a reason in error.
    std::optional<QString> translate(const QString& jetSql, QString* error = nullptr) const;
    // translate() for SQLite, whatever this translator's dialect.
    std::optional<QString> toSqlite(const QString& jetSql, QString* error = nullptr) const;
    // An INSERT that also gives the new row's key: on PostgreSQL it returns
    // keyColumn as a one-row result; SQLite's connection knows the key
    // itself, so there it is translate() unchanged. Other statements are
    // translated as they are.
    std::optional<QString> translateInsertReturningKey(const QString& jetSql, const QString& keyColumn,
                                                       QString* error = nullptr) const;

    SqlDialect dialect() const { return m_dialect; }

    // On PostgreSQL, the program's clock instead of the server's: NOW() and
    // Date() become literals of its time, read once per statement.
    using Clock = std::function<QDateTime()>;
    void setClock(Clock clock) { m_clock = std::move(clock); }

private:
    const SchemaInfo* m_schema;
    SqlDialect m_dialect;
    Clock m_clock;
};
