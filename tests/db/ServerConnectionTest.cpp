// A connection to a PostgreSQL server that is lost half-way through the
// work, and the program's clock on the server.

#include "db/Connection.h"
#include "db/ConnectionString.h"
#include "db/RecordSet.h"
#include "support/ThrowawayPostgres.h"

#include <functional>

#include <gtest/gtest.h>

namespace {

class ServerConnectionTest : public ClusterTest
{
protected:
    void SetUp() override
    {
        ClusterTest::SetUp();
        if (IsSkipped())
            return;
        db.setClock([] { return QDateTime(QDate(2001, 2, 3), QTime(4, 5, 6)); });
        db.setLostConnectionHandler([this] { ++losses; });
        ASSERT_TRUE(open(db, fixtureDatabase(QStringLiteral("loss"), &name)));
    }

    QString value(const QString& sql)
    {
        RecordSet rs;
        QString text = QStringLiteral("(failed)");
        if (rs.openRecordset(db, sql) && !rs.isEof()) {
            const DbValue v = rs.value(0);
            text = v.kind == DbValue::Kind::Integer ? QString::number(v.integer) : v.text;
        }
        return text;
    }
    QString count() { return value(QStringLiteral("SELECT count(*) FROM T_TEXT")); }

    QString name;
    Connection db;
    int losses = 0;
};

const QString Insert = QStringLiteral("INSERT INTO T_TEXT (ID, BEZ_DE) VALUES (50, 'neu')");
const QString LostTransaction =
    QStringLiteral("the connection to the server was lost and the open transaction with it");

TEST_F(ServerConnectionTest, ASessionEndedWhileNoTransactionWasOpenIsTakenOverSilently)
{
    // A restarted server ends the session between two actions: each kind of
    // statement runs on a new session as if nothing had happened.
    const struct
    {
        const char* what;
        std::function<bool(Connection&)> run;
    } cases[] = {
        {"statement",
         [](Connection& c) { return c.executeSql(QStringLiteral("DELETE FROM T_TEXT WHERE ID = 1")); }},
        {"query",
         [](Connection& c) {
             return c.query(QStringLiteral("SELECT BEZ_DE FROM T_TEXT WHERE ID = 2")) != nullptr;
         }},
        {"transaction",
         [](Connection& c) {
             DbTransaction transaction(c);
             return transaction.isActive() &&
                    c.executeSql(QStringLiteral("DELETE FROM T_TEXT WHERE ID = 2")) && transaction.commit();
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_EQ(cluster->endSessions(name), 1);
        EXPECT_TRUE(c.run(db)) << db.lastError().toStdString();
        EXPECT_EQ(losses, 0);
    }
    EXPECT_EQ(count(), "1");
}

TEST_F(ServerConnectionTest, AServerTurningTheProgramAwayIsToldOnceWithItsReasonAndTheNextConnectsAgain)
{
    // While the server turns the program away, each statement fails with the
    // server's reason and the loss is told once.
    QString error;
    ASSERT_TRUE(cluster->execute(QStringLiteral("postgres"),
                                 QStringLiteral("ALTER DATABASE %1 ALLOW_CONNECTIONS false").arg(name),
                                 &error))
        << error.toStdString();
    ASSERT_EQ(cluster->endSessions(name), 1);
    long affected = 7;
    EXPECT_FALSE(db.executeSql(QStringLiteral("DELETE FROM T_TEXT WHERE ID = 1"), affected));
    EXPECT_EQ(affected, 0);
    EXPECT_TRUE(db.lastError().contains(QLatin1String("not currently accepting connections")))
        << db.lastError().toStdString();
    EXPECT_EQ(losses, 1);
    EXPECT_EQ(count(), "(failed)");
    EXPECT_FALSE(db.executeSql(Insert));
    EXPECT_TRUE(db.lastError().contains(QLatin1String("not currently accepting connections")))
        << db.lastError().toStdString();
    EXPECT_FALSE(db.beginTrans());
    EXPECT_TRUE(db.lastError().contains(QLatin1String("not currently accepting connections")))
        << db.lastError().toStdString();
    EXPECT_EQ(losses, 1);
    ASSERT_TRUE(cluster->execute(QStringLiteral("postgres"),
                                 QStringLiteral("ALTER DATABASE %1 ALLOW_CONNECTIONS true").arg(name),
                                 &error));
    EXPECT_TRUE(db.executeSql(Insert)) << db.lastError().toStdString();
    EXPECT_EQ(count(), "4");
    EXPECT_EQ(losses, 1);
}

TEST_F(ServerConnectionTest, ATransactionOpenAtTheLossIsGoneAndNothingOfItIsWrittenAfterwards)
{
    // Lost between two statements: the rest of the transaction fails too,
    // its commit fails and its rollback returns cleanly.
    ASSERT_TRUE(db.beginTrans());
    ASSERT_TRUE(db.executeSql(QStringLiteral("DELETE FROM T_TEXT WHERE ID = 1")));
    ASSERT_EQ(cluster->endSessions(name), 1);
    EXPECT_FALSE(db.executeSql(QStringLiteral("DELETE FROM T_TEXT WHERE ID = 2")));
    EXPECT_FALSE(db.executeSql(Insert));
    EXPECT_EQ(db.lastError(), LostTransaction);
    EXPECT_FALSE(db.commitTrans());
    EXPECT_EQ(db.lastError(), LostTransaction);
    EXPECT_TRUE(db.rollbackTrans());
    EXPECT_EQ(losses, 1);
    EXPECT_EQ(count(), "3");

    // Lost at the commit: DbTransaction rolls back cleanly as well.
    {
        DbTransaction transaction(db);
        ASSERT_TRUE(transaction.isActive());
        ASSERT_TRUE(db.executeSql(Insert));
        ASSERT_EQ(cluster->endSessions(name), 1);
        EXPECT_FALSE(transaction.commit());
    }
    EXPECT_EQ(losses, 2);
    EXPECT_EQ(count(), "3");
    EXPECT_TRUE(db.beginTrans());
    EXPECT_TRUE(db.executeSql(Insert)) << db.lastError().toStdString();
    EXPECT_TRUE(db.commitTrans());
    EXPECT_EQ(count(), "4");
}

TEST_F(ServerConnectionTest, NowAndDateFollowTheProgramsClockNotTheServers)
{
    EXPECT_EQ(value(QStringLiteral("SELECT NOW() FROM T_TEXT WHERE ID = 1")), "2001-02-03 04:05:06");
    EXPECT_EQ(value(QStringLiteral("SELECT Date() FROM T_TEXT WHERE ID = 1")), "2001-02-03");
    ASSERT_TRUE(db.executeSql(QStringLiteral("UPDATE T_PAT_REZ SET Datum = NOW() WHERE ID = 1")));
    EXPECT_EQ(value(QStringLiteral("SELECT Datum FROM T_PAT_REZ WHERE ID = 1")), "2001-02-03 04:05:06");
}

} // namespace
