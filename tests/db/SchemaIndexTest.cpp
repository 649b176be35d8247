#include "db/ConnectionString.h"
#include "db/DatabaseCreator.h"
#include "support/TestDatabase.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <sqlite3.h>

namespace {

// Owners whose order differs between SQLite's built-in NOCASE ("Z" before
// "Ä") and the program's ("Ä" beside "A").
const QString Owners =
    QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 300) "
                   "INSERT INTO T_PAT_REZ (Name_Besitzer, Name_Pat) SELECT CASE i % 3 WHEN 0 THEN 'Äbel ' "
                   "WHEN 1 THEN 'Bauer ' ELSE 'Zander ' END || i, 'Tier' FROM n");
const QString CaseListPlan =
    QStringLiteral("EXPLAIN QUERY PLAN SELECT ID, Name_Besitzer, Name_Pat, Datum, Rezepttitel FROM T_PAT_REZ "
                   "ORDER BY Name_Besitzer, Name_Pat, Datum");

TEST(SchemaIndexTest, OpeningAnOlderFileForWritingAddsTheSchemasMissingIndexes)
{
    SKIP_ON_POSTGRESQL("indexes added to an older SQLite file");
    QStringList names;
    for (const DatabaseCreator::SchemaIndex& index : DatabaseCreator::schemaIndexes()) {
        names << index.name;
        EXPECT_TRUE(index.statement.startsWith(QStringLiteral("CREATE INDEX IF NOT EXISTS ") + index.name));
    }
    EXPECT_TRUE(names.contains(QStringLiteral("IX_PAT_REZ_LISTE"))) << names.join(' ').toStdString();

    const struct
    {
        const char* mode;
        bool created;
    } cases[] = {{"Share Deny None", true}, {"Read", false}};
    for (const auto& c : cases) {
        TestDatabase db(TestDatabase::Data::Empty);
        db.db().closeConnection();
        for (const QString& name : names)
            ASSERT_TRUE(db.rawExec(QStringLiteral("DROP INDEX ") + name));
        ASSERT_TRUE(db.rawExec(Owners));
        db.context().setConnectionString(ConnectionString::build(db.directory(), QLatin1String(c.mode)));
        ASSERT_TRUE(db.context().openDatabase()) << c.mode;
        for (const QString& name : names) {
            EXPECT_EQ(
                db.rawValue(QStringLiteral("SELECT count(*) FROM sqlite_master WHERE name = '%1'").arg(name)),
                c.created ? "1" : "0")
                << c.mode << " " << name.toStdString();
        }
        // The case list reads the index in its order instead of sorting.
        EXPECT_EQ(db.rawRows(CaseListPlan).join('\n').contains(QStringLiteral("TEMP B-TREE")), !c.created)
            << c.mode;
    }
}

// Writes the owners through a connection with SQLite's own NOCASE.
void writeWithTheBuiltInCollation()
{
    TestDatabase db(TestDatabase::Data::Empty);
    sqlite3* plain = nullptr;
    sqlite3_open_v2(db.path().toUtf8().constData(), &plain, SQLITE_OPEN_READWRITE, nullptr);
    sqlite3_exec(plain, Owners.toUtf8().constData(), nullptr, nullptr, nullptr);
    sqlite3_close_v2(plain);
}

TEST(SchemaIndexTest, AnIndexWrittenInAnotherCollationFailsTheTestDatabasesCheck)
{
    SKIP_ON_POSTGRESQL("PRAGMA integrity_check of the SQLite file");
    EXPECT_NONFATAL_FAILURE(writeWithTheBuiltInCollation(), "PRAGMA integrity_check");
    // The same rows written past the program but with its collation are fine.
    TestDatabase db(TestDatabase::Data::Empty);
    ASSERT_TRUE(db.rawExec(Owners));
    EXPECT_EQ(db.rawValue(QStringLiteral("SELECT count(*) FROM T_PAT_REZ")), "300");
}

} // namespace
