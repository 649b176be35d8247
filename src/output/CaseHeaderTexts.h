#pragma once

#include <QString>

class CaseHeaderForm;

// The header form's fields as they are shown, which is all the recipe and
// the chart pages read of a case: they take the form's texts at the moment
// they build, not the stored case.
class CaseHeaderTexts
{
public:
    virtual ~CaseHeaderTexts() = default;

    virtual QString salutation() const = 0;
    virtual QString ownerName() const = 0;
    virtual QString patientName() const = 0;
    virtual QString species() const = 0;
    virtual QString sex() const = 0;
    virtual QString breed() const = 0;
    virtual QString caseType() const = 0;
    virtual QString title() const = 0;
    virtual QString actualWeight() const = 0;
    virtual QString targetWeight() const = 0;
    virtual QString adultWeight() const = 0;
    virtual QString ageWeeks() const = 0;
    // The keys of the chosen entries, for their names in another language;
    // -1 for none.
    virtual int salutationKey() const { return -1; }
    virtual int speciesKey() const { return -1; }
    virtual int breedKey() const { return -1; }
    virtual int caseTypeKey() const { return -1; }
};

// The texts of an open case window's header form.
class FormHeaderTexts : public CaseHeaderTexts
{
public:
    explicit FormHeaderTexts(const CaseHeaderForm& form)
        : m_form(form)
    {
    }

    QString salutation() const override;
    QString ownerName() const override;
    QString patientName() const override;
    QString species() const override;
    QString sex() const override;
    QString breed() const override;
    QString caseType() const override;
    QString title() const override;
    QString actualWeight() const override;
    QString targetWeight() const override;
    QString adultWeight() const override;
    QString ageWeeks() const override;
    int salutationKey() const override;
    int speciesKey() const override;
    int breedKey() const override;
    int caseTypeKey() const override;

private:
    const CaseHeaderForm& m_form;
};

// Plain values standing in for the form.
struct HeaderTextValues : CaseHeaderTexts
{
    QString salutationText, owner, patient, speciesText, sexText, breedText, caseTypeText, titleText;
    QString actual, target, adult, age;

    QString salutation() const override { return salutationText; }
    QString ownerName() const override { return owner; }
    QString patientName() const override { return patient; }
    QString species() const override { return speciesText; }
    QString sex() const override { return sexText; }
    QString breed() const override { return breedText; }
    QString caseType() const override { return caseTypeText; }
    QString title() const override { return titleText; }
    QString actualWeight() const override { return actual; }
    QString targetWeight() const override { return target; }
    QString adultWeight() const override { return adult; }
    QString ageWeeks() const override { return age; }
};
