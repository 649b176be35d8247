#include "output/RecipePage.h"

#include "core/DateText.h"
#include "core/Lang.h"
#include "core/NumberText.h"
#include "core/Prompt.h"
#include "db/AppContext.h"
#include "db/RecordSet.h"
#include "output/CaseHeaderTexts.h"
#include "output/RecipeTexts.h"
#include "ration/RationLimits.h"
#include "ration/RationModel.h"

namespace {

// Amounts such as "1250,0" and a share of "100" in bold 16-pixel figures,
// with the cells' padding, need 64 and 46 pixels; the name column gives them
// the room, so the recipe keeps its overall width of 820 pixels.
constexpr int ColumnWidths[RecipePage::ColumnCount] = {40, 64, 650, 46, 20};
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

RecipePage::RecipePage(AppContext& context, const CaseHeaderTexts& header, const RationModel& ration)
    : m_context(context)
    , m_header(header)
    , m_ration(ration)
{
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

QString RecipePage::patientLine(const QString& languageCode, const CaseHeaderTexts& header)
{
    // Without a known sex the bracket stays open.
    const QString sex = header.sex();
    QString word;
    // Female is "W" in German and "F" in English.
    const QLatin1String female(languageCode == Lang::German ? "W" : "F");
    if (sex == QLatin1String("M"))
        word = RecipeTexts::MaleBracket.in(languageCode);
    else if (sex == female)
        word = RecipeTexts::FemaleBracket.in(languageCode);
    return QStringLiteral("Patient: ") + header.patientName() + QStringLiteral(" (") + header.species() +
           QStringLiteral(" ") + word + header.breed() + QStringLiteral(" ");
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
    buildRecipeGrid();
    fillTextList();
}

void RecipePage::buildRecipeGrid()
{
    const QString language = m_context.languageCode();
    m_grid.clear();
    m_grid.setFixedRowCount(0);
    m_grid.setFixedColumnCount(0);
    m_grid.setDefaultBackground(Background);
    m_grid.setDefaultFont(tahoma(16, 400));
    m_grid.setColumnCount(ColumnCount);
    m_grid.setRowCount(HeadRows);
    for (int c = 0; c < ColumnCount; ++c)
        m_grid.setColumnWidth(c, ColumnWidths[c]);
    for (int r = 0; r < HeadRows; ++r)
        m_grid.setRowHeight(r, RowHeights[r]);
    // Nothing on the recipe is typed into.
    for (int c = 0; c < ColumnCount; ++c)
        m_grid.setColumnReadOnly(c, true);

    m_grid.setText(0, NameColumn, RecipeTexts::RecipeHeading.in(language));
    m_grid.setAlignment(0, NameColumn, GridAlign::Centre | GridAlign::VCentre);
    m_grid.setFont(0, NameColumn, tahoma(28, 900));

    for (int r = DateRow; r <= HeadingRow; ++r)
        m_grid.setRowFont(r, tahoma(16, 900));
    for (int rule : {6, 12, 14}) {
        for (int c = AmountColumn; c <= ShareColumn; ++c)
            m_grid.setBackground(rule, c, RuleColour);
    }

    m_grid.setText(DateRow, NameColumn, dateLine(language, m_context.today()));
    m_grid.setAlignment(DateRow, NameColumn, GridAlign::Right | GridAlign::VCentre);
    m_grid.setText(OwnerRow, NameColumn, ownerLine(language, m_header));
    m_grid.setAlignment(OwnerRow, NameColumn, GridAlign::LeftSingleLine | GridAlign::VCentre);
    m_grid.setText(PatientRow, NameColumn, patientLine(language, m_header));
    m_grid.setAlignment(PatientRow, NameColumn, GridAlign::LeftSingleLine | GridAlign::VCentre);
    m_grid.setText(TitleRow, NameColumn, titleLine(language, m_header));
    // A long title wraps; the widgets give the row the lines it needs.
    m_grid.setAlignment(TitleRow, NameColumn, GridAlign::Left | GridAlign::VCentre | GridAlign::WordWrap);

    for (int c = AmountColumn; c <= ShareColumn; ++c)
        m_grid.setBackground(HeadingRow, c, HeadingColour);
    m_grid.setText(HeadingRow, AmountColumn, RecipeTexts::GramsPerDay.in(language));
    m_grid.setAlignment(HeadingRow, AmountColumn, GridAlign::Right | GridAlign::WordWrap);
    m_grid.setText(HeadingRow, NameColumn, RecipeTexts::Food.in(language));
    m_grid.setAlignment(HeadingRow, NameColumn, GridAlign::Centre | GridAlign::WordWrap);
    m_grid.setText(HeadingRow, ShareColumn, QStringLiteral("%"));
    m_grid.setAlignment(HeadingRow, ShareColumn, GridAlign::Right | GridAlign::WordWrap);

    addFeedRows();
    addLimitNotes();
    m_grid.redraw();
}

void RecipePage::addFeedRows()
{
    m_feedRows = 0;
    double sum = 0;
    for (const RationFeed& feed : m_ration.feeds)
        sum += feed.grams;
    for (const RationFeed& feed : m_ration.feeds) {
        // The amount as the vet typed it.
        const QString& amount = feed.amountText;
        // With nothing weighed out yet every share is 0 rather than a division by 0.
        const double share = sum != 0 ? feed.grams * 100 / sum : 0.0;
        const int row = m_grid.appendRow();
        m_grid.setRowReadOnly(row, true);
        m_grid.setRowHeight(row, 24);
        m_grid.setRowFont(row, tahoma(16, 700));
        m_grid.setText(row, AmountColumn, amount.isEmpty() ? QStringLiteral("0") : amount);
        m_grid.setAlignment(row, AmountColumn, GridAlign::Right | GridAlign::WordWrap);
        m_grid.setText(row, NameColumn, feed.name);
        m_grid.setAlignment(row, NameColumn, GridAlign::Left | GridAlign::VCentre);
        m_grid.setText(row, ShareColumn, NumberText::format(share, 0));
        m_grid.setAlignment(row, ShareColumn, GridAlign::Right | GridAlign::WordWrap);
        ++m_feedRows;
    }
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
    for (const QString& note : limitNotes(m_context.languageCode(), incomplete, over)) {
        const int row = m_grid.appendRow();
        m_grid.setRowReadOnly(row, true);
        m_grid.setRowHeight(row, textBlockHeight(note));
        m_grid.setText(row, NameColumn, note);
        m_grid.setFont(row, NameColumn, tahoma(13, 400));
        m_grid.setAlignment(row, NameColumn, GridAlign::Left | GridAlign::WordWrap);
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
    const QString sql = QStringLiteral("SELECT T_TEXT.ID AS ITEMDATA, T_TEXT.Bez_") +
                        m_context.languageCode() + QStringLiteral(" AS ITEMTEXT") +
                        QStringLiteral(" FROM T_TEXT WHERE T_TEXT.ID = ") + QString::number(key);
    if (!rs.openRecordset(m_context.db(), sql) || rs.isEof())
        return false;
    QString text;
    rs.getFieldText(QStringLiteral("ITEMTEXT"), text);
    m_textBlocks << text;
    addTextRow(text);
    m_grid.redraw();
    return true;
}

bool RecipePage::removeTextBlockAt(int row, Prompt& prompt)
{
    const int block = row - (FirstFeedRow + m_feedRows + m_noteRows);
    if (block < 0 || block >= m_textBlocks.size())
        return false;
    if (prompt.question(RecipeTexts::RemoveTextBlock.in(m_context.languageCode()), Prompt::Buttons::YesNo) !=
        Prompt::Answer::Yes)
        return false;
    m_textBlocks.removeAt(block);
    m_grid.deleteRow(row);
    m_grid.redraw();
    return true;
}

void RecipePage::rebuild()
{
    buildRecipeGrid();
    for (const QString& text : std::as_const(m_textBlocks))
        addTextRow(text);
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
