#pragma once

#include <QString>

#include <optional>

// The header's inputs to the calculations as values: a choice's key (-1 for
// none), a figure (none while its field is empty or holds no number).
struct CaseValues
{
    int caseType = -1;
    int species = -1;
    int sex = -1;
    std::optional<double> actualWeight, targetWeight, adultWeight, energyPercent, puppies;
    std::optional<int> ageWeeks;
    bool ribsPalpable = false;
    bool bodyConditionChosen = false;

    // A weight of 0 is one not given (it is how an empty one is stored).
    static bool weighs(const std::optional<double>& kilograms) { return kilograms && *kilograms > 0.0; }
};

// What the calculations read from the header form, always as the field holds
// it at the moment they run. Lets the grids work without the form's widgets.
class CaseHeaderSource
{
public:
    virtual ~CaseHeaderSource() = default;

    // The fields below read as values; the one place their texts are read.
    CaseValues values() const;

    // Item data of the chosen list entry; -1 without a choice.
    virtual int caseTypeKey() const = 0;
    virtual int speciesKey() const = 0;
    virtual int sexKey() const = 0;

    virtual QString actualWeight() const = 0;
    virtual QString targetWeight() const = 0;
    virtual QString adultWeight() const = 0;
    virtual QString energyPercent() const = 0;
    virtual QString puppies() const = 0;
    virtual QString ageWeeks() const = 0;
    // "Rippen gut fühlbar" is set.
    virtual bool ribsPalpable() const = 0;
    // One of "Rippen gut fühlbar" and "Rippen fettbedeckt" is set: without,
    // a formula reading the body condition has no input.
    virtual bool bodyConditionChosen() const = 0;

    // Key of the stored case being opened; empty otherwise.
    virtual QString pendingCaseKey() const = 0;
};

// Plain values standing in for the form, for the command line, tests and benchmarks.
struct CaseInputs : CaseHeaderSource
{
    int caseType = -1;
    int species = -1;
    int sex = -1;
    QString actual;
    QString target;
    QString adult;
    QString energy;
    QString puppyCount;
    QString age;
    bool ribs = false;
    bool ribsChosen = true;
    QString pendingKey;

    int caseTypeKey() const override { return caseType; }
    int speciesKey() const override { return species; }
    int sexKey() const override { return sex; }
    QString actualWeight() const override { return actual; }
    QString targetWeight() const override { return target; }
    QString adultWeight() const override { return adult; }
    QString energyPercent() const override { return energy; }
    QString puppies() const override { return puppyCount; }
    QString ageWeeks() const override { return age; }
    bool ribsPalpable() const override { return ribs; }
    bool bodyConditionChosen() const override { return ribsChosen; }
    QString pendingCaseKey() const override { return pendingKey; }
};
