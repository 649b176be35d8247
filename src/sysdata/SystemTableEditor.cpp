#include "sysdata/SystemTableEditor.h"

#include "core/Lang.h"
#include "db/AppContext.h"
#include "db/RecordSet.h"
#include "db/SqlQuote.h"
#include "feed/FeedRemoval.h"
#include "sysdata/SystemTableSql.h"

#include <algorithm>

namespace {

const QString NewRecordMark = QStringLiteral("*");

bool isType(const EditableColumn& column, const char* type)
{
    // The type names are compared as written in the metadata.
    return column.type == QLatin1String(type);
}

// "%.<d>f" with a decimal comma; d is the text the row's NK_STELLEN column
// showed, none (a whole number) while it is empty.
QString decimalText(double value, const QString& decimals)
{
    const int digits = std::clamp(decimals.trimmed().toInt(), 0, 15);
    return QString::asprintf("%.*f", digits, value).replace(QLatin1Char('.'), QLatin1Char(','));
}

} // namespace

SystemTableEditor::SystemTableEditor(AppContext& context, Prompt& prompt, int presetTable,
                                     const QString& filterValue, QObject* parent)
    : QObject(parent)
    , m_context(context)
    , m_prompt(prompt)
    , m_presetTable(presetTable)
    , m_filterValue(filterValue.trimmed() == NewRecordMark ? QString() : filterValue.trimmed())
{
    connect(&m_grid, &GridModel::editEnded, this, &SystemTableEditor::cellEdited);
    connect(&m_grid, &GridModel::clicked, this, &SystemTableEditor::cellClicked);
    connect(&m_grid, &GridModel::doubleClicked, this, &SystemTableEditor::cellDoubleClicked);
}

SystemTableEditorLabels SystemTableEditor::labels(const QString& languageCode)
{
    if (languageCode == Lang::English) {
        return {QStringLiteral("Select table"), QStringLiteral("Further details"), QStringLiteral("Copy"),
                QStringLiteral("Delete"), QStringLiteral("Print")};
    }
    return {QStringLiteral("Auswahl Tabelle"), QStringLiteral("Weitere Angaben"), QStringLiteral("Kopieren"),
            QStringLiteral("Löschen"), QStringLiteral("Drucken")};
}

SystemTableEditorLabels SystemTableEditor::labels() const
{
    return labels(code());
}

QString SystemTableEditor::windowTitle(const QString& languageCode)
{
    return languageCode == Lang::English ? QStringLiteral("Systemdata") : QStringLiteral("Systemdaten");
}

QString SystemTableEditor::dependentWindowTitle()
{
    return QStringLiteral("Systemdaten - Weitere Angaben");
}

QString SystemTableEditor::tableListStatement(int presetTable, const QString& ownerCode)
{
    if (presetTable != 0) {
        return QStringLiteral("SELECT ID AS ITEMDATA, BEZ_DE AS ITEMTEXT_DE, BEZ_EN AS ITEMTEXT_US,TYP,SORT "
                              "FROM T_GRUNDDATEN Where ID = ") +
               QString::number(presetTable);
    }
    QString sql =
        QStringLiteral("SELECT ID AS ITEMDATA, BEZ_DE AS ITEMTEXT_DE, BEZ_EN AS ITEMTEXT_US, TYP, SORT "
                       "FROM T_GRUNDDATEN Where FELD is null And SQLSTATEMENT is NOT NULL");
    if (ownerCode != QLatin1String("M"))
        sql += QStringLiteral(" and TYP = 'U'");
    return sql;
}

QString SystemTableEditor::code() const
{
    return m_context.languageCode();
}

void SystemTableEditor::fillList(ChoiceList& list, const QString& query)
{
    list.clear();
    RecordSet rs;
    if (!rs.openRecordset(m_context.db(), query))
        return;
    const QString textColumn =
        code() == Lang::German ? QStringLiteral("ITEMTEXT_DE") : QStringLiteral("ITEMTEXT_US");
    for (; !rs.isEof(); rs.moveNext()) {
        QString data, text;
        rs.getFieldText(QStringLiteral("ITEMDATA"), data);
        rs.getFieldText(textColumn, text);
        list.add(data.trimmed().toInt(), text);
    }
}

