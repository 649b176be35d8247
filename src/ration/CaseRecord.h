#pragma once

#include <QDate>
#include <QString>

#include <optional>
#include <vector>

class AppContext;
struct RationModel;

// A text block added to a case's recipe, in both languages as it read when
// it was added.
struct RecipeTextBlock
{
    QString german, english;
    // The text in the language, the other one when it has none there.
    QString in(const QString& languageCode) const;
};

// What the vet chose for the owner's handout. A choice not made (0, empty)
// leaves the handout its default.
struct RecipeChoices
{
    static constexpr int MostMeals = 6;
    static constexpr int MostBatchDays = 31;

    int meals = 0;     // per day, 1 to MostMeals
    int batchDays = 0; // 1 to MostBatchDays
    QString language;  // "DE" or "US"
    std::vector<RecipeTextBlock> textBlocks;
};

// The weight check's planned loss a week, in percent, as the user typed it
// (none: the page's default), and the overweight as the page last showed
// it; none for a case whose page was never shown.
struct WeightCheckFigures
{
    std::optional<double> lossRate, overweight;
};

// A case as its row of T_PAT_REZ holds it. Weights, energy and puppies are
// the texts the database gives for its numbers, which the header's fields
// take as they are (a target or adult weight stored as 0 is empty); a
// choice not made is -1.
struct CaseRecord
{
    int salutation = -1;
    QString ownerName;
    QString patientName;
    int species = -1;
    int sex = -1;
    int caseType = -1;
    int breed = -1;
    std::optional<QDate> birthDate;
    QString actualWeight, targetWeight, adultWeight, puppies, energy;
    // "Rippen gut fühlbar" (true), "Rippen fettbedeckt" (false) or neither.
    std::optional<bool> ribsPalpable;
    QString title;
    QString recipeDate; // as the database renders the date of saving
    // With its text blocks from T_REZ_TEXT.
    RecipeChoices recipe;
    // The key of the patient's first case, which its later visits share; -1
    // for a case never followed up.
    int patient = -1;
    WeightCheckFigures weightCheck;
    // The day a visit entered later is dated; none dates it by the
    // database's clock.
    std::optional<QDate> visitDate;
};

// One feedstuff row of a stored ration, in the order it was saved.
struct CaseRecordFeed
{
    int key = 0;
    QString name; // in the user's language
    double grams = 0.0;
};

// The one mapping between a case and its tables: T_PAT_REZ for the case,
// T_REZ_FM for its ration, T_REZ_TEXT for its recipe's text blocks.
namespace CaseRecords {

// The stored case with the key; nothing when there is none or it cannot be read.
std::optional<CaseRecord> read(AppContext& context, const QString& caseKey);
// The feedstuffs of the stored case's ration with their names in the user's language.
std::vector<CaseRecordFeed> readRation(AppContext& context, const QString& caseKey);

// The statement inserting the case, dated by the database's clock unless a
// visit date is given, which is written in dateFormat (the user's language's
// form). A birth date is stored as the date text of birthDateText (in the
// same form); a figure as the number its text reads as, an empty one as 0.
QString insertStatement(const CaseRecord& record, const QString& birthDateText,
                        const QString& dateFormat = QString());
// Inserts a T_REZ_FM row per feedstuff of the ration; stops at the first
// failure, naming in missingFeed a feedstuff that is no longer stored. The
// caller owns the transaction and the message.
bool insertRation(AppContext& context, const QString& caseKey, const RationModel& ration,
                  QString* missingFeed = nullptr);
// Inserts the recipe's text blocks in their order; the caller owns the
// transaction and the message.
bool insertTextBlocks(AppContext& context, const QString& caseKey,
                      const std::vector<RecipeTextBlock>& blocks);

} // namespace CaseRecords
