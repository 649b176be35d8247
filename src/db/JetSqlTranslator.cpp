#include "db/JetSqlTranslator.h"

#include <QSet>

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

// Words that end an operand of "&" or LIKE: the clauses and the operators
// that bind less tightly than Jet's arithmetic and "&".
bool isBoundaryWord(const SqlToken& token)
{
    static const QStringList words = {
        QStringLiteral("AND"),     QStringLiteral("OR"),       QStringLiteral("NOT"),
        QStringLiteral("XOR"),     QStringLiteral("EQV"),      QStringLiteral("IMP"),
        QStringLiteral("LIKE"),    QStringLiteral("IS"),       QStringLiteral("IN"),
        QStringLiteral("BETWEEN"), QStringLiteral("AS"),       QStringLiteral("FROM"),
        QStringLiteral("WHERE"),   QStringLiteral("SELECT"),   QStringLiteral("SET"),
        QStringLiteral("ON"),      QStringLiteral("BY"),       QStringLiteral("WHEN"),
        QStringLiteral("THEN"),    QStringLiteral("ELSE"),     QStringLiteral("END"),
        QStringLiteral("CASE"),    QStringLiteral("DISTINCT"), QStringLiteral("VALUES"),
        QStringLiteral("HAVING"),  QStringLiteral("ORDER"),    QStringLiteral("GROUP"),
        QStringLiteral("ASC"),     QStringLiteral("DESC"),     QStringLiteral("LIMIT"),
        QStringLiteral("OFFSET"),  QStringLiteral("INTO"),     QStringLiteral("UNION"),
        QStringLiteral("JOIN"),    QStringLiteral("INNER"),    QStringLiteral("OUTER"),
        QStringLiteral("ESCAPE"),  QStringLiteral("MOD"),      QStringLiteral("EXISTS"),
        QStringLiteral("FOR"),
    };
    return token.kind == Kind::Word && words.contains(token.text, Qt::CaseInsensitive);
}

// The operators that bind as tightly as Jet's arithmetic, "+" on texts included.
bool isArithmetic(const SqlToken& token)
{
    static const QStringList ops = {QStringLiteral("+"), QStringLiteral("-"), QStringLiteral("*"),
                                    QStringLiteral("/"), QStringLiteral("^"), QStringLiteral("%"),
                                    QStringLiteral("||")};
    return (token.kind == Kind::Operator && ops.contains(token.text)) || token.isWord("MOD");
}

bool isSign(const SqlToken& token)
{
    return token.isOperator("-") || token.isOperator("+");
}

// A plain identifier: letters, digits and "_", not starting with a digit.
bool isPlainIdentifier(const QString& name)
{
    if (name.isEmpty() || name[0].isDigit())
        return false;
    for (const QChar c : name)
        if (c.unicode() >= 0x80 || !(c.isLetterOrNumber() || c == QLatin1Char('_')))
            return false;
    return true;
}

// PostgreSQL folds unquoted names to lower case, so the tables are named in
// lower case: a plain name is quoted that way, any other as it is.
QString postgresName(QString name)
{
    if (isPlainIdentifier(name))
        name = name.toLower();
    name.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + name + QLatin1Char('"');
}

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
    if (postgres() && holdsNulCharacter()) {
        error = QStringLiteral("a text holds a NUL character, which PostgreSQL cannot store");
        return false;
    }
    if (!postgres())
        dropRowLock();
    prefix.assign(t.size(), QString());
    suffix.assign(t.size(), QString());
    clause.assign(t.size(), QString());
    if (!rewriteInsertDates(error) || !rewriteTokens(error))
        return false;
    if (!postgres())
        rewriteSortKeys();
    if (postgres()) {
        rewriteLike();
        rewriteOrderNulls();
        rewriteDerivedTables();
    }
    rewriteConcatenation();
    rewriteDeleteTargets();
    return true;
}

