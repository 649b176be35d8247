#include "db/SchemaInfo.h"

void SchemaInfo::addColumn(const QString& table, const QString& column, ColumnKind kind)
{
    const QString name = column.toUpper();
    m_tables[table.toUpper()].insert(name, kind);
    if (kind == ColumnKind::Text)
        m_textColumns.insert(name);
    else
        m_nonTextColumns.insert(name);
    if (kind == ColumnKind::Date)
        m_dateColumns.insert(name);
    if (name.startsWith(QLatin1String("SORT_")))
        m_sortColumns.insert(table.toUpper() + QLatin1Char('.') + name.mid(5), name);
}

SchemaInfo::ColumnKind SchemaInfo::kindOfDeclaredType(const QString& declaredType)
{
    const QString type = declaredType.toUpper();
    if (type.startsWith(QLatin1String("DATE")) || type.startsWith(QLatin1String("TIMESTAMP")))
        return ColumnKind::Date;
    if (type == QLatin1String("BOOLEAN") || type == QLatin1String("YESNO") || type == QLatin1String("BIT"))
        return ColumnKind::YesNo;
    if (type.contains(QLatin1String("CHAR")) || type.contains(QLatin1String("TEXT")) ||
        type.contains(QLatin1String("CLOB")) || type.contains(QLatin1String("MEMO")))
        return ColumnKind::Text;
    if (type.contains(QLatin1String("INT")) || type.contains(QLatin1String("REAL")) ||
        type.contains(QLatin1String("DOUB")) || type.contains(QLatin1String("FLOA")) ||
        type.contains(QLatin1String("NUMERIC")) || type.contains(QLatin1String("DECIMAL")))
        return ColumnKind::Number;
    return ColumnKind::Other;
}

SchemaInfo::ColumnKind SchemaInfo::kind(const QString& table, const QString& column) const
{
    const auto t = m_tables.constFind(table.toUpper());
    if (t == m_tables.constEnd())
        return ColumnKind::Other;
    return t->value(column.toUpper(), ColumnKind::Other);
}

bool SchemaInfo::isTextColumn(const QString& column) const
{
    const QString name = column.toUpper();
    return m_textColumns.contains(name) && !m_nonTextColumns.contains(name);
}

bool SchemaInfo::isDateColumn(const QString& column) const
{
    return m_dateColumns.contains(column.toUpper());
}