void SystemTableEditor::open()
{
    fillList(m_tables, tableListStatement(m_presetTable, m_context.ownerCode()));
    m_dependents.clear();
    if (m_presetTable != 0 && m_tables.count() > 0)
        userChoseTable(0);
    else
        emit changed();
}

void SystemTableEditor::userChoseTable(int index)
{
    if (index < 0 || index >= m_tables.count())
        return;
    m_tables.setCurrentIndex(index);
    loadTable(m_tables.currentData());
}

bool SystemTableEditor::loadTable(int tableNumber)
{
    m_table = describe(m_context.db(), tableNumber);
    loadColumns();
    loadRows();
    fillDependents(tableNumber);
    emit changed();
    return m_table.id != 0;
}

EditableTable SystemTableEditor::describe(Connection& db, int tableNumber)
{
    EditableTable table;
    RecordSet rs;
    if (!rs.openRecordset(db, QStringLiteral("Select * from T_GRUNDDATEN where ID  = ") +
                                  QString::number(tableNumber)) ||
        rs.isEof())
        return table;
    double id = 0;
    rs.getFieldDouble(QStringLiteral("ID"), id);
    table.id = int(id);
    rs.getFieldText(QStringLiteral("TABELLE"), table.table);
    rs.getFieldText(QStringLiteral("SQLSTATEMENT"), table.statement);
    rs.getFieldText(QStringLiteral("PK"), table.key);
    return table;
}

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

void SystemTableEditor::fillDependents(int tableNumber)
{
    m_dependents.clear();
    const QString number = QString::number(tableNumber);
    RecordSet rs;
    if (!rs.openRecordset(m_context.db(),
                          QStringLiteral("Select * from T_GRUNDDATEN_ABH where ID_COMBO1  = ") + number) ||
        rs.isEof())
        return;
    fillList(m_dependents, QStringLiteral("Select ID_COMBO2 as ITEMDATA, BEZ_DE AS ITEMTEXT_DE, BEZ_EN AS "
                                          "ITEMTEXT_US from T_GRUNDDATEN_ABH where ID_COMBO1  = ") +
                               number);
}

std::optional<SystemTableEditor::DependentWindow> SystemTableEditor::userChoseDependent(int index)
{
    if (index < 0 || index >= m_dependents.count())
        return std::nullopt;
    m_dependents.setCurrentIndex(index);
    DependentWindow window;
    window.table = m_dependents.currentData();
    const int row = m_grid.currentRow();
    const QString key = row > HeaderRow ? m_grid.text(row, 0).trimmed() : QString();
    window.filterValue = key == NewRecordMark ? QString() : key;
    return window;
}

// Edits --------------------------------------------------------------------------

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

