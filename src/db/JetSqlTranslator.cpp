#include "db/JetSqlTranslator.h"

#include "core/DateText.h"
#include "db/JetSqlTokenizer.h"
#include "db/SchemaInfo.h"

#include <vector>

using Kind = SqlToken::Kind;
using Tokens = std::vector<SqlToken>;

namespace {

int nextSignificant(const Tokens& t, int i)
{
    for (int j = i + 1; j < int(t.size()); ++j)
        if (!t[j].isSpace())
            return j;
    return -1;
}

int prevSignificant(const Tokens& t, int i)
{
    for (int j = i - 1; j >= 0; --j)
        if (!t[j].isSpace())
            return j;
    return -1;
}

bool isName(const SqlToken& token)
{
    return token.kind == Kind::Word || token.kind == Kind::QuotedName;
}

bool isComparison(const SqlToken& token)
{
    static const QStringList ops = {QStringLiteral("="), QStringLiteral("<>"), QStringLiteral("<"),
                                    QStringLiteral(">"), QStringLiteral("<="), QStringLiteral(">="),
                                    QStringLiteral("!=")};
    return token.kind == Kind::Operator && ops.contains(token.text);
}

bool opensComment(const QString& left, const QString& right)
{
    const QString meeting = left.right(1) + right.left(1);
    return meeting == QLatin1String("--") || meeting == QLatin1String("/*");
}

bool isTextLiteral(const SqlToken& token)
{
    return token.kind == Kind::String || token.kind == Kind::DoubleString;
}

QString quoted(const QString& value)
{
    QString escaped = value;
    escaped.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + escaped + QLatin1Char('\'');
}

// The column a name token at index i ends, for "T.col" as well as "col";
// when the name is followed by ".", the column is the name after the dot.
int columnTokenAt(const Tokens& t, int i)
{
    const int next = nextSignificant(t, i);
    if (next >= 0 && t[next].isPunct('.')) {
        const int after = nextSignificant(t, next);
        return after >= 0 && isName(t[after]) ? after : -1;
    }
    return i;
}

class Translation
{
public:
    Translation(Tokens tokens, const SchemaInfo* schema)
        : t(std::move(tokens))
        , schema(schema)
    {
    }

    bool run(QString& error);
    QString text() const;

private:
    bool rewriteTokens(QString& error);
    bool rewriteInsertDates(QString& error);
    bool toDateLiteral(SqlToken& token, QString& error) const;
    bool isDateColumnToken(int i) const;
    bool isTextOperand(int i, bool before) const;
    void rewriteDeleteTargets();

