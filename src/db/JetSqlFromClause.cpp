#include "db/JetSqlTranslation.h"

namespace jet_sql {

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

} // namespace jet_sql
