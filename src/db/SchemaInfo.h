#pragma once

#include <QHash>
#include <QSet>
#include <QString>

// What the SQL translator needs to know of the tables: which columns hold
// texts, dates and yes/no values. Names are kept upper-case.
class SchemaInfo
{
public:
    enum class ColumnKind { Number, Text, Date, YesNo, Other };

    void addColumn(const QString& table, const QString& column, ColumnKind kind);
    // The kind a declared column type stands for ("VARCHAR(50)" is Text, "DATETIME" is Date, ...).
    static ColumnKind kindOfDeclaredType(const QString& declaredType);

    ColumnKind kind(const QString& table, const QString& column) const;
    // A column name that is a text column in every table that has it.
    bool isTextColumn(const QString& column) const;
    // A column name that is a date column in some table.
    bool isDateColumn(const QString& column) const;
    bool hasTable(const QString& table) const { return m_tables.contains(table.toUpper()); }
    bool hasColumn(const QString& table, const QString& column) const
    {
        return m_tables.value(table.toUpper()).contains(column.toUpper());
    }
    // The column holding the sort keys of a table's name column (SORT_<name>,
    // see SortKeys), or empty when it has none.
    QString sortColumn(const QString& table, const QString& column) const
    {
        return m_sortColumns.value(table.toUpper() + QLatin1Char('.') + column.toUpper());
    }
    bool hasSortColumns() const { return !m_sortColumns.isEmpty(); }

private:
    QHash<QString, QHash<QString, ColumnKind>> m_tables;
    QSet<QString> m_textColumns;
    QSet<QString> m_nonTextColumns;
    QSet<QString> m_dateColumns;
    QHash<QString, QString> m_sortColumns;
};
