#include "output/RecipePage.h"

#include "core/DateText.h"
#include "core/Lang.h"
#include "core/NumberText.h"
#include "core/Prompt.h"
#include "db/AppContext.h"
#include "db/RecordSet.h"
#include "db/SqlQuote.h"
#include "output/CaseHeaderTexts.h"
#include "output/FollowUpTexts.h"
#include "output/PracticeDetails.h"
#include "output/RecipeTexts.h"
#include "ration/BalanceData.h"
#include "ration/CaseRecord.h"
#include "ration/CaseType.h"
#include "ration/FollowUpLimits.h"
#include "ration/RationLimits.h"
#include "ration/RationModel.h"
#include "ration/SupplementPremix.h"

#include <cmath>

namespace {

// Amounts such as "1250,0" and a share of "100" in bold 16-pixel figures,
// with the cells' padding, need 64 and 46 pixels; the name column gives them
// the room, so the recipe keeps its overall width of 820 pixels. The column
// of the amounts a meal takes its 100 pixels ("g/Mahlzeit") from the name
// column when there is more than one meal.
constexpr int ColumnWidths[RecipePage::ColumnCount] = {40, 64, 0, 650, 46, 20};
constexpr int MealColumnWidth = 100;
constexpr int HeadRows = RecipePage::FirstFeedRow;
// Row heights of rows 0 to 15; 20 (the grid's default) for the empty rows 5 and 7.
constexpr int RowHeights[HeadRows] = {50, 26, 26, 26, 26, 20, 3, 20, 28, 28, 28, 60, 2, 24, 2, 10};
constexpr int TextBlockRowStep = 20;

CellFont tahoma(int height, int weight)
{
    return CellFont{QStringLiteral("Tahoma"), height, weight, false};
}

// "A, B, C", or the first few with "e.g." before them when there are more.
QString nutrientList(const QString& languageCode, const QStringList& names)
{
    if (names.size() <= RecipePage::NamedInNote)
        return names.join(QStringLiteral(", "));
    return RecipeTexts::ForExample.in(languageCode) +
           names.mid(0, RecipePage::NamedInNote).join(QStringLiteral(", "));
}

} // namespace

RecipePage::RecipePage(AppContext& context, const CaseHeaderTexts& header, const RationModel& ration,
                       RecipeChoices& choices)
    : m_context(context)
    , m_header(header)
    , m_ration(ration)
    , m_choices(choices)
{
}

int RecipePage::meals() const
{
    if (m_choices.meals > 0)
        return m_choices.meals;
    return CaseType::opensAsGrowth(m_header.caseTypeKey()) ? 3 : 2;
}

int RecipePage::batchDays() const
{
    return m_choices.batchDays > 0 ? m_choices.batchDays : 1;
}

QString RecipePage::language() const
{
    return m_choices.language.isEmpty() ? Lang::labelCode(m_context.languageCode()) : m_choices.language;
}

bool RecipePage::setMeals(int meals)
{
    if (meals < 1 || meals > RecipeChoices::MostMeals)
        return false;
    m_choices.meals = meals;
    return true;
}

bool RecipePage::setBatchDays(int days)
{
    if (days < 1 || days > RecipeChoices::MostBatchDays)
        return false;
    m_choices.batchDays = days;
    return true;
}

bool RecipePage::setLanguage(const QString& languageCode)
{
    if (languageCode != Lang::German && languageCode != Lang::English)
        return false;
    m_choices.language = languageCode;
    return true;
}

QString RecipePage::kitchenGrams(const QString& languageCode, double grams)
{
    if (grams < 0.05 && grams > 0.0)
        return RecipeTexts::LessThan.in(languageCode).arg(NumberText::format(0.1, 1, languageCode));
    return NumberText::format(grams, grams < 9.95 ? 1 : 0, languageCode);
}

RecipePage::Labels RecipePage::labels(const QString&)
{
    return Labels{QStringLiteral("Text"), QStringLiteral("Print")};
}

RecipePage::Labels RecipePage::labels() const
{
    return labels(m_context.languageCode());
}

QString RecipePage::dateLine(const QString& languageCode, const QDate& date)
{
    const QString& format = languageCode == Lang::German ? DateText::GermanFormat : DateText::EnglishFormat;
    return RecipeTexts::DateOfIssue.in(languageCode).arg(date.toString(format));
}

QString RecipePage::ownerLine(const QString& languageCode, const CaseHeaderTexts& header)
{
    return RecipeTexts::Owner.in(languageCode) + header.salutation() + QStringLiteral(" ") +
           header.ownerName();
}

