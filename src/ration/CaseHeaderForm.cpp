#include "ration/CaseHeaderForm.h"

#include "core/DateText.h"
#include "core/Lang.h"
#include "core/NumberText.h"
#include "core/Prompt.h"
#include "db/AppContext.h"
#include "ration/CaseFormulas.h"
#include "ration/CaseRecord.h"
#include "ration/CaseType.h"
#include "ration/RationPageHooks.h"
#include "ration/RationPageTexts.h"

#include <tuple>

namespace {

// Visibility flag values: show, hide or leave as it is.
constexpr int Hide = 0;
constexpr int Show = 1;
constexpr int Keep = -1;

using CaseType::CatSpecies;
using CaseType::DogSpecies;

bool applyFlag(bool current, int flag)
{
    return flag == Hide ? false : flag == Show ? true : current;
}

} // namespace

CaseHeaderForm::CaseHeaderForm(AppContext& context, Prompt& prompt)
    : m_context(context)
    , m_prompt(prompt)
    , m_ration(context, *this)
{
}

QString CaseHeaderForm::windowTitle(const QString& languageCode)
{
    return RationPageTexts::WindowTitle.in(languageCode);
}

CaseHeaderLabels CaseHeaderForm::labels(const QString& languageCode)
{
    using namespace RationPageTexts;
    const QString code = Lang::labelCode(languageCode);
    return CaseHeaderLabels{
        SalutationLabel.in(code),   OwnerLabel.in(code),         PatientLabel.in(code),
        BreedLabel.in(code),        RecipeDateLabel.in(code),    TitleLabel.in(code),
        SaveLabel.in(code),         SpeciesAndSexLabel.in(code), CaseTypeLabel.in(code),
        CatConditionLabel.in(code), RibsPalpableLabel.in(code),  RibsFatCoveredLabel.in(code),
        ActualWeightLabel.in(code), TargetWeightLabel.in(code),  AdultWeightLabel.in(code),
        EnergyLabel.in(code),       PuppiesLabel.in(code),       BirthDateLabel.in(code),
        AgeWeeksLabel.in(code)};
}

CaseHeaderLabels CaseHeaderForm::labels() const
{
    return labels(m_context.languageCode());
}

QString CaseHeaderForm::text(const Lang::Text& t) const
{
    return t.in(m_context.languageCode());
}

void CaseHeaderForm::showMessage(const Lang::Text& message)
{
    m_prompt.message(text(message), Prompt::Icon::Exclamation);
}

// Opening and saving ----------------------------------------------------------

void CaseHeaderForm::fillList(ChoiceList& list, const QString& table, const QString& condition)
{
    list.fill(m_context.db(), QStringLiteral("SELECT ID AS ITEMDATA , BEZ_") + m_context.languageCode() +
                                  QStringLiteral(" AS ITEMTEXT ") + QStringLiteral("FROM ") + table +
                                  QStringLiteral(" WHERE AKTIV = TRUE") + condition);
}

void CaseHeaderForm::initCaseForm()
{
    applyFieldVisibility(Hide, Hide, Hide, Hide);
    m_birthDate.reset();

    fillList(m_salutation, QStringLiteral("T_ANREDE"), QString());
    fillList(m_breed, QStringLiteral("T_RASSE"), QString());
    fillList(m_species, QStringLiteral("T_GATTUNG"), QStringLiteral(" AND ID > 1"));
    fillList(m_sex, QStringLiteral("T_GESCHLECHT"), QString());
    fillCaseTypeList();

    if (!m_pendingCaseKey.isEmpty()) {
        loadCase();
        m_ration.applyCaseNutrientSelection();
        m_ration.loadRequirementFormulas();
        m_ration.loadIndicatorFormulas();
        if (m_hooks) {
            m_hooks->fillCategoryFilter();
            m_hooks->fillTypeFilter();
            m_hooks->fillFeedList();
        }
        m_ration.fillRationRows(m_pendingCaseKey);
        m_ration.recalcContributions(QString(), QString());
        m_pendingCaseKey.clear();
    } else {
        m_recipe = {};
        m_weightCheck = {};
        m_patientKey = -1;
        m_visitDate.reset();
        m_loadedCaseKey.clear();
        // Written like a typed value: a new case counts as changed from the start.
        setEnergyPercent(QStringLiteral("100"));
    }
}

