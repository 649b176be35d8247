// Two system-table imports at once on a PostgreSQL server, where a
// transaction locks only the rows it touches.

#include "core/Prompt.h"
#include "db/AppContext.h"
#include "db/RecordSet.h"
#include "exchange/SystemTableExchange.h"
#include "support/ThrowawayPostgres.h"

#include <QFile>

#include <gtest/gtest.h>

#include <thread>

namespace {

std::vector<ExchangeRecord> requirementsWithFormula(const QString& formula)
{
    std::vector<ExchangeRecord> records;
    for (const char* key : {"1", "2"})
        records.push_back({QStringLiteral("T_BEDARF"),
                           {{"ID", key},
                            {"BERTYP_FALL", "7"},
                            {"ID_NAEHRSTOFF", "61"},
                            {"WERT_FORMEL", formula},
                            {"AKTIV", "-1"}}});
    return records;
}

TEST(ImportOnServerTest, TheSecondOfTwoImportsWaitsForTheFirstAndReplacesAllItsRecords)
{
    const ThrowawayPostgres cluster;
    if (!cluster.isRunning())
        GTEST_SKIP() << "no PostgreSQL cluster: " << cluster.error().toStdString();
    QFile fixture(QStringLiteral(":/mensoly/tests/fixture.sql"));
    ASSERT_TRUE(fixture.open(QIODevice::ReadOnly));
    QString error;
    ASSERT_TRUE(
        cluster.createDatabase(QStringLiteral("imports"), QString::fromUtf8(fixture.readAll()), &error))
        << error.toStdString();
    AppContext first, second;
    for (AppContext* context : {&first, &second}) {
        context->setConnectionString(
            QStringLiteral("Backend=postgresql;Connection=\"%1\"")
                .arg(QString::fromUtf8(cluster.conninfo(QStringLiteral("imports")))));
        ASSERT_TRUE(context->openDatabase()) << context->db().lastError().toStdString();
    }

    // The second import starts once the first has replaced its first record.
    RecordingPrompt firstPrompt, secondPrompt;
    SystemTableExchange firstImport(first, firstPrompt), secondImport(second, secondPrompt);
    std::thread other;
    auto secondOutcome = SystemTableExchange::Outcome::NothingChanged;
    bool waited = false;
    firstImport.setProgress([&](int done, int) {
        if (done != 1 || other.joinable())
            return;
        other =
            std::thread([&] { secondOutcome = secondImport.importRecords(requirementsWithFormula("B")); });
        waited = cluster.waitForALockWaiter();
    });
    EXPECT_EQ(firstImport.importRecords(requirementsWithFormula("A")),
              SystemTableExchange::Outcome::Completed);
    ASSERT_TRUE(other.joinable()) << firstPrompt.texts().join(QLatin1Char('\n')).toStdString()
                                  << first.db().lastError().toStdString();
    other.join();
    EXPECT_TRUE(waited) << secondPrompt.texts().join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(secondOutcome, SystemTableExchange::Outcome::Completed)
        << secondImport.refusals().join('\n').toStdString();
    RecordSet rs;
    ASSERT_TRUE(
        rs.openRecordset(first.db(), QStringLiteral("SELECT WERT_FORMEL FROM T_BEDARF WHERE ID IN (1, 2)")));
    QStringList formulas;
    for (; !rs.isEof(); rs.moveNext())
        formulas << rs.value(0).text;
    EXPECT_EQ(formulas, (QStringList{"B", "B"}));
}

} // namespace
