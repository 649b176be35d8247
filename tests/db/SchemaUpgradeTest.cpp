#include "db/ConnectionString.h"
#include "db/DatabaseCreator.h"
#include "db/DbBackend.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

namespace {

const QString MaximaRows = QStringLiteral("SELECT * FROM T_HOECHSTWERT ORDER BY ID");
const QString StageRows = QStringLiteral("SELECT * FROM T_FALL_LEBENSPHASE ORDER BY ID");
const QString EditorRows = QStringLiteral("SELECT * FROM T_GRUNDDATEN ORDER BY ID");
const QString NewTablesEditorRows =
    QStringLiteral("SELECT TABELLE, FELD, BEZ_DE, SQLSTATEMENT FROM T_GRUNDDATEN "
                   "WHERE TABELLE IN ('T_HOECHSTWERT', 'T_FALL_LEBENSPHASE') ORDER BY TABELLE, FELD");

// Turns a current file into one as the first version left it: no maxima
// tables and no editor rows for them, and the user's own editor rows in the
// numbers the shipped rows of the new tables have now.
void makeVersionOne(TestDatabase& db)
{
    db.db().closeConnection();
    ASSERT_TRUE(db.rawExec(QStringLiteral(
        "DROP TABLE T_HOECHSTWERT; DROP TABLE T_FALL_LEBENSPHASE; "
        "DELETE FROM T_GRUNDDATEN WHERE TABELLE IN ('T_HOECHSTWERT', 'T_FALL_LEBENSPHASE') AND coalesce(FELD, '') <> 'QUELLE'; "
        "UPDATE T_GRUNDDATEN SET BEZ_DE = 'Meine Quelle' WHERE TABELLE = 'T_HOECHSTWERT'; "
        "INSERT INTO T_GRUNDDATEN (ID, TABELLE, FELD, BEZ_DE) VALUES (1081, 'T_EIGEN', 'X', 'Eigene Zeile'); "
        "PRAGMA user_version = 1")));
}

bool reopen(TestDatabase& db, const char* mode)
{
    db.db().closeConnection();
    db.context().setConnectionString(ConnectionString::build(db.directory(), QLatin1String(mode)));
    return db.context().openDatabase();
}

TEST(SchemaUpgradeTest, AnOlderFileOpenedForWritingGetsTheMaximaTablesOnce)
{
    SKIP_ON_POSTGRESQL("the version of an SQLite file");
    TestDatabase shipped(TestDatabase::Data::Shipped);
    TestDatabase db(TestDatabase::Data::Shipped);
    makeVersionOne(db);

    ASSERT_TRUE(reopen(db, "Read"));
    EXPECT_EQ(db.rawValue(QStringLiteral("PRAGMA user_version")), "1");
    EXPECT_EQ(db.rawValue(QStringLiteral("SELECT count(*) FROM sqlite_master WHERE name = 'T_HOECHSTWERT'")),
              "0");

    ASSERT_TRUE(reopen(db, "Share Deny None"));
    EXPECT_EQ(db.rawValue(QStringLiteral("PRAGMA user_version")),
              QString::number(DatabaseCreator::SchemaVersion));
    EXPECT_EQ(db.rawRows(MaximaRows), shipped.rawRows(MaximaRows));
    EXPECT_EQ(db.rawRows(StageRows), shipped.rawRows(StageRows));
    // The user's rows stay as they were; the shipped row of the column the
    // user had already is not added twice.
    EXPECT_EQ(
        db.rawValue(QStringLiteral("SELECT TABELLE || ' ' || BEZ_DE FROM T_GRUNDDATEN WHERE ID = 1081")),
        "T_EIGEN Eigene Zeile");
    EXPECT_EQ(
        db.rawValue(QStringLiteral(
            "SELECT group_concat(BEZ_DE) FROM T_GRUNDDATEN WHERE FELD = 'QUELLE' AND TABELLE = 'T_HOECHSTWERT'")),
        "Meine Quelle");
    QStringList expected = shipped.rawRows(NewTablesEditorRows);
    expected.replaceInStrings(QStringLiteral("Quelle"), QStringLiteral("Meine Quelle"));
    EXPECT_EQ(db.rawRows(NewTablesEditorRows), expected);

    const QStringList editor = db.rawRows(EditorRows);
    ASSERT_TRUE(reopen(db, "Share Deny None"));
    EXPECT_EQ(db.rawRows(EditorRows), editor);
    EXPECT_EQ(db.rawRows(MaximaRows), shipped.rawRows(MaximaRows));
}

} // namespace