void CaseHeaderForm::fillCaseTypeList()
{
    const int species = m_species.currentData();
    const int sex = m_sex.currentData();
    m_caseType.fill(m_context.db(), QStringLiteral("SELECT ID AS ITEMDATA , BEZ_") +
                                        m_context.languageCode() + QStringLiteral(" AS ITEMTEXT") +
                                        QStringLiteral(" FROM T_FALL") +
                                        QStringLiteral(" WHERE ID_GATTUNG = ") +
                                        (species < 0 ? QStringLiteral("0") : QString::number(species)) +
                                        QStringLiteral(" AND ID_GESCHLECHT = ") +
                                        (sex < 0 ? QStringLiteral("0") : QString::number(sex)) +
                                        QStringLiteral(" AND AKTIV = TRUE"));
}

void CaseHeaderForm::loadCase()
{
    const std::optional<CaseRecord> record = CaseRecords::read(m_context, m_pendingCaseKey);
    m_recipe = record ? record->recipe : RecipeChoices{};
    m_weightCheck = record ? record->weightCheck : WeightCheckFigures{};
    m_patientKey = record ? record->patient : -1;
    m_visitDate.reset();
    m_loadedCaseKey = record ? m_pendingCaseKey : QString();
    if (!record)
        return;

    m_salutation.selectData(record->salutation);
    setOwnerName(record->ownerName);
    setPatientName(record->patientName);
    m_breed.selectData(record->breed);
    m_recipeDate = record->recipeDate;
    setTitle(record->title);
    m_loadedTitle = m_title;

    m_species.selectData(record->species);
    const int species = m_species.currentData();
    applyFieldVisibility(species == DogSpecies   ? Hide
                         : species == CatSpecies ? Show
                                                 : Keep,
                         Keep, Keep, Keep);

    m_sex.selectData(record->sex);

    // A case stored without a birth date opens without one (and without an age).
    m_birthDate = record->birthDate;
    if (m_birthDate)
        computeAgeInWeeks();
    else
        m_ageWeeks.clear();

    fillCaseTypeList();
    m_caseType.selectData(record->caseType);
    if (CaseType::opensAsGrowth(record->caseType))
        applyFieldVisibility(Keep, Hide, Hide, Show);
    else if (CaseType::opensAsLactation(record->caseType))
        applyFieldVisibility(Keep, Show, Show, Hide);
    else
        applyFieldVisibility(Keep, Show, Hide, Hide);

    if (record->ribsPalpable) {
        m_ribsPalpable = *record->ribsPalpable;
        m_ribsFatCovered = !*record->ribsPalpable;
    }

    setTargetWeight(record->targetWeight);
    setActualWeight(record->actualWeight);
    setEnergyPercent(record->energy);
    setPuppies(record->puppies);
    setAdultWeight(record->adultWeight);

    m_isUnchanged = true;
}

