// The formula engine on arbitrary text: directly, through its postfix text,
// and as the requirement calculation feeds it. The first line is the
// formula; the lines after it are the header fields GATT, GESCHL, AKTGEW,
// SOLLGEW, MEBED, ANZWEL, ERWGEW, ALTWOCH, RIP, AMEKC and RMEKC.

#include "formula/FormulaEngine.h"
#include "ration/RequirementFormula.h"

#include <QList>
#include <QString>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

bool sameValue(double a, double b)
{
    return (std::isnan(a) && std::isnan(b)) || std::memcmp(&a, &b, sizeof a) == 0;
}

// The postfix text is what mensoly-cli formula prints beside the value; it
// must evaluate to the same status and value as the formula itself.
void checkPostfixAgrees(std::string_view formula)
{
    double direct = 0.0;
    const int directStatus = evaluateFormula(formula, direct);
    std::string postfix;
    if (formulaToPostfix(formula, postfix) != kFormulaOk) {
        if (directStatus == kFormulaOk)
            std::abort();
        return;
    }
    double viaPostfix = 0.0;
    const int postfixStatus = evaluatePostfix(postfix, viaPostfix);
    if (postfixStatus != directStatus || !sameValue(direct, viaPostfix))
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    checkPostfixAgrees(text);

    const QList<QString> lines =
        QString::fromUtf8(text.data(), qsizetype(text.size())).split(QLatin1Char('\n'));
    CaseVariables variables;
    QString* const fields[] = {&variables.species,      &variables.sex,           &variables.actualWeight,
                               &variables.targetWeight, &variables.energyPercent, &variables.puppies,
                               &variables.adultWeight,  &variables.ageWeeks,      &variables.ribs,
                               &variables.energyKcal61, &variables.energyKcal60};
    for (qsizetype i = 1; i < lines.size() && i <= qsizetype(std::size(fields)); ++i)
        *fields[i - 1] = lines[i];
    const QString substituted = RequirementFormula::substitute(lines.front(), variables);
    RequirementFormula::evaluate(substituted);
    const QByteArray utf8 = substituted.toUtf8();
    checkPostfixAgrees(std::string_view(utf8.constData(), std::size_t(utf8.size())));
    return 0;
}
