#include "db/JetSqlTranslation.h"

#include <QStringList>

#include "core/DateText.h"
#include "db/SchemaInfo.h"

namespace jet_sql {

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

} // namespace jet_sql
