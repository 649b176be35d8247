#pragma once

#include "core/Lang.h"
#include "db/ChoiceList.h"
#include "ration/CaseHeaderSource.h"
#include "ration/CaseRecord.h"
#include "ration/RationCalculation.h"

#include <QDate>
#include <QString>

#include <optional>

class AppContext;
class Prompt;
class RationPageHooks;

// The labels of the header form in the window's language.
struct CaseHeaderLabels
{
    QString salutation, ownerName, patientName, breed, recipeDate, title, save, speciesAndSex, caseType;
    QString catCondition, ribsPalpable, ribsFatCovered, actualWeight, targetWeight, adultWeight, energy,
        puppies, birthDate, ageWeeks;
};

// The header form of a case window without its widgets: the case record as
// field state, the look-up lists, loading and saving a case, and the
// reactions to edits. The form owns the ration calculation, which reads the
// case variables from here as the fields hold them.
//
// A text field's setter is its change notification: it fires for typed text
// and for text the program writes alike, as the form's fields do.
class CaseHeaderForm : public CaseHeaderSource
{
public:
    CaseHeaderForm(AppContext& context, Prompt& prompt);
    CaseHeaderForm(const CaseHeaderForm&) = delete;
    CaseHeaderForm& operator=(const CaseHeaderForm&) = delete;

    static QString windowTitle(const QString& languageCode);
    static CaseHeaderLabels labels(const QString& languageCode);
    CaseHeaderLabels labels() const;

    RationCalculation& ration() { return m_ration; }
    // The ration page's filter lists; none until the page exists.
    void setRationPageHooks(RationPageHooks* hooks) { m_hooks = hooks; }

    // Opening and saving
    void setPendingCaseKey(const QString& key) { m_pendingCaseKey = key; }
    void initCaseForm();
    void loadCase();
    // Inserts the case and its ration rows together; false (with the message
    // shown) when a check fails or nothing could be stored.
    bool saveCase();
    // The key the last successful saveCase() stored the case under; empty before.
    QString savedCaseKey() const { return m_savedCaseKey; }
    // The key of the stored case the form shows; empty for a new case and
    // for a new visit until it is saved.
    QString loadedCaseKey() const { return m_loadedCaseKey; }
    // Turns the stored case the form shows into the patient's next visit:
    // the same owner, patient, weights but the actual one, case type and
    // ration, dated today, the actual weight empty, linked to the patient's
    // first case. Saving stores it as a new case; the earlier one is left
    // as it was. False for a form that shows no stored case.
    bool startVisit();
    // The day a visit is dated; today unless set, for a visit entered later.
    void setVisitDate(const QDate& date);
    void fillCaseTypeList();
    void updateAgeInWeeks();
    void applyFieldVisibility(int cat, int target, int puppies, int adult);
    // Asks whether to save a changed case; true when the window may close.
    bool canClose();

    // Lists
    const ChoiceList& salutationList() const { return m_salutation; }
    const ChoiceList& breedList() const { return m_breed; }
    const ChoiceList& speciesList() const { return m_species; }
    const ChoiceList& sexList() const { return m_sex; }
    const ChoiceList& caseTypeList() const { return m_caseType; }
    void userChoseSalutation(int index);
    void userChoseBreed(int index);
    void userChoseSpecies(int index);
    void userChoseSex(int index);
    void userChoseCaseType(int index);

    // Text fields
    QString ownerName() const { return m_ownerName; }
    QString patientName() const { return m_patientName; }
    QString title() const { return m_title; }
    QString recipeDate() const { return m_recipeDate; }
    void setOwnerName(const QString& text);
    void setPatientName(const QString& text);
    void setTitle(const QString& text);
    void setActualWeight(const QString& text);
    void setTargetWeight(const QString& text);
    void setAdultWeight(const QString& text);
    void setEnergyPercent(const QString& text);
    void setPuppies(const QString& text);
    // The actual weight field lost the focus.
    void actualWeightLeft();

    // Body condition of a cat: two radio buttons, possibly neither set.
    bool ribsFatCovered() const { return m_ribsFatCovered; }
    void userClickedRibsPalpable();
    void userClickedRibsFatCovered();