namespace {

// What a practice did to its file: a feedstuff of its own in its own
// category, a case with a shipped and the own feedstuff, a shipped
// feedstuff switched off.
const char* const PracticeRows =
    "INSERT INTO T_FUTTERMITTEL (ID, ID_FM_TYP, BEZ_DE, BEZ_US, EIGEN, AKTIV) "
    "VALUES (20000, 1, 'Eigenes Futter', 'Own food', 'U', -1); "
    "INSERT INTO T_FM_NAEHRSTOFF (ID_FM, ID_NAEHRSTOFF, MENGE, AKTIV) VALUES (20000, 24, 30.5, -1), "
    "(20000, 6, 2, -1); "
    "INSERT INTO T_FM_KAT (ID_FM, ID_FM_KATEGORIE, AKTIV) VALUES (20000, 1, -1), (1, 17, -1); "
    "INSERT INTO T_PAT_REZ (ID, Name_Pat, ID_Gattung, ID_Geschlecht, ID_Fall) VALUES (1, 'Bello', 2, 1, 7); "
    "INSERT INTO T_REZ_FM (ID_Rezept, ID_Futtermittel, TagRat) VALUES (1, 1, 150), (1, 20000, 50); "
    "UPDATE T_FUTTERMITTEL SET AKTIV = 0 WHERE ID = 5";

const QStringList FeedTables = {
    QStringLiteral("SELECT * FROM T_FUTTERMITTEL ORDER BY ID"),
    QStringLiteral("SELECT ID_FM, ID_NAEHRSTOFF, MENGE, AKTIV, QUELLE FROM T_FM_NAEHRSTOFF ORDER BY 1, 2"),
    QStringLiteral("SELECT ID_FM, ID_FM_KATEGORIE FROM T_FM_KAT ORDER BY 1, 2"),
    QStringLiteral("SELECT * FROM T_FM_KEY ORDER BY FM_TYP"),
    QStringLiteral("SELECT BERTYP_FALL, ID_NAEHRSTOFF, WERT_FORMEL FROM T_BEDARF ORDER BY 1, 2"),
    QStringLiteral("SELECT ID_FALL, ID_Naehrstoff, FIXED, AKTIV FROM T_FALL_NAEHRSTOFF ORDER BY 1, 2"),
    QStringLiteral("SELECT ID, ME_DE, ME_US, BERTYP_RELEVANT FROM T_NAEHRSTOFFE ORDER BY ID"),
    QStringLiteral("SELECT * FROM T_PAT_REZ ORDER BY ID"),
    QStringLiteral("SELECT * FROM T_REZ_FM ORDER BY 1, 2"),
};

// What the second version's shipped data lacked or had otherwise, as the
// report must count it.
struct VersionTwo
{
    int lostFeed = 0;
    int lostFeedContents = 0;
};

// Turns the file into one as the second version left it: no source column,
// the last shipped feedstuff missing, a content changed, one missing, one the
// data no longer has, a requirement formula missing with its case types'
// nutrient rows; none of the handout's columns and tables.
VersionTwo makeVersionTwo(TestDatabase& db)
{
    VersionTwo made;
    made.lostFeed =
        db.rawValue(QStringLiteral("SELECT max(ID) FROM T_FUTTERMITTEL WHERE EIGEN = 'M'")).toInt();
    made.lostFeedContents =
        db.rawValue(
              QStringLiteral("SELECT count(*) FROM T_FM_NAEHRSTOFF WHERE ID_FM = %1").arg(made.lostFeed))
            .toInt();
    const QString nutrient = db.rawValue(QStringLiteral(
        "SELECT min(ID_NAEHRSTOFF) FROM T_BEDARF WHERE BERTYP_FALL = 7 AND ID_NAEHRSTOFF BETWEEN 16 AND 40"));
    db.db().closeConnection();
    EXPECT_TRUE(db.rawExec(
        QStringLiteral(
            "DELETE FROM T_FUTTERMITTEL WHERE ID = %1; DELETE FROM T_FM_NAEHRSTOFF WHERE ID_FM = %1; "
            "DELETE FROM T_FM_KAT WHERE ID_FM = %1; "
            "UPDATE T_FM_NAEHRSTOFF SET MENGE = MENGE + 1 WHERE ID_FM = 1 AND ID_NAEHRSTOFF = 24; "
            "DELETE FROM T_FM_NAEHRSTOFF WHERE ID_FM = 2 AND ID_NAEHRSTOFF = 24; "
            "INSERT INTO T_FM_NAEHRSTOFF (ID_FM, ID_NAEHRSTOFF, MENGE, AKTIV) SELECT 3, ID, 1, -1 FROM "
            "T_NAEHRSTOFFE WHERE ID NOT IN (SELECT ID_NAEHRSTOFF FROM T_FM_NAEHRSTOFF WHERE ID_FM = 3) LIMIT 1; "
            "DELETE FROM T_BEDARF WHERE BERTYP_FALL = 7 AND ID_NAEHRSTOFF = %2; "
            "DELETE FROM T_FALL_NAEHRSTOFF WHERE ID_FALL IN (7, 8) AND ID_Naehrstoff = %2; "
            "UPDATE T_FM_KEY SET ID_NEW = %1 WHERE FM_TYP = 'M'; "
            "UPDATE T_NAEHRSTOFFE SET ME_DE = 'mg', ME_US = 'mg' WHERE ID = 6; "
            "ALTER TABLE T_FM_NAEHRSTOFF DROP COLUMN QUELLE; DROP TABLE T_REZ_TEXT; DROP TABLE T_PRAXIS; "
            "ALTER TABLE T_PAT_REZ DROP COLUMN Mahlzeiten; ALTER TABLE T_PAT_REZ DROP COLUMN Vorrat_Tage; "
            "ALTER TABLE T_PAT_REZ DROP COLUMN Rezept_Sprache; DROP INDEX IX_PAT_REZ_PATIENT; "
            "ALTER TABLE T_PAT_REZ DROP COLUMN ID_Patient; ALTER TABLE T_PAT_REZ DROP COLUMN Abnahme_Rate; "
            "ALTER TABLE T_PAT_REZ DROP COLUMN Uebergewicht; DROP TABLE T_VERLAUF; "
            "DELETE FROM T_GRUNDDATEN WHERE TABELLE = 'T_VERLAUF'; PRAGMA user_version = 2")
            .arg(made.lostFeed)
            .arg(nutrient)));
    return made;
}

TEST(SchemaUpgradeTest, AVersionTwoFileGetsTheShippedFeedstuffsAndKeepsThePracticesRows)
{
    SKIP_ON_POSTGRESQL("the version of an SQLite file");
    TestDatabase shipped(TestDatabase::Data::Shipped);
    TestDatabase db(TestDatabase::Data::Shipped);
    ASSERT_TRUE(shipped.rawExec(QString::fromLatin1(PracticeRows)));
    ASSERT_TRUE(db.rawExec(QString::fromLatin1(PracticeRows)));
    const VersionTwo made = makeVersionTwo(db);

    ASSERT_TRUE(reopen(db, "Share Deny None"));
    EXPECT_EQ(db.rawValue(QStringLiteral("PRAGMA user_version")),
              QString::number(DatabaseCreator::SchemaVersion));
    for (const QString& sql : FeedTables)
        EXPECT_EQ(db.rawRows(sql), shipped.rawRows(sql)) << sql.toStdString();
    // The follow-up's rates and limits as shipped, in the system data editor too.
    for (const QString& sql :
         {QStringLiteral("SELECT * FROM T_VERLAUF ORDER BY ID"),
          QStringLiteral("SELECT * FROM T_GRUNDDATEN WHERE TABELLE = 'T_VERLAUF' ORDER BY ID")})
        EXPECT_EQ(db.rawRows(sql), shipped.rawRows(sql)) << sql.toStdString();
    const QString cases =
        QStringLiteral("SELECT ID, Name_Pat, Mahlzeiten, ID_Patient FROM T_PAT_REZ ORDER BY ID");
    EXPECT_EQ(db.rawRows(cases), shipped.rawRows(cases));
    EXPECT_EQ(
        db.rawValue(QStringLiteral("SELECT (SELECT count(*) FROM T_REZ_TEXT) + count(*) FROM T_PRAXIS")),
        "0");
    const ShippedFeedReport& report = db.db().backend()->upgradeReport();
    EXPECT_EQ(report.addedFeeds, 1);
    EXPECT_EQ(report.changedFeeds, 0);
    EXPECT_EQ(report.addedContents, made.lostFeedContents + 1);
    EXPECT_EQ(report.changedContents, 1);
    EXPECT_EQ(report.removedContents, 1);
    EXPECT_EQ(report.addedRequirements, 1);
    // Vitamin E is counted in IU now: the practice's own value was typed in mg.
    EXPECT_EQ(report.changedUnits, QStringList{QStringLiteral("Vit. E (mg → %1)")
                                                   .arg(shipped.rawValue(QStringLiteral(
                                                       "SELECT ME_DE FROM T_NAEHRSTOFFE WHERE ID = 6")))});
    EXPECT_EQ(report.ownFeedsToCheck, QStringList{QStringLiteral("Eigenes Futter")});
    EXPECT_TRUE(
        report.message(QStringLiteral("DE"))
            .startsWith(QStringLiteral(
                "Die mitgelieferten Futtermitteldaten wurden aktualisiert: 1 Futtermittel neu, 0 geändert; ")));
    EXPECT_TRUE(report.message(QStringLiteral("US"))
                    .endsWith(QStringLiteral(
                        "These own feedstuffs hold values in the old unit; please check: Eigenes Futter.")));

    // Told once: the next opening finds the file current.
    ASSERT_TRUE(reopen(db, "Share Deny None"));
    EXPECT_FALSE(db.db().backend()->upgradeReport().changed());
}

TEST(SchemaUpgradeTest, AnUpgradeThatFailsHalfWayLeavesTheFileAsItWas)
{
    SKIP_ON_POSTGRESQL("the version of an SQLite file");
    TestDatabase db(TestDatabase::Data::Shipped);
    ASSERT_TRUE(db.rawExec(QString::fromLatin1(PracticeRows)));
    makeVersionTwo(db);
    // The categories come after the feedstuffs and their contents.
    ASSERT_TRUE(db.addTrigger(QStringLiteral("refuse_categories"), QStringLiteral("BEFORE INSERT"),
                              QStringLiteral("T_FM_KAT")));
    const QString contents =
        QStringLiteral("SELECT ID, ID_FM, ID_NAEHRSTOFF, MENGE FROM T_FM_NAEHRSTOFF ORDER BY ID");
    const QStringList before = db.rawRows(contents);
    const QStringList feeds = db.rawRows(FeedTables[0]);

    ASSERT_TRUE(reopen(db, "Share Deny None"));
    EXPECT_EQ(db.rawValue(QStringLiteral("PRAGMA user_version")), "2");
    EXPECT_EQ(db.rawRows(contents), before);
    EXPECT_EQ(db.rawRows(FeedTables[0]), feeds);
    const ShippedFeedReport& report = db.db().backend()->upgradeReport();
    EXPECT_FALSE(report.changed());
    EXPECT_FALSE(report.failure.isEmpty());
    EXPECT_TRUE(
        report.failureMessage(QStringLiteral("DE"))
            .startsWith(QStringLiteral("Die Datenbank konnte nicht auf den Stand dieser Programmversion")));

    ASSERT_TRUE(db.dropTrigger(QStringLiteral("refuse_categories"), QStringLiteral("T_FM_KAT")));
    ASSERT_TRUE(reopen(db, "Share Deny None"));
    EXPECT_EQ(db.rawValue(QStringLiteral("PRAGMA user_version")),
              QString::number(DatabaseCreator::SchemaVersion));
}

} // namespace