// A row lock closing a SELECT (FOR UPDATE, FOR SHARE, FOR KEY SHARE) makes
// another copy of the program wait on PostgreSQL, where a transaction locks
// only the rows it touches. SQLite's transaction holds the write lock of the
// whole file already and knows no such clause.
void Translation::dropRowLock()
{
    const int last = prevSignificant(t, int(t.size()));
    if (last < 0 || !(t[last].isWord("UPDATE") || t[last].isWord("SHARE")))
        return;
    int word = prevSignificant(t, last);
    if (word >= 0 && t[last].isWord("SHARE") && t[word].isWord("KEY"))
        word = prevSignificant(t, word);
    if (word < 0 || !t[word].isWord("FOR"))
        return;
    while (word > 0 && t[word - 1].isSpace())
        --word;
    t.erase(t.begin() + word, t.end());
}

QString Translation::text() const
{
    QString sql;
    for (int i = 0; i < int(t.size()); ++i)
        sql += piece(i);
    return sql;
}

// Sql::quote() joins a NUL into a text as char(0). A PostgreSQL text cannot
// hold one at all: such a statement is refused whole, never stored cut short.
bool Translation::holdsNulCharacter() const
{
    for (int i = 0; i < int(t.size()); ++i) {
        if (!t[i].isWord("CHAR"))
            continue;
        const int open = nextSignificant(t, i);
        const int argument = open >= 0 && t[open].isPunct('(') ? nextSignificant(t, open) : -1;
        const int close = argument >= 0 ? nextSignificant(t, argument) : -1;
        if (close >= 0 && t[argument].kind == Kind::Number && t[argument].text.toInt() == 0 &&
            t[close].isPunct(')'))
            return true;
    }
    return false;
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
            rewriteWord(i);
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
            const QString iso = DateText::toIso(*date);
            token = {Kind::String, quoted(iso)};
            // A typed literal, so that it is a date even where no column tells.
            if (postgres())
                token.text.prepend(iso.size() > 10 ? QLatin1String("TIMESTAMP ") : QLatin1String("DATE "));
            break;
        }
        case Kind::QuotedName:
            if (postgres())
                token.text = postgresName(token.name());
            break;
        case Kind::Operator:
            if (token.text == QLatin1String("+") && (isTextOperand(i, true) || isTextOperand(i, false)))
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

// Yes/no literals, and the functions whose names differ.
void Translation::rewriteWord(int i)
{
    SqlToken& token = t[i];
    const int prev = prevSignificant(t, i);
    const int next = nextSignificant(t, i);
    const bool call = next >= 0 && t[next].isPunct('(');
    const bool yes = token.isWord("TRUE") || token.isWord("YES");
    if ((yes || token.isWord("FALSE") || token.isWord("NO")) && !call &&
        !(prev >= 0 && (t[prev].isPunct('.') || t[prev].isWord("AS")))) {
        // Parenthesised so that a minus in front never forms a comment "--".
        token.text = yes ? QStringLiteral("(-1)") : QStringLiteral("0");
        return;
    }
    if (!call)
        return;
    const int close = nextSignificant(t, next);
    const bool noArguments = close >= 0 && t[close].isPunct(')');
    auto replaceCall = [&](const QString& replacement) {
        token.text = replacement;
        t[next] = {Kind::Space, QString()};
        t[close] = {Kind::Space, QString()};
    };
    if (token.isWord("DATE") && noArguments) {
        if (postgres() && clock)
            replaceCall(QStringLiteral("DATE ") + quoted(now().toString(QStringLiteral("yyyy-MM-dd"))));
        else if (postgres())
            replaceCall(QStringLiteral("CURRENT_DATE"));
        else
            token.text = QStringLiteral("jet_date");
    } else if (postgres() && token.isWord("NOW") && noArguments) {
        // Whole seconds, as SQLite's NOW() gives them.
        if (clock)
            replaceCall(QStringLiteral("TIMESTAMP ") +
                        quoted(now().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))));
        else
            replaceCall(QStringLiteral("LOCALTIMESTAMP(0)"));
    } else if (postgres() && (token.isWord("LCASE") || token.isWord("UCASE"))) {
        // Under the ICU root collation umlauts change case whatever the
        // database's own locale is.
        token.text = token.isWord("LCASE") ? QStringLiteral("lower") : QStringLiteral("upper");
        const int last = prevSignificant(t, closing(next));
        if (last > next)
            clause[last] += QLatin1String(" COLLATE \"und-x-icu\"");
    }
}

