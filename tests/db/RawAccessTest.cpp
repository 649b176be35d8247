// The tests' direct access past the program's layer gives the same texts on
// either engine: numbers, dates, yes/no and NULL as SQLite writes them.

#include "support/TestDatabase.h"

#include <gtest/gtest.h>

namespace {

TEST(RawAccessTest, RowsReadAsSqliteWritesThem)
{
    TestDatabase db;
    ASSERT_TRUE(db.isValid()) << db.error().toStdString();
    const struct
    {
        const char* sql;
        QStringList rows;
    } cases[] = {
        {"SELECT ID_Rezept, TagRat FROM T_REZ_FM WHERE ID_Rezept < 3 ORDER BY TagRat",
         {"2\t50.0", "1\t150.0", "1\t200.5"}},
        {"SELECT Geburtsdatum, Datum, Gewicht_akt, ID_Rasse FROM T_PAT_REZ WHERE ID = 1",
         {"2020-03-05\t2024-04-03 10:00:00\t20.0\t1"}},
        {"SELECT SUM(TagRat), AVG(ID_Rezept), COUNT(*), 7 / 2.0 FROM T_REZ_FM", {"500.5\t2.0\t5\t3.5"}},
        {"SELECT AKTIV, NULL FROM T_GATTUNG WHERE ID IN (3, 4) ORDER BY ID", {"-1\tNULL", "0\tNULL"}},
        {"SELECT 1e20 * 1.0, 0.1 + 0.2", {"1.0e+20\t0.3"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(db.rawRows(QString::fromLatin1(c.sql)), c.rows) << c.sql;
}

// Rows given with their keys leave the server's identity counters behind
// them, as SQLite's rowid is.
TEST(RawAccessTest, InsertedKeysMoveTheNextKeyOn)
{
    TestDatabase db;
    ASSERT_TRUE(db.rawExec(QStringLiteral("INSERT INTO T_PAT_REZ (ID, Name_Pat) VALUES (40, 'Rex')")));
    ASSERT_TRUE(db.db().executeSql(QStringLiteral("INSERT INTO T_PAT_REZ (Name_Pat) VALUES ('Fido')")));
    EXPECT_EQ(db.db().lastInsertKey(), 41);
}

} // namespace