QString RecipePage::sexWord(const QString& languageCode, const QString& sex, const QString& listedIn)
{
    // Female is "W" in German and "F" in English, as the program lists it.
    const QLatin1String female(listedIn == Lang::German ? "W" : "F");
    if (sex == QLatin1String("M"))
        return RecipeTexts::Male.in(languageCode);
    if (sex == female)
        return RecipeTexts::Female.in(languageCode);
    return QString();
}

QString RecipePage::patientLine(const QString& languageCode, const CaseHeaderTexts& header,
                                const QString& programLanguage)
{
    // Without a known sex the bracket stays open.
    const QString word =
        sexWord(languageCode, header.sex(), programLanguage.isEmpty() ? languageCode : programLanguage);
    return QStringLiteral("Patient: ") + header.patientName() + QStringLiteral(" (") + header.species() +
           QStringLiteral(" ") + (word.isEmpty() ? QString() : word + QStringLiteral(") ")) + header.breed() +
           QStringLiteral(" ");
}

QString RecipePage::titleLine(const QString& languageCode, const CaseHeaderTexts& header)
{
    return RecipeTexts::RecipeTitleDiagnosis.in(languageCode) + header.title();
}

QStringList RecipePage::limitNotes(const QString& languageCode, const QStringList& incomplete,
                                   const QStringList& over)
{
    QStringList notes;
    if (!incomplete.isEmpty()) {
        const QString list = nutrientList(languageCode, incomplete);
        notes << RecipeTexts::ContentsMissing.in(languageCode).arg(list);
    }
    if (!over.isEmpty()) {
        const QString list = over.join(QStringLiteral(", "));
        notes << RecipeTexts::AboveMaximum.in(languageCode).arg(list);
    }
    return notes;
}

int RecipePage::textBlockHeight(const QString& text)
{
    return int(text.size() / 100) * TextBlockRowStep + TextBlockRowStep;
}

void RecipePage::build()
{
    rebuild();
    fillTextList();
}

void RecipePage::buildRecipeGrid()
{
    const QString language = this->language();
    readFeedNames();
    m_grid.clear();
    // A letter, not a table: only the rules and the heading's grey.
    m_grid.setGridLines(false);
    m_grid.setFixedRowCount(0);
    m_grid.setFixedColumnCount(0);
    m_grid.setDefaultBackground(Background);
    m_grid.setDefaultFont(tahoma(16, 400));
    m_grid.setColumnCount(ColumnCount);
    m_grid.setRowCount(HeadRows);
    for (int c = 0; c < ColumnCount; ++c)
        m_grid.setColumnWidth(c, ColumnWidths[c]);
    if (meals() > 1) {
        m_grid.setColumnWidth(MealColumn, MealColumnWidth);
        m_grid.setColumnWidth(NameColumn, ColumnWidths[NameColumn] - MealColumnWidth);
    }
    for (int r = 0; r < HeadRows; ++r)
        m_grid.setRowHeight(r, RowHeights[r]);
    // Nothing on the recipe is typed into.
    for (int c = 0; c < ColumnCount; ++c)
        m_grid.setColumnReadOnly(c, true);

    m_grid.setText(0, NameColumn, RecipeTexts::RecipeHeading.in(language));
    m_grid.setAlignment(0, NameColumn, GridAlign::Centre | GridAlign::VCentre);
    m_grid.setFont(0, NameColumn, tahoma(28, 900));
    addLetterhead();

    for (int r = DateRow; r <= HeadingRow; ++r)
        m_grid.setRowFont(r, tahoma(16, 900));
    for (int rule : {6, 12, 14}) {
        for (int c = AmountColumn; c <= ShareColumn; ++c)
            m_grid.setBackground(rule, c, RuleColour);
    }

    // The header's names in the recipe's language.
    HeaderTextValues header;
    header.salutationText = nameIn("T_ANREDE", m_header.salutationKey(), m_header.salutation());
    header.owner = m_header.ownerName();
    header.patient = m_header.patientName();
    header.speciesText = nameIn("T_GATTUNG", m_header.speciesKey(), m_header.species());
    header.sexText = m_header.sex();
    header.breedText = nameIn("T_RASSE", m_header.breedKey(), m_header.breed());
    header.titleText = m_header.title();
    m_grid.setText(DateRow, NameColumn, dateLine(language, m_context.today()));
    m_grid.setAlignment(DateRow, NameColumn, GridAlign::Right | GridAlign::VCentre);
    m_grid.setText(OwnerRow, NameColumn, ownerLine(language, header));
    m_grid.setAlignment(OwnerRow, NameColumn, GridAlign::LeftSingleLine | GridAlign::VCentre);
    m_grid.setText(PatientRow, NameColumn, patientLine(language, header, m_context.languageCode()));
    m_grid.setAlignment(PatientRow, NameColumn, GridAlign::LeftSingleLine | GridAlign::VCentre);
    m_grid.setText(TitleRow, NameColumn, titleLine(language, m_header));
    // A long title wraps; the widgets give the row the lines it needs.
    m_grid.setAlignment(TitleRow, NameColumn, GridAlign::Left | GridAlign::VCentre | GridAlign::WordWrap);

    for (int c = AmountColumn; c <= ShareColumn; ++c)
        m_grid.setBackground(HeadingRow, c, HeadingColour);
    m_grid.setText(HeadingRow, AmountColumn, RecipeTexts::GramsPerDay.in(language));
    m_grid.setAlignment(HeadingRow, AmountColumn, GridAlign::Right | GridAlign::WordWrap);
    if (meals() > 1) {
        m_grid.setText(HeadingRow, MealColumn, RecipeTexts::GramsPerMeal.in(language));
        m_grid.setAlignment(HeadingRow, MealColumn, GridAlign::Right | GridAlign::WordWrap);
    }
    m_grid.setText(HeadingRow, NameColumn, RecipeTexts::Food.in(language));
    m_grid.setAlignment(HeadingRow, NameColumn, GridAlign::Centre | GridAlign::WordWrap);
    m_grid.setText(HeadingRow, ShareColumn, QStringLiteral("%"));
    m_grid.setAlignment(HeadingRow, ShareColumn, GridAlign::Right | GridAlign::WordWrap);

    addFeedRows();
    addLimitNotes();
    addBatchSection();
    m_firstTextRow = m_grid.rowCount();
    m_grid.redraw();
}

