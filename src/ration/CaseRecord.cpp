#include "ration/CaseRecord.h"

#include "core/Lang.h"
#include "core/NumberText.h"
#include "db/AppContext.h"
#include "db/RecordSet.h"
#include "db/SqlQuote.h"
#include "ration/RationModel.h"

namespace {

// A birth date as the database renders it: day.month.year or month/day/year,
// told apart by the third character.
QDate parseStoredDate(const QString& text)
{
    const QDate fallback(1990, 1, 1);
    if (text.size() < 3)
        return fallback;
    const QChar separator = text.at(2);
    if (separator != QLatin1Char('.') && separator != QLatin1Char('/'))
        return fallback;
    const QStringList parts = text.split(separator);
    if (parts.size() < 3)
        return fallback;
    const int first = parts[0].trimmed().toInt();
    const int second = parts[1].trimmed().toInt();
    const int year = parts[2].trimmed().left(4).toInt();
    const QDate date =
        separator == QLatin1Char('.') ? QDate(year, second, first) : QDate(year, first, second);
    return date.isValid() ? date : fallback;
}

// The number a numeric field stands for in the insert; an empty field is 0.
// Only the number read from the text reaches the statement.
QString numberForSql(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return QStringLiteral("0,");
    return QString::number(NumberText::read(trimmed), 'g', 15) + QStringLiteral(", ");
}

// A stored choice within its range; 0 (not chosen) outside it.
int choiceIn(int stored, int most)
{
    return stored >= 1 && stored <= most ? stored : 0;
}

std::vector<RecipeTextBlock> readTextBlocks(AppContext& context, const QString& caseKey)
{
    std::vector<RecipeTextBlock> blocks;
    RecordSet rs;
    if (!rs.openRecordset(context.db(),
                          QStringLiteral("SELECT BEZ_DE, BEZ_US FROM T_REZ_TEXT WHERE ID_Rezept = ") +
                              caseKey + QStringLiteral(" ORDER BY Pos, ID")))
        return blocks;
    for (; !rs.isEof(); rs.moveNext()) {
        RecipeTextBlock block;
        rs.getFieldText(QStringLiteral("BEZ_DE"), block.german);
        rs.getFieldText(QStringLiteral("BEZ_US"), block.english);
        blocks.push_back(block);
    }
    return blocks;
}

} // namespace

QString RecipeTextBlock::in(const QString& languageCode) const
{
    const QString& wanted = languageCode == Lang::German ? german : english;
    return wanted.trimmed().isEmpty() ? (languageCode == Lang::German ? english : german) : wanted;
}

