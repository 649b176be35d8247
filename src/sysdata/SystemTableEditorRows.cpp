#include "sysdata/SystemTableEditor.h"

#include "core/Lang.h"
#include "db/AppContext.h"
#include "db/RecordSet.h"
#include "db/SqlQuote.h"
#include "sysdata/SystemTableGridKinds.h"
#include "sysdata/SystemTableSql.h"

#include <algorithm>

using namespace system_table;

namespace {

// "%.<d>f" with a decimal comma; d is the text the row's NK_STELLEN column
// showed, none (a whole number) while it is empty.
QString decimalText(double value, const QString& decimals)
{
    const int digits = std::clamp(decimals.trimmed().toInt(), 0, 15);
    return QString::asprintf("%.*f", digits, value).replace(QLatin1Char('.'), QLatin1Char(','));
}

} // namespace

void SystemTableEditor::loadColumns()
{
    m_columns.clear();
    RecordSet rs;
    if (!rs.openRecordset(m_context.db(), QStringLiteral("Select * from t_grunddaten Where Tabelle = ") +
                                              Sql::quote(m_table.table) +
                                              QStringLiteral(" And FELD is NOT NULL Order By Sort")))
        return;
    const QString captionColumn =
        code() == Lang::German ? QStringLiteral("BEZ_DE") : QStringLiteral("BEZ_EN");
    for (; !rs.isEof(); rs.moveNext()) {
        EditableColumn column;
        rs.getFieldText(QStringLiteral("BREITE"), column.width);
        rs.getFieldShort(QStringLiteral("FELDLAENGE"), column.length);
        rs.getFieldText(QStringLiteral("FELD"), column.field);
        rs.getFieldText(QStringLiteral("FELDTYP"), column.type);
        rs.getFieldText(captionColumn, column.caption);
        rs.getFieldText(QStringLiteral("ID"), column.id);
        rs.getFieldText(QStringLiteral("SICHTBAR"), column.visible);
        rs.getFieldText(QStringLiteral("SQLSTATEMENT"), column.statement);
        rs.getFieldText(QStringLiteral("DEFAULTVALUE"), column.defaultValue);
        m_columns.push_back(column);
    }
}

std::optional<QString> SystemTableEditor::rowStatement() const
{
    QString statement = m_table.statement;
    if (!m_filterValue.isEmpty()) {
        const std::optional<QString> condition =
            SystemTableSql::dependentCondition(m_presetTable, m_filterValue);
        if (!condition)
            return std::nullopt;
        statement = SystemTableSql::withCondition(statement, *condition);
    }
    // Also behind a parent key: the key of another owner's feedstuff must not
    // open that feedstuff's rows.
    return SystemTableSql::withCondition(
        statement, SystemTableSql::ownerCondition(m_table.table, m_context.ownerCode()));
}

void SystemTableEditor::fillEntries(EditableColumn& column)
{
    column.entries.clear();
    QString query = column.statement;
    if (code() != Lang::German)
        query.replace(QStringLiteral("_DE"), QStringLiteral("_US"));
    if (column.field.compare(QLatin1String("ID_FM"), Qt::CaseInsensitive) == 0)
        query = SystemTableSql::withCondition(
            query, SystemTableSql::ownerCondition(QStringLiteral("T_FUTTERMITTEL"), m_context.ownerCode()));
    RecordSet rs;
    if (!rs.openRecordset(m_context.db(), query))
        return;
    for (; !rs.isEof(); rs.moveNext()) {
        QString data, text;
        rs.getFieldText(QStringLiteral("ITEMDATA"), data);
        rs.getFieldText(QStringLiteral("ITEMTEXT"), text);
        if (data.isEmpty())
            continue;
        column.entries.push_back({data.trimmed().toInt(), text + QStringLiteral(" - ") + data});
    }
}

void SystemTableEditor::loadRows()
{
    m_grid.clear();
    m_stored.clear();
    m_grid.setRowCount(1);
    m_grid.setColumnCount(int(m_columns.size()));
    m_grid.setFixedRowCount(1);
    m_grid.setFixedColumnCount(m_columns.empty() ? 0 : 1);
    m_grid.setDefaultBackground(Background);
    // Widths first, so hidden columns stay hidden when no rows can be read.
    for (int col = 0; col < int(m_columns.size()); ++col) {
        m_grid.setText(HeaderRow, col, m_columns[size_t(col)].caption);
        m_grid.setAlignment(HeaderRow, col, GridAlign::Centre);
        m_grid.setColumnWidth(col, m_columns[size_t(col)].shownWidth());
    }
    const std::optional<QString> statement = rowStatement();
    RecordSet rs;
    if (m_columns.empty() || !statement || !rs.openRecordset(m_context.db(), *statement))
        return;
    for (EditableColumn& column : m_columns) {
        if (isType(column, "COMBO") && !column.statement.isEmpty())
            fillEntries(column);
    }
    for (; !rs.isEof(); rs.moveNext()) {
        const int row = m_grid.appendRow();
        fillRow(row, rs);
        rememberRow(row);
        fitRowHeight(row);
    }
    if (m_table.table.compare(QLatin1String("T_FUTTERMITTEL"), Qt::CaseInsensitive) != 0)
        appendNewRecordRow();
}

