#include "ration/CaseFormulas.h"

#include "db/AppContext.h"
#include "db/RecordSet.h"
#include "ration/CaseHeaderSource.h"
#include "ration/CaseType.h"

namespace CaseFormulas {

bool hasNeededInputs(const CaseHeaderSource& header)
{
    const CaseValues v = header.values();
    if (!CaseType::isChosen(v.caseType))
        return false;
    // A weight of 0 is one not given, and no formula is evaluated on it.
    const bool energy = v.energyPercent.has_value();
    const bool actual = CaseValues::weighs(v.actualWeight);
    if (CaseType::isGrowth(v.caseType))
        return energy && actual && CaseValues::weighs(v.adultWeight);
    const bool target = CaseValues::weighs(v.targetWeight);
    if (CaseType::isLactation(v.caseType))
        return energy && actual && target && v.puppies.has_value();
    return energy && actual && target;
}

bool anyPlaced(const std::vector<RationColumn>& columns)
{
    for (const RationColumn& column : columns) {
        if (!column.formula.trimmed().isEmpty())
            return true;
    }
    return false;
}

bool readsBodyCondition(const std::vector<RationColumn>& columns)
{
    for (const RationColumn& column : columns) {
        if (column.formula.contains(QLatin1String("RIP")))
            return true;
    }
    return false;
}

bool place(AppContext& context, const CaseHeaderSource& header, std::vector<RationColumn>& columns)
{
    // Formulas of the previous case type go too, so a nutrient the new type
    // has no formula for cannot keep evaluating the old one.
    for (RationColumn& column : columns) {
        column.requirement.reset();
        column.formula.clear();
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
        // The first column with the key, as the grids look it up.
        for (RationColumn& column : columns) {
            if (column.key == nutrient) {
                column.formula = formula;
                break;
            }
        }
    }
    return true;
}

} // namespace CaseFormulas