namespace CaseRecords {

std::optional<CaseRecord> read(AppContext& context, const QString& caseKey)
{
    RecordSet rs;
    if (!rs.openRecordset(context.db(), QStringLiteral("SELECT * FROM T_PAT_REZ WHERE ID = ") + caseKey) ||
        rs.isEof())
        return std::nullopt;
    const auto key = [&rs](const char* column) {
        int value = -1;
        rs.getFieldLong(QString::fromLatin1(column), value);
        return value;
    };
    const auto field = [&rs](const char* column) {
        QString value;
        rs.getFieldText(QString::fromLatin1(column), value);
        return value;
    };
    CaseRecord record;
    record.salutation = key("ID_Anrede");
    record.ownerName = field("Name_Besitzer");
    record.patientName = field("Name_Pat");
    record.breed = key("ID_Rasse");
    record.recipeDate = field("Datum");
    record.title = field("Rezepttitel");
    record.species = key("ID_Gattung");
    record.sex = key("ID_Geschlecht");
    record.caseType = key("ID_Fall");
    // A case stored without a birth date has none.
    const QString birth = field("Geburtsdatum").trimmed();
    if (!birth.isEmpty())
        record.birthDate = parseStoredDate(birth);
    const QString ribs = field("Rippen").trimmed();
    if (ribs == QLatin1String("1"))
        record.ribsPalpable = true;
    else if (ribs == QLatin1String("0"))
        record.ribsPalpable = false;
    // A target or adult weight stored as 0 was never given (an empty one
    // has always been stored as 0) and reads as none.
    const auto weight = [&field](const char* column) {
        const QString text = field(column).trimmed();
        return NumberText::read(text) == 0.0 ? QString() : text;
    };
    record.targetWeight = weight("Gewicht_soll");
    record.actualWeight = field("Gewicht_akt");
    record.energy = field("Energie");
    record.puppies = field("Anz_Welpen");
    record.adultWeight = weight("Gewicht_Adult");
    record.recipe.meals = choiceIn(key("Mahlzeiten"), RecipeChoices::MostMeals);
    record.recipe.batchDays = choiceIn(key("Vorrat_Tage"), RecipeChoices::MostBatchDays);
    const QString language = field("Rezept_Sprache").trimmed().toUpper();
    if (language == Lang::German || language == Lang::English)
        record.recipe.language = language;
    record.recipe.textBlocks = readTextBlocks(context, caseKey);
    record.patient = key("ID_Patient");
    const auto percent = [&field](const char* column) -> std::optional<double> {
        const QString text = field(column).trimmed();
        if (text.isEmpty())
            return std::nullopt;
        return NumberText::read(text);
    };
    record.weightCheck.lossRate = percent("Abnahme_Rate");
    record.weightCheck.overweight = percent("Uebergewicht");
    return record;
}

std::vector<CaseRecordFeed> readRation(AppContext& context, const QString& caseKey)
{
    std::vector<CaseRecordFeed> feeds;
    RecordSet rs;
    if (!rs.openRecordset(context.db(),
                          QStringLiteral("SELECT T_FUTTERMITTEL.ID, T_FUTTERMITTEL.Bez_") +
                              context.languageCode() + QStringLiteral(" AS BEZ, T_REZ_FM.TagRat ") +
                              QStringLiteral("FROM T_FUTTERMITTEL INNER JOIN T_REZ_FM ON T_FUTTERMITTEL.ID = "
                                             "T_REZ_FM.ID_Futtermittel ") +
                              QStringLiteral("WHERE T_REZ_FM.ID_Rezept = ") + caseKey +
                              // The ration's rows in the order they were saved, on every engine.
                              QStringLiteral(" ORDER BY T_REZ_FM.ID")))
        return feeds;
    for (; !rs.isEof(); rs.moveNext()) {
        CaseRecordFeed feed;
        rs.getFieldLong(QStringLiteral("ID"), feed.key);
        rs.getFieldText(QStringLiteral("BEZ"), feed.name);
        rs.getFieldDouble(QStringLiteral("TagRat"), feed.grams);
        feeds.push_back(feed);
    }
    return feeds;
}

QString insertStatement(const CaseRecord& record, const QString& birthDateText, const QString& dateFormat)
{
    const auto key = [](int key) { return QString::number(key) + QStringLiteral(", "); };
    QString values = key(record.salutation) + Sql::quote(record.ownerName) + QStringLiteral(", ") +
                     Sql::quote(record.patientName) + QStringLiteral(", ") + key(record.species) +
                     key(record.sex) + key(record.caseType);
    values += record.breed < 0 ? QStringLiteral("NULL,") : key(record.breed);
    // The layer stores a date text in a date column as a date; no date is NULL.
    values += record.birthDate ? Sql::quote(birthDateText) + QStringLiteral(", ") : QStringLiteral("NULL, ");
    for (const QString* figure :
         {&record.actualWeight, &record.targetWeight, &record.adultWeight, &record.puppies, &record.energy})
        values += numberForSql(*figure);
    // None chosen stays none.
    values += !record.ribsPalpable   ? QStringLiteral("NULL, ")
              : *record.ribsPalpable ? QStringLiteral("'1', ")
                                     : QStringLiteral("'0', ");
    values += Sql::quote(record.title) + QStringLiteral(", ");
    // The handout's choices; one not made stays NULL.
    const auto choice = [](int value, int most) {
        return choiceIn(value, most) ? QString::number(value) : QStringLiteral("NULL");
    };
    const QString& language = record.recipe.language;
    const QString handout =
        QStringLiteral(", ") + choice(record.recipe.meals, RecipeChoices::MostMeals) + QStringLiteral(", ") +
        choice(record.recipe.batchDays, RecipeChoices::MostBatchDays) + QStringLiteral(", ") +
        (language == Lang::German || language == Lang::English ? Sql::quote(language)
                                                               : QStringLiteral("NULL"));
    // The visit's patient and the weight check's figures; none is NULL.
    const auto optional = [](const std::optional<double>& value) {
        return value ? QString::number(*value, 'g', 15) : QStringLiteral("NULL");
    };
    const QString followUp = QStringLiteral(", ") +
                             (record.patient > 0 ? QString::number(record.patient) : QStringLiteral("NULL")) +
                             QStringLiteral(", ") + optional(record.weightCheck.lossRate) +
                             QStringLiteral(", ") + optional(record.weightCheck.overweight);
    return QStringLiteral(
               "INSERT INTO T_PAT_REZ ( ID_Anrede, Name_Besitzer, Name_Pat, ID_Gattung, ID_Geschlecht, "
               "ID_Fall, ID_Rasse, Geburtsdatum,") +
           QStringLiteral(
               " Gewicht_akt, Gewicht_soll, Gewicht_adult, Anz_Welpen, Energie, Rippen, Rezepttitel, "
               "Datum, Bemerkung, Mahlzeiten, Vorrat_Tage, Rezept_Sprache, ID_Patient, Abnahme_Rate, "
               "Uebergewicht )VALUES (") +
           values +
           (record.visitDate && !dateFormat.isEmpty() ? Sql::quote(record.visitDate->toString(dateFormat))
                                                      : QStringLiteral("NOW()")) +
           QStringLiteral(", ' '") + handout + followUp + QStringLiteral(")");
}

bool insertRation(AppContext& context, const QString& caseKey, const RationModel& ration,
                  QString* missingFeed)
{

    // The feedstuffs are locked in the order of their keys first, the order in
    // which the system table import replaces them (deleting and inserting
    // each under its key): locked in the order of the rows, a case could hold
    // one the import wants next while it waits for one the import holds. A
    // statement that waited for the import sees the replaced rows; the one
    // that waited itself finds the old row gone but not the new one.
    QStringList keys;
    for (const RationFeed& feed : ration.feeds)
        keys << QString::number(feed.key);
    RecordSet locked;
    if (!keys.isEmpty() &&
        !locked.openRecordset(context.db(), QStringLiteral("SELECT ID FROM T_FUTTERMITTEL WHERE ID IN (") +
                                                keys.join(QStringLiteral(", ")) +
                                                QStringLiteral(") ORDER BY ID FOR KEY SHARE")))
        return false;
    locked.closeRecordset();
    for (const RationFeed& feed : ration.feeds) {
        // The amount enters the statement as the number it reads as, never as typed text.
        const QString amount = QString::number(feed.grams, 'g', 15);
        // Taken from the feedstuff's own row, so that a feedstuff another copy
        // of the program deleted since it was picked stores no row that no
        // case could open. The row stays locked against deleting until the
        // case is stored: the feedstuff editor locks it before it counts the
        // cases using it.
        const QString sql =
            QStringLiteral("INSERT INTO T_REZ_FM ( ID_Rezept, ID_Futtermittel, TagRat) SELECT ") + caseKey +
            QStringLiteral(", ID, ") + amount + QStringLiteral(" FROM T_FUTTERMITTEL WHERE ID = ") +
            QString::number(feed.key) + QStringLiteral(" FOR KEY SHARE");
        long inserted = 0;
        if (!context.db().executeSql(sql, inserted))
            return false;
        if (inserted != 1) {
            if (missingFeed)
                *missingFeed = feed.name;
            return false;
        }
    }
    return true;
}

bool insertTextBlocks(AppContext& context, const QString& caseKey, const std::vector<RecipeTextBlock>& blocks)
{
    for (size_t i = 0; i < blocks.size(); ++i) {
        if (!context.db().executeSql(
                QStringLiteral("INSERT INTO T_REZ_TEXT (ID_Rezept, Pos, BEZ_DE, BEZ_US) VALUES (") + caseKey +
                QStringLiteral(", ") + QString::number(i + 1) + QStringLiteral(", ") +
                Sql::quote(blocks[i].german) + QStringLiteral(", ") + Sql::quote(blocks[i].english) +
                QStringLiteral(")")))
            return false;
    }
    return true;
}

} // namespace CaseRecords
