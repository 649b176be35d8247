#include "support/CliRun.h"
#include "support/QtPrinters.h"
#include "support/TestDatabase.h"

#include <QFile>
#include <QProcess>
#include <QSet>

#include <gtest/gtest.h>

namespace {

const std::string Flakes =
    "field\tBEZ_DE\tHundeflocken O'Brien\n"
    "field\tBEZ_US\tDog flakes O'Brien\n"
    "category\t4\n"
    "nutrient\t18\t10\nnutrient\t24\t25\nnutrient\t11\t2\nnutrient\t12\t15\nnutrient\t13\t8\n"
    "nutrient\t1\t1,2\n";

TEST(CliFeedTest, SaveShowCopyAndDeleteRunTheEditor)
{
    TestDatabase db(TestDatabase::Data::Shipped);
    const CliRun saved = runCliIn(db.directory(), {"feed", "save"}, Flakes);
    ASSERT_EQ(saved.status, 0) << saved.err.toStdString();
    EXPECT_EQ(saved.lines, QStringList{"saved\t20000"});

    const CliRun shown = runCliIn(db.directory(), {"feed", "show", "20000"});
    ASSERT_EQ(shown.status, 0);
    for (const char* line :
         {"field\tBEZ_DE\tHundeflocken O'Brien", "field\tAKTIV\t-1", "category\t4\tAlleinfutter Hund\tx",
          "nutrient\t1\tCa\tg\t1,200\t", "nutrient\t14\tNfE\tg\t40,00\t"})
        EXPECT_TRUE(shown.lines.contains(QString::fromUtf8(line))) << line;
    EXPECT_EQ(shown.linesOf(QStringLiteral("field")).size(), 9);

    // A case of an adult dog offers it at once.
    const CliRun feeds = runCliIn(db.directory(), {"feeds", "--case-type", "7", "--search", "flocken o"});
    EXPECT_TRUE(feeds.lines.contains("feed\t20000\tHundeflocken O'Brien"))
        << feeds.lines.join('\n').toStdString();

    EXPECT_EQ(runCliIn(db.directory(), {"feed", "copy", "20000"}).lines, QStringList{"copied\t20001"});
    EXPECT_EQ(runCliIn(db.directory(), {"feed", "delete", "20001"}).status, 2);
    EXPECT_EQ(runCliIn(db.directory(), {"feed", "delete", "20001", "--yes"}).lines,
              QStringList{"deleted\t20001"});
    // Shipped feedstuffs are not this practice's to change, only to copy.
    const QString shipped = db.rawValue("SELECT BEZ_DE FROM T_FUTTERMITTEL WHERE ID = 1");
    const QString contents =
        db.rawRows("SELECT ID_NAEHRSTOFF, MENGE FROM T_FM_NAEHRSTOFF WHERE ID_FM = 1").join('\n');
    const QString refusal =
        QStringLiteral("mensoly-cli feed: „%1“ ist ein mitgeliefertes Futtermittel und kann "
                       "nicht geändert oder gelöscht werden. Mit „Kopieren“ legen Sie ein "
                       "eigenes an, das Sie bearbeiten können.\n")
            .arg(shipped);
    const struct
    {
        CliArgs args;
        std::string input;
    } changes[] = {{{"feed", "delete", "1", "--yes"}, ""}, {{"feed", "save", "1"}, Flakes}};
    for (const auto& r : changes) {
        const CliRun run = runCliIn(db.directory(), r.args, r.input);
        EXPECT_EQ(run.status, 1) << r.args[1];
        EXPECT_EQ(run.err, refusal) << r.args[1];
    }
    EXPECT_EQ(db.rawValue("SELECT BEZ_DE FROM T_FUTTERMITTEL WHERE ID = 1"), shipped);
    EXPECT_EQ(db.rawRows("SELECT ID_NAEHRSTOFF, MENGE FROM T_FM_NAEHRSTOFF WHERE ID_FM = 1").join('\n'),
              contents);
    EXPECT_EQ(runCliIn(db.directory(), {"feed", "copy", "1"}).lines, QStringList{"copied\t20002"});
    EXPECT_EQ(db.rawValue("SELECT EIGEN FROM T_FUTTERMITTEL WHERE ID = 20002"), "U");

    const CliRun refused = runCliIn(db.directory(), {"feed", "save"}, "field\tBEZ_DE\tOhne Analyse\n");
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.err, "mensoly-cli feed: Bitte geben Sie einen Wert für Feuchte ein\n");
}

TEST(CliFeedTest, TwoProgramsSavingAtOnceNeverShareAKey)
{
    TestDatabase db(TestDatabase::Data::Shipped);
    QFile input(db.directory() + QStringLiteral("/flakes.txt"));
    ASSERT_TRUE(input.open(QIODevice::WriteOnly));
    input.write(QByteArray::fromStdString(Flakes));
    input.close();
    constexpr int Saves = 50;
    const QString loop =
        QStringLiteral("for i in $(seq %1); do \"%2\" feed save < flakes.txt || exit 1; done")
            .arg(Saves)
            .arg(QStringLiteral(MENSOLY_CLI_PATH));
    QProcess first, second;
    for (QProcess* process : {&first, &second}) {
        process->setWorkingDirectory(db.directory());
        process->start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), loop});
    }
    for (QProcess* process : {&first, &second}) {
        ASSERT_TRUE(process->waitForFinished(120000));
        EXPECT_EQ(process->exitCode(), 0) << process->readAllStandardError().toStdString();
    }
    QSet<QString> keys;
    for (const QString& line :
         QString::fromUtf8(first.readAllStandardOutput() + second.readAllStandardOutput())
             .split('\n', Qt::SkipEmptyParts))
        keys.insert(line);
    EXPECT_EQ(keys.size(), 2 * Saves);
    EXPECT_EQ(db.rawValue("SELECT ID_NEW FROM T_FM_KEY WHERE FM_TYP = 'U'"),
              QString::number(20000 + 2 * Saves));
    EXPECT_EQ(db.rawValue("SELECT COUNT(*) FROM T_FUTTERMITTEL WHERE EIGEN = 'U'"),
              QString::number(2 * Saves));
}

} // namespace
