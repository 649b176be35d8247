#include "sysdata/SystemTableEditor.h"

#include "core/Lang.h"
#include "db/AppContext.h"
#include "db/RecordSet.h"
#include "feed/FeedRemoval.h"
#include "sysdata/SystemTableGridKinds.h"
#include "sysdata/SystemTableSql.h"
#include "sysdata/SystemTableTexts.h"

using namespace system_table;

QString SystemTableEditor::usesOf(const QString& key)
{
    struct Use
    {
        const char* table;
        const char* referencing;
        const char* column;
        Lang::Text what;
    };
    static const Use uses[] = {
        {"T_NAEHRSTOFFE", "T_BEDARF", "ID_NAEHRSTOFF", SystemTableTexts::UsedByRequirements},
        {"T_NAEHRSTOFFE", "T_FM_NAEHRSTOFF", "ID_NAEHRSTOFF", SystemTableTexts::UsedByFeedContents},
        {"T_NAEHRSTOFFE", "T_FALL_NAEHRSTOFF", "ID_NAEHRSTOFF", SystemTableTexts::UsedByCaseTypeNutrients},
        {"T_FALL", "T_PAT_REZ", "ID_FALL", SystemTableTexts::UsedByStoredCases},
        {"T_FUTTERMITTEL", "T_REZ_FM", "ID_FUTTERMITTEL", SystemTableTexts::UsedByStoredRations},
        {"T_FM_TYP", "T_FUTTERMITTEL", "ID_FM_TYP", SystemTableTexts::UsedByFeeds},
        {"T_KATEGORIEN", "T_FM_KAT", "ID_FM_KATEGORIE", SystemTableTexts::UsedByFeedAssignments},
        {"T_GATTUNG", "T_PAT_REZ", "ID_GATTUNG", SystemTableTexts::UsedByStoredCases},
        {"T_GESCHLECHT", "T_PAT_REZ", "ID_GESCHLECHT", SystemTableTexts::UsedByStoredCases},
        {"T_ANREDE", "T_PAT_REZ", "ID_ANREDE", SystemTableTexts::UsedByStoredCases},
        {"T_RASSE", "T_PAT_REZ", "ID_RASSE", SystemTableTexts::UsedByStoredCases},
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
            found << QString::number(count) + QLatin1Char(' ') + use.what.in(code());
    }
    return found.join(QStringLiteral(", "));
}

bool SystemTableEditor::deleteClicked()
{
    const int row = m_grid.currentRow();
    if (row <= HeaderRow || row >= m_grid.rowCount())
        return false;
    const QString keyText = keyOf(row);
    if (keyText == NewRecordMark || keyText == QLatin1String("...")) {
        m_prompt.message(SystemTableTexts::NewRecordNotDeletable.in(code()), Prompt::Icon::Exclamation);
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
            m_prompt.message(SystemTableTexts::RecordInUse.in(code()).arg(keyText, uses),
                             Prompt::Icon::Exclamation);
            return false;
        }
    }
    const QString question = SystemTableTexts::DeleteRecordQuestion.in(code()).arg(keyText);
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
    const QString question = SystemTableTexts::DeleteFeedQuestion.in(code()).arg(name, keyText);
    if (m_prompt.question(question, Prompt::Buttons::YesNo, Prompt::Icon::Question) != Prompt::Answer::Yes)
        return false;
    if (const std::optional<QString> failed = FeedRemoval::remove(db, code(), keyText, name)) {
        m_prompt.message(*failed, Prompt::Icon::Warning);
        return false;
    }
    removeGridRow(row);
    return true;
}
