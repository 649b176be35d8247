#include "support/CliRun.h"
#include "support/QtPrinters.h"
#include "support/TestDatabase.h"

#include <QDir>

#include <gtest/gtest.h>

#include <ostream>

namespace {

const QString Bello = QStringLiteral("case\t1\tMüller\tBello\t03.04.2024\tErhaltung");
const QString Minka = QStringLiteral("case\t2\tO'Neil\tMinka\t04.04.2024\tMinka's Diät");
const QString Rex = QStringLiteral("case\t3\tSchmidt\tRex\t05.04.2024\tWachstum");

TEST(CliCasesTest, CasesPrintsTheListInItsOrder)
{
    const struct
    {
        CliArgs args;
        QStringList lines;
    } cases[] = {
        {{"cases"}, {Bello, Minka, Rex}},
        {{"cases", "--species", "1", "--sex", "-1"}, {Bello, Minka, Rex}},
        {{"cases", "--species", "2"}, {Bello, Rex}},
        {{"cases", "--sex", "2"}, {Minka}},
        {{"cases", "--owner", "o'n"}, {Minka}},
        {{"cases", "--patient", "E"}, {Bello, Rex}},
        {{"cases", "--title", "'s diät"}, {Minka}},
        {{"cases", "--species", "2", "--sex", "1", "--owner", "m_ller", "--patient", "bel", "--title",
          "halt"},
         {Bello}},
        {{"cases", "--owner", "nobody"}, {}},
        {{"cases", "--first", "2"}, {Bello, Minka}},
        {{"cases", "--first", "0"}, {}},
        {{"cases", "--species", "2", "--first", "1"}, {Bello}},
        {{"cases", "--owner", "o'n", "--first", "5"}, {Minka}},
    };
    for (const auto& c : cases) {
        TestDatabase db;
        ASSERT_TRUE(db.isValid());
        const CliRun run = runCliIn(db.directory(), c.args);
        ASSERT_EQ(run.status, 0) << run.err.toStdString();
        EXPECT_EQ(run.lines, c.lines);
    }
}

TEST(CliCasesTest, CasesShowsDatesInTheLanguageOfTheSettingsRow)
{
    TestDatabase db;
    ASSERT_TRUE(db.rawExec(QStringLiteral("UPDATE T_MSYV3SEC SET Sprache = 'US'")));
    const CliRun run = runCliIn(db.directory(), {"cases", "--species", "3"});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(run.lines, QStringList{"case\t2\tO'Neil\tMinka\t04/04/2024\tMinka's Diät"});
}

TEST(CliCasesTest, CasesRefusesBadArguments)
{
    const struct
    {
        CliArgs args;
        const char* error;
    } cases[] = {
        {{"cases", "--species", "dog"}, "--species takes a number"},
        {{"cases", "--sex"}, "missing value"},
        {{"cases", "--owner", "a", "--owner", "b"}, "given twice"},
        {{"cases", "Müller"}, "unknown argument"},
        {{"cases", "--first", "-1"}, "--first takes a number of rows"},
        {{"cases", "--first", "ten"}, "--first takes a number of rows"},
    };
    for (const auto& c : cases) {
        TestDatabase db;
        const CliRun run = runCliIn(db.directory(), c.args);
        EXPECT_EQ(run.status, 2);
        EXPECT_TRUE(run.err.contains(QLatin1String(c.error))) << run.err.toStdString();
        EXPECT_TRUE(run.lines.isEmpty());
    }
}

TEST(CliCasesTest, FirstPrintsTheBeginningOfAListLongerThanAPage)
{
    TestDatabase db;
    ASSERT_TRUE(db.rawExec(QStringLiteral(
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 300) "
        "INSERT INTO T_PAT_REZ (ID_Anrede, Name_Besitzer, Name_Pat, ID_Gattung, ID_Geschlecht, ID_Fall, "
        "Rezepttitel, Datum) SELECT 1, CASE i % 3 WHEN 0 THEN 'Özdemir' WHEN 1 THEN 'Ott' ELSE NULL END, "
        "'Tier ' || i, 2, 1, 7, 'Erhaltung', '2024-04-01 08:00:00' FROM n")));
    const CliRun all = runCliIn(db.directory(), {"cases"});
    ASSERT_EQ(all.status, 0) << all.err.toStdString();
    ASSERT_EQ(all.lines.size(), 303);
    // Cases without an owner first; "Özdemir" sorts as "Ozdemir", after "Ott" and before "Schmidt".
    const auto owner = [&all](int line) { return all.lines[line].split(QLatin1Char('\t')).value(2); };
    EXPECT_EQ(owner(0), "");
    EXPECT_EQ(owner(99), "");
    EXPECT_EQ(owner(100), "Müller");
    EXPECT_TRUE(all.lines[201].contains(QStringLiteral("\tOtt\t")));
    EXPECT_TRUE(all.lines[202].contains(QStringLiteral("\tÖzdemir\t")));
    EXPECT_EQ(all.lines[302], Rex);
    for (const int first : {1, 100, 150, 303, 400}) {
        const CliRun run = runCliIn(db.directory(), {"cases", "--first", std::to_string(first)});
        ASSERT_EQ(run.status, 0) << run.err.toStdString();
        EXPECT_EQ(run.lines, all.lines.mid(0, first)) << first;
    }
}

TEST(CliCasesTest, CasesNeedsADatabaseHere)
{
    QTemporaryDir empty;
    const CliRun run = runCliIn(empty.path(), {"cases"});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.lines.isEmpty());
}

TEST(CliCasesTest, ASearchThatFailsEndsWithItsReasonNotWithNoCases)
{
    TestDatabase db;
    ASSERT_TRUE(db.rawExec(QStringLiteral("ALTER TABLE T_PAT_REZ RENAME TO T_PAT_REZ_WEG")));
    const CliRun failed = runCliIn(db.directory(), {"cases"});
    EXPECT_EQ(failed.status, 1);
    EXPECT_TRUE(failed.lines.isEmpty());
    EXPECT_TRUE(failed.err.startsWith(QStringLiteral("Die Suche ist fehlgeschlagen.\nGrund: ")))
        << failed.err.toStdString();
}

} // namespace
