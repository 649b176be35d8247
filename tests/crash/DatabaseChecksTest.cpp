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
        {"INSERT INTO T_REZ_FM (ID, ID_Rezept, ID_Futtermittel, TagRat) VALUES (7001, 901, 1, 10)",
         "problem\tration rows without case\t1\t7001 (ID_REZEPT 901, ID_FUTTERMITTEL 1)"},
        {"INSERT INTO T_PAT_REZ (ID, Rezepttitel) VALUES (902, 'rows=1 #1');"
         "INSERT INTO T_REZ_FM (ID, ID_Rezept, ID_Futtermittel, TagRat) VALUES (7002, 902, 99999, 10)",
         "problem\tration rows without feedstuff\t1\t7002 (ID_REZEPT 902, ID_FUTTERMITTEL 99999)"},
        {"INSERT INTO T_FUTTERMITTEL (ID, BEZ_DE, EIGEN) VALUES (20000, 'contents=1 categories=0 #1', 'U');"
         "UPDATE T_FM_KEY SET ID_NEW = 20001 WHERE FM_TYP = 'U'",
         "feedstuff 20000 \"contents=1 categories=0 #1\" has 0 contents and 0 categories"},
        {"INSERT INTO T_FM_KAT (ID, ID_FM, ID_FM_KATEGORIE, AKTIV) VALUES (900000, 99999, 1, -1)",
         "problem\tcategory rows without feedstuff\t1\t900000 (ID_FM 99999, ID_FM_KATEGORIE 1)"},
        {"INSERT INTO T_FUTTERMITTEL (ID, BEZ_DE, EIGEN) VALUES (20000, 'contents=0 categories=0 #1', 'U')",
         "problem\tkey counters not above highest key\t1\tU (ID_NEW 20000, MAX(ID) 20000)"},
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
