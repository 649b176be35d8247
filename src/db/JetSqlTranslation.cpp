#include "db/JetSqlTranslation.h"

#include "core/DateText.h"
#include "db/SchemaInfo.h"

namespace jet_sql {

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

} // namespace jet_sql
