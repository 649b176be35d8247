#include "sysdata/SystemTableEditor.h"

#include "core/Prompt.h"
#include "support/QtPrinters.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

namespace {

struct Editor
{
    TestDatabase db;
    RecordingPrompt prompt;

    explicit Editor(const QString& owner, const QString& language = QStringLiteral("DE"))
        : db(TestDatabase::Data::Fixture, language)
    {
        db.context().setOwnerCode(owner);
    }
    bool exec(const QString& sql)
    {
        const bool ok = db.rawExec(sql);
        EXPECT_TRUE(ok) << sql.toStdString();
        return ok;
    }
    // Column rows of the feedstuff table, which the fixture leaves out.
    void describeFeedstuffs()
    {
        exec(QStringLiteral(
            "INSERT INTO T_GRUNDDATEN (ID, TABELLE, FELD, FELDTYP, BREITE, BEZ_DE, BEZ_EN, SICHTBAR, "
            "SORT) VALUES (94, 'T_FUTTERMITTEL', 'ID', 'LONG', '40', 'Nr.', 'No.', '1', 1), "
            "(95, 'T_FUTTERMITTEL', 'BEZ_DE', 'VARCHAR2', '200', 'Bezeichnung', 'Name', '1', 2), "
            "(96, 'T_FUTTERMITTEL', 'EIGEN', 'VARCHAR2', '20', 'Eigen', 'Own', '0', 3)"));
    }
    static QStringList rows(const GridModel& grid, int column)
    {
        QStringList texts;
        for (int row = 1; row < grid.rowCount(); ++row)
            texts << grid.text(row, column);
        return texts;
    }
    static QStringList offered(const SystemTableEditor& editor)
    {
        QStringList texts;
        for (const ChoiceList::Entry& entry : editor.tableList().entries())
            texts << QString::number(entry.data) + QLatin1Char(' ') + entry.text;
        return texts;
    }
};

TEST(SystemTableEditorTest, TableListFollowsTheOwnerCodeAndThePresetTable)
{
    Editor m(QStringLiteral("M"));
    SystemTableEditor all(m.db.context(), m.prompt);
    all.open();
    EXPECT_EQ(Editor::offered(all), (QStringList{"90 Futtermittel", "10 Gattung", "91 Nährstoffgehalte"}));
    // Nothing is chosen until the user picks a table.
    EXPECT_EQ(all.tableList().currentIndex(), -1);
    EXPECT_EQ(all.grid().rowCount(), 0);

    Editor u(QStringLiteral("U"), QStringLiteral("US"));
    SystemTableEditor own(u.db.context(), u.prompt);
    own.open();
    EXPECT_EQ(Editor::offered(own), QStringList{"10 Species"});

    SystemTableEditor preset(u.db.context(), u.prompt, 91, QStringLiteral("4"));
    preset.open();
    EXPECT_EQ(Editor::offered(preset), QStringList{"91 Nutrient contents"});
    EXPECT_EQ(preset.table().table, QStringLiteral("T_FM_NAEHRSTOFF"));
    EXPECT_EQ(preset.table().key, QStringLiteral("ID"));
}

TEST(SystemTableEditorTest, EveryColumnTypeLoadsAsItsRuleSays)
{
    Editor e(QStringLiteral("M"));
    ASSERT_TRUE(e.db.createTable(QStringLiteral(
        "CREATE TABLE T_PROBE (ID INTEGER PRIMARY KEY, N INTEGER, L INTEGER, D DOUBLE, T VARCHAR(20), "
        "EIGEN VARCHAR(1), B BOOLEAN, DT DATETIME, C INTEGER, CS VARCHAR(20), H VARCHAR(20))")))
        << e.db.error().toStdString();
    e.exec(QStringLiteral(
        "INSERT INTO T_PROBE VALUES (1, -5, 70000, 1.5, 'Text', 'M', -1, '2024-04-03', 9, 'x', 'h'), "
        "(2, 0, 0, 2.25, NULL, 'U', 0, NULL, 77, NULL, NULL)"));
    e.exec(QStringLiteral(
        "INSERT INTO T_GRUNDDATEN (ID, TABELLE, PK, FELD, FELDTYP, BREITE, BEZ_DE, BEZ_EN, SICHTBAR, SQLSTATEMENT, TYP, "
        "SORT) VALUES (500, 'T_PROBE', 'ID', NULL, NULL, NULL, 'Probe', 'Probe', NULL, "
        "'SELECT * FROM T_PROBE ORDER BY ID', 'U', 9), "
        "(501, 'T_PROBE', NULL, 'ID', 'LONG', '30', 'Nr.', 'No.', '1', NULL, NULL, 1), "
        "(502, 'T_PROBE', NULL, 'N', 'NUMBER', '40', 'N', 'N', '1', NULL, NULL, 2), "
        "(503, 'T_PROBE', NULL, 'L', 'LONG', '40', 'L', 'L', '1', NULL, NULL, 3), "
        "(504, 'T_PROBE', NULL, 'D', 'DOUBLE', '40', 'D', 'D', '1', NULL, NULL, 4), "
        "(505, 'T_PROBE', NULL, 'T', 'VARCHAR2', '40', 'T', 'T', '1', NULL, NULL, 5), "
        "(506, 'T_PROBE', NULL, 'EIGEN', 'VARCHAR2', '40', 'E', 'E', '1', NULL, NULL, 6), "
        "(507, 'T_PROBE', NULL, 'B', 'BOOL', '40', 'B', 'B', '1', NULL, NULL, 7), "
        "(508, 'T_PROBE', NULL, 'DT', 'DATE', '40', 'DT', 'DT', '1', NULL, NULL, 8), "
        "(509, 'T_PROBE', NULL, 'C', 'COMBO', '40', 'C', 'C', '1', "
        "'SELECT ID AS ITEMDATA, KUERZEL_DE AS ITEMTEXT FROM T_NAEHRSTOFFE', NULL, 9), "
        "(510, 'T_PROBE', NULL, 'CS', 'COMBOSTRING', '40', 'CS', 'CS', '1', NULL, NULL, 10), "
        "(511, 'T_PROBE', NULL, 'H', 'VARCHAR2', '55', 'H', 'H', '0', NULL, NULL, 11), "
        "(512, 'T_PROBE', NULL, 'ID', 'Long', '40', 'klein', 'small', '1', NULL, NULL, 12)"));
    SystemTableEditor editor(e.db.context(), e.prompt);
    editor.open();
    ASSERT_TRUE(editor.loadTable(500));
    const GridModel& grid = editor.grid();
    ASSERT_EQ(grid.columnCount(), 12);
    ASSERT_EQ(grid.rowCount(), 4); // header, two rows, new record
    EXPECT_EQ(grid.fixedRowCount(), 1);
    EXPECT_EQ(grid.fixedColumnCount(), 1);
    EXPECT_EQ(grid.defaultBackground(), (Rgb{204, 255, 255}));
    EXPECT_EQ(grid.text(0, 3), QStringLiteral("D"));
    EXPECT_EQ(grid.alignment(0, 3).h, GridAlign::Centre);

    struct Cell
    {
        int column;
        const char* first;
        const char* second;
        GridAlign::Horizontal align;
        bool readOnly;
    };
    const Cell cells[] = {
        {0, "1", "2", GridAlign::Right, true},
        {1, "-5", "0", GridAlign::Right, false},
        {2, "70000", "0", GridAlign::Right, false},
        {3, "2", "2", GridAlign::Right, false}, // no NK_STELLEN column: whole numbers
        {4, "Text", "", GridAlign::Left, false},
        {5, "M", "U", GridAlign::Left, true},
        {6, "Ja", "Nein", GridAlign::Centre, true},
        {7, "03.04.2024", "", GridAlign::Right, true},
        {8, "ME - 9", "", GridAlign::LeftSingleLine, false}, // 77 has no entry
        {9, "", "", GridAlign::Left, false},                 // not read
        {10, "h", "", GridAlign::Left, false},
        {11, "", "", GridAlign::Left, false}, // "Long" is not a type
    };
    for (const Cell& cell : cells) {
        SCOPED_TRACE(cell.column);
        EXPECT_EQ(grid.text(1, cell.column), QString::fromUtf8(cell.first));
        EXPECT_EQ(grid.text(2, cell.column), QString::fromUtf8(cell.second));
        EXPECT_EQ(grid.alignment(1, cell.column).h, cell.align);
        EXPECT_EQ(!grid.isEditable(1, cell.column), cell.readOnly);
    }
    EXPECT_EQ(grid.columnWidth(10), 0);
    EXPECT_EQ(grid.columnWidth(9), 40);

    // The new-record row.
    EXPECT_TRUE(editor.isNewRecordRow(3));
    const QStringList texts{"*", "", "", "", "", "", "Ja", "", "", "", "", ""};
    for (int col = 0; col < texts.size(); ++col)
        EXPECT_EQ(grid.text(3, col), texts[col]) << col;
    EXPECT_TRUE(grid.isEditable(3, 1));
    EXPECT_FALSE(grid.isEditable(3, 6));
    EXPECT_FALSE(grid.isEditable(3, 8));
}

TEST(SystemTableEditorTest, NutrientDecimalsShapeTheAmountsOfTheirRow)
{
    Editor e(QStringLiteral("M"));
    e.exec(QStringLiteral("UPDATE T_GRUNDDATEN SET SORT = 5 WHERE ID = 93"));
    SystemTableEditor plain(e.db.context(), e.prompt);
    plain.loadTable(91);
    // The last stored rows: feedstuff 7 with 1,5 MJ ME and 10 g crude protein.
    const int me = plain.grid().rowCount() - 3;
    const int rp = me + 1;
    EXPECT_EQ(plain.grid().text(me, 0), QStringLiteral("ME - 9"));
    EXPECT_EQ(plain.grid().text(me, 1), QStringLiteral("2"));

    e.exec(QStringLiteral(
        "INSERT INTO T_GRUNDDATEN (ID, TABELLE, FELD, FELDTYP, BREITE, BEZ_DE, BEZ_EN, SICHTBAR, "
        "SQLSTATEMENT, SORT) VALUES (97, 'T_FM_NAEHRSTOFF', 'NK_STELLEN', 'COMBO', '30', 'NK', "
        "'Dec.', '1', 'SELECT ID AS ITEMDATA, NK_STELLEN AS ITEMTEXT FROM T_NAEHRSTOFFE', 4)"));
    SystemTableEditor shaped(e.db.context(), e.prompt);
    shaped.loadTable(91);
    EXPECT_EQ(shaped.grid().text(me, 1), QStringLiteral("2"));
    EXPECT_EQ(shaped.grid().text(me, 2), QStringLiteral("1,50"));
    EXPECT_EQ(shaped.grid().text(rp, 0), QStringLiteral("Rp - 24"));
    EXPECT_EQ(shaped.grid().text(rp, 1), QStringLiteral("1"));
    EXPECT_EQ(shaped.grid().text(rp, 2), QStringLiteral("10,0"));
}

TEST(SystemTableEditorTest, UsersSeeOnlyTheirOwnFeedstuffsEvenWithAStatementThatFiltersAndSorts)
{
    Editor e(QStringLiteral("U"));
    e.describeFeedstuffs();
    SystemTableEditor feeds(e.db.context(), e.prompt);
    feeds.loadTable(90);
    // No new-record row for feedstuffs; EIGEN is loaded but hidden.
    EXPECT_EQ(Editor::rows(feeds.grid(), 1), (QStringList{"Rinderhack", "O'Briens Mischung"}));
    EXPECT_EQ(feeds.grid().columnWidth(2), 0);

    e.exec(QStringLiteral(
        "UPDATE T_GRUNDDATEN SET SQLSTATEMENT = 'SELECT ID, ID_FM, ID_NAEHRSTOFF, MENGE FROM "
        "T_FM_NAEHRSTOFF WHERE MENGE > 1 OR ID_NAEHRSTOFF = 9 ORDER BY MENGE DESC' WHERE ID = 91"));
    SystemTableEditor contents(e.db.context(), e.prompt);
    contents.loadTable(91);
    EXPECT_EQ(Editor::rows(contents.grid(), 1), (QStringList{"17", "10", "2", "1", ""}));
    EXPECT_EQ(contents.grid().text(1, 0), QStringLiteral("Rp - 24"));

    SystemTableEditor own(e.db.context(), e.prompt, 91, QStringLiteral("7"));
    own.open();
    EXPECT_EQ(own.grid().rowCount(), 4);
    SystemTableEditor others(e.db.context(), e.prompt, 91, QStringLiteral("1"));
    others.open();
    EXPECT_EQ(others.grid().rowCount(), 2); // header and new-record row

    Editor m(QStringLiteral("M"));
    m.describeFeedstuffs();
    SystemTableEditor everything(m.db.context(), m.prompt);
    everything.loadTable(90);
    EXPECT_EQ(everything.grid().rowCount(), 8);
}

TEST(SystemTableEditorTest, FurtherDetailsOpenTheContentsOfTheCurrentFeedstuff)
{
    Editor e(QStringLiteral("M"));
    e.describeFeedstuffs();
    SystemTableEditor feeds(e.db.context(), e.prompt);
    feeds.loadTable(10);
    EXPECT_FALSE(feeds.hasDependentTables());
    feeds.loadTable(90);
    ASSERT_TRUE(feeds.hasDependentTables());
    EXPECT_EQ(feeds.dependentList().entries()[0].text, QStringLiteral("Nährstoffgehalte"));
    feeds.grid().setCurrentCell(4, 1);
    const auto window = feeds.userChoseDependent(0);
    ASSERT_TRUE(window);
    EXPECT_EQ(window->table, 91);
    EXPECT_EQ(window->filterValue, QStringLiteral("4"));

    SystemTableEditor contents(e.db.context(), e.prompt, window->table, window->filterValue);
    contents.open();
    // Contents 15 to 18 of feedstuff 4 (ME, Rp, Ca, P) in key order, shown rounded.
    EXPECT_EQ(Editor::rows(contents.grid(), 1), (QStringList{"1", "17", "0", "0", ""}));

    // A key that is not a number shows nothing rather than every row.
    SystemTableEditor forged(e.db.context(), e.prompt, 91, QStringLiteral("1 OR 1=1"));
    forged.open();
    EXPECT_EQ(forged.grid().rowCount(), 1);
    EXPECT_EQ(forged.grid().columnWidth(1), 60);
    // From the new-record row the table opens unfiltered.
    SystemTableEditor gattung(e.db.context(), e.prompt);
    gattung.loadTable(10);
    e.exec(QStringLiteral("INSERT INTO T_GRUNDDATEN_ABH (ID, ID_COMBO1, ID_COMBO2, BEZ_DE, BEZ_EN) "
                          "VALUES (2, 10, 91, 'Inhalt', 'Content')"));
    gattung.loadTable(10);
    gattung.grid().setCurrentCell(gattung.grid().rowCount() - 1, 1);
    EXPECT_EQ(gattung.userChoseDependent(0)->filterValue, QString());
}

TEST(SystemTableEditorTest, BarAndTitlesInBothLanguages)
{
    EXPECT_EQ(SystemTableEditor::windowTitle(QStringLiteral("DE")), QStringLiteral("Systemdaten"));
    EXPECT_EQ(SystemTableEditor::windowTitle(QStringLiteral("US")), QStringLiteral("Systemdata"));
    EXPECT_EQ(SystemTableEditor::dependentWindowTitle(), QStringLiteral("Systemdaten - Weitere Angaben"));
    const SystemTableEditorLabels de = SystemTableEditor::labels(QStringLiteral("DE"));
    const SystemTableEditorLabels en = SystemTableEditor::labels(QStringLiteral("US"));
    EXPECT_EQ(QStringList({de.selectTable, de.furtherDetails, de.copy, de.remove, de.print}),
              QStringList({"Auswahl Tabelle", "Weitere Angaben", "Kopieren", "Löschen", "Drucken"}));
    EXPECT_EQ(QStringList({en.selectTable, en.furtherDetails, en.copy, en.remove, en.print}),
              QStringList({"Select table", "Further details", "Copy", "Delete", "Print"}));
}

} // namespace
