#include "ration/ProgramChecks.h"

#include "core/Codes.h"
#include "db/AppContext.h"
#include "db/RecordSet.h"
#include "formula/FormulaEngine.h"
#include "ration/IndicatorCalculator.h"
#include "ration/RequirementFormula.h"

namespace ProgramChecks {

namespace {

// A formula as the calculation hands it to the engine, every input 1: an
// indicator's supply variables, or a requirement's case variables.
bool parses(const QString& formula, bool indicator)
{
    const QString one = QStringLiteral("1");
    const QString substituted =
        indicator ? IndicatorCalculator::substitute(formula, [&one](int) { return one; })
                  : RequirementFormula::substitute(formula,
                                                   {one, one, one, one, one, one, one, one, one, one, one});
    const QByteArray utf8 = substituted.toUtf8();
    double result = 0;
    return evaluateFormula(std::string_view(utf8.constData(), size_t(utf8.size())), result) == kFormulaOk;
}

// Adds the rows whose formula (column 2) does not parse; column 3 says
// whether it is an indicator's.
bool addBroken(AppContext& context, const QString& table, const QString& sql, DatabaseCheck::Count& count)
{
    RecordSet rs;
    if (!rs.openRecordset(context.db(), sql))
        return false;
    for (; !rs.isEof(); rs.moveNext()) {
        const QString formula = DatabaseCheck::plainText(rs.value(2));
        if (formula.trimmed().isEmpty() ||
            parses(formula, DatabaseCheck::plainText(rs.value(3)) == Codes::Indicator))
            continue;
        count.keys << QStringLiteral("%1 %2 (ID_NAEHRSTOFF %3)")
                          .arg(table, DatabaseCheck::plainText(rs.value(0)),
                               DatabaseCheck::plainText(rs.value(1)));
        ++count.count;
    }
    return true;
}

DatabaseCheck::Count brokenFormulas(AppContext& context)
{
    DatabaseCheck::Count count;
    if (!addBroken(context, QStringLiteral("T_BEDARF"),
                   QStringLiteral("SELECT T_BEDARF.ID, T_BEDARF.ID_NAEHRSTOFF, T_BEDARF.WERT_FORMEL, "
                                  "T_NAEHRSTOFFE.KZ_IK FROM T_BEDARF LEFT JOIN T_NAEHRSTOFFE ON "
                                  "T_BEDARF.ID_NAEHRSTOFF = T_NAEHRSTOFFE.ID ORDER BY T_BEDARF.ID"),
                   count) ||
        !addBroken(
            context, QStringLiteral("T_HOECHSTWERT"),
            QStringLiteral("SELECT ID, ID_NAEHRSTOFF, BEDINGUNG, '' AS KZ FROM T_HOECHSTWERT ORDER BY ID"),
            count)) {
        count.state = DatabaseCheck::Count::State::Failed;
        count.reason = context.db().lastError();
    }
    return count;
}

} // namespace

DatabaseCheck::Entry formulas()
{
    return {QStringLiteral("formulas that do not parse"),
            QStringLiteral("Formeln, die sich nicht berechnen lassen"),
            QStringLiteral("Formulas that do not parse"),
            brokenFormulas,
            {}};
}

QList<DatabaseCheck::Entry> all()
{
    QList<DatabaseCheck::Entry> entries = DatabaseCheck::storageChecks();
    entries << formulas();
    return entries;
}

} // namespace ProgramChecks
