// A case's ration rows stored on a PostgreSQL server while another copy of
// the program replaces or deletes its feedstuffs.

#include "db/AppContext.h"
#include "db/RecordSet.h"
#include "ration/CaseHeaderSource.h"
#include "ration/CaseRecord.h"
#include "ration/RationCalculation.h"
#include "support/ThrowawayPostgres.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

class RationRowsOnServerTest : public ClusterTest
{
protected:
    void SetUp() override
    {
        ClusterTest::SetUp();
        if (IsSkipped())
            return;
        const QString connection = fixtureDatabase(QStringLiteral("ration"));
        ASSERT_TRUE(open(context, connection));
        ASSERT_TRUE(open(other, connection));
        ration.buildRationGrid();
    }

    // Stores the ration as case key in a thread, which must come to wait for
    // a lock the other connection holds.
    std::thread storeWaiting(const QString& key)
    {
        std::thread saving([this, key] {
            DbTransaction transaction(context.db());
            stored =
                CaseRecords::insertRation(context, key, ration.model(), &missing) && transaction.commit();
        });
        waited = cluster->waitForALockWaiter();
        return saving;
    }

    qint64 rowsOf(const QString& key)
    {
        RecordSet rs;
        return rs.openRecordset(other,
                                QStringLiteral("SELECT COUNT(*) AS N FROM T_REZ_FM WHERE ID_Rezept = ") + key)
                   ? rs.value(0).integer
                   : -1;
    }

    // The import's replacement of a system feedstuff under its key.
    bool replaceFeed(const char* key)
    {
        const QString id = QString::fromLatin1(key);
        return other.executeSql(QStringLiteral("DELETE FROM T_FUTTERMITTEL WHERE ID = ") + id) &&
               other.executeSql(
                   QStringLiteral("INSERT INTO T_FUTTERMITTEL (ID, BEZ_DE, BEZ_US, EIGEN, AKTIV) "
                                  "VALUES (%1, 'Neu', 'New', 'M', TRUE)")
                       .arg(id));
    }

    AppContext context;
    Connection other;
    CaseInputs header;
    RationCalculation ration{context, header};
    bool stored = false;
    bool waited = false;
    QString missing;
};

TEST_F(RationRowsOnServerTest, AFeedstuffReplacedMeanwhileIsStoredAndADeletedOneRefused)
{
    const struct
    {
        bool replaced;
        long rows;
        const char* missing;
    } cases[] = {{true, 1, ""}, {false, 0, "Rinderhack"}};
    int caseKey = 100;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.missing);
        ration.buildRationGrid();
        ration.grids().appendFeedRow(QStringLiteral("4"), QStringLiteral("Rinderhack"), QStringLiteral("25"));
        DbTransaction change(other);
        ASSERT_TRUE(c.replaced ? replaceFeed("4")
                               : other.executeSql(QStringLiteral("DELETE FROM T_FUTTERMITTEL WHERE ID = 4")));
        const QString key = QString::number(++caseKey);
        std::thread saving = storeWaiting(key);
        EXPECT_TRUE(change.commit());
        saving.join();
        EXPECT_TRUE(waited);
        EXPECT_EQ(stored, c.rows == 1);
        EXPECT_EQ(missing, QString::fromUtf8(c.missing));
        EXPECT_EQ(rowsOf(key), c.rows);
    }
}

TEST_F(RationRowsOnServerTest, ACaseAndAnImportReplacingItsFeedstuffsTakeTurns)
{
    // The import replaces the feedstuffs in the order of their keys; the
    // ration has them the other way round.
    ration.grids().appendFeedRow(QStringLiteral("2"), QStringLiteral("Reis"), QStringLiteral("50"));
    ration.grids().appendFeedRow(QStringLiteral("1"), QStringLiteral("Huhn"), QStringLiteral("25"));
    DbTransaction import(other);
    ASSERT_TRUE(replaceFeed("1"));
    std::thread saving = storeWaiting(QStringLiteral("200"));
    EXPECT_TRUE(replaceFeed("2")) << other.lastError().toStdString();
    EXPECT_TRUE(import.commit());
    saving.join();
    EXPECT_TRUE(waited);
    EXPECT_TRUE(stored) << missing.toStdString() << context.db().lastError().toStdString();
    EXPECT_EQ(rowsOf(QStringLiteral("200")), 2);
}

} // namespace
