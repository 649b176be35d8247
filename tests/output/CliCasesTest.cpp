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
    };
    for (const auto& c : cases) {
        TestDatabase db;
        const CliRun run = runCliIn(db.directory(), c.args);
        EXPECT_EQ(run.status, 2);
        EXPECT_TRUE(run.err.contains(QLatin1String(c.error))) << run.err.toStdString();
        EXPECT_TRUE(run.lines.isEmpty());
    }
}

TEST(CliCasesTest, CasesNeedsADatabaseHere)
{
    QTemporaryDir empty;
    const CliRun run = runCliIn(empty.path(), {"cases"});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.lines.isEmpty());
}

} // namespace