void RecipePage::readFeedNames()
{
    m_feedNames.clear();
    QStringList keys;
    for (const RationFeed& feed : m_ration.feeds)
        keys << QString::number(feed.key);
    if (keys.isEmpty())
        return;
    const QString list = keys.join(QStringLiteral(", "));
    RecordSet rs;
    if (rs.openRecordset(m_context.db(),
                         QStringLiteral("SELECT ID, BEZ_DE, BEZ_US FROM T_FUTTERMITTEL WHERE ID IN (") +
                             list + QStringLiteral(")"))) {
        for (; !rs.isEof(); rs.moveNext()) {
            int key = 0;
            rs.getFieldLong(QStringLiteral("ID"), key);
            FeedNames& names = m_feedNames[key];
            rs.getFieldText(QStringLiteral("BEZ_DE"), names.german);
            rs.getFieldText(QStringLiteral("BEZ_US"), names.english);
        }
    }
    RecordSet supplements;
    if (supplements.openRecordset(
            m_context.db(),
            QStringLiteral("SELECT ID_FM FROM T_FM_KAT WHERE ID_FM_KATEGORIE = %1 AND AKTIV <> 0 AND "
                           "ID_FM IN (%2)")
                .arg(BalanceData::SupplementCategory)
                .arg(list))) {
        for (; !supplements.isEof(); supplements.moveNext()) {
            int key = 0;
            supplements.getFieldLong(QStringLiteral("ID_FM"), key);
            m_feedNames[key].supplement = true;
        }
    }
}

QString RecipePage::feedName(int key, const QString& shown) const
{
    const auto found = m_feedNames.find(key);
    if (found == m_feedNames.end() || language() == Lang::labelCode(m_context.languageCode()))
        return shown;
    const QString& name = language() == Lang::German ? found->second.german : found->second.english;
    return name.trimmed().isEmpty() ? shown : name;
}

QString RecipePage::nameIn(const char* table, int key, const QString& shown) const
{
    if (key < 0 || language() == Lang::labelCode(m_context.languageCode()))
        return shown;
    RecordSet rs;
    QString name;
    if (rs.openRecordset(m_context.db(), QStringLiteral("SELECT BEZ_%1 AS BEZ FROM %2 WHERE ID = %3")
                                             .arg(language(), QLatin1String(table))
                                             .arg(key)) &&
        !rs.isEof())
        rs.getFieldText(QStringLiteral("BEZ"), name);
    return name.trimmed().isEmpty() ? shown : name;
}

