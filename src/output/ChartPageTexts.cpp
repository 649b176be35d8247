#include "output/ChartPageTexts.h"

#include "core/Lang.h"
#include "core/NumberText.h"
#include "output/CaseHeaderTexts.h"
#include "output/ChartTexts.h"

namespace ChartPageTexts {

QString sexWord(const QString& languageCode, const QString& sex)
{
    if (sex == QLatin1String("M"))
        return QStringLiteral("m) ");
    // Female is "W" in German and "F" in English.
    if (sex == QLatin1String(languageCode == Lang::German ? "W" : "F"))
        return ChartTexts::FemaleShort.in(languageCode);
    return QString();
}

QString title(const QString& languageCode, const QString& prefix, const CaseHeaderTexts& header)
{
    return prefix + header.patientName() + QStringLiteral(" (") + header.species() + QStringLiteral("/") +
           sexWord(languageCode, header.sex()) + header.caseType() + QStringLiteral("  / ") +
           header.ownerName() + QStringLiteral("  / ") + header.title();
}

double readWithoutComma(const QString& text)
{
    // The comma ends the number, as it does for atof.
    const qsizetype comma = text.indexOf(QLatin1Char(','));
    return NumberText::read(comma < 0 ? text : text.left(comma));
}

} // namespace ChartPageTexts
