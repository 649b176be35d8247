// Two copies of the program on one PostgreSQL database, where a transaction
// locks only the rows it touches: the second waits for the row the first
// holds, and then sees what the first stored.

#include "db/Connection.h"
#include "db/FeedKeyCounter.h"
#include "db/RecordSet.h"
#include "support/ThrowawayPostgres.h"

#include <gtest/gtest.h>

#include <functional>
#include <thread>

namespace {

class RowLockTest : public ClusterTest
{
protected:
    void SetUp() override
    {
        ClusterTest::SetUp();
        if (IsSkipped())
            return;
        const QString connection = fixtureDatabase(QStringLiteral("locks"));
        ASSERT_TRUE(open(first, connection));
        ASSERT_TRUE(open(second, connection));
    }

    // Runs waiting on the second connection while the first holds its open
    // transaction, and commits that once a statement waits for a lock.
    void whileFirstHolds(DbTransaction& held, const std::function<void()>& waiting)
    {
        std::thread other(waiting);
        const bool waits = cluster->waitForALockWaiter();
        EXPECT_TRUE(held.commit());
        other.join();
        EXPECT_TRUE(waits) << "the second connection never waited for the first";
    }

    qint64 number(Connection& db, const QString& sql)
    {
        RecordSet rs;
        return rs.openRecordset(db, sql) && !rs.isEof() ? rs.value(0).integer : -1;
    }

    Connection first;
    Connection second;
};

TEST_F(RowLockTest, TwoCopiesTakingFeedstuffKeysAtOnceGetDifferentKeys)
{
    DbTransaction held(first);
    qint64 firstKey = 0, secondKey = 0;
    ASSERT_EQ(FeedKeyCounter::take(first, QStringLiteral("U"), 3, firstKey), FeedKeyCounter::Outcome::Taken);
    whileFirstHolds(held, [&] {
        DbTransaction transaction(second);
        EXPECT_EQ(FeedKeyCounter::take(second, QStringLiteral("U"), 1, secondKey),
                  FeedKeyCounter::Outcome::Taken);
        EXPECT_TRUE(transaction.commit());
    });
    EXPECT_EQ(firstKey, 100000);
    EXPECT_EQ(secondKey, 100003);
    EXPECT_EQ(number(first, QStringLiteral("SELECT ID_NEW FROM T_FM_KEY WHERE FM_TYP = 'U'")), 100004);
}

// A case stored with the feedstuff while the feedstuff editor deletes it;
// the other order is RationRowsOnServerTest's.
const QString storeRow =
    QStringLiteral("INSERT INTO T_REZ_FM ( ID_Rezept, ID_Futtermittel, TagRat) SELECT 1, "
                   "ID, 20 FROM T_FUTTERMITTEL WHERE ID = 4 FOR KEY SHARE");
const QString lockFeed = QStringLiteral("SELECT ID FROM T_FUTTERMITTEL WHERE ID = 4 FOR UPDATE");
const QString casesUsing = QStringLiteral("SELECT COUNT(*) AS N FROM T_REZ_FM WHERE ID_Futtermittel = 4");

TEST_F(RowLockTest, AFeedstuffACaseIsStoringWithIsCountedByTheDeleteWaitingForIt)
{
    DbTransaction held(first);
    long stored = 0;
    ASSERT_TRUE(first.executeSql(storeRow, stored));
    EXPECT_EQ(stored, 1);
    qint64 counted = -1;
    whileFirstHolds(held, [&] {
        DbTransaction transaction(second);
        RecordSet rs;
        EXPECT_TRUE(rs.openRecordset(second, lockFeed));
        counted = number(second, casesUsing);
    });
    EXPECT_EQ(counted, 1);
}

} // namespace