void SystemTableEditor::tell(const char* german, const char* english, Prompt::Icon icon)
{
    m_prompt.message(Lang::deOr(code(), QString::fromUtf8(german), QString::fromUtf8(english)), icon);
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
        tell("Der Satz hat keinen gültigen Schlüssel", "The record has no valid key",
             Prompt::Icon::Exclamation);
        return putBack();
    }
    const bool feedstuffs = isFeedstuffTable();
    const QString statement = QStringLiteral("UPDATE ") + m_table.table + QStringLiteral(" SET ") +
                              column.field + QStringLiteral(" = ") + sql +
                              (feedstuffs ? QStringLiteral(", DATUM_BEARBEITET = NOW()") : QString()) +
                              QStringLiteral(" WHERE ") + m_table.key + QStringLiteral(" = ") + *key;
    if (!m_context.db().executeSql(statement)) {
        tell("Die Änderung konnte nicht gespeichert werden", "The change could not be saved",
             Prompt::Icon::Warning);
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

QString SystemTableEditor::usesOf(const QString& key)
{
    struct Use
    {
        const char* table;
        const char* referencing;
        const char* column;
        const char* german;
        const char* english;
    };
    static const Use uses[] = {
        {"T_NAEHRSTOFFE", "T_BEDARF", "ID_NAEHRSTOFF", "Bedarfsformeln", "requirement formulas"},
        {"T_NAEHRSTOFFE", "T_FM_NAEHRSTOFF", "ID_NAEHRSTOFF", "Futtermittelgehalte", "feedstuff contents"},
        {"T_NAEHRSTOFFE", "T_FALL_NAEHRSTOFF", "ID_NAEHRSTOFF", "Nährstofflisten von Fällen",
         "nutrient lists of case types"},
        {"T_FALL", "T_PAT_REZ", "ID_FALL", "gespeicherte Fälle", "stored cases"},
        {"T_FUTTERMITTEL", "T_REZ_FM", "ID_FUTTERMITTEL", "Rationen gespeicherter Fälle",
         "rations of stored cases"},
        {"T_FM_TYP", "T_FUTTERMITTEL", "ID_FM_TYP", "Futtermittel", "feedstuffs"},
        {"T_KATEGORIEN", "T_FM_KAT", "ID_FM_KATEGORIE", "Futtermittelzuordnungen", "feedstuff assignments"},
        {"T_GATTUNG", "T_PAT_REZ", "ID_GATTUNG", "gespeicherte Fälle", "stored cases"},
        {"T_GESCHLECHT", "T_PAT_REZ", "ID_GESCHLECHT", "gespeicherte Fälle", "stored cases"},
        {"T_ANREDE", "T_PAT_REZ", "ID_ANREDE", "gespeicherte Fälle", "stored cases"},
        {"T_RASSE", "T_PAT_REZ", "ID_RASSE", "gespeicherte Fälle", "stored cases"},
    };
    QStringList found;
    for (const Use& use : uses) {
        if (m_table.table.compare(QLatin1String(use.table), Qt::CaseInsensitive) != 0)
            continue;
        RecordSet rs;
        int count = 0;
        if (rs.openRecordset(m_context.db(), QStringLiteral("SELECT COUNT(*) AS N FROM ") +
                                                 QLatin1String(use.referencing) + QStringLiteral(" WHERE ") +
                                                 QLatin1String(use.column) + QStringLiteral(" = ") + key) &&
            !rs.isEof() && rs.getFieldLong(QStringLiteral("N"), count) && count > 0)
            found << QString::number(count) + QLatin1Char(' ') +
                         Lang::deOr(code(), QString::fromUtf8(use.german), QString::fromUtf8(use.english));
    }
    return found.join(QStringLiteral(", "));
}

bool SystemTableEditor::insertRow(int row)
{
    if (!isNewRecordRow(row))
        return false;
    if (isFeedstuffTable()) {
        tell("Neuanlage von Futtermitteln hier nicht möglich", "You can not insert feedstuff here",
             Prompt::Icon::Exclamation);
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
        tell("Der Satz konnte nicht angelegt werden", "The record could not be added", Prompt::Icon::Warning);
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
        tell("Kopieren eines leeren Satzes nicht möglich", "You can not copy an empty record",
             Prompt::Icon::Exclamation);
        return false;
    }
    if (isFeedstuffTable()) {
        tell("Kopieren von Futtermitteln hier nicht möglich", "You can not copy feedstuff here",
             Prompt::Icon::Exclamation);
        return false;
    }
    const QString keyText = keyOf(row);
    const std::optional<QString> key = SystemTableSql::keyValue(keyText, isTextKey());
    if (!key) {
        tell("Der Satz hat keinen gültigen Schlüssel", "The record has no valid key",
             Prompt::Icon::Exclamation);
        return false;
    }
    m_prompt.message(Lang::deOr(
        code(), QStringLiteral("Es wird der Satz mit Nummer ") + keyText + QStringLiteral(" kopiert"),
        QStringLiteral("record with number ") + keyText + QStringLiteral(" will be copied")));
    const QString columns = insertColumns().join(QStringLiteral(", "));
    const QString statement = QStringLiteral("INSERT INTO ") + m_table.table + QStringLiteral(" (") +
                              columns + QStringLiteral(") SELECT ") + columns + QStringLiteral(" FROM ") +
                              m_table.table + QStringLiteral(" WHERE ID=") + *key;
    if (!m_context.db().executeSql(statement)) {
        tell("Der Satz konnte nicht kopiert werden", "The record could not be copied", Prompt::Icon::Warning);
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

bool SystemTableEditor::deleteClicked()
{
    const int row = m_grid.currentRow();
    if (row <= HeaderRow || row >= m_grid.rowCount())
        return false;
    const QString keyText = keyOf(row);
    if (keyText == NewRecordMark || keyText == QLatin1String("...")) {
        tell("Löschen des neuen Satzes nicht möglich", "You can not delete the new record",
             Prompt::Icon::Exclamation);
        return false;
    }
    if (isFeedstuffTable())
        return deleteFeedstuff(row, keyText);
    // Rows that others still point to stay: a case or a formula would lose
    // what it refers to without a word.
    if (const std::optional<QString> key = SystemTableSql::keyValue(keyText, isTextKey());
        key && !isTextKey()) {
        const QString uses = usesOf(*key);
        if (!uses.isEmpty()) {
            m_prompt.message(
                Lang::deOr(code(),
                           QStringLiteral("Der Datensatz Nummer %1 wird noch verwendet (%2) und kann "
                                          "nicht gelöscht werden."),
                           QStringLiteral("Record number %1 is still in use (%2) and cannot be deleted."))
                    .arg(keyText, uses),
                Prompt::Icon::Exclamation);
            return false;
        }
    }
    const QString question = Lang::deOr(
        code(), QStringLiteral("Wollen Sie den Datensatz Nummer ") + keyText + QStringLiteral(" löschen"),
        QStringLiteral("Do you want to delete the record with number ") + keyText);
    if (m_prompt.question(question, Prompt::Buttons::YesNo, Prompt::Icon::Question) != Prompt::Answer::Yes)
        return false;
    if (m_table.table.compare(QLatin1String("T_EXPSCGG"), Qt::CaseInsensitive) == 0) {
        m_prompt.message(QStringLiteral("Löschen nicht möglich"), Prompt::Icon::Exclamation);
        return false;
    }
    const std::optional<QString> key = SystemTableSql::keyValue(keyText, isTextKey());
    if (keyText.isEmpty() || !key)
        return false;
    if (!m_context.db().executeSql(QStringLiteral("DELETE FROM ") + m_table.table +
                                   QStringLiteral(" WHERE ") + m_table.key + QStringLiteral(" = ") + *key)) {
        m_prompt.message(QStringLiteral("Zeile konnte nicht gelöscht werden"), Prompt::Icon::Warning);
        return false;
    }
    removeGridRow(row);
    return true;
}

void SystemTableEditor::removeGridRow(int row)
{
    m_grid.deleteRow(row);
    if (row < int(m_stored.size()))
        m_stored.erase(m_stored.begin() + row);
    m_grid.redraw();
}

bool SystemTableEditor::deleteFeedstuff(int row, const QString& keyText)
{
    // As the feedstuff editor deletes it: its contents and categories go with
    // it, and a stored case's ration keeps it.
    Connection& db = m_context.db();
    const QString name = FeedRemoval::storedName(db, code(), keyText);
    if (const std::optional<QString> refused = FeedRemoval::refusal(db, code(), keyText, name)) {
        m_prompt.message(*refused, Prompt::Icon::Exclamation);
        return false;
    }
    const QString question =
        Lang::deOr(code(), QStringLiteral("Wollen Sie das Futtermittel %1 (Nummer %2) löschen"),
                   QStringLiteral("Do you want to delete the feedstuff %1 (number %2)"))
            .arg(name, keyText);
    if (m_prompt.question(question, Prompt::Buttons::YesNo, Prompt::Icon::Question) != Prompt::Answer::Yes)
        return false;
    if (const std::optional<QString> failed = FeedRemoval::remove(db, code(), keyText, name)) {
        m_prompt.message(*failed, Prompt::Icon::Warning);
        return false;
    }
    removeGridRow(row);
    return true;
}
