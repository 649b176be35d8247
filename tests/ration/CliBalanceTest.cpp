#include "TestSupplements.h"
#include "support/CliRun.h"
#include "support/TestDatabase.h"

#include <QHash>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>

#include <gtest/gtest.h>

namespace {

// A 20 kg adult dog: 24 chicken breast, 89 rice, 112 carrots, 138 rapeseed oil.
const QString Header = "header\tsalutation\tHerr\nheader\towner\tTest\nheader\tpatient\tBello\n"
                       "header\tspecies\tHund\nheader\tsex\tM\nheader\tcase type\tHund – Erhaltung (adult)\n"
                       "header\tactual weight\t20\nheader\ttarget weight\t20\nheader\tenergy\t100\n"
                       "header\ttitle\tAusgleich\n";
const QString Feeds = "feed\t24\t150\nfeed\t89\t300\nfeed\t112\t100\nfeed\t138\t5\n";

std::string store(TestDatabase& db, const QString& input)
{
    const CliRun saved = runCliIn(db.directory(), {"case", "new"}, input.toStdString());
    EXPECT_EQ(saved.status, 0) << saved.err.toStdString();
    return saved.lines.value(0).section('\t', 1).toStdString();
}

QStringList storedCase(TestDatabase& db, const std::string& key)
{
    const QString id = QString::fromStdString(key);
    return db.rawRows("SELECT * FROM T_PAT_REZ WHERE ID = " + id) +
           db.rawRows("SELECT * FROM T_REZ_FM WHERE ID_Rezept = " + id + " ORDER BY ID_Futtermittel");
}

TEST(CliBalanceTest, ProposesAmountsThatMeetTheEnergyRequirementAndKeepsLockedOnes)
{
    TestDatabase db(TestDatabase::Data::Shipped);
    ASSERT_TRUE(db.isValid());
    const std::string key = store(db, Header + Feeds);
    const QStringList before = storedCase(db, key);
    const QStringList stored = runCliIn(db.directory(), {"case", key}).linesOf("feed");
    ASSERT_EQ(stored.size(), 4);

    const CliRun run = runCliIn(db.directory(), {"balance", key});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    const QStringList feeds = run.linesOf("feed");
    ASSERT_EQ(feeds.size(), stored.size());
    QString proposed;
    for (qsizetype i = 0; i < feeds.size(); ++i) {
        EXPECT_EQ(feeds[i].section('\t', 0, 2), stored[i].section('\t', 0, 2));
        proposed += "feed\t" + feeds[i].section('\t', 1, 1) + '\t' + feeds[i].section('\t', 3, 3) + '\n';
    }
    // The ration page's own supply of the proposal, stored as a case of its own.
    const CliRun applied = runCliIn(db.directory(), {"case", store(db, Header + proposed)});
    const QString energy = applied.linesOf("nutrient").filter(QRegularExpression("^nutrient\t60\t")).value(0);
    const double requirement = energy.section('\t', 4, 4).replace(',', '.').toDouble();
    const double supply = energy.section('\t', 5, 5).replace(',', '.').toDouble();
    ASSERT_GT(requirement, 0.0) << energy.toStdString();
    EXPECT_NEAR(supply / requirement, 1.0, 0.02) << energy.toStdString();
    for (const QString& line : run.linesOf("short") + run.linesOf("over"))
        EXPECT_EQ(line.split('\t').size(), 4) << line.toStdString();

    // Locked, the rice keeps its stored amount while the others follow.
    const CliRun locked = runCliIn(db.directory(), {"balance", key, "--lock", "89", "--lock", "138"});
    ASSERT_EQ(locked.status, 0) << locked.err.toStdString();
    const QStringList lockedFeeds = locked.linesOf("feed");
    ASSERT_EQ(lockedFeeds.size(), 4);
    EXPECT_EQ(lockedFeeds[1], stored[1].section('\t', 0, 3));
    EXPECT_EQ(lockedFeeds[3], stored[3].section('\t', 0, 3));
    EXPECT_EQ(storedCase(db, key), before);
}

TEST(CliBalanceTest, RefusalsSayWhyAndChangeNothing)
{
    TestDatabase db(TestDatabase::Data::Shipped);
    ASSERT_TRUE(db.isValid());
    const std::string key = store(db, Header + Feeds);
    const std::string empty = store(db, Header);
    const QString usage =
        "usage: mensoly-cli balance ID [--lock KEY]... [--complete] [--exclude KEY]... [--days N]\n";
    const struct
    {
        CliArgs args;
        int status;
        QString err;
    } cases[] = {
        {{"balance", key, "--lock", "24", "--lock", "999"},
         1,
         "mensoly-cli balance: the ration has no feedstuff with the key 999\n"},
        {{"balance", "9999"}, 1, "mensoly-cli balance: there is no case with the key 9999\n"},
        {{"balance", empty}, 1, "Die Ration enthält noch keine Futtermittel.\n"},
        {{"balance", key, "--lock"}, 2, "mensoly-cli balance: missing value after '--lock'\n" + usage},
        {{"balance", key, "--keep", "24"}, 2, "mensoly-cli balance: unknown argument '--keep'\n" + usage},
        {{"balance", key, "--complete", "--exclude"},
         2,
         "mensoly-cli balance: missing value after '--exclude'\n" + usage},
        {{"balance", key, "--days"}, 2, "mensoly-cli balance: missing value after '--days'\n" + usage},
        {{"balance", key, "--complete", "--days", "3"},
         2,
         "mensoly-cli balance: --days takes a whole number from 7 to 100, not '3'\n" + usage},
        {{"balance", key, "--days", "101"},
         2,
         "mensoly-cli balance: --days takes a whole number from 7 to 100, not '101'\n" + usage},
        {{"balance", key, "--days", "30.5"},
         2,
         "mensoly-cli balance: --days takes a whole number from 7 to 100, not '30.5'\n" + usage},
        {{"balance", key, "--complete", "--exclude", "999"},
         1,
         "mensoly-cli balance: neither the ration nor the shipped supplements have a feedstuff with the key 999\n"},
        {{"balance", "Bello"}, 2, usage},
        {{"balance"}, 2, usage},
    };
    const QStringList before = storedCase(db, key);
    for (const auto& c : cases) {
        const CliRun run = runCliIn(db.directory(), c.args);
        EXPECT_EQ(run.status, c.status) << c.err.toStdString();
        EXPECT_EQ(run.err, c.err);
        EXPECT_TRUE(run.lines.isEmpty());
    }
    EXPECT_EQ(storedCase(db, key), before);
}

double number(const QString& text)
{
    return QString(text).replace(',', '.').toDouble();
}

// The proposal's feed lines as a case's ration, stored as a case of its own;
// the case command's nutrient line of the key.
QString nutrientOf(TestDatabase& db, const QStringList& feeds, int key)
{
    QString ration;
    for (const QString& line : feeds)
        ration += "feed\t" + line.section('\t', 1, 1) + '\t' + line.section('\t', 3, 3) + '\n';
    const CliRun run = runCliIn(db.directory(), {"case", store(db, Header + ration)});
    return run.linesOf("nutrient")
        .filter(QRegularExpression("^nutrient\t" + QString::number(key) + "\t"))
        .value(0);
}

// --complete adds supplements at the end of the feed lines, marked "added",
// and prints the premix of those below a gram a day; without it the
// command prints what it always did.
TEST(CliBalanceTest, CompletingAddsSupplementsAndTheirPremix)
{
    TestDatabase db(TestDatabase::Data::Shipped);
    ASSERT_TRUE(db.isValid());
    addTestSupplements(db);
    const std::string key = store(db, Header + Feeds);

    const CliRun plain = runCliIn(db.directory(), {"balance", key});
    ASSERT_EQ(plain.status, 0) << plain.err.toStdString();
    EXPECT_EQ(plain.linesOf("premix"), QStringList());
    EXPECT_EQ(plain.linesOf("premix-dose"), QStringList());
    for (const QString& line : plain.linesOf("feed"))
        EXPECT_EQ(line.split('\t').size(), 4) << line.toStdString();

    const CliRun run = runCliIn(db.directory(), {"balance", key, "--complete"});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    const QStringList feeds = run.linesOf("feed");
    ASSERT_GT(feeds.size(), 4);
    // The ration's own feedstuffs first, in proportions near those without
    // the supplements: what a food-like supplement brings (yeast, chalk)
    // moves them a little.
    const QStringList own = plain.linesOf("feed");
    ASSERT_EQ(own.size(), 4);
    for (qsizetype i = 0; i < own.size(); ++i) {
        EXPECT_EQ(feeds[i].section('\t', 0, 2), own[i].section('\t', 0, 2));
        EXPECT_NEAR(number(feeds[i].section('\t', 3, 3)), number(own[i].section('\t', 3, 3)),
                    0.05 * number(own[i].section('\t', 3, 3)))
            << feeds[i].toStdString();
    }
    QHash<QString, double> daily;
    for (const QString& line : feeds.mid(4)) {
        const QStringList fields = line.split('\t');
        ASSERT_EQ(fields.size(), 5) << line.toStdString();
        EXPECT_EQ(fields[4], "added");
        // Four significant digits.
        EXPECT_LE(QString(fields[3]).remove(',').remove(QRegularExpression("^0+")).size(), 4)
            << line.toStdString();
        daily.insert(fields[1], number(fields[3]));
    }
    EXPECT_TRUE(daily.contains("9001"));
    EXPECT_EQ(run.linesOf("short").filter(QRegularExpression("^short\t(21|26|5)\t")), QStringList());
    // Stored, the proposal supplies the copper it was made for.
    const QString copper = nutrientOf(db, feeds, 21);
    EXPECT_GE(number(copper.section('\t', 5, 5)), number(copper.section('\t', 4, 4))) << copper.toStdString();

    // The premix for 30 days of those below a gram, each to the milligram,
    // and its daily dose.
    const QStringList premix = run.linesOf("premix");
    const qsizetype belowAGram =
        std::count_if(daily.cbegin(), daily.cend(), [](double grams) { return grams < 1.0; });
    ASSERT_EQ(premix.size(), belowAGram);
    double total = 0.0;
    for (const QString& line : premix) {
        const QStringList fields = line.split('\t');
        ASSERT_EQ(fields.size(), 4) << line.toStdString();
        EXPECT_EQ(
            fields[3],
            QString::number(std::round(daily.value(fields[1]) * 30 * 1000) / 1000, 'f', 3).replace('.', ','))
            << line.toStdString();
        total += number(fields[3]);
    }
    const QStringList dose = run.linesOf("premix-dose").value(0).split('\t');
    ASSERT_EQ(dose.size(), 3);
    EXPECT_NEAR(number(dose[1]), total / 30, total / 30 * 1e-3);
    EXPECT_EQ(dose[2], "30");

    // Excluded, the copper sulfate is not added and copper stays short; a week's premix.
    const CliRun week =
        runCliIn(db.directory(), {"balance", key, "--complete", "--exclude", "9001", "--days", "7"});
    ASSERT_EQ(week.status, 0) << week.err.toStdString();
    EXPECT_EQ(week.linesOf("feed").filter(QRegularExpression("^feed\t9001\t")), QStringList());
    EXPECT_EQ(week.linesOf("short").filter(QRegularExpression("^short\t21\t")).size(), 1);
    EXPECT_EQ(week.linesOf("premix-dose").value(0).section('\t', 2, 2), "7");
}

} // namespace
