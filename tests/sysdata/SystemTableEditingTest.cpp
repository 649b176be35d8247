#include "sysdata/SystemTableEditor.h"

#include "core/Prompt.h"
#include "support/QtPrinters.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

namespace {

// The fixture's nutrient contents under the system owner, with their key in
// front: column 1 the nutrient, column 2 the amount (default 0).
struct Contents
{
    TestDatabase db;
    RecordingPrompt prompt;
    SystemTableEditor editor{db.context(), prompt};

    explicit Contents(int table = 91, const QString& language = QStringLiteral("DE"))
        : db(TestDatabase::Data::Fixture, language)
    {
        db.context().setOwnerCode(QStringLiteral("M"));
        db.rawExec(
            QStringLiteral("INSERT INTO T_GRUNDDATEN (ID, TABELLE, FELD, FELDTYP, BREITE, BEZ_DE, BEZ_EN, "
                           "SICHTBAR, SORT) VALUES (98, 'T_FM_NAEHRSTOFF', 'ID', 'LONG', '40', 'Nr.', 'No.', "
                           "'1', 1)"));
        editor.loadTable(table);
    }
    GridModel& grid() { return editor.grid(); }
    QString stored(int id)
    {
        return db.rawValue(QStringLiteral("SELECT MENGE FROM T_FM_NAEHRSTOFF WHERE ID = %1").arg(id));
    }
};

TEST(SystemTableEditingTest, AmountsAreWrittenOnlyAsNumbers)
{
    Contents c;
    // Row 1 is content 1: 0,632 MJ, shown rounded.
    ASSERT_EQ(c.grid().text(1, 2), QStringLiteral("1"));
    for (const char* text : {"1 OR 1=1", "12abc"}) {
        c.prompt.clear();
        EXPECT_TRUE(c.grid().endEdit(1, 2, QString::fromLatin1(text)));
        EXPECT_EQ(c.prompt.texts(), QStringList{"Bitte geben Sie für Menge eine Zahl ein"}) << text;
        EXPECT_EQ(c.grid().text(1, 2), QStringLiteral("1")) << text;
        EXPECT_EQ(c.stored(1), QStringLiteral("0.632"));
    }
    c.prompt.clear();
    c.grid().endEdit(1, 2, QStringLiteral("2,5"));
    EXPECT_TRUE(c.prompt.texts().isEmpty());
    EXPECT_EQ(c.stored(1), QStringLiteral("2.5"));
    EXPECT_EQ(c.grid().text(1, 2), QStringLiteral("2,5"));
    // Cleared, the column's default is written.
    c.grid().endEdit(1, 2, QString());
    EXPECT_EQ(c.stored(1), QStringLiteral("0.0"));
    // The nutrient is chosen from its list.
    c.grid().click(2, 1);
    EXPECT_TRUE(c.grid().isDropDown(2, 1));
    EXPECT_TRUE(c.grid().dropDownEntries(2, 1).contains(QStringLiteral("Ca - 1")));
}

TEST(SystemTableEditingTest, AFailedUpdateSaysSoAndShowsTheStoredText)
{
    Contents c(10);
    EXPECT_EQ(c.grid().text(2, 1), QStringLiteral("Hund"));
    c.grid().endEdit(2, 1, QStringLiteral("O'Hund"));
    EXPECT_EQ(c.db.rawValue(QStringLiteral("SELECT BEZ_DE FROM T_GATTUNG WHERE ID = 2")),
              QStringLiteral("O'Hund"));
    c.db.rawExec(QStringLiteral("UPDATE T_GRUNDDATEN SET FELD = 'BEZ_XX' WHERE ID = 13"));
    c.editor.loadTable(10);
    c.grid().endEdit(2, 2, QStringLiteral("Hound"));
    EXPECT_EQ(c.prompt.texts(), QStringList{"Die Änderung konnte nicht gespeichert werden"});
    EXPECT_EQ(c.grid().text(2, 2), QString());
}

TEST(SystemTableEditingTest, DoubleClickTogglesYesNoInTheUsersLanguage)
{
    const struct
    {
        const char *language, *yes, *no;
    } languages[] = {{"DE", "Ja", "Nein"}, {"US", "Yes", "No"}};
    for (const auto& language : languages) {
        SCOPED_TRACE(language.language);
        Contents c(10, QLatin1String(language.language));
        const auto active = [&] {
            return c.db.rawValue(QStringLiteral("SELECT AKTIV FROM T_GATTUNG WHERE ID = 4"));
        };
        ASSERT_EQ(c.grid().text(4, 3), QLatin1String(language.no));
        c.grid().doubleClick(4, 3);
        EXPECT_EQ(c.grid().text(4, 3), QLatin1String(language.yes));
        EXPECT_EQ(active(), QStringLiteral("-1"));
        c.grid().doubleClick(4, 3);
        EXPECT_EQ(c.grid().text(4, 3), QLatin1String(language.no));
        EXPECT_EQ(active(), QStringLiteral("0"));
        // Read again, the stored value shows in the language.
        c.grid().doubleClick(4, 3);
        c.editor.loadTable(10);
        EXPECT_EQ(c.grid().text(4, 3), QLatin1String(language.yes));
        const int newRow = c.grid().rowCount() - 1;
        c.grid().doubleClick(newRow, 3);
        EXPECT_EQ(c.grid().text(newRow, 3), QLatin1String(language.yes));
        // A row typed in takes the new row's yes.
        c.grid().endEdit(newRow, 1, QStringLiteral("Hamster"));
        EXPECT_EQ(c.db.rawValue(QStringLiteral("SELECT AKTIV FROM T_GATTUNG WHERE BEZ_DE = 'Hamster'")),
                  QStringLiteral("-1"));
        EXPECT_TRUE(c.prompt.texts().isEmpty());
    }
}

TEST(SystemTableEditingTest, FeedstuffsAreChangedHereButNotCopied)
{
    Contents c(90);
    c.db.rawExec(
        QStringLiteral("INSERT INTO T_GRUNDDATEN (ID, TABELLE, FELD, FELDTYP, BREITE, BEZ_DE, BEZ_EN, "
                       "SICHTBAR, SORT) VALUES (94, 'T_FUTTERMITTEL', 'ID', 'LONG', '40', 'Nr.', 'No.', '1', "
                       "1), (95, 'T_FUTTERMITTEL', 'HERSTELLER', 'VARCHAR2', '90', 'Hersteller', "
                       "'Producer', '1', 2)"));
    c.editor.loadTable(90);
    c.grid().endEdit(2, 1, QStringLiteral("Eigenbau"));
    EXPECT_EQ(
        c.db.rawRows(QStringLiteral("SELECT HERSTELLER, DATUM_BEARBEITET FROM T_FUTTERMITTEL WHERE ID = 2")),
        QStringList{"Eigenbau\t2024-04-03 10:00:00"});
    // Neither copied nor inserted here.
    c.grid().setCurrentCell(1, 0);
    EXPECT_FALSE(c.editor.copyClicked());
    EXPECT_EQ(c.prompt.texts(), QStringList{"Kopieren von Futtermitteln hier nicht möglich"});
}

TEST(SystemTableEditingTest, TypingIntoTheNewRecordRowInsertsIt)
{
    Contents c(10);
    const int row = c.grid().rowCount() - 1;
    c.grid().endEdit(row, 1, QStringLiteral("Hamster"));
    EXPECT_TRUE(c.prompt.texts().isEmpty());
    // The yes/no column takes the row's "Ja"; the key comes from the database.
    EXPECT_EQ(c.db.rawRows(QStringLiteral("SELECT * FROM T_GATTUNG WHERE ID = 5")),
              QStringList{"5\tHamster\tNULL\t-1"});
    EXPECT_EQ(c.grid().text(row, 0), QStringLiteral("5"));
    EXPECT_TRUE(c.editor.isNewRecordRow(row + 1));

    Contents contents;
    const int fresh = contents.grid().rowCount() - 1;
    contents.grid().endEdit(fresh, 2, QStringLiteral("1 OR 1=1"));
    EXPECT_EQ(contents.prompt.texts(), QStringList{"Bitte geben Sie für Menge eine Zahl ein"});
    EXPECT_EQ(contents.grid().text(fresh, 2), QString());
    EXPECT_EQ(contents.db.rawValue(QStringLiteral("SELECT COUNT(*) FROM T_FM_NAEHRSTOFF")),
              QStringLiteral("22"));
}

TEST(SystemTableEditingTest, CopyAndDeleteTheCurrentRow)
{
    Contents c(10);
    const int newRow = c.grid().rowCount() - 1;
    c.grid().setCurrentCell(newRow, 1);
    EXPECT_FALSE(c.editor.copyClicked());
    EXPECT_FALSE(c.editor.deleteClicked());
    EXPECT_EQ(c.prompt.texts(), (QStringList{"Kopieren eines leeren Satzes nicht möglich",
                                             "Löschen des neuen Satzes nicht möglich"}));

    c.prompt.clear();
    c.grid().setCurrentCell(2, 1);
    ASSERT_TRUE(c.editor.copyClicked());
    EXPECT_EQ(c.prompt.texts(), QStringList{"Es wird der Satz mit Nummer 2 kopiert"});
    EXPECT_EQ(c.db.rawRows(QStringLiteral("SELECT * FROM T_GATTUNG WHERE ID = 5")),
              QStringList{"5\tHund\tDog\t-1"});
    EXPECT_EQ(c.grid().text(newRow, 0), QStringLiteral("5"));
    EXPECT_EQ(c.grid().text(newRow, 1), QStringLiteral("Hund"));
    EXPECT_EQ(c.grid().currentRow(), newRow);

    c.prompt.clear();
    EXPECT_FALSE(c.editor.deleteClicked()); // answered No
    c.prompt.setNextAnswer(Prompt::Answer::Yes);
    ASSERT_TRUE(c.editor.deleteClicked());
    EXPECT_EQ(c.prompt.texts(), (QStringList{"Wollen Sie den Datensatz Nummer 5 löschen",
                                             "Wollen Sie den Datensatz Nummer 5 löschen"}));
    EXPECT_EQ(c.db.rawValue(QStringLiteral("SELECT COUNT(*) FROM T_GATTUNG")), QStringLiteral("4"));
    EXPECT_TRUE(c.editor.isNewRecordRow(newRow));

    c.db.rawExec(
        QStringLiteral("INSERT INTO T_GRUNDDATEN (ID, TABELLE, PK, BEZ_DE, BEZ_EN, SQLSTATEMENT, TYP, SORT) "
                       "VALUES (80, 'T_EXPSCGG', 'ID', 'Schutz', 'Protection', 'SELECT * FROM T_EXPSCGG', "
                       "'M', 8), (81, 'T_EXPSCGG', NULL, NULL, NULL, NULL, NULL, NULL)"));
    c.db.rawExec(
        QStringLiteral("UPDATE T_GRUNDDATEN SET FELD = 'ID', FELDTYP = 'LONG', BEZ_DE = 'Nr.', SORT = 1, "
                       "TABELLE = 'T_EXPSCGG' WHERE ID = 81"));
    c.editor.loadTable(80);
    c.grid().setCurrentCell(1, 0);
    c.prompt.clear();
    c.prompt.setNextAnswer(Prompt::Answer::Yes);
    EXPECT_FALSE(c.editor.deleteClicked());
    EXPECT_EQ(c.prompt.texts(),
              (QStringList{"Wollen Sie den Datensatz Nummer 1 löschen", "Löschen nicht möglich"}));
}

TEST(SystemTableEditingTest, ARowOthersStillUseIsNotDeleted)
{
    Contents c(10);
    const QString dogCases =
        c.db.rawValue(QStringLiteral("SELECT COUNT(*) FROM T_PAT_REZ WHERE ID_Gattung = 2"));
    ASSERT_NE(dogCases, "0");
    int dog = -1;
    for (int row = 1; row < c.grid().rowCount(); ++row) {
        if (c.grid().text(row, 0) == QLatin1String("2"))
            dog = row;
    }
    ASSERT_GT(dog, 0);
    c.grid().setCurrentCell(dog, 1);
    c.prompt.setNextAnswer(Prompt::Answer::Yes);
    EXPECT_FALSE(c.editor.deleteClicked());
    EXPECT_EQ(c.prompt.texts(),
              QStringList{QStringLiteral("Der Datensatz Nummer 2 wird noch verwendet (%1 "
                                         "gespeicherte Fälle) und kann nicht gelöscht werden.")
                              .arg(dogCases)});
    EXPECT_EQ(c.db.rawValue(QStringLiteral("SELECT COUNT(*) FROM T_GATTUNG WHERE ID = 2")), "1");
}

TEST(SystemTableEditingTest, ATextKeyedRowInsertedIsEditedAfterwards)
{
    TestDatabase db(TestDatabase::Data::Shipped);
    RecordingPrompt prompt;
    SystemTableEditor editor(db.context(), prompt);
    ASSERT_TRUE(editor.loadTable(140)); // T_FM_KEY, keyed by FM_TYP behind a row number
    const int row = editor.grid().rowCount() - 1;
    editor.grid().endEdit(row, 1, QStringLiteral("X"));
    EXPECT_FALSE(editor.isNewRecordRow(row));
    EXPECT_TRUE(editor.isNewRecordRow(row + 1));
    // The next edit of the row changes it; no second counter is inserted.
    editor.grid().endEdit(row, 2, QStringLiteral("3000"));
    EXPECT_TRUE(prompt.texts().isEmpty()) << prompt.lastText().toStdString();
    EXPECT_EQ(db.rawRows(QStringLiteral("SELECT ID_NEW FROM T_FM_KEY WHERE FM_TYP = 'X'")),
              QStringList{"3000"});
}

TEST(SystemTableEditingTest, AFeedstuffIsDeletedWithItsContentsAndCategoriesOrNotAtAll)
{
    Contents c(90);
    c.db.rawExec(QStringLiteral(
        "INSERT INTO T_GRUNDDATEN (ID, TABELLE, FELD, FELDTYP, BREITE, BEZ_DE, BEZ_EN, "
        "SICHTBAR, SORT) VALUES (94, 'T_FUTTERMITTEL', 'ID', 'LONG', '40', 'Nr.', 'No.', '1', "
        "1), (95, 'T_FUTTERMITTEL', 'BEZ_DE', 'VARCHAR2', '90', 'Bezeichnung', 'Name', '1', 2)"));
    c.editor.loadTable(90); // row n shows feedstuff n
    // The feedstuff, its contents and its categories.
    const auto left = [&](int key) {
        return c.db.rawValue(
            QStringLiteral("SELECT (SELECT COUNT(*) FROM T_FUTTERMITTEL WHERE ID = %1) || ' ' || "
                           "(SELECT COUNT(*) FROM T_FM_NAEHRSTOFF WHERE ID_FM = %1) || ' ' || "
                           "(SELECT COUNT(*) FROM T_FM_KAT WHERE ID_FM = %1)")
                .arg(key));
    };
    ASSERT_EQ(left(1), QStringLiteral("1 8 2"));
    ASSERT_EQ(left(6), QStringLiteral("1 2 1"));

    // Three stored cases take chicken into their rations: refused as the
    // feedstuff editor refuses it, before any question.
    c.grid().setCurrentCell(1, 1);
    c.prompt.setNextAnswer(Prompt::Answer::Yes);
    EXPECT_FALSE(c.editor.deleteClicked());
    EXPECT_EQ(c.prompt.texts(), QStringList{QStringLiteral(
                                    "Das Futtermittel Hühnerbrust, gekocht wird in 3 gespeicherten Fällen "
                                    "verwendet und kann nicht gelöscht werden. Nehmen Sie stattdessen "
                                    "das Häkchen bei „Aktiv“ heraus.")});
    EXPECT_EQ(left(1), QStringLiteral("1 8 2"));

    // The feedstuff's own row refused after its contents and categories went:
    // the transaction takes them back.
    ASSERT_TRUE(c.db.addTrigger(QStringLiteral("refuse"), QStringLiteral("BEFORE DELETE"),
                                QStringLiteral("T_FUTTERMITTEL")));
    c.grid().setCurrentCell(6, 1);
    c.prompt.clear();
    c.prompt.setNextAnswer(Prompt::Answer::Yes);
    EXPECT_FALSE(c.editor.deleteClicked());
    EXPECT_EQ(c.prompt.lastText(), QStringLiteral("Futtermittel MÖHREN, roh konnte nicht gelöscht werden"));
    EXPECT_EQ(left(6), QStringLiteral("1 2 1"));
    EXPECT_EQ(c.grid().text(6, 0), QStringLiteral("6"));

    ASSERT_TRUE(c.db.dropTrigger(QStringLiteral("refuse"), QStringLiteral("T_FUTTERMITTEL")));
    c.prompt.clear();
    c.prompt.setNextAnswer(Prompt::Answer::Yes);
    EXPECT_TRUE(c.editor.deleteClicked());
    EXPECT_EQ(c.prompt.texts(),
              QStringList{QStringLiteral("Wollen Sie das Futtermittel MÖHREN, roh (Nummer 6) löschen")});
    EXPECT_EQ(left(6), QStringLiteral("0 0 0"));
    EXPECT_EQ(c.grid().text(6, 0), QStringLiteral("7"));
}

TEST(SystemTableEditingTest, ARowGrowsWithItsWrappedTextUpToTheTallestRow)
{
    Contents c(10);
    // Sixteen pixels a line of ten characters stand in for the view's font metrics.
    c.editor.setCellHeight([](const GridModel& g, int row, int col) {
        const qsizetype length = g.text(row, col).size();
        return length == 0 ? 0 : int((length + 9) / 10) * 16 + 3;
    });
    c.editor.loadTable(10);
    const struct
    {
        const char* text;
        int height;
        bool tip;
    } cases[] = {
        {"Hund", GridModel::DefaultRowHeight, false},
        {"Hund aus der Zucht", 35, false},                  // two lines
        {"Hund einer großen Rasse im Wachstum", 67, false}, // four lines
        {"Hund einer großen Rasse im Wachstum, langsam und knapp gefüttert", SystemTableEditor::MaxRowHeight,
         true},
        {"Hund", GridModel::DefaultRowHeight, false}, // back to one line
    };
    for (const auto& e : cases) {
        SCOPED_TRACE(e.text);
        ASSERT_TRUE(c.grid().endEdit(2, 1, QString::fromUtf8(e.text)));
        EXPECT_EQ(c.grid().rowHeight(2), e.height);
        EXPECT_EQ(c.grid().toolTip(2, 1), e.tip ? QString::fromUtf8(e.text) : QString());
        EXPECT_TRUE(c.grid().hasEllipsis(2, 1));
    }
}

} // namespace
