#include "sysdata/SystemTableEditor.h"

#include "core/Codes.h"
#include "core/Lang.h"
#include "db/AppContext.h"
#include "db/RecordSet.h"
#include "sysdata/SystemTableGridKinds.h"
#include "sysdata/SystemTableTexts.h"

using namespace system_table;

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
    using namespace SystemTableTexts;
    const QString code = Lang::labelCode(languageCode);
    return {SelectTableLabel.in(code), DetailsLabel.in(code), CopyLabel.in(code), DeleteLabel.in(code),
            PrintLabel.in(code)};
}

SystemTableEditorLabels SystemTableEditor::labels() const
{
    return labels(code());
}

QString SystemTableEditor::windowTitle(const QString& languageCode)
{
    return SystemTableTexts::WindowTitle.in(Lang::labelCode(languageCode));
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
    if (ownerCode != Codes::SystemOwner)
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