bool Translation::isOperandToken(int i) const
{
    switch (t[i].kind) {
    case Kind::Word:
        return !isBoundaryWord(t[i]);
    case Kind::QuotedName:
    case Kind::String:
    case Kind::DoubleString:
    case Kind::DateLiteral:
    case Kind::Number:
        return true;
    default:
        return false;
    }
}

int Translation::closing(int open) const
{
    int depth = 0;
    for (int i = open; i < int(t.size()); ++i) {
        if (t[i].isPunct('('))
            ++depth;
        else if (t[i].isPunct(')') && --depth == 0)
            return i;
    }
    return -1;
}

int Translation::opening(int close) const
{
    int depth = 0;
    for (int i = close; i >= 0; --i) {
        if (t[i].isPunct(')'))
            ++depth;
        else if (t[i].isPunct('(') && --depth == 0)
            return i;
    }
    return -1;
}

// The first token of the arithmetic expression that ends at token last.
int Translation::operandStart(int last) const
{
    int start = -1;
    int j = last;
    while (j >= 0) {
        int s = j;
        if (t[j].isPunct(')')) {
            s = opening(j);
            if (s < 0)
                return -1;
            const int name = prevSignificant(t, s);
            if (name >= 0 && t[name].kind == Kind::Word && !isBoundaryWord(t[name]))
                s = name;
        } else if (isOperandToken(j)) {
            for (int dot = prevSignificant(t, s); dot >= 0 && t[dot].isPunct('.');
                 dot = prevSignificant(t, s)) {
                const int before = prevSignificant(t, dot);
                if (before < 0 || !isName(t[before]))
                    break;
                s = before;
            }
        } else {
            break;
        }
        start = s;
        const int op = prevSignificant(t, s);
        if (op < 0 || !isArithmetic(t[op]))
            break;
        int run = op;
        while (prevSignificant(t, run) >= 0 && isArithmetic(t[prevSignificant(t, run)]))
            run = prevSignificant(t, run);
        const int before = prevSignificant(t, run);
        if (before >= 0 && (t[before].isPunct(')') || isOperandToken(before))) {
            j = before;
            continue;
        }
        // Nothing to operate on before the run: its signs are unary.
        bool signs = true;
        for (int k = run; k <= op; k = nextSignificant(t, k))
            signs = signs && isSign(t[k]);
        if (signs)
            start = run;
        break;
    }
    return start;
}

// The last token of the arithmetic expression that starts at token first;
// with acrossAmpersand, of a chain of such expressions joined by "&".
int Translation::operandEnd(int first, bool acrossAmpersand) const
{
    int end = -1;
    for (int j = first; j >= 0;) {
        while (j >= 0 && isSign(t[j]))
            j = nextSignificant(t, j);
        if (j < 0)
            break;
        int e = -1;
        const int next = nextSignificant(t, j);
        if (t[j].isPunct('(')) {
            e = closing(j);
        } else if (t[j].kind == Kind::Word && !isBoundaryWord(t[j]) && next >= 0 && t[next].isPunct('(')) {
            e = closing(next);
        } else if (isOperandToken(j)) {
            e = j;
            for (int dot = nextSignificant(t, e); dot >= 0 && t[dot].isPunct('.');
                 dot = nextSignificant(t, e)) {
                const int after = nextSignificant(t, dot);
                if (after < 0 || !isName(t[after]))
                    break;
                e = after;
            }
        }
        if (e < 0)
            break;
        end = e;
        const int op = nextSignificant(t, e);
        if (op < 0 || !(isArithmetic(t[op]) || (acrossAmpersand && t[op].isOperator("&"))))
            break;
        j = nextSignificant(t, op);
    }
    return end;
}

