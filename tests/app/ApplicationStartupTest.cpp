#include "app/ApplicationStartup.h"
#include "app/HelpDocuments.h"
#include "app/LanguageSwitch.h"
#include "core/Prompt.h"
#include "db/ConnectionString.h"
#include "support/TestDatabase.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

TEST(ConnectionStringTest, HoldsTheDatabaseOfTheDataDirectoryAndTheProviderSettings)
{
    const QString sep = QDir::separator();
    EXPECT_EQ(
        ConnectionString::build(QStringLiteral("/home/praxis/daten"), QStringLiteral("Share Deny None")),
        QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;User ID=Admin; Data Source=/home/praxis/daten") +
            sep +
            QStringLiteral("MensolyVers3.mdb;Mode=Share Deny None;Extended Properties=\"\";"
                           "Jet OLEDB:System database=\"\";Jet OLEDB:Registry Path=\"\";"
                           "Jet OLEDB:Engine Type=5;Jet OLEDB:Database Locking Mode=1;"
                           "Jet OLEDB:Database Password=QRT_K4;Jet OLEDB:Global Partial Bulk Ops=2;"
                           "Jet OLEDB:Global Bulk Transactions=1;Jet OLEDB:Create System Database=False;"
                           "Jet OLEDB:Encrypt Database=False;Jet OLEDB:Don't Copy Locale on Compact=False;"
                           "Jet OLEDB:Compact Without Replica Repair=False;Jet OLEDB:SFP=False"));
    EXPECT_EQ(ApplicationStartup::mainWindowTitle(QStringLiteral("/home/praxis/daten")),
              QStringLiteral("Mensoly - /home/praxis/daten") + sep + QStringLiteral("MensolyVers3.mdb"));
}

TEST(ApplicationStartupTest, AMissingDatabaseEndsTheStartWithTheGermanMessageAndThePath)
{
    QTemporaryDir dir;
    AppContext context;
    RecordingPrompt prompt;
    EXPECT_FALSE(ApplicationStartup::run(context, dir.path(), prompt));
    ASSERT_EQ(prompt.texts().size(), 1);
    EXPECT_EQ(prompt.lastText(), QStringLiteral("Datenbank konnte nicht geöffnet werden.") + dir.path() +
                                     QDir::separator() + QStringLiteral("MensolyVers3.mdb"));
    EXPECT_FALSE(QFile::exists(ConnectionString::databasePath(dir.path())));
}

struct LanguageCase
{
    const char* stored; // SQL value of Sprache, or null for a missing row
    const char* expected;
};

class StartupLanguageTest : public ::testing::TestWithParam<LanguageCase>
{
};

TEST_P(StartupLanguageTest, TheLanguageComesFromTheSettingsRowAndFallsBackToGerman)
{
    SKIP_ON_POSTGRESQL("the start-up opens the SQLite file of its data directory");
    TestDatabase fixture;
    ASSERT_TRUE(fixture.isValid());
    const LanguageCase& c = GetParam();
    if (c.stored)
        ASSERT_TRUE(fixture.rawExec(
            QStringLiteral("UPDATE T_MSYV3SEC SET Sprache = %1").arg(QString::fromUtf8(c.stored))));
    else
        ASSERT_TRUE(fixture.rawExec(QStringLiteral("DELETE FROM T_MSYV3SEC")));
    AppContext context;
    RecordingPrompt prompt;
    ASSERT_TRUE(ApplicationStartup::run(context, fixture.directory(), prompt));
    EXPECT_EQ(context.languageCode(), QString::fromLatin1(c.expected));
    EXPECT_TRUE(prompt.texts().isEmpty());
    EXPECT_EQ(context.shareMode(), QStringLiteral("Share Deny None"));
    EXPECT_EQ(context.connectionString(),
              ConnectionString::build(fixture.directory(), QStringLiteral("Share Deny None")));
}

INSTANTIATE_TEST_SUITE_P(Codes, StartupLanguageTest,
                         ::testing::Values(LanguageCase{"'US'", "US"}, LanguageCase{"'DE'", "DE"},
                                           LanguageCase{"' us '", "US"}, LanguageCase{"NULL", "DE"},
                                           LanguageCase{"'FR'", "DE"}, LanguageCase{nullptr, "DE"}),
                         [](const ::testing::TestParamInfo<LanguageCase>& info) {
                             return "Stored" + std::to_string(info.index) + "Gives" + info.param.expected;
                         });

