#include "sysdata/SystemTableEditor.h"

#include "db/AppContext.h"
#include "sysdata/SystemTableGridKinds.h"
#include "sysdata/SystemTableSql.h"
#include "sysdata/SystemTableTexts.h"

using namespace system_table;

void SystemTableEditor::rememberRow(int row)
{
    if (row < 0)
        return;
    if (int(m_stored.size()) <= row)
        m_stored.resize(size_t(row) + 1);
    QStringList& texts = m_stored[size_t(row)];
    texts.clear();
    for (int col = 0; col < m_grid.columnCount(); ++col)
        texts << m_grid.text(row, col);
}

QString SystemTableEditor::keyOf(int row) const
{
    const bool behindRowNumber = !m_columns.empty() && m_columns.front().field.compare(
                                                           QLatin1String("ROWNUM"), Qt::CaseInsensitive) == 0;
    return m_grid.text(row, behindRowNumber ? 1 : 0).trimmed();
}

bool SystemTableEditor::isTextKey() const
{
    for (const EditableColumn& column : m_columns) {
        if (column.field.compare(m_table.key, Qt::CaseInsensitive) == 0)
            return isType(column, "VARCHAR2");
    }
    return false;
}

bool SystemTableEditor::updateCell(int row, int col, const QString& text)
{
    if (row <= HeaderRow || row >= m_grid.rowCount() || col < 0 || col >= int(m_columns.size()) ||
        isNewRecordRow(row))
        return false;
    const EditableColumn& column = m_columns[size_t(col)];
    const QString stored = row < int(m_stored.size()) ? m_stored[size_t(row)].value(col) : QString();
    const auto putBack = [&] {
        m_grid.setText(row, col, stored);
        fitRowHeight(row);
        return false;
    };
    const SystemTableSql::CellValue value = SystemTableSql::cellValue(column, text, code());
    if (value.isRefused()) {
        m_prompt.message(value.refusal, Prompt::Icon::Exclamation);
        return putBack();
    }
    QString sql = value.sql;
    if (sql == QLatin1String("NULL") && !column.defaultValue.isEmpty())
        sql = column.defaultValue;
    const std::optional<QString> key = SystemTableSql::keyValue(keyOf(row), isTextKey());
    if (!key) {
        m_prompt.message(SystemTableTexts::NoValidKey.in(code()), Prompt::Icon::Exclamation);
        return putBack();
    }
    const bool feedstuffs = isFeedstuffTable();
    const QString statement = QStringLiteral("UPDATE ") + m_table.table + QStringLiteral(" SET ") +
                              column.field + QStringLiteral(" = ") + sql +
                              (feedstuffs ? QStringLiteral(", DATUM_BEARBEITET = NOW()") : QString()) +
                              QStringLiteral(" WHERE ") + m_table.key + QStringLiteral(" = ") + *key;
    if (!m_context.db().executeSql(statement)) {
        m_prompt.message(SystemTableTexts::ChangeNotSaved.in(code()), Prompt::Icon::Warning);
        return putBack();
    }
    m_grid.setText(row, col, text);
    if (row < int(m_stored.size()) && col < m_stored[size_t(row)].size())
        m_stored[size_t(row)][col] = text;
    fitRowHeight(row);
    return true;
}

void SystemTableEditor::cellEdited(int row, int col, const QString& text)
{
    if (col < 0 || col >= int(m_columns.size()) || isType(m_columns[size_t(col)], "BOOL"))
        return;
    if (isNewRecordRow(row)) {
        insertRow(row);
        return;
    }
    updateCell(row, col, text.trimmed());
    m_grid.clearDropDown(row, col);
}

void SystemTableEditor::cellClicked(int row, int col)
{
    if (row <= HeaderRow || col < 0 || col >= int(m_columns.size()))
        return;
    const EditableColumn& column = m_columns[size_t(col)];
    if (!isType(column, "COMBO") && !isType(column, "COMBOSTRING"))
        return;
    QStringList texts;
    for (const ChoiceList::Entry& entry : column.entries)
        texts << entry.text;
    m_grid.setDropDown(row, col, texts);
}

void SystemTableEditor::cellDoubleClicked(int row, int col)
{
    if (row <= HeaderRow || col < 0 || col >= int(m_columns.size()) || isNewRecordRow(row) ||
        !isType(m_columns[size_t(col)], "BOOL"))
        return;
    const QString toggled =
        SystemTableSql::yesNoText(!SystemTableSql::meansYes(m_grid.text(row, col)), code());
    updateCell(row, col, toggled);
}

bool SystemTableEditor::isFeedstuffTable() const
{
    return m_table.table.compare(QLatin1String("T_FUTTERMITTEL"), Qt::CaseInsensitive) == 0;
}