// Jet's "&" joins the texts of its operands and takes NULL as the empty
// text; it binds less tightly than arithmetic. A chain a & b & c becomes
// (coalesce(a,'') || coalesce(b,'') || coalesce(c,'')) on SQLite, whose "||"
// binds tightest of all and gives NULL for a NULL operand, and concat(a, b, c)
// on PostgreSQL, which skips NULLs and takes any type.
void Translation::rewriteConcatenation()
{
    for (int i = 0; i < int(t.size()); ++i) {
        if (!t[i].isOperator("&"))
            continue;
        std::vector<std::pair<int, int>> segments;
        std::vector<int> ampersands = {i};
        const int before = prevSignificant(t, i);
        const int start = before >= 0 ? operandStart(before) : -1;
        if (start >= 0)
            segments.push_back({start, before});
        for (int amp = i; start >= 0;) {
            const int first = nextSignificant(t, amp);
            const int end = first >= 0 ? operandEnd(first, false) : -1;
            if (end < 0) {
                segments.clear();
                break;
            }
            segments.push_back({first, end});
            amp = nextSignificant(t, end);
            if (amp < 0 || !t[amp].isOperator("&"))
                break;
            ampersands.push_back(amp);
        }
        if (segments.empty()) {
            // Not an expression this can read: the database has its say.
            t[i].text = QStringLiteral("||");
            continue;
        }
        if (postgres()) {
            prefix[segments.front().first] += QLatin1String("concat(");
            suffix[segments.back().second] += QLatin1Char(')');
            for (int amp : ampersands)
                t[amp].text = QStringLiteral(",");
        } else {
            prefix[segments.front().first] += QLatin1Char('(');
            for (const auto& [first, last] : segments) {
                if (first == last && t[first].kind == Kind::String)
                    continue;
                prefix[first] += QLatin1String("coalesce(");
                suffix[last] += QLatin1String(",'')");
            }
            suffix[segments.back().second] += QLatin1Char(')');
            for (int amp : ampersands)
                t[amp].text = QStringLiteral("||");
        }
        i = segments.back().second;
    }
}

// The program's LIKE ignores case and knows umlauts. On PostgreSQL the text
// columns carry a nondeterministic ICU collation (case ignored, umlauts kept
// apart from their base letters, German order), which equality and ORDER BY
// use as SQLite's NOCASE does; pattern matching refuses such a collation, so
// both sides are lowered under the deterministic ICU root collation, whose
// case mapping lowers umlauts too, and compared with LIKE. That is what
// ILIKE does, but ILIKE lowers its pattern again for every row: lower() of a
// constant pattern is computed once. ESCAPE '' switches off PostgreSQL's
// default escape, the backslash, which SQLite's LIKE does not have. A given
// escape character keeps ILIKE, which lowers the pattern but not its escape.
void Translation::rewriteLike()
{
    static const QLatin1String Icu(" COLLATE \"und-x-icu\"");
    for (int i = 0; i < int(t.size()); ++i) {
        if (!t[i].isWord("LIKE"))
            continue;
        const int first = nextSignificant(t, i);
        const int end = first >= 0 ? operandEnd(first, true) : -1;
        if (end < 0) {
            t[i].text = QStringLiteral("ILIKE");
            continue;
        }
        const int after = nextSignificant(t, end);
        const bool escaped = after >= 0 && t[after].isWord("ESCAPE");
        int last = prevSignificant(t, i);
        if (last >= 0 && t[last].isWord("NOT"))
            last = prevSignificant(t, last);
        const int start = last >= 0 ? operandStart(last) : -1;
        const int before = start >= 0 ? prevSignificant(t, start) : -1;
        // The left operand must be whole: the tail of a "&" chain is not.
        const bool whole =
            start >= 0 && !(before >= 0 && (t[before].isOperator("&") || t[before].isOperator("||")));
        if (escaped || !whole) {
            t[i].text = QStringLiteral("ILIKE");
            clause[end] += Icu;
            if (!escaped)
                clause[end] += QLatin1String(" ESCAPE ''");
            continue;
        }
        prefix[start] += QLatin1String("lower(");
        clause[last] += Icu + QLatin1Char(')');
        prefix[first] += QLatin1String("lower(");
        clause[end] += Icu + QLatin1String(") ESCAPE ''");
    }
}