TEST(OwnerCodeTest, ComesFromTheIniFileAndIsUserByDefault)
{
    const struct
    {
        const char* ini; // null: no file
        const char* owner;
    } cases[] = {{nullptr, "U"},
                 {"[Installation]\nOwner=M\n", "M"},
                 {"[Installation]\nOwner=m\n", "M"},
                 {"[Installation]\nOwner=U\n", "U"},
                 {"[Installation]\nOwner=X\n", "U"},
                 {"[Other]\nOwner=M\n", "U"}};
    for (const auto& c : cases) {
        QTemporaryDir dir;
        if (c.ini) {
            QFile file(QDir(dir.path()).filePath(QStringLiteral("Mensoly.ini")));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(c.ini);
        }
        EXPECT_EQ(ApplicationStartup::readOwnerCode(dir.path()), QString::fromLatin1(c.owner))
            << (c.ini ? c.ini : "none");
    }
}

TEST(HelpDocumentsTest, TheDocumentAndLanguageChooseTheFileAndAMissingFileGivesNothing)
{
    const struct
    {
        HelpDocuments::Document document;
        const char* code;
        const char* file;
    } cases[] = {{HelpDocuments::HelpTopics, "DE", "HilfeMSY.doc"},
                 {HelpDocuments::HelpTopics, "US", "HelpMSY.doc"},
                 {HelpDocuments::HelpManual, "DE", "Handbuch.doc"},
                 {HelpDocuments::HelpManual, "US", "Manual.doc"},
                 {HelpDocuments::GermanManual, "US", "Handbuch.doc"},
                 {HelpDocuments::EnglishManual, "DE", "Manual.doc"}};
    QTemporaryDir dir;
    for (const auto& c : cases) {
        const QString name = HelpDocuments::fileName(c.document, QString::fromLatin1(c.code));
        EXPECT_EQ(name, QString::fromLatin1(c.file));
        EXPECT_TRUE(
            HelpDocuments::existingPath(c.document, QString::fromLatin1(c.code), dir.path()).isEmpty());
        QFile file(QDir(dir.path()).filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.close();
        EXPECT_EQ(HelpDocuments::existingPath(c.document, QString::fromLatin1(c.code), dir.path()),
                  dir.path() + QDir::separator() + name);
        QFile::remove(file.fileName());
    }
}

TEST(LanguageSwitchTest, StoresTheCodeForTheNextStart)
{
    TestDatabase fixture;
    RecordingPrompt prompt;
    EXPECT_TRUE(LanguageSwitch::apply(fixture.context(), QStringLiteral("US"), prompt));
    EXPECT_EQ(fixture.context().languageCode(), QStringLiteral("US"));
    EXPECT_EQ(fixture.rawValue(QStringLiteral("SELECT Sprache FROM T_MSYV3SEC WHERE ID = 1")),
              QStringLiteral("US"));
    EXPECT_TRUE(prompt.texts().isEmpty());
}

TEST(LanguageSwitchTest, AFailedUpdateSaysSoInTheNewLanguageAndKeepsTheCodeForTheRun)
{
    const struct
    {
        const char* code;
        const char* message;
    } cases[] = {{"US", "Language could not be updated"}, {"DE", "Sprache konnte nicht geändert werden"}};
    for (const auto& c : cases) {
        TestDatabase fixture(TestDatabase::Data::Fixture, QStringLiteral("XX"));
        ASSERT_TRUE(fixture.addTrigger(QStringLiteral("refuse"), QStringLiteral("BEFORE UPDATE"),
                                       QStringLiteral("T_MSYV3SEC")));
        RecordingPrompt prompt;
        EXPECT_FALSE(LanguageSwitch::apply(fixture.context(), QString::fromLatin1(c.code), prompt));
        EXPECT_EQ(prompt.texts(), QStringList{QString::fromUtf8(c.message)});
        EXPECT_EQ(fixture.context().languageCode(), QString::fromLatin1(c.code));
        EXPECT_EQ(fixture.rawValue(QStringLiteral("SELECT Sprache FROM T_MSYV3SEC")), QStringLiteral("DE"));
    }
}

} // namespace
