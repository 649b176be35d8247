#include "db/JetSqlTranslator.h"

#include "db/JetSqlTokenizer.h"
#include "db/JetSqlTokens.h"
#include "db/JetSqlTranslation.h"

using namespace jet_sql;

JetSqlTranslator::JetSqlTranslator(const SchemaInfo* schema, SqlDialect dialect)
    : m_schema(schema)
    , m_dialect(dialect)
{
}

std::optional<QString> JetSqlTranslator::toSqlite(const QString& jetSql, QString* error) const
{
    return JetSqlTranslator(m_schema).translate(jetSql, error);
}

std::optional<QString> JetSqlTranslator::translateInsertReturningKey(const QString& jetSql,
                                                                     const QString& keyColumn,
                                                                     QString* error) const
{
    std::optional<QString> sql = translate(jetSql, error);
    if (!sql || m_dialect != SqlDialect::PostgreSql)
        return sql;
    const Tokens tokens = tokenizeJetSql(jetSql);
    const int first = nextSignificant(tokens, -1);
    if (first >= 0 && tokens[first].isWord("INSERT"))
        *sql += QStringLiteral(" RETURNING ") + postgresName(keyColumn);
    return sql;
}

std::optional<QString> JetSqlTranslator::translate(const QString& jetSql, QString* error) const
{
    Translation translation(tokenizeJetSql(jetSql), m_schema, m_dialect, &m_clock);
    QString reason;
    if (!translation.run(reason)) {
        if (error)
            *error = reason;
        return std::nullopt;
    }
    return translation.text();
}