    // Birth date picker with its no-date check box.
    std::optional<QDate> birthDate() const { return m_birthDate; }
    // The date as the picker shows it in the window's language; empty without one.
    QString birthDateText() const;
    void userChangedBirthDate(std::optional<QDate> date);

    bool catConditionVisible() const { return m_showCat; }
    bool targetWeightVisible() const { return m_showTarget; }
    bool puppiesVisible() const { return m_showPuppies; }
    bool adultWeightVisible() const { return m_showAdult; }

    QString loadedTitle() const { return m_loadedTitle; }
    bool isUnchanged() const { return m_isUnchanged; }
    // The ration changed by the user's hand: a feedstuff added or removed, an
    // amount typed. Closing then asks the save question.
    void markChanged() { m_isUnchanged = false; }
    // The handout's meals, batch, language and text blocks, stored with the
    // case; the recipe page changes them and marks the case changed.
    RecipeChoices& recipe() { return m_recipe; }
    const RecipeChoices& recipe() const { return m_recipe; }
    // The weight check's figures, stored with the case.
    WeightCheckFigures& weightCheck() { return m_weightCheck; }
    // The key of the patient's first case, which a new visit is linked to;
    // -1 for a case never followed up.
    int patientKey() const { return m_patientKey; }
    void setPatientKey(int key) { m_patientKey = key; }

    // CaseHeaderSource: what the calculations read.
    int caseTypeKey() const override { return m_caseType.currentData(); }
    int speciesKey() const override { return m_species.currentData(); }
    int sexKey() const override { return m_sex.currentData(); }
    QString actualWeight() const override { return m_actualWeight; }
    QString targetWeight() const override { return m_targetWeight; }
    QString adultWeight() const override { return m_adultWeight; }
    QString energyPercent() const override { return m_energy; }
    QString puppies() const override { return m_puppies; }
    QString ageWeeks() const override { return m_ageWeeks; }
    bool ribsPalpable() const override { return m_ribsPalpable; }
    bool bodyConditionChosen() const override { return m_ribsPalpable || m_ribsFatCovered; }
    // The case type's formulas read the body condition and none is chosen:
    // the view marks the field.
    bool bodyConditionMissing() const;
    QString pendingCaseKey() const override { return m_pendingCaseKey; }

private:
    QString text(const Lang::Text& t) const;
    void showMessage(const Lang::Text& message);
    void reloadFormulas();
    void numberEdited();
    // A number field takes a number, an empty text, or the start of a number
    // still being typed ("-", "1e"); anything else ("abc", "12kg", "inf") it
    // refuses at once, saying so and naming the field, and keeps what it had.
    enum class NumberInput { Complete, Unfinished, Refused };
    NumberInput checkNumber(const QString& value, const QString& label);
    // A weight: a number, never below 0; 0 (perhaps the start of "0,5") is
    // kept but computes nothing and is refused when saving.
    void setWeight(QString& field, const QString& value, const QString& label);
    void setNumber(QString& field, const QString& value, const QString& label);
    // "„%1“ muss größer als 0 sein." in the user's language.
    void refuseNotPositive(const QString& label);
    bool puppiesRequired() const;
    void computeAgeInWeeks();
    void fillList(ChoiceList& list, const QString& table, const QString& condition);
    // A case key's visibility of the optional groups when the user chooses it.
    void applyChosenCaseTypeVisibility();
    bool buildInsert(QString& sql);

    AppContext& m_context;
    Prompt& m_prompt;
    RationCalculation m_ration;
    RationPageHooks* m_hooks = nullptr;

    ChoiceList m_salutation, m_breed, m_species, m_sex, m_caseType;
    QString m_ownerName, m_patientName, m_title, m_recipeDate;
    QString m_actualWeight, m_targetWeight, m_adultWeight, m_energy, m_puppies, m_ageWeeks;
    bool m_ribsPalpable = false;
    bool m_ribsFatCovered = false;
    std::optional<QDate> m_birthDate;
    bool m_showCat = false, m_showTarget = false, m_showPuppies = false, m_showAdult = false;

    QString m_pendingCaseKey;
    QString m_savedCaseKey;
    QString m_loadedTitle;
    RecipeChoices m_recipe;
    WeightCheckFigures m_weightCheck;
    int m_patientKey = -1;
    QString m_loadedCaseKey;
    std::optional<QDate> m_visitDate;
    bool m_isUnchanged = false;
};
