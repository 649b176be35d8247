#pragma once

#include "db/ChoiceList.h"
#include "ui/GridModel.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <map>
#include <set>

class AppContext;
class Prompt;
class CaseHeaderTexts;
struct RationModel;
struct RecipeChoices;

// The recipe page without its widgets: the recipe as one grid (title with
// the practice's logo, the practice's letterhead, date of issue, owner,
// patient, recipe title, the ration's feedstuffs with their amounts a day
// and a meal and their shares) and the list of text blocks that can be
// appended below it. The page reads the header form's texts and the ration
// as they are when it builds; rebuild() reads them again. Below the
// feedstuffs a note names the nutrients whose supply lacks the content of a
// feedstuff, and those supplied above their maximum; for a batch of several
// days a section lists what to weigh for it. The whole handout is in the
// recipe's language, which may differ from the program's.
class RecipePage
{
public:
    // Columns: margin, amount a day, amount a meal (hidden for one meal),
    // name, share, margin.
    static constexpr int AmountColumn = 1;
    static constexpr int MealColumn = 2;
    static constexpr int NameColumn = 3;
    static constexpr int ShareColumn = 4;
    static constexpr int ColumnCount = 6;
    // Rows 1 to 4: the practice's name, address lines and contact.
    static constexpr int LetterheadRow = 1;
    static constexpr int DateRow = 8;
    static constexpr int OwnerRow = 9;
    static constexpr int PatientRow = 10;
    static constexpr int TitleRow = 11;
    static constexpr int HeadingRow = 13;
    static constexpr int FirstFeedRow = 16;

    static constexpr Rgb RuleColour{0, 0, 0};
    static constexpr Rgb HeadingColour{204, 204, 204};
    static constexpr Rgb Background{255, 255, 255};

    struct Labels
    {
        QString text, print;
    };

    // The choices are the case's: the page changes its meals, batch,
    // language and text blocks.
    RecipePage(AppContext& context, const CaseHeaderTexts& header, const RationModel& ration,
               RecipeChoices& choices);
    RecipePage(const RecipePage&) = delete;
    RecipePage& operator=(const RecipePage&) = delete;

    static Labels labels(const QString& languageCode);
    Labels labels() const;

    // The lines of the recipe's head in a language, for a day of issue.
    static QString dateLine(const QString& languageCode, const QDate& date);
    static QString ownerLine(const QString& languageCode, const CaseHeaderTexts& header);
    // "männlich"/"male" or "weiblich"/"female" for a sex as a language lists
    // it ("M"; "W" in German, "F" in English); empty for another.
    static QString sexWord(const QString& languageCode, const QString& sex, const QString& listedIn);
    // The sex word follows the sex as the program's language names it.
    static QString patientLine(const QString& languageCode, const CaseHeaderTexts& header,
                               const QString& programLanguage = QString());
    static QString titleLine(const QString& languageCode, const CaseHeaderTexts& header);
    // Nutrients named in a note before it is shortened with "e.g.".
    static constexpr int NamedInNote = 3;
    // The notes below the feedstuffs: one when a supply is incomplete, one
    // when a supply is over its maximum; none without such nutrients.
    static QStringList limitNotes(const QString& languageCode, const QStringList& incomplete,
                                  const QStringList& over);

    // Height of a text block's row: 20 pixels per started 100 characters.
    static int textBlockHeight(const QString& text);

    // An amount as a kitchen scale weighs it: whole grams from 10 g, tenths
    // below ("< 0,1" for less), in the language's decimal mark.
    static QString kitchenGrams(const QString& languageCode, double grams);

    // The choices as the handout applies them: those made, else 3 meals for
    // a growing animal and 2 for others, a batch of 1 day, the program's
    // language.
    int meals() const;
    int batchDays() const;
    QString language() const;
    // Each within its range; false, changing nothing, outside it.
    bool setMeals(int meals);
    bool setBatchDays(int days);
    bool setLanguage(const QString& languageCode);

    // Builds the recipe grid with the case's text blocks, then fills the text list.
    void build();
    void buildRecipeGrid();
    void fillTextList();

    GridModel& grid() { return m_grid; }
    const GridModel& grid() const { return m_grid; }
    int feedRowCount() const { return m_feedRows; }
    int noteRowCount() const { return m_noteRows; }
    // The first row below the batch section: that of the first text block.
    int firstTextRow() const { return m_firstTextRow; }
    const ChoiceList& textList() const { return m_textList; }

    // The text list closed on entry index; nothing for -1.
    void textListClosed(int index);
    // Appends the text block with this key; false when it is not found.
    bool appendTextBlock(int key);
    // A click on an added text block asks whether to remove it and, on
    // "Ja", removes it from the recipe; true when it did. A click on any
    // other row does nothing.
    bool removeTextBlockAt(int row, Prompt& prompt);
    // Builds the recipe grid again from the header and the ration as they are
    // now, with the text blocks appended so far below it.
    void rebuild();

private:
    // A feedstuff's name in each language and whether it is a supplement.
    struct FeedNames
    {
        QString german, english;
        bool supplement = false;
    };

    void readFeedNames();
    QString feedName(int key, const QString& shown) const;
    QString nameIn(const char* table, int key, const QString& shown) const;
    void addLetterhead();
    void addFeedRows();
    void addLimitNotes();
    void addBatchSection();
    int addLine(const QString& amount, const QString& name, const CellFont& font);
    void addTextRow(const QString& text);

    AppContext& m_context;
    const CaseHeaderTexts& m_header;
    const RationModel& m_ration;
    RecipeChoices& m_choices;
    GridModel m_grid;
    ChoiceList m_textList;
    std::map<int, FeedNames> m_feedNames;
    int m_feedRows = 0;
    int m_noteRows = 0;
    int m_firstTextRow = 0;
};
