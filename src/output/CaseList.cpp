#include "output/CaseList.h"

#include "core/Lang.h"
#include "core/Prompt.h"
#include "db/AppContext.h"
#include "db/RecordSet.h"
#include "db/SqlQuote.h"

#include <array>
#include <vector>

namespace {

constexpr int ColumnWidths[CaseList::ColumnCount] = {0, 180, 145, 65, 560, 25};

// Keys 1 and below (none chosen, or "alle") do not restrict the search.
bool restricts(const QString& key, int& value)
{
    bool ok = false;
    value = key.trimmed().toInt(&ok);
    return ok && value > 1;
}

} // namespace

CaseList::CaseList(AppContext& context, Prompt& prompt, QObject* parent)
    : QObject(parent)
    , m_context(context)
    , m_prompt(prompt)
{
    connect(&m_grid, &GridModel::clicked, this, &CaseList::cellClicked);
}

QStringList CaseList::headings(const QString& languageCode)
{
    if (languageCode == Lang::German) {
        return {QStringLiteral("ID"),    QStringLiteral("Besitzer"),          QStringLiteral("Patient"),
                QStringLiteral("Datum"), QStringLiteral("Rezeptbezeichnung"), QStringLiteral("Loe")};
    }
    return {QStringLiteral("ID"),
            QStringLiteral("Name of owner"),
            QStringLiteral("Name of patient"),
            QStringLiteral("Date"),
            QStringLiteral("Recipe Title / Diagnosis"),
            QStringLiteral("Del")};
}

int CaseList::columnWidth(int column)
{
    return column >= 0 && column < ColumnCount ? ColumnWidths[column] : 0;
}

QString CaseList::searchStatement(const CaseSearchCriteria& criteria)
{
    QString sql = QStringLiteral("SELECT ID, Name_Besitzer, Name_Pat, Datum, Rezepttitel FROM T_PAT_REZ");
    bool first = true;
    const auto condition = [&sql, &first](const QString& text) {
        sql += (first ? QStringLiteral(" WHERE ") : QStringLiteral(" AND ")) + text;
        first = false;
    };
    // Typed texts are quoted so an apostrophe is searched for; % and _ stay wildcards.
    const auto contains = [](const QString& text) {
        return Sql::quote(QLatin1Char('%') + text + QLatin1Char('%'));
    };

    int key = 0;
    if (restricts(criteria.species, key))
        condition(QStringLiteral("ID_Gattung = ") + QString::number(key));
    if (restricts(criteria.sex, key))
        condition(QStringLiteral("ID_Geschlecht = ") + QString::number(key));
    if (!criteria.owner.isEmpty())
        condition(QStringLiteral("Name_Besitzer LIKE ") + contains(criteria.owner));
    if (!criteria.patient.isEmpty())
        condition(QStringLiteral("Name_Pat LIKE ") + contains(criteria.patient));
    if (!criteria.title.isEmpty())
        condition(QStringLiteral("Rezepttitel LIKE ") + contains(criteria.title));
    return sql + QStringLiteral(" ORDER BY Name_Besitzer, Name_Pat, Datum;");
}

QString CaseList::text(const char* german, const char* english) const
{
    return Lang::deOr(m_context.languageCode(), QString::fromUtf8(german), QString::fromUtf8(english));
}

void CaseList::startGrid()
{
    m_grid.clear();
    m_grid.setColumnCount(ColumnCount);
    m_grid.setRowCount(1);
    m_grid.setFixedRowCount(1);
    const QStringList titles = headings(m_context.languageCode());
    for (int c = 0; c < ColumnCount; ++c) {
        m_grid.setColumnWidth(c, ColumnWidths[c]);
        m_grid.setText(HeadingRow, c, titles[c]);
    }
}

void CaseList::runSearch(const CaseSearchCriteria& criteria)
{
    startGrid();
    // Read first, then size the grid once: a search may list the whole practice.
    std::vector<std::array<QString, DeleteColumn>> found;
    RecordSet rs;
    if (rs.openRecordset(m_context.db(), searchStatement(criteria))) {
        for (; !rs.isEof(); rs.moveNext()) {
            std::array<QString, DeleteColumn>& row = found.emplace_back();
            int key = 0;
            rs.getFieldLong(QStringLiteral("ID"), key);
            row[KeyColumn] = QString::number(key);
            rs.getFieldText(QStringLiteral("Name_Besitzer"), row[OwnerColumn]);
            rs.getFieldText(QStringLiteral("Name_Pat"), row[PatientColumn]);
            rs.getFieldText(QStringLiteral("Datum"), row[DateColumn]);
            rs.getFieldText(QStringLiteral("Rezepttitel"), row[TitleColumn]);
        }
    }
    m_grid.setRowCount(1 + int(found.size()));
    const QString deleteMark = QStringLiteral("x");
    for (int i = 0; i < int(found.size()); ++i) {
        const int row = 1 + i;
        for (int c = KeyColumn; c < DeleteColumn; ++c)
            m_grid.setText(row, c, found[size_t(i)][size_t(c)]);
        m_grid.setText(row, DeleteColumn, deleteMark);
        m_grid.setTextColor(row, DeleteColumn, DeleteMarkColour);
        m_grid.setRowReadOnly(row, true);
    }
    m_grid.redraw();
}

QString CaseList::caseKey(int row) const
{
    return row > HeadingRow ? m_grid.text(row, KeyColumn) : QString();
}

void CaseList::cellClicked(int row, int column)
{
    if (row <= HeadingRow || row >= m_grid.rowCount())
        return;
    if (column == DeleteColumn)
        deleteCase(row);
    else if (column >= KeyColumn && column < DeleteColumn)
        emit openCaseRequested(caseKey(row));
}

bool CaseList::deleteCase(int row)
{
    const QString key = caseKey(row);
    if (key.isEmpty() || row >= m_grid.rowCount())
        return false;
    const Prompt::Answer answer =
        m_prompt.question(text("Möchten Sie diesen Fall löschen?", "do you want delete this case?"),
                          Prompt::Buttons::YesNoCancel, Prompt::Icon::Question);
    if (answer != Prompt::Answer::Yes)
        return false;

    // The case and its ration go together or not at all.
    Connection& db = m_context.db();
    bool deleted = false;
    {
        DbTransaction transaction(db);
        deleted = transaction.isActive() &&
                  db.executeSql(QStringLiteral("DELETE FROM T_PAT_REZ WHERE ID = ") + key) &&
                  db.executeSql(QStringLiteral("DELETE FROM T_REZ_FM WHERE ID_Rezept = ") + key) &&
                  transaction.commit();
    }
    if (!deleted) {
        m_prompt.message(
            text("Datensatz konnte konnte nicht gelöscht werden", "Recordset could not be deleted"),
            Prompt::Icon::Exclamation);
        return false;
    }
    m_grid.deleteRow(row);
    m_grid.redraw();
    return true;
}
