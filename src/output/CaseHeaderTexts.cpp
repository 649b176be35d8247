#include "output/CaseHeaderTexts.h"

#include "ration/CaseHeaderForm.h"

QString FormHeaderTexts::salutation() const
{
    return m_form.salutationList().currentText();
}
QString FormHeaderTexts::ownerName() const
{
    return m_form.ownerName();
}
QString FormHeaderTexts::patientName() const
{
    return m_form.patientName();
}
QString FormHeaderTexts::species() const
{
    return m_form.speciesList().currentText();
}
QString FormHeaderTexts::sex() const
{
    return m_form.sexList().currentText();
}
QString FormHeaderTexts::breed() const
{
    return m_form.breedList().currentText();
}
QString FormHeaderTexts::caseType() const
{
    return m_form.caseTypeList().currentText();
}
QString FormHeaderTexts::title() const
{
    return m_form.title();
}
QString FormHeaderTexts::actualWeight() const
{
    return m_form.actualWeight();
}
QString FormHeaderTexts::targetWeight() const
{
    return m_form.targetWeight();
}
QString FormHeaderTexts::adultWeight() const
{
    return m_form.adultWeight();
}
QString FormHeaderTexts::ageWeeks() const
{
    return m_form.ageWeeks();
}

namespace {

int keyOf(const ChoiceList& list)
{
    return list.currentIndex() < 0 ? -1 : list.currentData();
}

} // namespace

int FormHeaderTexts::salutationKey() const
{
    return keyOf(m_form.salutationList());
}
int FormHeaderTexts::speciesKey() const
{
    return keyOf(m_form.speciesList());
}
int FormHeaderTexts::breedKey() const
{
    return keyOf(m_form.breedList());
}
int FormHeaderTexts::caseTypeKey() const
{
    return keyOf(m_form.caseTypeList());
}
