// A case's ration rows stored on a PostgreSQL server while another copy of
// the program replaces or deletes one of its feedstuffs.

#include "db/AppContext.h"
#include "db/RecordSet.h"
#include "ration/CaseHeaderSource.h"
#include "ration/RationCalculation.h"
#include "support/ThrowawayPostgres.h"

#include <QFile>

#include <gtest/gtest.h>

#include <thread>

namespace {

TEST(RationRowsOnServerTest, WaitForAFeedstuffBeingReplacedOrDeletedAndStoreWhatIsThere)
{
    const ThrowawayPostgres cluster;
    if (!cluster.isRunning())
        GTEST_SKIP() << "no PostgreSQL cluster: " << cluster.error().toStdString();
    QFile fixture(QStringLiteral(":/mensoly/tests/fixture.sql"));
    ASSERT_TRUE(fixture.open(QIODevice::ReadOnly));
    QString error;
    ASSERT_TRUE(
        cluster.createDatabase(QStringLiteral("ration"), QString::fromUtf8(fixture.readAll()), &error))
        << error.toStdString();
    const QString connection = QStringLiteral("Backend=postgresql;Connection=\"%1\"")
                                   .arg(QString::fromUtf8(cluster.conninfo(QStringLiteral("ration"))));
    AppContext context;
    context.setConnectionString(connection);
    ASSERT_TRUE(context.openDatabase()) << context.db().lastError().toStdString();
    Connection other;
    ASSERT_TRUE(other.openConnection(connection, QString(), QString())) << other.lastError().toStdString();

    // The import deletes the system feedstuff and inserts it again under its
    // key; a deleted one stays away.
    const struct
    {
        const char* change;
        long rowsStored;
        const char* missing;
    } cases[] = {
        {"INSERT INTO T_FUTTERMITTEL (ID, BEZ_DE, BEZ_US, EIGEN, AKTIV) VALUES (4, 'Neu', 'New', 'M', TRUE)",
         1, ""},
        {nullptr, 0, "Rinderhack"},
    };
    int caseKey = 100;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.missing);
        CaseInputs header;
        RationCalculation ration(context, header);
        ration.buildRationGrid();
        ration.grids().appendFeedRow(QStringLiteral("4"), QStringLiteral("Rinderhack"), QStringLiteral("25"));
        DbTransaction change(other);
        ASSERT_TRUE(other.executeSql(QStringLiteral("DELETE FROM T_FUTTERMITTEL WHERE ID = 4")));
        if (c.change) {
            ASSERT_TRUE(other.executeSql(QString::fromUtf8(c.change))) << other.lastError().toStdString();
        }
        const QString key = QString::number(++caseKey);
        bool stored = false;
        QString missing;
        std::thread saving([&] {
            DbTransaction transaction(context.db());
            stored = ration.storeRationRows(key, &missing) && transaction.commit();
        });
        const bool waited = cluster.waitForALockWaiter();
        EXPECT_TRUE(change.commit());
        saving.join();
        EXPECT_TRUE(waited);
        EXPECT_EQ(stored, c.rowsStored == 1);
        EXPECT_EQ(missing, QString::fromUtf8(c.missing));
        RecordSet rs;
        ASSERT_TRUE(rs.openRecordset(
            context.db(), QStringLiteral("SELECT COUNT(*) AS N FROM T_REZ_FM WHERE ID_Rezept = ") + key));
        EXPECT_EQ(rs.value(0).integer, c.rowsStored);
    }
}

} // namespace
