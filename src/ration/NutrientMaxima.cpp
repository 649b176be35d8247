#include "ration/NutrientMaxima.h"

#include "db/AppContext.h"
#include "db/RecordSet.h"
#include "ration/CaseHeaderSource.h"
#include "ration/RequirementFormula.h"

namespace {

CaseVariables variablesOf(const CaseHeaderSource& header)
{
    const CaseValues values = header.values();
    CaseVariables v = RequirementFormula::variables(values);
    // The conditions have always read a species not chosen as -1.
    v.species = QString::number(values.species);
    return v;
}

// Reads the stored basis into the maximum; a figure per 100 g dry matter
// becomes one per 1000 kcal (x 2.5 at 4000 kcal per kg).
bool readBasis(const QString& text, NutrientMaximum& maximum)
{
    const QString code = text.trimmed().toLower();
    if (code == QLatin1String("kcal")) {
        maximum.basis = NutrientMaximum::Basis::PerThousandKcal;
    } else if (code == QLatin1String("ts")) {
        maximum.basis = NutrientMaximum::Basis::PerThousandKcal;
        maximum.value *= 1000.0 / (NutrientMaxima::KcalPerKgDryMatter / 10.0);
    } else if (code == QLatin1String("v")) {
        maximum.basis = NutrientMaximum::Basis::Ratio;
    } else {
        return false;
    }
    return true;
}

} // namespace

std::vector<NutrientMaximum> NutrientMaxima::forCase(AppContext& context, const CaseHeaderSource& header)
{
    std::vector<NutrientMaximum> maxima;
    if (header.speciesKey() < 0)
        return maxima;
    // A case type without a life stage gets the rows for every stage only.
    const QString sql =
        QStringLiteral("SELECT ID_NAEHRSTOFF, WERT, BEZUG, BEDINGUNG, QUELLE FROM T_HOECHSTWERT "
                       "WHERE AKTIV = TRUE AND ID_GATTUNG = ") +
        QString::number(header.speciesKey()) +
        QStringLiteral(" AND (LEBENSPHASE IS NULL OR LEBENSPHASE = '' OR LEBENSPHASE IN (SELECT LEBENSPHASE "
                       "FROM T_FALL_LEBENSPHASE WHERE AKTIV = TRUE AND ID_FALL = ") +
        QString::number(header.caseTypeKey()) + QStringLiteral(")) ORDER BY ID");
    RecordSet rs;
    if (!rs.openRecordset(context.db(), sql))
        return maxima;
    const CaseVariables variables = variablesOf(header);
    for (; !rs.isEof(); rs.moveNext()) {
        NutrientMaximum maximum;
        QString basis;
        QString condition;
        rs.getFieldLong(QStringLiteral("ID_NAEHRSTOFF"), maximum.nutrient);
        rs.getFieldDouble(QStringLiteral("WERT"), maximum.value);
        rs.getFieldText(QStringLiteral("BEZUG"), basis);
        rs.getFieldText(QStringLiteral("BEDINGUNG"), condition);
        rs.getFieldText(QStringLiteral("QUELLE"), maximum.source);
        if (!readBasis(basis, maximum) || maximum.value <= 0.0)
            continue;
        if (!condition.trimmed().isEmpty() &&
            RequirementFormula::evaluate(RequirementFormula::substitute(condition, variables)) == 0.0)
            continue;
        maxima.push_back(maximum);
    }
    return maxima;
}
