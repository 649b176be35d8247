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
    TestDatabase db{TestDatabase::Data::Fixture};
    RecordingPrompt prompt;
    SystemTableEditor editor{db.context(), prompt};

    explicit Contents(int table = 91)
    {
        db.context().setOwnerCode(QStringLiteral("M"));
        db.rawExec(QStringLiteral("INSERT INTO T_GRUNDDATEN (ID, TABELLE, FELD, FELDTYP, BREITE, BEZ_DE, BEZ_EN, "
                                  "SICHTBAR, SORT) VALUES (98, 'T_FM_NAEHRSTOFF', 'ID', 'LONG', '40', 'Nr.', 'No.', "
                                  "'1', 1)"));
        editor.loadTable(table);
    }
    GridModel& grid() { return editor.grid(); }
    QString stored(int id) { return db.rawValue(QStringLiteral("SELECT MENGE FROM T_FM_NAEHRSTOFF WHERE ID = %1").arg(id)); }
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
    EXPECT_EQ(c.db.rawValue(QStringLiteral("SELECT BEZ_DE FROM T_GATTUNG WHERE ID = 2")), QStringLiteral("O'Hund"));
    c.db.rawExec(QStringLiteral("UPDATE T_GRUNDDATEN SET FELD = 'BEZ_XX' WHERE ID = 13"));
    c.editor.loadTable(10);
    c.grid().endEdit(2, 2, QStringLiteral("Hound"));
    EXPECT_EQ(c.prompt.texts(), QStringList{"Die Änderung konnte nicht gespeichert werden"});
    EXPECT_EQ(c.grid().text(2, 2), QString());
}

TEST(SystemTableEditingTest, DoubleClickTogglesYesNo)
{
    Contents c(10);
    const auto active = [&] { return c.db.rawValue(QStringLiteral("SELECT AKTIV FROM T_GATTUNG WHERE ID = 4")); };
    ASSERT_EQ(c.grid().text(4, 3), QStringLiteral("Nein"));
    c.grid().doubleClick(4, 3);
    EXPECT_EQ(c.grid().text(4, 3), QStringLiteral("Ja"));
    EXPECT_EQ(active(), QStringLiteral("-1"));
    c.grid().doubleClick(4, 3);
    EXPECT_EQ(c.grid().text(4, 3), QStringLiteral("Nein"));
    EXPECT_EQ(active(), QStringLiteral("0"));
    const int newRow = c.grid().rowCount() - 1;
    c.grid().doubleClick(newRow, 3);
    EXPECT_EQ(c.grid().text(newRow, 3), QStringLiteral("Ja"));
    EXPECT_TRUE(c.prompt.texts().isEmpty());
}

TEST(SystemTableEditingTest, ChangingAFeedstuffMarksItEdited)
{
    Contents c(90);
    c.db.rawExec(QStringLiteral("INSERT INTO T_GRUNDDATEN (ID, TABELLE, FELD, FELDTYP, BREITE, BEZ_DE, BEZ_EN, "
                                "SICHTBAR, SORT) VALUES (94, 'T_FUTTERMITTEL', 'ID', 'LONG', '40', 'Nr.', 'No.', '1', "
                                "1), (95, 'T_FUTTERMITTEL', 'HERSTELLER', 'VARCHAR2', '90', 'Hersteller', "
                                "'Producer', '1', 2)"));
    c.editor.loadTable(90);
    c.grid().endEdit(2, 1, QStringLiteral("Eigenbau"));
    EXPECT_EQ(c.db.rawRows(QStringLiteral("SELECT HERSTELLER, DATUM_BEARBEITET FROM T_FUTTERMITTEL WHERE ID = 2")),
              QStringList{"Eigenbau\t2024-04-03 10:00:00"});
}

} // namespace
