#pragma once

#include <QString>

#include <optional>

class SchemaInfo;

// Turns the Jet SQL that the program and its stored metadata issue into
// SQLite's dialect: yes/no literals as -1/0, "+" and "&" joining texts,
// DELETE with a target list over joins, #dates# and date texts into date
// columns stored as ISO text, double-quoted texts, Date(). Functions such as
// NOW(), LCase() and UCase() and the case-insensitive comparisons are
// provided by the connection itself.
class JetSqlTranslator
{
public:
    explicit JetSqlTranslator(const SchemaInfo* schema = nullptr);

    // The translated statement, or nothing with a reason in error.
    std::optional<QString> toSqlite(const QString& jetSql, QString* error = nullptr) const;

private:
    const SchemaInfo* m_schema;
};
