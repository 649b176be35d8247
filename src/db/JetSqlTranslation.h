#pragma once

#include <QDateTime>
#include <QString>

#include "db/JetSqlTokens.h"
#include "db/JetSqlTranslator.h"

#include <optional>
#include <vector>

class SchemaInfo;

namespace jet_sql {

// One statement on its way from Jet SQL to the engine's dialect: its tokens
// and the text the passes put around them. The passes live by what they
// rewrite: JetSqlTranslation.cpp runs them and rewrites single tokens,
// JetSqlDates.cpp the date texts, JetSqlOperands.cpp the operands of "&" and
// LIKE, JetSqlOrdering.cpp the sort order, JetSqlFromClause.cpp the tables
// of a FROM clause.
class Translation
{
public:
    Translation(Tokens tokens, const SchemaInfo* schema, SqlDialect dialect,
                const JetSqlTranslator::Clock* clock = nullptr)
        : t(std::move(tokens))
        , schema(schema)
        , dialect(dialect)
        , clock(clock && *clock ? clock : nullptr)
    {
    }

    bool run(QString& error);
    QString text() const;

private:
    bool rewriteTokens(QString& error);
    bool rewriteInsertDates(QString& error);
    bool toDateLiteral(SqlToken& token, QString& error) const;
    bool isDateColumnToken(int i) const;
    bool holdsNulCharacter() const;
    bool isTextOperand(int i, bool before) const;
    void rewriteDeleteTargets();
    void rewriteWord(int i);
    void rewriteConcatenation();
    void rewriteLike();
    void rewriteOrderNulls();
    void rewriteSortKeys();
    QString sortColumnAt(int i) const;
    void dropRowLock();
    void rewriteDerivedTables();
    bool isOperandToken(int i) const;
    int closing(int open) const;
    int opening(int close) const;
    int operandStart(int last) const;
    int operandEnd(int first, bool acrossAmpersand) const;
    QString piece(int i) const { return prefix[i] + t[i].text + suffix[i] + clause[i]; }
    bool postgres() const { return dialect == SqlDialect::PostgreSql; }
    QDateTime now()
    {
        if (!nowRead)
            nowRead = (*clock)();
        return *nowRead;
    }

    Tokens t;
    const SchemaInfo* schema;
    SqlDialect dialect;
    const JetSqlTranslator::Clock* clock;
    std::optional<QDateTime> nowRead;
    // Text put before and after a token, so that the rewrites of "&" and
    // LIKE keep the tokens themselves for the passes after them.
    std::vector<QString> prefix;
    std::vector<QString> suffix;
    // Clauses after an operand, outside any parentheses the others add.
    std::vector<QString> clause;
};

} // namespace jet_sql