bool CaseHeaderForm::buildInsert(QString& sql)
{
    if (m_salutation.currentIndex() < 0) {
        showMessage(RationPageTexts::NoSalutation);
        return false;
    }
    if (m_ownerName.trimmed().isEmpty()) {
        showMessage(RationPageTexts::NoOwner);
        return false;
    }
    if (m_patientName.trimmed().isEmpty()) {
        showMessage(RationPageTexts::NoPatient);
        return false;
    }
    for (const auto& [list, message] :
         {std::pair{&m_species, &RationPageTexts::NoSpecies}, std::pair{&m_sex, &RationPageTexts::NoSex},
          std::pair{&m_caseType, &RationPageTexts::NoCaseType}}) {
        if (list->currentIndex() < 0) {
            showMessage(*message);
            return false;
        }
    }
    // An animal weighs something. A target or adult weight the case type
    // shows may be left empty (stored as 0, how an empty one has always been
    // stored, and read as not given: nothing is computed from it), but a 0
    // in it is no weight. A hidden one keeps what it holds.
    const CaseValues typed = values();
    for (const auto& [weight, label, needed] :
         {std::tuple{typed.actualWeight, labels().actualWeight, true},
          std::tuple{typed.targetWeight, labels().targetWeight, m_showTarget && typed.targetWeight},
          std::tuple{typed.adultWeight, labels().adultWeight, m_showAdult && typed.adultWeight}}) {
        if (needed && !CaseValues::weighs(weight)) {
            refuseNotPositive(label);
            return false;
        }
    }
    if (puppiesRequired() && typed.puppies.value_or(0.0) < 1.0) {
        showMessage(RationPageTexts::NoPuppies);
        return false;
    }
    if (m_title.trimmed().isEmpty() || m_title == m_loadedTitle) {
        showMessage(RationPageTexts::NoNewTitle);
        return false;
    }

    CaseRecord record;
    record.salutation = m_salutation.currentData();
    record.ownerName = m_ownerName;
    record.patientName = m_patientName;
    record.species = m_species.currentData();
    record.sex = m_sex.currentData();
    record.caseType = m_caseType.currentData();
    record.breed = m_breed.currentIndex() < 0 ? -1 : m_breed.currentData();
    record.birthDate = m_birthDate;
    record.actualWeight = m_actualWeight;
    record.targetWeight = m_targetWeight;
    record.adultWeight = m_adultWeight;
    record.puppies = m_puppies;
    record.energy = m_energy;
    if (m_ribsPalpable || m_ribsFatCovered)
        record.ribsPalpable = m_ribsPalpable;
    record.title = m_title;
    record.recipe = m_recipe;
    record.patient = m_patientKey;
    record.weightCheck = m_weightCheck;
    record.visitDate = m_visitDate;
    sql = CaseRecords::insertStatement(record, birthDateText(),
                                       DateText::inputFormat(m_context.languageCode()));
    return true;
}

bool CaseHeaderForm::saveCase()
{
    QString sql;
    if (!buildInsert(sql))
        return false;

    // The case and its ration rows are stored together or not at all, and the
    // new key is the one this insert got, whatever other copies of the program do.
    Connection& db = m_context.db();
    QString newKey;
    {
        DbTransaction transaction(db);
        QString missingFeed;
        bool stored = transaction.isActive() && db.executeSql(sql);
        if (stored) {
            newKey = QString::number(db.lastInsertKey());
            stored = CaseRecords::insertRation(m_context, newKey, m_ration.model(), &missingFeed) &&
                     CaseRecords::insertTextBlocks(m_context, newKey, m_recipe.textBlocks) &&
                     transaction.commit();
        }
        const QString reason = stored ? QString() : db.lastError();
        if (!missingFeed.isEmpty()) {
            m_prompt.message(text(RationPageTexts::FeedGone).arg(missingFeed.trimmed()),
                             Prompt::Icon::Exclamation);
            return false;
        }
        if (!stored) {
            // The server's reason (a refused login, a lost connection) is
            // what the user or the administrator can act on.
            m_prompt.message(
                Lang::withReason(m_context.languageCode(), text(RationPageTexts::RecordNotInserted), reason),
                Prompt::Icon::Exclamation);
            return false;
        }
    }
    m_loadedTitle = m_title;
    m_savedCaseKey = newKey;
    m_pendingCaseKey = newKey;
    initCaseForm();
    return true;
}

bool CaseHeaderForm::startVisit()
{
    if (m_loadedCaseKey.isEmpty())
        return false;
    if (m_patientKey <= 0)
        m_patientKey = m_loadedCaseKey.toInt();
    m_loadedCaseKey.clear();
    // A visit may keep the title: it is a case of its own.
    m_loadedTitle.clear();
    m_recipeDate = m_context.today().toString(DateText::inputFormat(m_context.languageCode()));
    m_visitDate.reset();
    // The overweight is the new weight's; the planned loss stays.
    m_weightCheck.overweight.reset();
    setActualWeight(QString());
    m_isUnchanged = false;
    return true;
}

void CaseHeaderForm::setVisitDate(const QDate& date)
{
    m_visitDate = date;
    m_recipeDate = date.toString(DateText::inputFormat(m_context.languageCode()));
    m_isUnchanged = false;
}

void CaseHeaderForm::applyFieldVisibility(int cat, int target, int puppies, int adult)
{
    m_showCat = applyFlag(m_showCat, cat);
    m_showTarget = applyFlag(m_showTarget, target);
    m_showPuppies = applyFlag(m_showPuppies, puppies);
    m_showAdult = applyFlag(m_showAdult, adult);
}

