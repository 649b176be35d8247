#include "support/CliRun.h"
#include "support/QtPrinters.h"
#include "support/TestDatabase.h"

#include <QDir>

#include <gtest/gtest.h>

namespace {

const QStringList GermanTypes = {"type\t0\t<ALLE>", "type\t1\tFleisch", "type\t2\tGetreide", "type\t3\tÖle"};

TEST(RationPageCliTest, FeedsPrintsTheThreeListsInTheirOrder)
{
    const struct
    {
        CliArgs args;
        QStringList categories;
        QStringList feeds;
    } cases[] = {
        {{"feeds", "--case-type", "7"},
         {"category\t0\t<ALLE>", "category\t4\tAlleinfutter Hund", "category\t1\tEinzelfuttermittel"},
         {"feed\t1\tHühnerbrust, gekocht", "feed\t6\tMÖHREN, roh", "feed\t3\tMüsli Spezial",
          "feed\t7\tO'Briens Mischung", "feed\t2\tReis, gekocht", "feed\t4\tRinderhack"}},
        {{"feeds", "--case-type", "7", "--category", "1"},
         {"category\t0\t<ALLE>", "category\t4\tAlleinfutter Hund", "category\t1\tEinzelfuttermittel"},
         {"feed\t1\tHühnerbrust, gekocht", "feed\t6\tMÖHREN, roh", "feed\t3\tMüsli Spezial",
          "feed\t2\tReis, gekocht"}},
        {{"feeds", "--case-type", "7", "--type", "2", "--search", "O'B"},
         {"category\t0\t<ALLE>", "category\t4\tAlleinfutter Hund", "category\t1\tEinzelfuttermittel"},
         {"feed\t7\tO'Briens Mischung"}},
        {{"feeds", "--case-type", "25", "--category", "0", "--type", "1", "--search", "HÜ"},
         {"category\t0\t", "category\t1\tEinzelfuttermittel"},
         {"feed\t1\tHühnerbrust, gekocht"}},
    };
    for (const auto& c : cases) {
        TestDatabase db;
        ASSERT_TRUE(db.isValid());
        const CliRun run = runCliIn(db.directory(), c.args);
        ASSERT_EQ(run.status, 0) << run.err.toStdString();
        EXPECT_EQ(run.linesOf(QStringLiteral("category")), c.categories);
        EXPECT_EQ(run.linesOf(QStringLiteral("type")), GermanTypes);
        EXPECT_EQ(run.linesOf(QStringLiteral("feed")), c.feeds);
        EXPECT_EQ(run.lines.size(), c.categories.size() + GermanTypes.size() + c.feeds.size());
    }
}

TEST(RationPageCliTest, FeedsPrintsEveryRowOfAListLongerThanItsFirstPage)
{
    TestDatabase db;
    QString sql;
    QStringList expected;
    // Keys against the order of the names, so only sorting by name gives this order.
    for (int i = 0; i < 130; ++i) {
        const QString name = QStringLiteral("Öl %1").arg(i, 3, 10, QLatin1Char('0'));
        sql += QStringLiteral(
                   "INSERT INTO T_FUTTERMITTEL (ID, ID_FM_TYP, BEZ_DE, AKTIV) VALUES (%1, 3, '%2', -1);")
                   .arg(300 - i)
                   .arg(name);
        expected << QStringLiteral("feed\t%1\t").arg(300 - i) + name;
    }
    ASSERT_TRUE(db.rawExec(sql));
    const CliRun run = runCliIn(db.directory(), {"feeds", "--case-type", "7", "--type", "3"});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(run.linesOf(QStringLiteral("feed")), expected);
}

TEST(RationPageCliTest, FeedsSpeaksTheLanguageOfTheSettingsRow)
{
    TestDatabase db;
    ASSERT_TRUE(db.rawExec(QStringLiteral("UPDATE T_MSYV3SEC SET Sprache = 'US'")));
    const CliRun run = runCliIn(db.directory(), {"feeds", "--case-type", "7", "--type", "2"});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(run.linesOf(QStringLiteral("category")),
              (QStringList{"category\t0\t<ALLE>", "category\t4\tComplete food dog",
                           "category\t1\tSingle feedstuffs"}));
    EXPECT_EQ(run.linesOf(QStringLiteral("feed")),
              (QStringList{"feed\t6\tCARROTS, raw", "feed\t7\tO'Brien's mix", "feed\t2\tRice, cooked"}));
}

TEST(RationPageCliTest, FeedsRefusesWhatThePageCannotChoose)
{
    const struct
    {
        CliArgs args;
        int status;
        const char* error;
    } cases[] = {
        {{"feeds"}, 2, "usage"},
        {{"feeds", "--category", "1"}, 2, "usage"},
        {{"feeds", "--case-type", "seven"}, 2, "usage"},
        {{"feeds", "--case-type", "7", "--colour", "red"}, 2, "unknown argument '--colour'"},
        {{"feeds", "--case-type", "7", "--search"}, 2, "missing value"},
        {{"feeds", "--case-type", "41"}, 1, "case type 41 cannot be chosen"},
        {{"feeds", "--case-type", "7", "--category", "2"}, 1, "category 2 is not in the list"},
        {{"feeds", "--case-type", "7", "--type", "4"}, 1, "type 4 is not in the list"},
    };
    for (const auto& c : cases) {
        TestDatabase db;
        const CliRun run = runCliIn(db.directory(), c.args);
        EXPECT_EQ(run.status, c.status) << c.error;
        EXPECT_TRUE(run.err.contains(QLatin1String(c.error))) << run.err.toStdString();
        EXPECT_TRUE(run.lines.isEmpty());
    }
}

} // namespace