void RecipePage::addLetterhead()
{
    const std::optional<PracticeDetails> practice = PracticeDetailsStore::read(m_context);
    if (!practice)
        return;
    const QString lines[] = {practice->nameLine(), practice->address1.trimmed(), practice->address2.trimmed(),
                             practice->contactLine()};
    for (int i = 0; i < 4; ++i) {
        const int row = LetterheadRow + i;
        m_grid.setText(row, NameColumn, lines[i]);
        m_grid.setFont(row, NameColumn, tahoma(i == 0 ? 16 : 13, i == 0 ? 700 : 400));
        m_grid.setAlignment(row, NameColumn, GridAlign::LeftSingleLine | GridAlign::VCentre);
    }
    // Beside the title, at the right end of its row.
    m_grid.setImage(0, NameColumn, practice->logo);
}

void RecipePage::addFeedRows()
{
    m_feedRows = 0;
    const QString language = this->language();
    double sum = 0;
    for (const RationFeed& feed : m_ration.feeds)
        sum += feed.grams;
    for (const RationFeed& feed : m_ration.feeds) {
        // The amount as the vet typed it.
        const QString& amount = feed.amountText;
        // With nothing weighed out yet every share is 0 rather than a division by 0.
        const double share = sum != 0 ? feed.grams * 100 / sum : 0.0;
        const int row =
            addLine(NumberText::inLanguage(amount.isEmpty() ? QStringLiteral("0") : amount, language),
                    feedName(feed.key, feed.name), tahoma(16, 700));
        if (meals() > 1) {
            m_grid.setText(row, MealColumn, kitchenGrams(language, feed.grams / meals()));
            m_grid.setAlignment(row, MealColumn, GridAlign::Right | GridAlign::WordWrap);
        }
        m_grid.setText(row, ShareColumn, NumberText::format(share, 0));
        m_grid.setAlignment(row, ShareColumn, GridAlign::Right | GridAlign::WordWrap);
        ++m_feedRows;
    }
}

int RecipePage::addLine(const QString& amount, const QString& name, const CellFont& font)
{
    const int row = m_grid.appendRow();
    m_grid.setRowReadOnly(row, true);
    m_grid.setRowHeight(row, 24);
    m_grid.setRowFont(row, font);
    m_grid.setText(row, AmountColumn, amount);
    m_grid.setAlignment(row, AmountColumn, GridAlign::Right | GridAlign::WordWrap);
    m_grid.setText(row, NameColumn, name);
    m_grid.setAlignment(row, NameColumn, GridAlign::Left | GridAlign::VCentre);
    return row;
}

void RecipePage::addBatchSection()
{
    const int days = batchDays();
    if (days <= 1 || m_ration.feeds.empty())
        return;
    const QString language = this->language();
    const auto total = [&](double daily) {
        const double grams = daily * days;
        QString text = kitchenGrams(language, grams);
        return grams > 1000.0 ? std::pair{text, RecipeTexts::Kilograms.in(language).arg(
                                                    NumberText::format(grams / 1000.0, 2, language))}
                              : std::pair{text, QString()};
    };
    const auto heading = [&](const QString& text) {
        const int row = addLine(QString(), text, tahoma(16, 700));
        m_grid.setRowHeight(row, 28);
        m_grid.setAlignment(row, NameColumn, GridAlign::LeftSingleLine | GridAlign::Bottom);
        return row;
    };
    m_grid.setRowHeight(m_grid.appendRow(), 16);
    const int head = heading(RecipeTexts::BatchHeading.in(language).arg(days));
    for (int c = AmountColumn; c <= ShareColumn; ++c)
        m_grid.setBackground(head, c, HeadingColour);

    std::vector<const RationFeed*> supplements;
    for (const RationFeed& feed : m_ration.feeds) {
        const auto names = m_feedNames.find(feed.key);
        if (names != m_feedNames.end() && names->second.supplement) {
            supplements.push_back(&feed);
            continue;
        }
        const auto [grams, kilograms] = total(feed.grams);
        addLine(grams, feedName(feed.key, feed.name) + kilograms, tahoma(16, 400));
    }
    if (supplements.empty())
        return;
    // The supplements a kitchen scale weighs, then those below a gram a day
    // mixed for the batch: each for the days, to the milligram, and the
    // premix's portion a day.
    heading(RecipeTexts::Supplements.in(language));
    std::vector<PremixPart> parts;
    for (const RationFeed* feed : supplements) {
        const QString name = feedName(feed->key, feed->name);
        if (SupplementPremix::belongsIn(feed->grams)) {
            parts.push_back({QString::number(feed->key), name, feed->grams});
            continue;
        }
        const auto [grams, kilograms] = total(feed->grams);
        addLine(grams, name + kilograms, tahoma(16, 400));
    }
    const Premix premix = SupplementPremix::make(parts, days, 0.0, false);
    if (premix.empty())
        return;
    double mixed = 0.0;
    for (const PremixLine& line : premix.substances)
        mixed += line.grams;
    const int row =
        addLine(QString(),
                RecipeTexts::Premix.in(language).arg(NumberText::format(mixed, 3, language),
                                                     NumberText::format(premix.dailyDose, 3, language)),
                tahoma(16, 400));
    m_grid.setAlignment(row, NameColumn, GridAlign::LeftSingleLine | GridAlign::VCentre);
    for (const PremixLine& line : premix.substances)
        addLine(NumberText::format(line.grams, 3, language), line.name, tahoma(16, 400));
}