bool CaseHeaderForm::canClose()
{
    if (m_isUnchanged)
        return true;
    const Prompt::Answer answer = m_prompt.question(text(RationPageTexts::SaveQuestion),
                                                    Prompt::Buttons::YesNoCancel, Prompt::Icon::Exclamation);
    // Yes saves as the save button does; when the save is refused, its
    // message says why and the window stays open.
    return answer == Prompt::Answer::No || (answer == Prompt::Answer::Yes && saveCase());
}

// Age --------------------------------------------------------------------------

QString CaseHeaderForm::birthDateText() const
{
    if (!m_birthDate)
        return QString();
    return m_birthDate->toString(DateText::inputFormat(m_context.languageCode()));
}

void CaseHeaderForm::computeAgeInWeeks()
{
    const QDate birth = m_birthDate.value_or(QDate(1990, 1, 1));
    const qint64 seconds = QDateTime(birth, QTime(0, 0)).secsTo(m_context.now());
    // Both divisions truncate toward zero: a date in the future gives 0 or less.
    const qint64 days = seconds / 86400;
    m_ageWeeks = QString::number(days / 7);
}

void CaseHeaderForm::updateAgeInWeeks()
{
    if (m_birthDate) {
        computeAgeInWeeks();
    } else {
        // Without a date there is no age, rather than the age of a fallback date.
        m_prompt.message(QStringLiteral("Time not set!"));
        m_ageWeeks.clear();
    }
    m_isUnchanged = false;
    m_ration.evaluateRequirements();
}

void CaseHeaderForm::userChangedBirthDate(std::optional<QDate> date)
{
    // No animal is born after today, the recipe's date.
    if (date && date->isValid() && *date > m_context.now().date()) {
        m_prompt.message(
            RationPageTexts::DateInFuture.in(m_context.languageCode()).arg(labels().birthDate.trimmed()),
            Prompt::Icon::Exclamation);
        return;
    }
    m_birthDate = date && date->isValid() ? date : std::nullopt;
    updateAgeInWeeks();
}

// Reactions to edits -------------------------------------------------------------

void CaseHeaderForm::reloadFormulas()
{
    m_ration.loadRequirementFormulas();
    m_ration.loadIndicatorFormulas();
}

void CaseHeaderForm::numberEdited()
{
    // The loading code writes the stored values; the case is recomputed once it is complete.
    if (m_pendingCaseKey.isEmpty())
        reloadFormulas();
    m_isUnchanged = false;
}

bool CaseHeaderForm::puppiesRequired() const
{
    return CaseType::isLactation(m_caseType.currentData());
}

void CaseHeaderForm::userChoseSalutation(int index)
{
    m_salutation.setCurrentIndex(index);
    m_isUnchanged = false;
}

void CaseHeaderForm::userChoseBreed(int index)
{
    m_breed.setCurrentIndex(index);
    m_isUnchanged = false;
}

void CaseHeaderForm::userChoseSpecies(int index)
{
    m_species.setCurrentIndex(index);
    fillCaseTypeList();
    reloadFormulas();
    m_isUnchanged = false;
}

void CaseHeaderForm::userChoseSex(int index)
{
    m_sex.setCurrentIndex(index);
    fillCaseTypeList();
    reloadFormulas();
    m_isUnchanged = false;
}

void CaseHeaderForm::applyChosenCaseTypeVisibility()
{
    const int caseType = m_caseType.currentData();
    const int species = m_species.currentData();
    if (CaseType::isGrowth(caseType))
        applyFieldVisibility(Hide, Hide, Hide, Show);
    else if (CaseType::isLactation(caseType))
        applyFieldVisibility(CaseType::isCatLactation(caseType) ? Show : Hide, Show, Show, Hide);
    else if (CaseType::isAdult(caseType) && species == DogSpecies)
        applyFieldVisibility(Hide, Show, Hide, Hide);
    else if (CaseType::isAdult(caseType) && species == CatSpecies)
        applyFieldVisibility(Show, Show, Hide, Hide);
}

