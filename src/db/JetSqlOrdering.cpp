#include "db/JetSqlTranslation.h"

#include <QSet>

#include "db/SchemaInfo.h"

namespace jet_sql {

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

} // namespace jet_sql