// SQLite sorts NULL before every value, PostgreSQL after it: each key of an
// ORDER BY says where its NULLs go, as on SQLite.
void Translation::rewriteOrderNulls()
{
    for (int i = 0; i < int(t.size()); ++i) {
        const int by = nextSignificant(t, i);
        if (!t[i].isWord("ORDER") || by < 0 || !t[by].isWord("BY"))
            continue;
        int depth = 0;
        int last = -1;
        bool descending = false;
        bool placed = false;
        auto finishKey = [&] {
            if (last >= 0 && !placed)
                clause[last] += descending ? QLatin1String(" NULLS LAST") : QLatin1String(" NULLS FIRST");
            last = -1;
            descending = placed = false;
        };
        int j = nextSignificant(t, by);
        for (; j >= 0; j = nextSignificant(t, j)) {
            if (t[j].isPunct('('))
                ++depth;
            else if (t[j].isPunct(')') && --depth < 0)
                break;
            if (depth == 0 &&
                (t[j].isWord("LIMIT") || t[j].isWord("OFFSET") || t[j].isWord("UNION") || t[j].isWord("FOR")))
                break;
            if (depth == 0 && t[j].isPunct(',')) {
                finishKey();
                continue;
            }
            if (depth == 0 && t[j].isWord("DESC"))
                descending = true;
            if (depth == 0 && t[j].isWord("NULLS"))
                placed = true;
            last = j;
        }
        finishKey();
        i = by;
    }
}

// The sort-key column of the name column a word at i stands for (a table's
// own, or the one table of the statement that has such a column), or empty.
QString Translation::sortColumnAt(int i) const
{
    if (t[i].kind != Kind::Word)
        return QString();
    const int next = nextSignificant(t, i);
    if (next >= 0 && (t[next].isPunct('.') || t[next].isPunct('(')))
        return QString();
    const QString column = t[i].name();
    const int dot = prevSignificant(t, i);
    if (dot >= 0 && t[dot].isPunct('.')) {
        const int qualifier = prevSignificant(t, dot);
        return qualifier >= 0 ? schema->sortColumn(t[qualifier].name(), column) : QString();
    }
    QString found;
    int tables = 0;
    QSet<QString> seen;
    for (int j = 0; j < int(t.size()); ++j) {
        const int after = nextSignificant(t, j);
        if (!isName(t[j]) || (after >= 0 && t[after].isPunct('.')) || !schema->hasTable(t[j].name()) ||
            !schema->hasColumn(t[j].name(), column) || seen.contains(t[j].name().toUpper()))
            continue;
        seen.insert(t[j].name().toUpper());
        ++tables;
        found = schema->sortColumn(t[j].name(), column);
    }
    return tables == 1 ? found : QString();
}