void SystemTableEditor::fillRow(int row, const RecordSet& rs)
{
    QString decimals;
    int nutrient = 0;
    for (int col = 0; col < int(m_columns.size()); ++col) {
        const EditableColumn& column = m_columns[size_t(col)];
        QString text;
        GridAlign align;
        bool readOnly = false;
        bool formatted = true;
        if (isType(column, "BOOL")) {
            bool value = false;
            rs.getFieldBool(column.field, value);
            text = SystemTableSql::yesNoText(value, code());
            align = GridAlign::Centre;
            readOnly = true;
        } else if (isType(column, "VARCHAR2")) {
            rs.getFieldText(column.field, text);
            // Texts may run over several lines, as text blocks do; one
            // longer than the tallest row ends in "...".
            align = GridAlign::Left | GridAlign::WordWrap;
            m_grid.setEllipsis(row, col, true);
            readOnly = column.field.compare(QLatin1String("EIGEN"), Qt::CaseInsensitive) == 0;
        } else if (isType(column, "NUMBER")) {
            int value = 0;
            rs.getFieldShort(column.field, value);
            text = QString::number(value);
            align = GridAlign::Right;
        } else if (isType(column, "LONG")) {
            int value = 0;
            rs.getFieldLong(column.field, value);
            text = QString::number(value);
            align = GridAlign::Right;
        } else if (isType(column, "DOUBLE")) {
            double value = 0;
            rs.getFieldDouble(column.field, value);
            text = decimalText(value, decimals);
            align = GridAlign::Right;
        } else if (isType(column, "DATE")) {
            rs.getFieldText(column.field, text);
            align = GridAlign::Right;
            readOnly = true;
        } else if (isType(column, "COMBO") && !column.statement.isEmpty()) {
            QString stored;
            rs.getFieldText(column.field, stored);
            const int number = stored.trimmed().toInt();
            if (column.field.compare(QLatin1String("ID_NAEHRSTOFF"), Qt::CaseInsensitive) == 0)
                nutrient = number;
            if (column.field.compare(QLatin1String("NK_STELLEN"), Qt::CaseInsensitive) == 0) {
                // The decimals are the nutrient's, looked up by the row's nutrient.
                const QString entry = column.entryText(nutrient);
                text = entry.left(entry.indexOf(QLatin1Char('-'))).trimmed();
                decimals = text;
            } else {
                text = column.entryText(number);
            }
            align = GridAlign::LeftSingleLine;
        } else {
            formatted = false;
        }
        m_grid.setText(row, col, text);
        if (!formatted)
            continue;
        m_grid.setAlignment(row, col, align);
        if (col > 0)
            m_grid.setReadOnly(row, col, readOnly);
    }
}

void SystemTableEditor::appendNewRecordRow()
{
    const int row = m_grid.appendRow();
    m_grid.setText(row, 0, NewRecordMark);
    rememberRow(row);
    m_grid.setAlignment(row, 0, GridAlign::Right);
    for (int col = 1; col < int(m_columns.size()); ++col) {
        const EditableColumn& column = m_columns[size_t(col)];
        GridAlign align = GridAlign::Right;
        bool readOnly = true;
        if (isType(column, "NUMBER") || isType(column, "DOUBLE") || isType(column, "LONG")) {
            readOnly = false;
        } else if (isType(column, "VARCHAR2")) {
            align = GridAlign::Left | GridAlign::WordWrap;
            m_grid.setEllipsis(row, col, true);
            readOnly = false;
        } else if (isType(column, "BOOL")) {
            m_grid.setText(row, col, SystemTableSql::yesNoText(true, code()));
            align = GridAlign::Centre;
        } else if (isType(column, "COMBO")) {
            align = GridAlign::LeftSingleLine;
        }
        m_grid.setAlignment(row, col, align);
        m_grid.setReadOnly(row, col, readOnly);
    }
}

void SystemTableEditor::fitRowHeight(int row)
{
    if (!m_cellHeight || row <= HeaderRow || row >= m_grid.rowCount())
        return;
    // Each wrapped cell measured once: a table of contents has thousands of rows.
    std::vector<std::pair<int, int>> needed;
    int height = m_grid.defaultRowHeight();
    for (int col = 0; col < m_grid.columnCount(); ++col) {
        if (m_grid.columnWidth(col) <= 0 || !m_grid.alignment(row, col).wordWrap())
            continue;
        needed.emplace_back(col, m_cellHeight(m_grid, row, col));
        height = std::max(height, needed.back().second);
    }
    const int shown = std::min(height, MaxRowHeight);
    m_grid.setRowHeight(row, shown);
    for (const auto& [col, cellHeight] : needed)
        m_grid.setToolTip(row, col, cellHeight > shown ? m_grid.text(row, col) : QString());
}

bool SystemTableEditor::isNewRecordRow(int row) const
{
    return row > HeaderRow && row < m_grid.rowCount() && m_grid.text(row, 0) == NewRecordMark;
}
