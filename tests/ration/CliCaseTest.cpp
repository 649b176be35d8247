#include "app/cli/CliCommand.h"
#include "QtPrinters.h"
#include "support/TestDatabase.h"

#include <QDir>

#include <gtest/gtest.h>

#include <sstream>

namespace {

struct CliRun
{
    int status = 0;
    QStringList lines;
    QString err;
};

CliRun runIn(const QString& directory, const CliArgs& args)
{
    const QString previous = QDir::currentPath();
    QDir::setCurrent(directory);
    std::istringstream in;
    std::ostringstream out, err;
    CliIo io{in, out, err};
    CliRun run;
    run.status = runCli(args, io);
    QDir::setCurrent(previous);
    run.lines = QString::fromStdString(out.str()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    run.err = QString::fromStdString(err.str());
    return run;
}

QStringList linesOf(const QStringList& lines, const QString& kind)
{
    QStringList result;
    for (const QString& line : lines) {
        if (line.startsWith(kind + QLatin1Char('\t')))
            result << line;
    }
    return result;
}

TEST(CliCaseTest, PrintsTheStoredCaseAsTheWindowComputesIt)
{
    TestDatabase db;
    ASSERT_TRUE(db.isValid());
    const CliRun run = runIn(db.directory(), {"case", "1"});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_TRUE(run.lines.contains("header\towner\tMüller"));
    EXPECT_TRUE(run.lines.contains("header\tcase type\tErhaltung Rüde"));
    EXPECT_TRUE(run.lines.contains("header\tbirth date\t05.03.2020"));
    const QStringList nutrients = linesOf(run.lines, QStringLiteral("nutrient"));
    ASSERT_EQ(nutrients.size(), 6);
    EXPECT_EQ(nutrients[4].section('\t', 0, 4), "nutrient\t1\tCa\tg\t2,00");
    EXPECT_TRUE(nutrients[0].endsWith("\tx"));
    EXPECT_TRUE(nutrients[2].endsWith("\t")) << nutrients[2].toStdString();
    const QStringList feeds = linesOf(run.lines, QStringLiteral("feed"));
    ASSERT_EQ(feeds.size(), 2);
    EXPECT_EQ(feeds[0].section('\t', 0, 3), "feed\t1\tHühnerbrust, gekocht\t150,0");
    EXPECT_EQ(feeds[0].split('\t').size(), 4 + 6);
    // The supply column is the sum of the feed columns.
    const QString rpSupply = nutrients[3].section('\t', 5, 5);
    EXPECT_EQ(rpSupply, "51,9");
    EXPECT_EQ(linesOf(run.lines, QStringLiteral("indicator")).size(), 2);
}

TEST(CliCaseTest, AnUnknownCaseEndsWithStatusOne)
{
    TestDatabase db;
    const CliRun run = runIn(db.directory(), {"case", "99"});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.lines.isEmpty());
    EXPECT_TRUE(run.err.contains("no case with the key 99"));
    EXPECT_EQ(runIn(db.directory(), {"case", "abc"}).status, 2);
}

} // namespace
