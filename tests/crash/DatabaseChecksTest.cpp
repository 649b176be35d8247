#include "DatabaseChecks.h"

#include "support/TestDatabase.h"

#include <gtest/gtest.h>

namespace {

// Each row breaks one rule the crash checks guard, as a half-done write would.
TEST(DatabaseChecksTest, NameEveryHalfStoredRecord)
{
    const struct
    {
        const char* sql;
        const char* failure;
    } cases[] = {
        {"INSERT INTO T_PAT_REZ (ID, Rezepttitel) VALUES (900, 'rows=2 #1');"
         "INSERT INTO T_REZ_FM (ID_Rezept, ID_Futtermittel, TagRat) VALUES (900, 1, 10)",
         "case 900 \"rows=2 #1\" has 1 ration rows"},
        {"INSERT INTO T_REZ_FM (ID_Rezept, ID_Futtermittel, TagRat) VALUES (901, 1, 10)",
         "1 ration rows belong to no case"},
        {"INSERT INTO T_PAT_REZ (ID, Rezepttitel) VALUES (902, 'rows=1 #1');"
         "INSERT INTO T_REZ_FM (ID_Rezept, ID_Futtermittel, TagRat) VALUES (902, 99999, 10)",
         "1 ration rows name no stored feedstuff"},
        {"INSERT INTO T_FUTTERMITTEL (ID, BEZ_DE, EIGEN) VALUES (20000, 'contents=1 categories=0 #1', 'U');"
         "UPDATE T_FM_KEY SET ID_NEW = 20001 WHERE FM_TYP = 'U'",
         "feedstuff 20000 \"contents=1 categories=0 #1\" has 0 contents and 0 categories"},
        {"INSERT INTO T_FM_KAT (ID_FM, ID_FM_KATEGORIE, AKTIV) VALUES (99999, 1, -1)",
         "1 rows of T_FM_KAT belong to no feedstuff"},
        {"INSERT INTO T_FUTTERMITTEL (ID, BEZ_DE, EIGEN) VALUES (20000, 'contents=0 categories=0 #1', 'U')",
         "the key counter 20000 is not above the stored key 20000"},
        {"UPDATE T_FM_NAEHRSTOFF SET MENGE = MENGE + 1 WHERE ID_FM = 1",
         "the system tables are in neither state an import leaves"},
    };
    for (const auto& c : cases) {
        TestDatabase db(TestDatabase::Data::Shipped);
        ASSERT_TRUE(db.isValid());
        const QByteArray state = DatabaseChecks::systemDigest(db.context());
        ASSERT_FALSE(state.isEmpty());
        EXPECT_EQ(DatabaseChecks::failures(db.context(), {state}), QStringList());
        ASSERT_TRUE(db.rawExec(QString::fromLatin1(c.sql))) << db.error().toStdString();
        EXPECT_EQ(DatabaseChecks::failures(db.context(), {state}), QStringList{c.failure}) << c.sql;
    }
}

} // namespace
