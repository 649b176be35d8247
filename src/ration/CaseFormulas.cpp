#include "ration/CaseFormulas.h"

#include "core/NumberText.h"
#include "db/AppContext.h"
#include "db/RecordSet.h"
#include "ration/CaseHeaderSource.h"
#include "ration/CaseType.h"
#include "ration/NutrientColumns.h"
#include "ui/GridModel.h"

using namespace NutrientColumns;

namespace CaseFormulas {

bool hasNeededInputs(const CaseHeaderSource& header)
{
    const int caseType = header.caseTypeKey();
    if (!CaseType::isChosen(caseType))
        return false;
    // A weight of 0 is one not given (it is how an empty one is stored), and
    // no formula is evaluated on it.
    const auto weighs = [](const QString& text) { return NumberText::read(text.trimmed()) > 0.0; };
    const bool energy = !header.energyPercent().trimmed().isEmpty();
    const bool actual = weighs(header.actualWeight());
    if (CaseType::isGrowth(caseType))
        return energy && actual && weighs(header.adultWeight());
    const bool target = weighs(header.targetWeight());
    if (CaseType::isLactation(caseType))
        return energy && actual && target && !header.puppies().trimmed().isEmpty();
    return energy && actual && target;
}

bool anyPlaced(const GridModel& grid)
{
    for (int c = FirstColumn; c < grid.columnCount(); ++c) {
        if (!grid.text(FormulaRow, c).trimmed().isEmpty())
            return true;
    }
    return false;
}

bool readsBodyCondition(const GridModel& grid)
{
    for (int c = FirstColumn; c < grid.columnCount(); ++c) {
        if (grid.text(FormulaRow, c).contains(QLatin1String("RIP")))
            return true;
    }
    return false;
}

bool place(AppContext& context, const CaseHeaderSource& header, GridModel& grid)
{
    // Formulas of the previous case type go too, so a nutrient the new type
    // has no formula for cannot keep evaluating the old one.
    for (int c = FirstColumn; c < grid.columnCount(); ++c) {
        grid.setText(RequirementRow, c, QString());
        grid.setText(FormulaRow, c, QString());
    }
    if (!hasNeededInputs(header))
        return false;

    RecordSet rs;
    if (!rs.openRecordset(
            context.db(),
            QStringLiteral("SELECT T_FALL.ID, T_BEDARF.BerTyp_Fall, T_BEDARF.ID_Naehrstoff, "
                           "T_BEDARF.Wert_Formel, T_BEDARF.aktiv ") +
                QStringLiteral("FROM T_BEDARF INNER JOIN T_FALL ON T_BEDARF.BerTyp_Fall = T_FALL.BerTyp ") +
                QStringLiteral("WHERE T_FALL.ID = ") + QString::number(header.caseTypeKey()) +
                QStringLiteral(" AND T_BEDARF.aktiv = TRUE")))
        return false;
    for (; !rs.isEof(); rs.moveNext()) {
        int nutrient = 0;
        QString formula;
        rs.getFieldLong(QStringLiteral("ID_Naehrstoff"), nutrient);
        rs.getFieldText(QStringLiteral("Wert_Formel"), formula);
        const int c = find(grid, QString::number(nutrient));
        if (c < 0)
            continue;
        grid.setRowHeight(FormulaRow, 1);
        grid.setText(FormulaRow, c, formula);
    }
    return true;
}

} // namespace CaseFormulas