    Tokens t;
    const SchemaInfo* schema;
};

bool Translation::run(QString& error)
{
    for (const SqlToken& token : t) {
        if (token.kind == Kind::Unterminated) {
            error = QStringLiteral("unterminated quote or bracket");
            return false;
        }
        // SQLite reads a statement only up to a NUL character and would drop
        // the rest unseen; Sql::quote() keeps NULs out of the literals.
        if (token.text.contains(QChar(0))) {
            error = QStringLiteral("NUL character in the statement");
            return false;
        }
    }
    // A trailing semicolon is allowed; a second statement is not.
    while (!t.empty() && (t.back().isSpace() || t.back().isPunct(';')))
        t.pop_back();
    for (const SqlToken& token : t) {
        if (token.isPunct(';')) {
            error = QStringLiteral("more than one statement");
            return false;
        }
    }
    if (!rewriteInsertDates(error) || !rewriteTokens(error))
        return false;
    rewriteDeleteTargets();
    return true;
}

QString Translation::text() const
{
    QString sql;
    for (const SqlToken& token : t)
        sql += token.text;
    return sql;
}

bool Translation::isDateColumnToken(int i) const
{
    if (!schema || i < 0 || !isName(t[i]))
        return false;
    const int column = columnTokenAt(t, i);
    return column >= 0 && schema->isDateColumn(t[column].name());
}

bool Translation::toDateLiteral(SqlToken& token, QString& error) const
{
    const QString value = token.stringValue();
    if (value.trimmed().isEmpty()) {
        token = {Kind::Word, QStringLiteral("NULL")};
        return true;
    }
    const std::optional<QDateTime> date = DateText::parse(value);
    if (!date) {
        error = QStringLiteral("'%1' is not a date").arg(value);
        return false;
    }
    token = {Kind::String, quoted(DateText::toIso(*date))};
    return true;
}

// INSERT INTO T (a, b, ...) VALUES (x, y, ...): a text given for a date column is stored as that date.
bool Translation::rewriteInsertDates(QString& error)
{
    if (!schema)
        return true;
    int i = nextSignificant(t, -1);
    if (i < 0 || !t[i].isWord("INSERT"))
        return true;
    i = nextSignificant(t, i);
    if (i < 0 || !t[i].isWord("INTO"))
        return true;
    const int tableIndex = nextSignificant(t, i);
    if (tableIndex < 0 || !isName(t[tableIndex]))
        return true;
    const QString table = t[tableIndex].name();
    i = nextSignificant(t, tableIndex);
    if (i < 0 || !t[i].isPunct('('))
        return true;
    QStringList columns;
    for (i = nextSignificant(t, i); i >= 0 && !t[i].isPunct(')'); i = nextSignificant(t, i)) {
        if (isName(t[i]))
            columns << t[i].name();
    }
    i = nextSignificant(t, i);
    if (i < 0 || !t[i].isWord("VALUES"))
        return true;
    i = nextSignificant(t, i);
    if (i < 0 || !t[i].isPunct('('))
        return true;
    // Split the value list at its top-level commas.
    int depth = 0;
    int column = 0;
    std::vector<int> group;
    auto finishGroup = [&]() -> bool {
        if (group.size() == 1 && column < columns.size() && isTextLiteral(t[group.front()])) {
            SchemaInfo::ColumnKind kind = schema->kind(table, columns[column]);
            if (kind == SchemaInfo::ColumnKind::Other && !schema->hasTable(table) &&
                schema->isDateColumn(columns[column]))
                kind = SchemaInfo::ColumnKind::Date;
            if (kind == SchemaInfo::ColumnKind::Date && !toDateLiteral(t[group.front()], error))
                return false;
        }
        group.clear();
        ++column;
        return true;
    };
    for (i = nextSignificant(t, i); i >= 0; i = nextSignificant(t, i)) {
        if (t[i].isPunct('('))
            ++depth;
        if (t[i].isPunct(')')) {
            if (depth == 0)
                return finishGroup();
            --depth;
        }
        if (depth == 0 && t[i].isPunct(',')) {
            if (!finishGroup())
                return false;
            continue;
        }
        group.push_back(i);
    }
    return true;
}

// Whether the operand next to the operator at i (before or after it) is a text.
bool Translation::isTextOperand(int i, bool before) const
{
    const int j = before ? prevSignificant(t, i) : nextSignificant(t, i);
    if (j < 0)
        return false;
    if (isTextLiteral(t[j]))
        return true;
    if (!schema || !isName(t[j]))
        return false;
    const int column = before ? j : columnTokenAt(t, j);
    return column >= 0 && schema->isTextColumn(t[column].name());
}

bool Translation::rewriteTokens(QString& error)
{
    for (int i = 0; i < int(t.size()); ++i) {
        SqlToken& token = t[i];
        const int prev = prevSignificant(t, i);
        const int next = nextSignificant(t, i);
        switch (token.kind) {
        case Kind::Word:
            if ((token.isWord("TRUE") || token.isWord("FALSE")) && !(prev >= 0 && t[prev].isPunct('.')) &&
                !(next >= 0 && t[next].isPunct('('))) {
                // Parenthesised so that a minus in front never forms a comment "--".
                token.text = token.isWord("TRUE") ? QStringLiteral("(-1)") : QStringLiteral("0");
            } else if (token.isWord("DATE") && next >= 0 && t[next].isPunct('(')) {
                const int close = nextSignificant(t, next);
                if (close >= 0 && t[close].isPunct(')'))
                    token.text = QStringLiteral("jet_date");
            }
            break;
        case Kind::DoubleString:
            token = {Kind::String, quoted(token.stringValue())};
            [[fallthrough]];
        case Kind::String: {
            const bool comparedWithDate =
                (prev >= 0 && isComparison(t[prev]) && isDateColumnToken(prevSignificant(t, prev))) ||
                (next >= 0 && isComparison(t[next]) && isDateColumnToken(nextSignificant(t, next)));
            if (comparedWithDate && !toDateLiteral(token, error))
                return false;
            break;
        }
        case Kind::DateLiteral: {
            const std::optional<QDateTime> date = DateText::parse(token.text.mid(1, token.text.size() - 2));
            if (!date) {
                error = QStringLiteral("%1 is not a date").arg(token.text);
                return false;
            }
            token = {Kind::String, quoted(DateText::toIso(*date))};
            break;
        }
        case Kind::Operator:
            if (token.text == QLatin1String("&"))
                token.text = QStringLiteral("||");
            else if (token.text == QLatin1String("+") && (isTextOperand(i, true) || isTextOperand(i, false)))
                token.text = QStringLiteral("||");
            // Jet has no comments: "5--1" is five minus minus one. Joined up
            // again, "--" or "/*" would make SQLite drop the rest of the text.
            if (i + 1 < int(t.size()) && t[i + 1].kind == Kind::Operator &&
                opensComment(token.text, t[i + 1].text))
                token.text += QLatin1Char(' ');
            break;
        default:
            break;
        }
    }
    return true;
}

// DELETE T.*, ... FROM A INNER JOIN B ON ... WHERE ... deletes the rows of T
// that the join selects; DELETE * FROM T is a plain delete.
void Translation::rewriteDeleteTargets()
{
    const int first = nextSignificant(t, -1);
    if (first < 0 || !t[first].isWord("DELETE"))
        return;
    const int second = nextSignificant(t, first);
    if (second < 0 || t[second].isWord("FROM"))
        return;
    int depth = 0;
    int from = -1;
    QString target;
    for (int i = second; i >= 0; i = nextSignificant(t, i)) {
        if (t[i].isPunct('('))
            ++depth;
        else if (t[i].isPunct(')'))
            --depth;
        else if (depth == 0 && t[i].isWord("FROM")) {
            from = i;
            break;
        } else if (target.isEmpty() && isName(t[i])) {
            const int dot = nextSignificant(t, i);
            const int star = dot >= 0 ? nextSignificant(t, dot) : -1;
            if (dot >= 0 && t[dot].isPunct('.') && star >= 0 && t[star].isOperator("*"))
                target = t[i].text;
        }
    }
    if (from < 0)
        return;
    QString rest;
    bool joined = false;
    depth = 0;
    for (int i = from + 1; i < int(t.size()); ++i) {
        rest += t[i].text;
        if (t[i].isWord("JOIN"))
            joined = true;
        if (t[i].isPunct('('))
            ++depth;
        else if (t[i].isPunct(')'))
            --depth;
        else if (depth == 0 && t[i].isPunct(','))
            joined = true;
    }
    QString sql;
    if (!target.isEmpty() && joined)
        sql = QStringLiteral("DELETE FROM %1 WHERE rowid IN (SELECT %1.rowid FROM%2)").arg(target, rest);
    else
        sql = QStringLiteral("DELETE FROM") + rest;
    t = {SqlToken{Kind::Other, sql}};
}

} // namespace

JetSqlTranslator::JetSqlTranslator(const SchemaInfo* schema)
    : m_schema(schema)
{
}

std::optional<QString> JetSqlTranslator::toSqlite(const QString& jetSql, QString* error) const
{
    Translation translation(tokenizeJetSql(jetSql), m_schema);
    QString reason;
    if (!translation.run(reason)) {
        if (error)
            *error = reason;
        return std::nullopt;
    }
    return translation.text();
}
