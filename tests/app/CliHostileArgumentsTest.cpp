#include "support/CliRun.h"
#include "support/QtPrinters.h"
#include "support/TestDatabase.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <ostream>

namespace {

// File names a user may give: each file is written, read and imported under
// exactly that name, blank edges and line breaks included.
TEST(CliHostileArgumentsTest, FileNamesAreTakenAsGiven)
{
    const QString legacy = QStringLiteral(MENSOLY_LEGACY_FIXTURES "/jet3/Darire32.mdb");
    const char* const names[] = {
        "it's \"x\" 100%_; -- DROP TABLE T_PAT_REZ.tsv",
        " blanks around.tsv ",
        "tab\tcr\rlf.tsv\n",
        "M\xc3\xbcller \xf0\x9f\x90\x95.tsv",
    };
    for (const char* name : names) {
        TestDatabase db;
        ASSERT_TRUE(db.isValid());
        ASSERT_TRUE(QDir(db.directory()).mkpath(QStringLiteral("export/legacy")));
        const std::string path = db.directory().toStdString() + "/export/" + name;
        const CliRun exported = runCliIn(db.directory(), {"export", path});
        EXPECT_EQ(exported.status, 0) << name << exported.err.toStdString();
        EXPECT_EQ(exported.err, "Export wurde abgeschlossen!\n") << name;
        EXPECT_EQ(QDir(db.directory() + QStringLiteral("/export")).entryList(QDir::Files),
                  QStringList{QString::fromUtf8(name)});
        EXPECT_EQ(runCliIn(db.directory(), {"import", path}).status, 0) << name;

        const std::string legacyPath = db.directory().toStdString() + "/export/legacy/" + name;
        if (!QFile::copy(legacy, QString::fromStdString(legacyPath)))
            continue; // without the legacy fixtures
        const QString own = QStringLiteral("SELECT COUNT(*) FROM T_FUTTERMITTEL WHERE EIGEN = 'U'");
        const int before = db.rawValue(own).toInt();
        const CliRun taken = runCliIn(db.directory(), {"import-legacy", legacyPath});
        EXPECT_EQ(taken.status, 0) << name << taken.err.toStdString();
        EXPECT_EQ(db.rawValue(own).toInt(), before + 6) << name;
    }
}

TEST(CliHostileArgumentsTest, ArgumentsThatAreNoUtf8AreRefusedWithAMessage)
{
    const struct
    {
        CliArgs args;
        const char* message;
    } cases[] = {
        {{"export", "bad\xff.tsv"}, "mensoly-cli export: argument 1 is not valid UTF-8\n"},
        {{"import", "cut \xc3"}, "mensoly-cli import: argument 1 is not valid UTF-8\n"},
        {{"import-legacy", "overlong \xc0\xaf"},
         "mensoly-cli import-legacy: argument 1 is not valid UTF-8\n"},
        {{"cases", "--species", "2", "--owner", "\xed\xa0\x80"},
         "mensoly-cli cases: argument 4 is not valid UTF-8\n"},
        {{"feeds", "--case-type", "7", "--search", "Reis \xfe"},
         "mensoly-cli feeds: argument 4 is not valid UTF-8\n"},
    };
    TestDatabase db;
    ASSERT_TRUE(db.isValid());
    const QStringList before = QDir(db.directory()).entryList(QDir::Files);
    for (const auto& c : cases) {
        const CliRun run = runCliIn(db.directory(), c.args);
        EXPECT_EQ(run.status, 1) << c.message;
        EXPECT_EQ(run.err, QString::fromUtf8(c.message));
        EXPECT_TRUE(run.out.empty()) << c.message;
    }
    EXPECT_EQ(QDir(db.directory()).entryList(QDir::Files), before);
}

TEST(CliHostileArgumentsTest, HostileTextsChangeNothing)
{
    const std::string tooLong(10 * 1024, 'x');
    const struct
    {
        CliArgs args;
        int status;
        QString err;
    } cases[] = {
        {{"cases", "--owner", "'; DROP TABLE T_PAT_REZ; --"}, 0, QString()},
        {{"cases", "--patient", "\"); DELETE FROM T_PAT_REZ; --", "--title", "\t\r\n;"}, 0, QString()},
        {{"feeds", "--case-type", "7", "--search", "'; DROP TABLE T_FUTTERMITTEL; --"}, 0, QString()},
        {{"export", tooLong},
         1,
         QStringLiteral("Datei %1 konnte nicht geschrieben werden. Export wurde nicht durchgeführt!\n")
             .arg(QString::fromStdString(tooLong))},
        {{"import", tooLong}, 1, QStringLiteral("Datei konnte nicht importiert werden!\n")},
        {{"import-legacy", tooLong},
         1,
         QStringLiteral("Datenbank konnte nicht geöffnet werden. Import wird beendet!\n")},
        {{"balance", "1", "--complete", "--days", "'; DROP TABLE T_PAT_REZ; --"},
         2,
         QStringLiteral(
             "mensoly-cli balance: --days takes a whole number from 7 to 100, not ''; DROP TABLE "
             "T_PAT_REZ; --'\nusage: mensoly-cli balance ID [--lock KEY]... [--complete] [--exclude "
             "KEY]... [--days N]\n")},
    };
    TestDatabase db;
    ASSERT_TRUE(db.isValid());
    const QString tables = QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type = 'table'");
    const QString counts = QStringLiteral(
        "SELECT (SELECT count(*) FROM T_PAT_REZ) || ' ' || (SELECT count(*) FROM T_FUTTERMITTEL)");
    const QString tableCount = db.rawValue(tables);
    const QString rowCounts = db.rawValue(counts);
    for (const auto& c : cases) {
        const CliRun run = runCliIn(db.directory(), c.args);
        EXPECT_EQ(run.status, c.status) << c.args[1];
        EXPECT_EQ(run.err, c.err) << c.args[1];
        EXPECT_EQ(run.linesOf(QStringLiteral("case")), QStringList()) << c.args[1];
        EXPECT_EQ(run.linesOf(QStringLiteral("feed")), QStringList()) << c.args[1];
    }
    EXPECT_EQ(db.rawValue(tables), tableCount);
    EXPECT_EQ(db.rawValue(counts), rowCounts);
}

} // namespace