// On SQLite the listed names are sorted by their sort keys (see SortKeys),
// which give the order the NOCASE collation gives the names, from an index:
// a key of an ORDER BY that is such a name becomes its sort key, and so does
// a name compared in a row value, (name, key) > ('text', 12), its text then
// made a key too. A statement that combines or groups rows keeps its names.
void Translation::rewriteSortKeys()
{
    if (!schema || !schema->hasSortColumns())
        return;
    for (const SqlToken& token : t) {
        if (token.isWord("UNION") || token.isWord("DISTINCT") || token.isWord("GROUP") ||
            token.isWord("INTERSECT") || token.isWord("EXCEPT"))
            return;
    }
    for (int i = 0; i < int(t.size()); ++i) {
        const int by = nextSignificant(t, i);
        if (!t[i].isWord("ORDER") || by < 0 || !t[by].isWord("BY"))
            continue;
        int depth = 0;
        std::vector<int> key;
        auto finishKey = [&] {
            // A name alone, qualified or not, ascending or descending.
            std::vector<int> name;
            for (int k : key)
                if (!t[k].isWord("ASC") && !t[k].isWord("DESC"))
                    name.push_back(k);
            const bool plain = (name.size() == 1) || (name.size() == 3 && t[name[1]].isPunct('.'));
            const QString column = plain ? sortColumnAt(name.back()) : QString();
            if (!column.isEmpty())
                t[name.back()].text = column;
            key.clear();
        };
        int j = nextSignificant(t, by);
        for (; j >= 0; j = nextSignificant(t, j)) {
            if (t[j].isPunct('('))
                ++depth;
            else if (t[j].isPunct(')') && --depth < 0)
                break;
            if (depth == 0 && (t[j].isWord("LIMIT") || t[j].isWord("OFFSET")))
                break;
            if (depth == 0 && t[j].isPunct(',')) {
                finishKey();
                continue;
            }
            key.push_back(j);
        }
        finishKey();
        i = by;
    }
    // Row values: the elements of each side up to its closing parenthesis.
    const auto elements = [this](int open) {
        std::vector<std::pair<int, int>> parts;
        const int close = closing(open);
        int first = nextSignificant(t, open);
        int depth = 0;
        for (int j = first; j >= 0 && j <= close; j = nextSignificant(t, j)) {
            if (t[j].isPunct('('))
                ++depth;
            else if (t[j].isPunct(')') && depth > 0 && j != close)
                --depth;
            if (depth == 0 && (t[j].isPunct(',') || j == close)) {
                parts.emplace_back(first, prevSignificant(t, j));
                first = nextSignificant(t, j);
            }
        }
        return parts;
    };
    for (int i = 0; i < int(t.size()); ++i) {
        if (!t[i].isPunct('('))
            continue;
        const int close = closing(i);
        const int op = close >= 0 ? nextSignificant(t, close) : -1;
        const int open = op >= 0 ? nextSignificant(t, op) : -1;
        if (open < 0 || !t[open].isPunct('(') ||
            !(t[op].isOperator("<") || t[op].isOperator(">") || t[op].isOperator("<=") ||
              t[op].isOperator(">=")))
            continue;
        const auto left = elements(i);
        const auto right = elements(open);
        if (left.size() < 2 || left.size() != right.size())
            continue;
        for (size_t k = 0; k < left.size(); ++k) {
            const QString column = sortColumnAt(left[k].second);
            const bool name = left[k].first == left[k].second ||
                              (t[nextSignificant(t, left[k].first)].isPunct('.') &&
                               nextSignificant(t, nextSignificant(t, left[k].first)) == left[k].second);
            if (column.isEmpty() || !name)
                continue;
            t[left[k].second].text = column;
            prefix[right[k].first] += QLatin1String("sort_key(");
            suffix[right[k].second] += QLatin1Char(')');
        }
    }
}

// FROM (SELECT ...) without a name: PostgreSQL wants one for every table of
// a FROM clause, Jet and SQLite do not.
void Translation::rewriteDerivedTables()
{
    int named = 0;
    for (int i = 0; i < int(t.size()); ++i) {
        const int select = nextSignificant(t, i);
        if (!t[i].isPunct('(') || select < 0 || !t[select].isWord("SELECT"))
            continue;
        const int before = prevSignificant(t, i);
        if (before < 0 || !(t[before].isWord("FROM") || t[before].isWord("JOIN")))
            continue;
        const int close = closing(i);
        if (close < 0)
            continue;
        const int after = nextSignificant(t, close);
        const bool joins = after >= 0 && (t[after].isWord("LEFT") || t[after].isWord("RIGHT") ||
                                          t[after].isWord("FULL") || t[after].isWord("CROSS"));
        const bool hasName = after >= 0 && !joins &&
                             (t[after].isWord("AS") || t[after].kind == Kind::QuotedName ||
                              (t[after].kind == Kind::Word && !isBoundaryWord(t[after])));
        if (!hasName)
            suffix[close] += QStringLiteral(" AS derived_%1").arg(++named);
    }
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
                target = piece(i);
        }
    }
    if (from < 0)
        return;
    QString rest;
    bool joined = false;
    depth = 0;
    for (int i = from + 1; i < int(t.size()); ++i) {
        rest += piece(i);
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
    // PostgreSQL's tables have no rowid; ctid is its counterpart.
    const QString rowKey = postgres() ? QStringLiteral("ctid") : QStringLiteral("rowid");
    if (!target.isEmpty() && joined)
        sql = QStringLiteral("DELETE FROM %1 WHERE %3 IN (SELECT %1.%3 FROM%2)").arg(target, rest, rowKey);
    else
        sql = QStringLiteral("DELETE FROM") + rest;
    t = {SqlToken{Kind::Other, sql}};
    prefix.assign(1, QString());
    suffix.assign(1, QString());
    clause.assign(1, QString());
}

} // namespace

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
