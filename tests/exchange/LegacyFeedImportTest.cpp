#include "exchange/LegacyFeedImport.h"

#include "core/Prompt.h"
#include "support/QtPrinters.h"
#include "support/TestDatabase.h"

#include <QDir>

#include <gtest/gtest.h>

namespace {

const QString Fixtures = QStringLiteral(MENSOLY_LEGACY_FIXTURES);
const QString Taken = QStringLiteral("Futtermittel aus Mensoly Version 2.0 wurden übernommen");
const QString WrongFormat = QStringLiteral("Tabellenformat entspricht nicht Mensoly Version 2.0");

QString fixture(const char* folder)
{
    return Fixtures + QLatin1Char('/') + QLatin1String(folder) + QStringLiteral("/Darire32.mdb");
}

#define SKIP_WITHOUT_FIXTURES()                                                                              \
    if (!QDir(Fixtures).exists())                                                                            \
    GTEST_SKIP() << "no legacy fixtures at " << Fixtures.toStdString()

QString counter(TestDatabase& db)
{
    return db.rawValue(QStringLiteral("SELECT ID_NEW FROM T_FM_KEY WHERE FM_TYP = 'U'"));
}

// Everything the import may touch.
QStringList snapshot(TestDatabase& db)
{
    QStringList rows;
    for (const char* table : {"T_FUTTERMITTEL", "T_FM_KAT", "T_FM_NAEHRSTOFF", "T_FM_KEY"})
        rows << db.rawRows(QStringLiteral("SELECT * FROM %1").arg(QLatin1String(table)));
    return rows;
}

struct Imported
{
    const char* name;
    const char* categories; // ID_FM_KATEGORIE in order
    int contents;           // rows in T_FM_NAEHRSTOFF
};

// The six own feedstuffs of the small fixtures; "Mineralfutter Calcium-Plus"
// is shared (Alle = 'x') and stays behind.
const Imported Expected[] = {
    {"Rinderherz, roh", "1", 37},
    {"Hundeflocken Müller's Vollkorn", "4,6,7", 18},
    {"Diät-Nassfutter Niere Katze", "11,12,13", 11},
    {"Kauknochen Rind", "", 9},
    {"Reisflocken gekocht", "1,16", 7},
    {"Quark mager", "1,5", 11},
};

struct Amount
{
    const char* feed;
    int nutrient;
    const char* amount;
};

// Single precision as the old program computed: 100 - v and v * 1000 * 0.239.
const Amount Amounts[] = {
    {"Rinderherz, roh", 8, "22.500000"},
    {"Rinderherz, roh", 18, "77.500000"},
    {"Rinderherz, roh", 9, "4.600000"},
    {"Rinderherz, roh", 60, "1099.400000"},
    {"Rinderherz, roh", 61, "1099.400000"},
    {"Rinderherz, roh", 34, "0.065000"},
    {"Rinderherz, roh", 11, "0.000000"},
    {"Rinderherz, roh", 40, "1270.000000"},
    {"Hundeflocken Müller's Vollkorn", 10, "18.700001"},
    {"Hundeflocken Müller's Vollkorn", 60, "3369.900000"},
    {"Hundeflocken Müller's Vollkorn", 2, "12000.000000"},
    {"Quark mager", 18, "81.500000"},
    {"Quark mager", 61, "740.900000"},
    {"Quark mager", 1, "0.092000"},
    {"Reisflocken gekocht", 13, "0.000000"},
    {"Reisflocken gekocht", 60, "0.000000"},
};

// Name, English name, categories joined by commas and the number of contents
// of each imported feedstuff.
QStringList importedFeeds(TestDatabase& db)
{
    QStringList feeds;
    for (const QString& row : db.rawRows(QStringLiteral(
             "SELECT f.ID, f.BEZ_DE, f.BEZ_US, (SELECT COUNT(*) FROM T_FM_NAEHRSTOFF WHERE ID_FM = f.ID) "
             "FROM T_FUTTERMITTEL f WHERE f.EIGEN = 'U' ORDER BY f.ID"))) {
        QStringList fields = row.split(QLatin1Char('\t'));
        const QString id = fields.takeFirst();
        fields.insert(2, db.rawRows(QStringLiteral("SELECT ID_FM_KATEGORIE FROM T_FM_KAT WHERE ID_FM = %1 "
                                                   "ORDER BY ID_FM_KATEGORIE")
                                        .arg(id))
                             .join(QLatin1Char(',')));
        feeds << fields.join(QLatin1Char('\t'));
    }
    return feeds;
}

TEST(LegacyFeedImportTest, OwnFeedstuffsComeOverFromJet3AndJet4)
{
    SKIP_WITHOUT_FIXTURES();
    for (const char* folder : {"jet3", "jet4"}) {
        SCOPED_TRACE(folder);
        TestDatabase db(TestDatabase::Data::Shipped);
        const int before = counter(db).toInt();
        RecordingPrompt prompt;
        LegacyFeedImport import(db.context(), prompt);
        ASSERT_EQ(import.importFrom(fixture(folder)), LegacyFeedImport::Outcome::Completed)
            << prompt.texts().join(QLatin1Char('|')).toStdString();
        EXPECT_TRUE(prompt.lastText().startsWith(Taken)) << prompt.lastText().toStdString();
        EXPECT_TRUE(prompt.lastText().contains(QStringLiteral("6 Futtermittel übernommen, 0 übergangen.")));

        QStringList expected;
        for (const Imported& feed : Expected)
            expected << QStringLiteral("%1\t%1\t%2\t%3")
                            .arg(QString::fromUtf8(feed.name), QLatin1String(feed.categories))
                            .arg(feed.contents);
        EXPECT_EQ(importedFeeds(db), expected);
        EXPECT_EQ(counter(db).toInt(), before + 6);
        for (const Amount& amount : Amounts) {
            EXPECT_EQ(
                QString::number(
                    db.rawValue(QStringLiteral("SELECT n.MENGE FROM T_FM_NAEHRSTOFF n "
                                               "JOIN T_FUTTERMITTEL f ON f.ID = n.ID_FM WHERE f.EIGEN = 'U' "
                                               "AND f.BEZ_DE = %1 AND n.ID_NAEHRSTOFF = %2")
                                    .arg(QStringLiteral("'") +
                                         QString::fromUtf8(amount.feed)
                                             .replace(QLatin1String("'"), QLatin1String("''")) +
                                         QStringLiteral("'"))
                                    .arg(amount.nutrient))
                        .toDouble(),
                    'f', 6),
                QLatin1String(amount.amount))
                << amount.feed << " " << amount.nutrient;
        }
        // A negative TS gives neither dry matter nor its rest.
        EXPECT_EQ(
            db.rawValue(QStringLiteral("SELECT COUNT(*) FROM T_FM_NAEHRSTOFF n JOIN T_FUTTERMITTEL f ON "
                                       "f.ID = n.ID_FM WHERE f.BEZ_DE = 'Reisflocken gekocht' AND "
                                       "n.ID_NAEHRSTOFF IN (8, 18)")),
            QStringLiteral("0"));
        EXPECT_EQ(
            db.rawRows(QStringLiteral("SELECT DATUM, HERSTELLER, HINWEIS, HINT, ID_FM_TYP, AKTIV FROM "
                                      "T_FUTTERMITTEL WHERE BEZ_DE = 'Quark mager'")),
            QStringList{QStringLiteral(
                "1999-12-31\t\tMehrzeilige Bemerkung:\r\nZeile zwei\tMehrzeilige Bemerkung:\r\nZeile zwei\tNULL\t-1")});
    }
}

TEST(LegacyFeedImportTest, TwiceImportedGivesEverythingTwiceUnderNewKeys)
{
    SKIP_WITHOUT_FIXTURES();
    TestDatabase db(TestDatabase::Data::Shipped);
    RecordingPrompt prompt;
    LegacyFeedImport import(db.context(), prompt);
    ASSERT_EQ(import.importFrom(fixture("jet4")), LegacyFeedImport::Outcome::Completed);
    const QStringList once = importedFeeds(db);
    ASSERT_EQ(import.importFrom(fixture("jet3")), LegacyFeedImport::Outcome::Completed);
    EXPECT_EQ(importedFeeds(db), once + once);
    EXPECT_EQ(db.rawValue(QStringLiteral("SELECT COUNT(DISTINCT ID) FROM T_FUTTERMITTEL WHERE EIGEN = 'U'")),
              QStringLiteral("12"));
}

TEST(LegacyFeedImportTest, ForeignFilesChangeNothing)
{
    SKIP_WITHOUT_FIXTURES();
    const QString openFailed = QStringLiteral("Datenbank konnte nicht geöffnet werden. Import wird beendet!");
    const struct
    {
        QString path;
        QString message;
    } cases[] = {
        {fixture("missing-column"), WrongFormat},
        {fixture("other-table"), WrongFormat},
        {fixture("not-a-database"), openFailed},
        {fixture("no-such-folder"), openFailed},
        {QString(), QStringLiteral("Bitte wählen Sie eine Datenbank aus")},
    };
    TestDatabase db(TestDatabase::Data::Shipped);
    const QStringList before = snapshot(db);
    for (const auto& c : cases) {
        RecordingPrompt prompt;
        LegacyFeedImport import(db.context(), prompt);
        EXPECT_EQ(import.importFrom(c.path), LegacyFeedImport::Outcome::NothingChanged)
            << c.path.toStdString();
        EXPECT_EQ(prompt.texts(), QStringList{c.message}) << c.path.toStdString();
    }
    EXPECT_EQ(snapshot(db), before);
}

TEST(LegacyFeedImportTest, FailureOrCancelHalfWayKeepsNothing)
{
    SKIP_WITHOUT_FIXTURES();
    TestDatabase db(TestDatabase::Data::Shipped);
    const QString late = QString::number(counter(db).toInt() + 4);
    const QStringList before = snapshot(db);

    RecordingPrompt prompt;
    LegacyFeedImport cancelled(db.context(), prompt);
    int asked = 0;
    cancelled.setCancelCheck([&asked] { return ++asked > 3; });
    EXPECT_EQ(cancelled.importFrom(fixture("jet4")), LegacyFeedImport::Outcome::NothingChanged);
    EXPECT_EQ(snapshot(db), before);

    ASSERT_TRUE(db.addTrigger("fail_late", "BEFORE INSERT", "T_FM_NAEHRSTOFF",
                              QStringLiteral("NEW.ID_FM = %1").arg(late)));
    LegacyFeedImport failing(db.context(), prompt);
    EXPECT_EQ(failing.importFrom(fixture("jet4")), LegacyFeedImport::Outcome::NothingChanged);
    EXPECT_TRUE(prompt.lastText().startsWith(QStringLiteral("Nährstoff konnte nicht eingefügt werden")));
    EXPECT_EQ(snapshot(db), before);
}

TEST(LegacyFeedImportTest, FeedstuffThatCannotBeInsertedIsSkippedWhole)
{
    SKIP_WITHOUT_FIXTURES();
    TestDatabase db(TestDatabase::Data::Shipped, QStringLiteral("US"));
    ASSERT_TRUE(
        db.addTrigger("refuse_bone", "BEFORE INSERT", "T_FUTTERMITTEL", "NEW.BEZ_DE = 'Kauknochen Rind'"));
    RecordingPrompt prompt;
    LegacyFeedImport import(db.context(), prompt);
    int done = 0;
    int total = 0;
    import.setProgress([&](int d, int t) {
        done = d;
    total = t;
});
EXPECT_EQ(import.importFrom(fixture("jet4")), LegacyFeedImport::Outcome::CompletedWithSkipped);
EXPECT_EQ(std::make_pair(done, total), std::make_pair(6, 6));
EXPECT_EQ(import.imported(), 5);
EXPECT_EQ(prompt.texts(), QStringList{QStringLiteral("Record could not be inserted: Kauknochen Rind\n") +
                                      Taken + QStringLiteral("\n5 feedstuffs taken over, 1 skipped.")});
EXPECT_EQ(importedFeeds(db).size(), 5);
} // namespace

} // namespace
