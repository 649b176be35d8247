#include "support/CliRun.h"
#include "support/TestDatabase.h"

#include <QRegularExpression>

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
    const QString usage = "usage: mensoly-cli balance ID [--lock KEY]...\n";
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

} // namespace
