#include "db/DatabaseBackup.h"
#include "core/Prompt.h"
#include "db/ConnectionString.h"
#include "support/TestDatabase.h"
#include "support/ThrowawayPostgres.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

QString caseCountIn(const QString& path)
{
    return TestDatabase::rawValueIn(path, QStringLiteral("SELECT count(*) FROM T_PAT_REZ"));
}

TEST(DatabaseBackupTest, TheCopyHoldsTheDatabaseAndReplacesAnOlderOneOnlyWhenWhole)
{
    SKIP_ON_POSTGRESQL("the backup copies the SQLite file");
    TestDatabase db;
    RecordingPrompt prompt;
    DatabaseBackup backup(db.context(), prompt);
    int lastDone = -1;
    int lastTotal = -1;
    backup.setProgress([&](int done, int total) {
        lastDone = done;
        lastTotal = total;
    });
    const QString path = db.directory() + QStringLiteral("/copy.mdb");
    ASSERT_TRUE(backup.writeTo(path));
    EXPECT_EQ(caseCountIn(path), db.rawValue(QStringLiteral("SELECT count(*) FROM T_PAT_REZ")));
    EXPECT_GT(lastTotal, 0);
    EXPECT_EQ(lastDone, lastTotal);
    ASSERT_EQ(prompt.entries().size(), 1u);
    EXPECT_EQ(prompt.entries()[0].text,
              QStringLiteral("Die Sicherungskopie wurde angelegt:\n") + QDir::toNativeSeparators(path));

    // A second copy over the first, after a change, holds the change.
    ASSERT_TRUE(db.rawExec(QStringLiteral("DELETE FROM T_PAT_REZ")));
    ASSERT_TRUE(backup.writeTo(path));
    EXPECT_EQ(caseCountIn(path), QStringLiteral("0"));
    EXPECT_FALSE(QFile::exists(path + QStringLiteral(".part")));
}

TEST(DatabaseBackupTest, ACopyThatCannotBeMadeSaysWhyAndLeavesNothingBehind)
{
    SKIP_ON_POSTGRESQL("the backup copies the SQLite file");
    TestDatabase db(TestDatabase::Data::Fixture, QStringLiteral("US"));
    const QString cases = db.rawValue(QStringLiteral("SELECT count(*) FROM T_PAT_REZ"));
    struct Case
    {
        QString path;
        QString reason;
    };
    const Case attempts[] = {
        {db.path(), QStringLiteral("The backup copy must not be the open database itself.")},
        {db.directory() + QStringLiteral("/no/such/folder/copy.mdb"), QString()},
    };
    for (const Case& c : attempts) {
        RecordingPrompt prompt;
        DatabaseBackup backup(db.context(), prompt);
        EXPECT_FALSE(backup.writeTo(c.path));
        ASSERT_EQ(prompt.entries().size(), 1u);
        const QString message = prompt.entries()[0].text;
        EXPECT_TRUE(message.startsWith(QStringLiteral("The backup copy could not be made:\n") +
                                       QDir::toNativeSeparators(c.path) + QLatin1Char('\n')))
            << message.toStdString();
        if (!c.reason.isEmpty()) {
            EXPECT_TRUE(message.endsWith(c.reason)) << message.toStdString();
        }
        EXPECT_FALSE(QFile::exists(c.path + QStringLiteral(".part")));
    }
    EXPECT_EQ(db.rawValue(QStringLiteral("SELECT count(*) FROM T_PAT_REZ")), cases);
    EXPECT_EQ(db.rawValue(QStringLiteral("PRAGMA integrity_check")), QStringLiteral("ok"));
}

TEST(DatabaseBackupTest, AutomaticCopiesLieNextToTheDatabaseAndOnlyTheNewestFiveStay)
{
    SKIP_ON_POSTGRESQL("the backup copies the SQLite file");
    TestDatabase db;
    RecordingPrompt prompt;
    DatabaseBackup backup(db.context(), prompt);
    EXPECT_EQ(backup.automaticCopyFolder(), QDir::toNativeSeparators(db.directory()));
    QStringList made;
    for (int i = 0; i < DatabaseBackup::KeptCopies + 2; ++i) {
        ASSERT_TRUE(
            db.rawExec(QStringLiteral("DELETE FROM T_PAT_REZ WHERE ID = (SELECT min(ID) FROM T_PAT_REZ)")));
        ASSERT_TRUE(backup.writeAutomaticCopy());
        made << backup.lastCopy();
    }
    EXPECT_TRUE(prompt.entries().empty());
    const QStringList kept =
        QDir(db.directory()).entryList({QStringLiteral("*-backup-*")}, QDir::Files, QDir::Name);
    ASSERT_EQ(kept.size(), DatabaseBackup::KeptCopies);
    for (int i = 0; i < made.size(); ++i)
        EXPECT_EQ(QFile::exists(made[i]), i >= 2) << made[i].toStdString();
    EXPECT_EQ(caseCountIn(made.last()), db.rawValue(QStringLiteral("SELECT count(*) FROM T_PAT_REZ")));
}

TEST(DatabaseBackupTest, AServerDatabaseIsNotCopiedAndImportsRunWithoutACopy)
{
    ThrowawayPostgres cluster;
    if (!cluster.isRunning())
        GTEST_SKIP() << "no PostgreSQL cluster: " << cluster.error().toStdString();
    QString error;
    ASSERT_TRUE(cluster.createDatabase(QStringLiteral("backup"), QString(), &error)) << error.toStdString();
    const struct
    {
        const char* code;
        const char* message;
    } cases[] = {
        {"DE",
         "Die Datenbank liegt auf einem PostgreSQL-Server. Mensoly legt keine Sicherungskopie an; sichern "
         "Sie die Datenbank auf dem Server (z. B. mit pg_dump)."},
        {"US",
         "The database is kept on a PostgreSQL server. Mensoly makes no backup copy of it; back it up on "
         "the server (with pg_dump, for instance)."},
    };
    for (const auto& c : cases) {
        AppContext context;
        context.setLanguageCode(QString::fromLatin1(c.code));
        context.setConnectionString(
            ConnectionString::buildPostgreSql(QString::fromUtf8(cluster.conninfo(QStringLiteral("backup")))));
        ASSERT_TRUE(context.openDatabase()) << context.db().lastError().toStdString();
        RecordingPrompt prompt;
        DatabaseBackup backup(context, prompt);
        EXPECT_TRUE(backup.isOnServer());
        EXPECT_TRUE(backup.automaticCopyFolder().isEmpty());
        EXPECT_TRUE(backup.writeAutomaticCopy());
        EXPECT_TRUE(prompt.entries().empty());
        EXPECT_FALSE(backup.canWriteCopy());
        EXPECT_EQ(prompt.texts(), QStringList{QString::fromUtf8(c.message)});
    }
}

} // namespace
