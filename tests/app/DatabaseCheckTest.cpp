#include "support/CliRun.h"
#include "support/TestDatabase.h"

#include "core/Prompt.h"
#include "db/DatabaseCheck.h"
#include "ration/ProgramChecks.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>
#include <sqlite3.h>

namespace {

// The problem lines of the program's checks; a server adds its info line.
QStringList problems(AppContext& context)
{
    DatabaseCheck check(context, ProgramChecks::all());
    QStringList lines;
    for (const DatabaseCheck::Finding& finding : check.run()) {
        if (finding.kind == DatabaseCheck::Finding::Kind::Problem)
            lines << check.line(finding);
        else
            EXPECT_EQ(check.line(finding),
                      QStringLiteral("info\tintegrity check\tnot available on a database server"));
    }
    return lines;
}

// The same as one text, so that a failure shows it.
std::string shown(AppContext& context)
{
    return problems(context).join(QLatin1Char('\n')).toStdString();
}

// Each row damages a new database as a crash, another tool or a careless
// edit would, and names the line the check prints for it.
TEST(DatabaseCheckTest, EachDamageGivesItsFindingLine)
{
    const struct
    {
        const char* sql;
        const char* line;
    } cases[] = {
        {"INSERT INTO T_PAT_REZ (ID, Rezepttitel) VALUES (900, 'Bello');"
         "INSERT INTO T_FUTTERMITTEL (ID, BEZ_DE, EIGEN) VALUES (20000, 'Quark', 'U');"
         "UPDATE T_FM_KEY SET ID_NEW = 20001 WHERE FM_TYP = 'U';"
         "INSERT INTO T_REZ_FM (ID, ID_Rezept, ID_Futtermittel, TagRat) VALUES (7000, 900, 20000, 10);"
         "DELETE FROM T_FUTTERMITTEL WHERE ID = 20000",
         "problem\tration rows without feedstuff\t1\t7000 (ID_REZEPT 900, ID_FUTTERMITTEL 20000)"},
        {"INSERT INTO T_REZ_FM (ID, ID_Rezept, ID_Futtermittel, TagRat) VALUES (7001, 901, 1, 10)",
         "problem\tration rows without case\t1\t7001 (ID_REZEPT 901, ID_FUTTERMITTEL 1)"},
        {"INSERT INTO T_REZ_TEXT (ID, ID_Rezept, Pos, BEZ_DE) VALUES (7002, 902, 1, 'Wasser')",
         "problem\trecipe text blocks without case\t1\t7002 (ID_REZEPT 902)"},
        {"INSERT INTO T_FM_NAEHRSTOFF (ID, ID_FM, ID_NAEHRSTOFF, MENGE) VALUES (900000, 99999, 1, 2)",
         "problem\tcontent rows without feedstuff\t1\t900000 (ID_FM 99999, ID_NAEHRSTOFF 1)"},
        {"INSERT INTO T_FM_KAT (ID, ID_FM, ID_FM_KATEGORIE) VALUES (900000, 99999, 1)",
         "problem\tcategory rows without feedstuff\t1\t900000 (ID_FM 99999, ID_FM_KATEGORIE 1)"},
        // The highest shipped key is 188: a counter at it would hand it out again.
        {"UPDATE T_FM_KEY SET ID_NEW = 188 WHERE FM_TYP = 'M'",
         "problem\tkey counters not above highest key\t1\tM (ID_NEW 188, MAX(ID) 188)"},
        {"UPDATE T_BEDARF SET WERT_FORMEL = '(AKTGEW * 2' WHERE ID = 3",
         "problem\tformulas that do not parse\t1\tT_BEDARF 3 (ID_NAEHRSTOFF 9)"},
        // An indicator's formula reads the supply variables.
        {"UPDATE T_BEDARF SET WERT_FORMEL = 'RP / (MEMJ' WHERE ID = 34",
         "problem\tformulas that do not parse\t1\tT_BEDARF 34 (ID_NAEHRSTOFF 41)"},
        // Stored text never reaches a statement of the check.
        {"UPDATE T_BEDARF SET WERT_FORMEL = '1''; DROP TABLE T_FM_KEY; --' WHERE ID = 5",
         "problem\tformulas that do not parse\t1\tT_BEDARF 5 (ID_NAEHRSTOFF 10)"},
        {"DROP INDEX IX_FM_KAT_FM", "problem\tmissing indexes\t1\tIX_FM_KAT_FM"},
    };
    for (const auto& c : cases) {
        TestDatabase db(TestDatabase::Data::Shipped);
        ASSERT_TRUE(db.isValid());
        ASSERT_EQ(shown(db.context()), "");
        ASSERT_TRUE(db.rawExec(QString::fromLatin1(c.sql))) << db.error().toStdString();
        EXPECT_EQ(shown(db.context()), c.line) << c.sql;
    }
}

// Names another SQLite tool wrote while the program had the file open have
// no sort key yet: the file is sound, the rows out of place in their lists
// until the repair (or the next opening) gives them their keys.
TEST(DatabaseCheckTest, NamesAnotherToolWroteAreFoundOutOfPlaceAndPutRight)
{
    SKIP_ON_POSTGRESQL("the server sorts the names themselves");
    TestDatabase db(TestDatabase::Data::Shipped);
    // SQLite's own NOCASE and none of the program's functions, as the
    // sqlite3 shell has it.
    sqlite3* tool = nullptr;
    ASSERT_EQ(sqlite3_open(db.path().toUtf8().constData(), &tool), SQLITE_OK);
    const int written =
        sqlite3_exec(tool,
                     "INSERT INTO T_FUTTERMITTEL (ID, BEZ_DE, EIGEN) VALUES (20000, 'Zucker', 'U'), "
                     "(20001, 'Äpfel', 'U'), (20002, 'Ähre', 'U');"
                     "UPDATE T_FM_KEY SET ID_NEW = 20003 WHERE FM_TYP = 'U';"
                     "UPDATE T_FUTTERMITTEL SET BEZ_US = 'Apples' WHERE ID = 1",
                     nullptr, nullptr, nullptr);
    sqlite3_close(tool);
    ASSERT_EQ(written, SQLITE_OK);
    EXPECT_EQ(shown(db.context()),
              "problem\tstale sort keys\t5\tT_FUTTERMITTEL.BEZ_DE 4, T_FUTTERMITTEL.BEZ_US 1");
    RecordingPrompt prompt;
    DatabaseCheck check(db.context(), ProgramChecks::all());
    ASSERT_TRUE(check.repair(check.run(), prompt));
    EXPECT_EQ(shown(db.context()), "");
}

// The repair rebuilds and raises, after a copy of the file; rows without
// their case or feedstuff stay for a person to decide on. A repair that
// fails leaves the others done; without its copy no repair runs at all.
TEST(DatabaseCheckTest, RepairFixesWhatItMayAfterACopyAndKeepsTheOrphans)
{
    TestDatabase db(TestDatabase::Data::Shipped);
    ASSERT_TRUE(db.rawExec(QStringLiteral(
        "DROP INDEX IX_REZ_FM_REZEPT; UPDATE T_FM_KEY SET ID_NEW = 5 WHERE FM_TYP = 'M';"
        "INSERT INTO T_REZ_FM (ID, ID_Rezept, ID_Futtermittel, TagRat) VALUES (7001, 901, 1, 10);"
        "INSERT INTO T_FM_NAEHRSTOFF (ID, ID_FM, ID_NAEHRSTOFF, MENGE) VALUES (900000, 99999, 1, 2)")));
    QList<DatabaseCheck::Entry> entries = ProgramChecks::all();
    // A further rule whose repair fails half-way through the list.
    entries.insert(3, {QStringLiteral("stale test rule"), QStringLiteral("Test"), QStringLiteral("Test"),
                       [](AppContext&) {
                           return DatabaseCheck::Count{DatabaseCheck::Count::State::Counted, 1, {}, {}};
                       },
                       [](AppContext&) { return false; }});
    DatabaseCheck check(db.context(), entries);
    const QList<DatabaseCheck::Finding> found = check.run();
    EXPECT_EQ(DatabaseCheck::problemCount(found), 5);
    RecordingPrompt prompt;

    if (!TestBackend::isPostgreSql()) {
        // The folder of the file is gone: no copy, and nothing changes.
        const QString moved = db.directory() + QStringLiteral("-moved");
        ASSERT_TRUE(QDir().rename(db.directory(), moved));
        const bool repaired = check.repair(found, prompt);
        QDir().rename(moved, db.directory());
        EXPECT_FALSE(repaired);
        EXPECT_TRUE(prompt.lastText().startsWith(
            QStringLiteral("Vor der Reparatur konnte keine Sicherungskopie der Datenbank angelegt werden")))
            << prompt.lastText().toStdString();
        EXPECT_EQ(DatabaseCheck::problemCount(check.run()), 5);
    }

    QStringList failed;
    ASSERT_TRUE(check.repair(found, prompt, &failed));
    EXPECT_EQ(failed, QStringList{QStringLiteral("stale test rule")});
    EXPECT_EQ(shown(db.context()),
              "problem\tration rows without case\t1\t7001 (ID_REZEPT 901, ID_FUTTERMITTEL 1)\n"
              "problem\tcontent rows without feedstuff\t1\t900000 (ID_FM 99999, ID_NAEHRSTOFF 1)");
    EXPECT_EQ(db.rawValue(QStringLiteral("SELECT ID_NEW FROM T_FM_KEY WHERE FM_TYP = 'M'")),
              QStringLiteral("189"));
    if (!TestBackend::isPostgreSql()) {
        EXPECT_TRUE(QFile::exists(check.backupFile()));
        EXPECT_EQ(TestDatabase::rawValueIn(check.backupFile(),
                                           QStringLiteral("SELECT ID_NEW FROM T_FM_KEY WHERE FM_TYP = 'M'")),
                  QStringLiteral("5"));
    }
}

TEST(CliCheckTest, TheStatusTellsSoundDamagedAndUncheckable)
{
    TestDatabase db(TestDatabase::Data::Shipped);
    const CliRun sound = runCliIn(db.directory(), {"check"});
    EXPECT_EQ(sound.status, 0);
    EXPECT_EQ(sound.lines, QStringList{QStringLiteral("ok")});
    EXPECT_EQ(runCliIn(db.directory(), {"check", "--fix"}).status, 2);

    ASSERT_TRUE(db.rawExec(QStringLiteral(
        "DROP INDEX IX_FM_KAT_FM; INSERT INTO T_FM_KAT (ID, ID_FM, ID_FM_KATEGORIE) VALUES (900000, 99999, 1)")));
    const QString orphan = QStringLiteral(
        "problem\tcategory rows without feedstuff\t1\t900000 (ID_FM 99999, ID_FM_KATEGORIE 1)");
    const CliRun damaged = runCliIn(db.directory(), {"check"});
    EXPECT_EQ(damaged.status, 1);
    EXPECT_EQ(damaged.lines, (QStringList{QStringLiteral("problem\tmissing indexes\t1\tIX_FM_KAT_FM"), orphan,
                                          QStringLiteral("2 problems")}));

    const CliRun repaired = runCliIn(db.directory(), {"check", "--repair"});
    EXPECT_EQ(repaired.status, 1);
    const QStringList copies =
        QDir(db.directory()).entryList({QStringLiteral("MensolyVers3-backup-*.mdb")}, QDir::Files);
    ASSERT_EQ(copies.size(), 1);
    EXPECT_EQ(
        repaired.lines.mid(3),
        (QStringList{QStringLiteral("backup\t") +
                         QDir::toNativeSeparators(QDir(db.directory()).absoluteFilePath(copies[0])),
                     QStringLiteral("repaired\tmissing indexes"), orphan, QStringLiteral("1 problem")}));

    QTemporaryDir notADatabase;
    QFile file(notADatabase.filePath(QStringLiteral("MensolyVers3.mdb")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a database");
    file.close();
    const CliRun uncheckable = runCliIn(notADatabase.path(), {"check"});
    EXPECT_EQ(uncheckable.status, 2);
    EXPECT_TRUE(uncheckable.lines.isEmpty());
}

} // namespace
