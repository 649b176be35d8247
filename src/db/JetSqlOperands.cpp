#include "db/JetSqlTranslation.h"

namespace jet_sql {

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

} // namespace jet_sql
