#include "support/CliRun.h"
#include "support/QtPrinters.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

namespace {

TEST(CliTableTest, ListsTheTablesOfferedAndShowsOneAsLoaded)
{
    TestDatabase db(TestDatabase::Data::Fixture);
    // Without an owner in the settings file the installation is a user's.
    const CliRun list = runCliIn(db.directory(), {"table", "list"});
    ASSERT_EQ(list.status, 0) << list.err.toStdString();
    EXPECT_EQ(list.lines, QStringList{"table\t10\tT_GATTUNG\tGattung"});

    const CliRun shown = runCliIn(db.directory(), {"table", "show", "10"});
    ASSERT_EQ(shown.status, 0) << shown.err.toStdString();
    EXPECT_EQ(
        shown.linesOf(QStringLiteral("column")),
        (QStringList{"column\tID\tLONG\tNr.\t40", "column\tBEZ_DE\tVARCHAR2\tBezeichnung\t150",
                     "column\tBEZ_US\tVARCHAR2\tBezeichnung engl.\t150", "column\tAKTIV\tBOOL\tAktiv\t40"}));
    EXPECT_EQ(shown.linesOf(QStringLiteral("row")),
              (QStringList{"row\t1\talle\tall\tJa", "row\t2\tHund\tDog\tJa", "row\t3\tKatze\tCat\tJa",
                           "row\t4\tPferd\tHorse\tNein", "row\t*\t\t\tJa"}));

    // A feedstuff's contents, as "Weitere Angaben" opens them: only from a
    // table this installation is offered.
    EXPECT_EQ(runCliIn(db.directory(), {"table", "show", "91", "--filter", "7"}).status, 1);
    ASSERT_TRUE(
        db.rawExec(QStringLiteral("INSERT INTO T_GRUNDDATEN_ABH (ID, ID_COMBO1, ID_COMBO2, BEZ_DE, BEZ_EN) "
                                  "VALUES (2, 10, 91, 'Inhalt', 'Content')")));
    const CliRun contents = runCliIn(db.directory(), {"table", "show", "91", "--filter", "7"});
    ASSERT_EQ(contents.status, 0) << contents.err.toStdString();
    EXPECT_EQ(contents.linesOf(QStringLiteral("row")),
              (QStringList{"row\tME - 9\t2", "row\tRp - 24\t10", "row\t*\t"}));

    const CliRun refused = runCliIn(db.directory(), {"table", "show", "90"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.err, "mensoly-cli table: table 90 is not offered to this installation (U)\n");
    EXPECT_EQ(runCliIn(db.directory(), {"table", "show", "x"}).status, 2);
}

TEST(CliTableTest, EditToggleCopyAndDeleteActOnOneGridRow)
{
    TestDatabase db(TestDatabase::Data::Fixture);
    const struct
    {
        CliArgs args;
        int status;
        const char* out;
        const char* err;
    } steps[] = {
        {{"table", "edit", "10", "4", "1", "Pony"}, 0, "row\t4\tPony\tHorse\tNein\n", ""},
        {{"table", "toggle", "10", "4", "3"}, 0, "row\t4\tPony\tHorse\tJa\n", ""},
        // Typed into the new-record row: a new species with the key the database gave it.
        {{"table", "edit", "10", "5", "1", "Esel"}, 0, "row\t5\tEsel\t\tJa\n", ""},
        {{"table", "copy", "10", "5"}, 0, "row\t6\tEsel\t\tJa\n", ""},
        {{"table", "delete", "10", "6"}, 2, "", ""},
        {{"table", "delete", "10", "6", "--yes"}, 0, "deleted\t6\n", ""},
        {{"table", "delete", "10", "2", "--yes"},
         1,
         "",
         "mensoly-cli table: Der Datensatz Nummer 2 wird noch verwendet"},
        {{"table", "edit", "10", "9", "1", "x"}, 1, "", "mensoly-cli table: there is no grid cell 9 1"},
    };
    for (const auto& step : steps) {
        const CliRun run = runCliIn(db.directory(), step.args);
        const std::string what = step.args[1] + " " + step.args[3];
        EXPECT_EQ(run.status, step.status) << what << " " << run.err.toStdString();
        EXPECT_EQ(run.out, step.out) << what;
        EXPECT_TRUE(run.err.startsWith(QString::fromUtf8(step.err))) << what << " " << run.err.toStdString();
    }
    EXPECT_EQ(db.rawRows(QStringLiteral("SELECT ID, BEZ_DE FROM T_GATTUNG WHERE ID >= 4 ORDER BY ID")),
              (QStringList{"4\tPony", "5\tEsel"}));
}

} // namespace
