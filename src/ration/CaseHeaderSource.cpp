#include "ration/CaseHeaderSource.h"

#include "core/NumberText.h"

namespace {

std::optional<double> figure(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;
    return NumberText::read(trimmed);
}

std::optional<int> whole(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;
    return NumberText::readWhole(trimmed);
}

} // namespace

CaseValues CaseHeaderSource::values() const
{
    CaseValues v;
    v.caseType = caseTypeKey();
    v.species = speciesKey();
    v.sex = sexKey();
    v.actualWeight = figure(actualWeight());
    v.targetWeight = figure(targetWeight());
    v.adultWeight = figure(adultWeight());
    v.energyPercent = figure(energyPercent());
    v.puppies = figure(puppies());
    v.ageWeeks = whole(ageWeeks());
    v.ribsPalpable = ribsPalpable();
    v.bodyConditionChosen = bodyConditionChosen();
    return v;
}
