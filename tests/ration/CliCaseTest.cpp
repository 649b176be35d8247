#include "support/CliRun.h"
#include "support/QtPrinters.h"
#include "support/TestDatabase.h"

#include <QDir>

#include <gtest/gtest.h>

namespace {

TEST(CliCaseTest, PrintsTheStoredCaseAsTheWindowComputesIt)
{
    TestDatabase db;
    ASSERT_TRUE(db.isValid());
    const CliRun run = runCliIn(db.directory(), {"case", "1"});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_TRUE(run.lines.contains("header\towner\tMüller"));
    EXPECT_TRUE(run.lines.contains("header\tcase type\tErhaltung Rüde"));
    EXPECT_TRUE(run.lines.contains("header\tbirth date\t05.03.2020"));
    const QStringList nutrients = run.linesOf(QStringLiteral("nutrient"));
    ASSERT_EQ(nutrients.size(), 6);
    EXPECT_EQ(nutrients[4].section('\t', 0, 4), "nutrient\t1\tCa\tg\t2,00");
    EXPECT_TRUE(nutrients[0].endsWith("\tx"));
    EXPECT_TRUE(nutrients[2].endsWith("\t")) << nutrients[2].toStdString();
    const QStringList feeds = run.linesOf(QStringLiteral("feed"));
    ASSERT_EQ(feeds.size(), 2);
    EXPECT_EQ(feeds[0].section('\t', 0, 3), "feed\t1\tHühnerbrust, gekocht\t150,0");
    EXPECT_EQ(feeds[0].split('\t').size(), 4 + 6);
    // The supply column is the sum of the feed columns.
    const QString rpSupply = nutrients[3].section('\t', 5, 5);
    EXPECT_EQ(rpSupply, "51,9");
    EXPECT_EQ(run.linesOf(QStringLiteral("indicator")).size(), 2);
}

TEST(CliCaseTest, AnUnknownCaseEndsWithStatusOne)
{
    TestDatabase db;
    const CliRun run = runCliIn(db.directory(), {"case", "99"});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.lines.isEmpty());
    EXPECT_TRUE(run.err.contains("no case with the key 99"));
    EXPECT_EQ(runCliIn(db.directory(), {"case", "abc"}).status, 2);
}

} // namespace
