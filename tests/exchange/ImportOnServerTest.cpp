// Two system-table imports at once on a PostgreSQL server, where a
// transaction locks only the rows it touches.

#include "core/Prompt.h"
#include "db/AppContext.h"
#include "db/RecordSet.h"
#include "exchange/SystemTableExchange.h"
#include "support/ThrowawayPostgres.h"

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

using ImportOnServerTest = ClusterTest;

TEST_F(ImportOnServerTest, TheSecondOfTwoImportsWaitsForTheFirstAndReplacesAllItsRecords)
{
    const QString connection = fixtureDatabase(QStringLiteral("imports"));
    AppContext first, second;
    ASSERT_TRUE(open(first, connection));
    ASSERT_TRUE(open(second, connection));

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
        waited = cluster->waitForALockWaiter();
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