void CaseHeaderForm::userChoseCaseType(int index)
{
    m_caseType.setCurrentIndex(index);
    applyChosenCaseTypeVisibility();
    m_ration.applyCaseNutrientSelection();
    reloadFormulas();
    if (m_hooks) {
        m_hooks->fillCategoryFilter();
        m_hooks->fillTypeFilter();
        m_hooks->fillFeedList();
    }
    m_isUnchanged = false;
}

void CaseHeaderForm::setOwnerName(const QString& value)
{
    m_ownerName = value;
    m_isUnchanged = false;
}

void CaseHeaderForm::setPatientName(const QString& value)
{
    m_patientName = value;
    m_isUnchanged = false;
}

void CaseHeaderForm::setTitle(const QString& value)
{
    m_title = value;
    m_isUnchanged = false;
}

CaseHeaderForm::NumberInput CaseHeaderForm::checkNumber(const QString& value, const QString& label)
{
    if (value.trimmed().isEmpty() || NumberText::readExactly(value))
        return NumberInput::Complete;
    // A sign, an exponent or a decimal comma typed first: a digit more makes
    // it a number. Nothing is calculated from it until then.
    if (NumberText::readExactly(value.trimmed() + QLatin1Char('0')))
        return NumberInput::Unfinished;
    m_prompt.message(RationPageTexts::NotANumber.in(m_context.languageCode()).arg(label.trimmed()),
                     Prompt::Icon::Exclamation);
    return NumberInput::Refused;
}

void CaseHeaderForm::refuseNotPositive(const QString& label)
{
    m_prompt.message(RationPageTexts::NotPositive.in(m_context.languageCode()).arg(label.trimmed()),
                     Prompt::Icon::Exclamation);
}

void CaseHeaderForm::setWeight(QString& field, const QString& value, const QString& label)
{
    NumberInput input = checkNumber(value, label);
    if (input == NumberInput::Complete && !value.trimmed().isEmpty()) {
        const double weight = NumberText::read(value.trimmed());
        if (weight < 0) {
            refuseNotPositive(label);
            return;
        }
        if (weight == 0)
            input = NumberInput::Unfinished;
    }
    if (input == NumberInput::Refused)
        return;
    field = value;
    if (input == NumberInput::Complete)
        numberEdited();
    else
        m_isUnchanged = false;
}

void CaseHeaderForm::setNumber(QString& field, const QString& value, const QString& label)
{
    const NumberInput input = checkNumber(value, label);
    if (input == NumberInput::Refused)
        return;
    field = value;
    if (input == NumberInput::Complete)
        numberEdited();
    else
        m_isUnchanged = false;
}

void CaseHeaderForm::setActualWeight(const QString& value)
{
    setWeight(m_actualWeight, value, labels().actualWeight);
}

void CaseHeaderForm::setTargetWeight(const QString& value)
{
    setWeight(m_targetWeight, value, labels().targetWeight);
}

void CaseHeaderForm::setAdultWeight(const QString& value)
{
    setWeight(m_adultWeight, value, labels().adultWeight);
}

void CaseHeaderForm::setEnergyPercent(const QString& value)
{
    setNumber(m_energy, value, labels().energy);
}

void CaseHeaderForm::setPuppies(const QString& value)
{
    const NumberInput input = checkNumber(value, labels().puppies);
    if (input == NumberInput::Refused)
        return;
    m_puppies = value;
    if (input == NumberInput::Unfinished) {
        m_isUnchanged = false;
        return;
    }
    if (puppiesRequired() && values().puppies.value_or(0.0) < 1.0) {
        showMessage(RationPageTexts::NoPuppies);
        return;
    }
    numberEdited();
}

void CaseHeaderForm::actualWeightLeft()
{
    if (m_targetWeight.isEmpty())
        setTargetWeight(m_actualWeight);
}

bool CaseHeaderForm::bodyConditionMissing() const
{
    return !bodyConditionChosen() && CaseFormulas::readsBodyCondition(m_ration.model().nutrients);
}

void CaseHeaderForm::userClickedRibsPalpable()
{
    m_ribsPalpable = true;
    m_ribsFatCovered = false;
    m_isUnchanged = false;
    reloadFormulas();
}

void CaseHeaderForm::userClickedRibsFatCovered()
{
    m_ribsFatCovered = true;
    m_ribsPalpable = false;
    m_isUnchanged = false;
    reloadFormulas();
}
