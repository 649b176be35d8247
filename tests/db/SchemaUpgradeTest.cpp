#include "db/ConnectionString.h"
#include "db/DatabaseCreator.h"
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
        db.rawValue(QStringLiteral("SELECT group_concat(BEZ_DE) FROM T_GRUNDDATEN WHERE FELD = 'QUELLE'")),
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