void RecipePage::addLimitNotes()
{
    m_noteRows = 0;
    QStringList incomplete, over;
    for (const RationColumn& column : m_ration.nutrients) {
        const NutrientCheck& check = column.check;
        // Each name once (that of the first column with the key), whichever
        // columns carry it.
        const QString name = m_ration.nutrient(column.key)->name.trimmed();
        if (check.incomplete && !incomplete.contains(name))
            incomplete << name;
        if (check.over && !over.contains(name))
            over << name;
    }
    for (const QString& note : limitNotes(language(), incomplete, over)) {
        const int row = m_grid.appendRow();
        m_grid.setRowReadOnly(row, true);
        m_grid.setRowHeight(row, textBlockHeight(note));
        m_grid.setText(row, NameColumn, note);
        m_grid.setFont(row, NameColumn, tahoma(13, 400));
        m_grid.setAlignment(row, NameColumn, GridAlign::Left | GridAlign::WordWrap);
        ++m_noteRows;
    }
    // A weight reduction and a growing animal are weighed again.
    const int caseType = m_header.caseTypeKey();
    if (CaseType::isWeightReduction(caseType) || CaseType::isGrowth(caseType)) {
        const QDate next =
            m_context.today().addDays(7 * FollowUpLimits::read(m_context).weeksToNextCheck(caseType));
        const int row = addLine(
            QString(), FollowUpTexts::NextCheck.in(language()).arg(DateText::forLanguage(next, language())),
            tahoma(16, 700));
        m_grid.setRowHeight(row, 28);
        ++m_noteRows;
    }
}

void RecipePage::fillTextList()
{
    const QString suffix = m_context.languageCode();
    m_textList.fill(m_context.db(), QStringLiteral("SELECT T_TEXT.ID AS ITEMDATA, T_TEXT.Bez_") + suffix +
                                        QStringLiteral(" AS ITEMTEXT") +
                                        QStringLiteral(" FROM T_TEXT WHERE T_TEXT.AKTIV = TRUE"));
}

void RecipePage::textListClosed(int index)
{
    m_textList.setCurrentIndex(index);
    if (m_textList.currentIndex() < 0)
        return;
    appendTextBlock(m_textList.currentData());
}

bool RecipePage::appendTextBlock(int key)
{
    RecordSet rs;
    const QString sql =
        QStringLiteral("SELECT BEZ_DE, BEZ_US FROM T_TEXT WHERE ID = ") + QString::number(key);
    if (!rs.openRecordset(m_context.db(), sql) || rs.isEof())
        return false;
    RecipeTextBlock block;
    rs.getFieldText(QStringLiteral("BEZ_DE"), block.german);
    rs.getFieldText(QStringLiteral("BEZ_US"), block.english);
    m_choices.textBlocks.push_back(block);
    addTextRow(block.in(language()));
    m_grid.redraw();
    return true;
}

bool RecipePage::removeTextBlockAt(int row, Prompt& prompt)
{
    const int block = row - m_firstTextRow;
    if (block < 0 || block >= int(m_choices.textBlocks.size()))
        return false;
    if (prompt.question(RecipeTexts::RemoveTextBlock.in(m_context.languageCode()), Prompt::Buttons::YesNo) !=
        Prompt::Answer::Yes)
        return false;
    m_choices.textBlocks.erase(m_choices.textBlocks.begin() + block);
    m_grid.deleteRow(row);
    m_grid.redraw();
    return true;
}

void RecipePage::rebuild()
{
    buildRecipeGrid();
    for (const RecipeTextBlock& block : m_choices.textBlocks)
        addTextRow(block.in(language()));
    m_grid.redraw();
}

void RecipePage::addTextRow(const QString& text)
{
    const int row = m_grid.appendRow();
    m_grid.setRowReadOnly(row, true);
    m_grid.setRowHeight(row, textBlockHeight(text));
    m_grid.setText(row, NameColumn, text);
    m_grid.setFont(row, NameColumn, tahoma(16, 400));
    m_grid.setAlignment(row, NameColumn, GridAlign::Left | GridAlign::Bottom);
}