QStringList SystemTableEditor::insertColumns() const
{
    QStringList names;
    for (const EditableColumn& column : m_columns) {
        if (column.visible != QLatin1String("0") &&
            column.field.compare(QLatin1String("ID"), Qt::CaseInsensitive) != 0)
            names << column.field;
    }
    return names;
}

QString SystemTableEditor::newKey(int row)
{
    // A text key was typed into the row; a number key is the one the
    // database gave the row just inserted, which another program's insert
    // at the same moment cannot change.
    if (isTextKey()) {
        for (int col = 0; col < int(m_columns.size()); ++col) {
            if (m_columns[size_t(col)].field.compare(m_table.key, Qt::CaseInsensitive) == 0)
                return m_grid.text(row, col).trimmed();
        }
    }
    return QString::number(m_context.db().lastInsertKey());
}

bool SystemTableEditor::insertRow(int row)
{
    if (!isNewRecordRow(row))
        return false;
    if (isFeedstuffTable()) {
        m_prompt.message(SystemTableTexts::NoFeedInsertHere.in(code()), Prompt::Icon::Exclamation);
        return false;
    }
    QStringList values;
    for (int col = 0; col < int(m_columns.size()); ++col) {
        const EditableColumn& column = m_columns[size_t(col)];
        if (column.visible == QLatin1String("0") ||
            column.field.compare(QLatin1String("ID"), Qt::CaseInsensitive) == 0)
            continue;
        QString text = m_grid.text(row, col).trimmed();
        if (column.field.compare(QLatin1String("EIGEN"), Qt::CaseInsensitive) == 0)
            text = m_context.ownerCode();
        else if (isType(column, "BOOL") && text.isEmpty())
            text = column.defaultValue;
        else if (isType(column, "DATE") && text.isEmpty())
            text = QStringLiteral("NOW()");
        const SystemTableSql::CellValue value = SystemTableSql::cellValue(column, text, code());
        if (value.isRefused()) {
            m_prompt.message(value.refusal, Prompt::Icon::Exclamation);
            m_grid.setText(row, col, m_stored[size_t(row)].value(col));
            return false;
        }
        QString sql = value.sql;
        if (sql == QLatin1String("NULL") && !column.defaultValue.isEmpty())
            sql = column.defaultValue;
        values << sql;
    }
    const QString statement = QStringLiteral("INSERT INTO ") + m_table.table + QStringLiteral(" (") +
                              insertColumns().join(QStringLiteral(", ")) + QStringLiteral(") VALUES (") +
                              values.join(QStringLiteral(", ")) + QLatin1Char(')');
    if (!m_context.db().executeSql(statement)) {
        m_prompt.message(SystemTableTexts::RecordNotAdded.in(code()), Prompt::Icon::Warning);
        return false;
    }
    m_grid.setText(row, 0, newKey(row));
    rememberRow(row);
    fitRowHeight(row);
    m_grid.redrawRow(row);
    appendNewRecordRow();
    return true;
}

bool SystemTableEditor::copyClicked()
{
    const int row = m_grid.currentRow();
    if (row <= HeaderRow || row >= m_grid.rowCount())
        return false;
    if (isNewRecordRow(row)) {
        m_prompt.message(SystemTableTexts::EmptyRecordNotCopyable.in(code()), Prompt::Icon::Exclamation);
        return false;
    }
    if (isFeedstuffTable()) {
        m_prompt.message(SystemTableTexts::NoFeedCopyHere.in(code()), Prompt::Icon::Exclamation);
        return false;
    }
    const QString keyText = keyOf(row);
    const std::optional<QString> key = SystemTableSql::keyValue(keyText, isTextKey());
    if (!key) {
        m_prompt.message(SystemTableTexts::NoValidKey.in(code()), Prompt::Icon::Exclamation);
        return false;
    }
    m_prompt.message(SystemTableTexts::RecordBeingCopied.in(code()).arg(keyText));
    const QString columns = insertColumns().join(QStringLiteral(", "));
    const QString statement = QStringLiteral("INSERT INTO ") + m_table.table + QStringLiteral(" (") +
                              columns + QStringLiteral(") SELECT ") + columns + QStringLiteral(" FROM ") +
                              m_table.table + QStringLiteral(" WHERE ID=") + *key;
    if (!m_context.db().executeSql(statement)) {
        m_prompt.message(SystemTableTexts::RecordNotCopied.in(code()), Prompt::Icon::Warning);
        return false;
    }
    const int copy = m_grid.rowCount() - 1;
    m_grid.setText(copy, 0, newKey(copy));
    for (int col = 1; col < m_grid.columnCount(); ++col)
        m_grid.setText(copy, col, m_grid.text(row, col));
    rememberRow(copy);
    fitRowHeight(copy);
    m_grid.redrawRow(copy);
    m_grid.setCurrentCell(copy, 1);
    m_grid.scrollToCell(copy, 1);
    appendNewRecordRow();
    return true;
}
