#pragma once

#include "db/ChoiceList.h"
#include "ui/GridModel.h"

#include <QDate>
#include <QString>
#include <QStringList>

class AppContext;
class Prompt;
class CaseHeaderTexts;
struct RationModel;

// The recipe page without its widgets: the recipe as one grid (title, date
// of issue, owner, patient, recipe title, the ration's feedstuffs with their
// shares) and the list of text blocks that can be appended below it. The
// page reads the header form's texts and the ration as they are when
// it builds; rebuild() reads them again. Below the feedstuffs a note names
// the nutrients whose supply lacks the content of a feedstuff, and those
// supplied above their maximum.
class RecipePage
{
public:
    // Columns: margin, amount, name, share, margin.
    static constexpr int AmountColumn = 1;
    static constexpr int NameColumn = 2;
    static constexpr int ShareColumn = 3;
    static constexpr int ColumnCount = 5;
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

    RecipePage(AppContext& context, const CaseHeaderTexts& header, const RationModel& ration);
    RecipePage(const RecipePage&) = delete;
    RecipePage& operator=(const RecipePage&) = delete;

    static Labels labels(const QString& languageCode);
    Labels labels() const;

    // The lines of the recipe's head in a language, for a day of issue.
    static QString dateLine(const QString& languageCode, const QDate& date);
    static QString ownerLine(const QString& languageCode, const CaseHeaderTexts& header);
    static QString patientLine(const QString& languageCode, const CaseHeaderTexts& header);
    static QString titleLine(const QString& languageCode, const CaseHeaderTexts& header);
    // Nutrients named in a note before it is shortened with "e.g.".
    static constexpr int NamedInNote = 3;
    // The notes below the feedstuffs: one when a supply is incomplete, one
    // when a supply is over its maximum; none without such nutrients.
    static QStringList limitNotes(const QString& languageCode, const QStringList& incomplete,
                                  const QStringList& over);

    // Height of a text block's row: 20 pixels per started 100 characters.
    static int textBlockHeight(const QString& text);

    // Builds the recipe grid, then fills the text list.
    void build();
    void buildRecipeGrid();
    void fillTextList();

    GridModel& grid() { return m_grid; }
    const GridModel& grid() const { return m_grid; }
    int feedRowCount() const { return m_feedRows; }
    int noteRowCount() const { return m_noteRows; }
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
    void addFeedRows();
    void addLimitNotes();
    void addTextRow(const QString& text);

    AppContext& m_context;
    const CaseHeaderTexts& m_header;
    const RationModel& m_ration;
    GridModel m_grid;
    ChoiceList m_textList;
    int m_feedRows = 0;
    int m_noteRows = 0;
    QStringList m_textBlocks;
};
