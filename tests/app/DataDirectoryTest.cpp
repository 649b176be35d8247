#include "app/DataDirectory.h"
#include "app/Version.h"
#include "core/Lang.h"
#include "support/CliRun.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QString DatabaseFile = QStringLiteral("MensolyVers3.mdb");
const QString IniFile = QStringLiteral("Mensoly.ini");

// Brings back the current directory that enter() changes.
struct KeptCurrentDirectory
{
    QString path = QDir::currentPath();
    ~KeptCurrentDirectory() { QDir::setCurrent(path); }
};

bool writeFile(const QString& path, const QByteArray& text)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size();
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

enum class Place { Given, Current, Fallback };

// What the current directory and the user's folder hold, and where the
// program goes.
struct ChoiceCase
{
    const char* name;
    bool given;
    const char* currentFile; // nullptr: the current directory is empty
    const char* currentText;
    bool fallbackHasDatabase;
    Place expected;
    bool created;
};

const ChoiceCase kChoiceCases[] = {
    {"an empty folder starts in a fresh user folder", false, nullptr, "", false, Place::Fallback, true},
    {"the user folder's database is reused", false, nullptr, "", true, Place::Fallback, false},
    {"a database here wins", false, "MensolyVers3.mdb", "here", false, Place::Current, false},
    {"settings naming a server here win", false, "Mensoly.ini",
     "[Database]\nBackend=postgresql\nConnection=\"host=db dbname=mensoly\"\n", false, Place::Current, false},
    {"settings of the language alone do not", false, "Mensoly.ini", "[Installation]\nLanguage=US\n", true,
     Place::Fallback, false},
    {"settings naming the file engine do not", false, "Mensoly.ini", "[Database]\nBackend=sqlite\n", false,
     Place::Fallback, true},
    {"--data-dir wins over a database here", true, "MensolyVers3.mdb", "here", true, Place::Given, false},
    {"--data-dir wins over the user folder", true, nullptr, "", true, Place::Given, false},
};

TEST(DataDirectoryTest, TheGivenDirectoryThenTheCurrentOneWithDataThenTheUserFolder)
{
    for (const ChoiceCase& c : kChoiceCases) {
        SCOPED_TRACE(c.name);
        KeptCurrentDirectory kept;
        QTemporaryDir root;
        ASSERT_TRUE(root.isValid());
        const QDir top(root.path());
        ASSERT_TRUE(top.mkpath(QStringLiteral("current")) && top.mkpath(QStringLiteral("given")));
        const QString current = top.filePath(QStringLiteral("current"));
        const QString given = top.filePath(QStringLiteral("given"));
        const QString fallback = top.filePath(QStringLiteral("share/Mensoly"));
        if (c.currentFile) {
            ASSERT_TRUE(writeFile(current + QLatin1Char('/') + QLatin1String(c.currentFile), c.currentText));
        }
        if (c.fallbackHasDatabase) {
            ASSERT_TRUE(top.mkpath(fallback));
            ASSERT_TRUE(writeFile(fallback + QLatin1Char('/') + DatabaseFile, "kept"));
        }
        QDir::setCurrent(current);

        const DataDirectory::Entered entered =
            DataDirectory::enter(c.given ? given : QString(), fallback, Lang::English);

        const QString expected = c.expected == Place::Given     ? given
                                 : c.expected == Place::Current ? current
                                                                : fallback;
        EXPECT_EQ(entered.error, QString());
        EXPECT_EQ(entered.path, QDir(expected).canonicalPath());
        EXPECT_EQ(QDir::currentPath(), entered.path);
        EXPECT_EQ(entered.created, c.created);
        // Only the user folder ever gets a database, and an existing one is never replaced.
        EXPECT_EQ(QFile::exists(fallback + QLatin1Char('/') + DatabaseFile),
                  c.fallbackHasDatabase || c.created);
        if (c.fallbackHasDatabase) {
            EXPECT_EQ(readFile(fallback + QLatin1Char('/') + DatabaseFile), "kept");
        } else if (c.created) {
            // A real database of the shipped data, which the next start reuses.
            EXPECT_TRUE(readFile(fallback + QLatin1Char('/') + DatabaseFile).startsWith("SQLite format 3"));
            EXPECT_FALSE(DataDirectory::enter(QString(), fallback, Lang::English).created);
        }
        EXPECT_EQ(QDir(given).entryList(QDir::Files), QStringList());
        if (!c.currentFile) {
            EXPECT_EQ(QDir(current).entryList(QDir::Files), QStringList());
        }
    }
}

struct FailureCase
{
    const char* name;
    const char* code;
    bool given;
    const char* expected;
};

// A regular file stands where a folder must be, which no rights can help.
const FailureCase kFailureCases[] = {
    {"user folder, German", "DE", false, "konnte nicht angelegt werden"},
    {"user folder, English", "US", false, "could not be created"},
    {"missing --data-dir, German", "DE", true, "gibt es nicht"},
    {"missing --data-dir, English", "US", true, "does not exist"},
};

TEST(DataDirectoryTest, AFolderThatCannotBeMadeOrFoundIsToldInTheUsersLanguageAndNothingChanges)
{
    for (const FailureCase& c : kFailureCases) {
        SCOPED_TRACE(c.name);
        KeptCurrentDirectory kept;
        QTemporaryDir root;
        ASSERT_TRUE(root.isValid());
        const QString blocker = root.filePath(QStringLiteral("share"));
        ASSERT_TRUE(writeFile(blocker, "a file"));
        QDir::setCurrent(root.path());
        const QString folder = blocker + QStringLiteral("/Mensoly");

        const DataDirectory::Entered entered = DataDirectory::enter(
            c.given ? folder : QString(), c.given ? QString() : folder, QLatin1String(c.code));

        EXPECT_TRUE(entered.error.contains(QLatin1String(c.expected))) << entered.error.toStdString();
        EXPECT_TRUE(entered.error.contains(QDir::toNativeSeparators(folder))) << entered.error.toStdString();
        EXPECT_EQ(entered.path, QString());
        EXPECT_FALSE(entered.created);
        EXPECT_EQ(QDir::currentPath(), QDir(root.path()).canonicalPath());
    }
}

TEST(DataDirectoryTest, ADatabaseThatFailsHalfWayLeavesNothingToBeReusedNextTime)
{
    KeptCurrentDirectory kept;
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    const QString fallback = root.filePath(QStringLiteral("Mensoly"));
    // The folder is made, then the database cannot be: the name it is built
    // under is taken by a folder.
    ASSERT_TRUE(QDir(fallback).mkpath(DatabaseFile + QStringLiteral(".new")));
    QDir::setCurrent(root.path());
    const DataDirectory::Entered entered = DataDirectory::enter(QString(), fallback, Lang::English);
    EXPECT_TRUE(entered.error.contains(QStringLiteral("could not be created")))
        << entered.error.toStdString();
    EXPECT_FALSE(entered.created);
    EXPECT_FALSE(QFile::exists(fallback + QLatin1Char('/') + DatabaseFile));
    EXPECT_FALSE(DataDirectory::holdsData(fallback));
}

struct CommandLineCase
{
    const char* name;
    CliArgs args;
    int status;
    const char* out;
    const char* err;
};

TEST(DataDirectoryTest, TheCommandLineTakesVersionAndDataDirBeforeTheCommand)
{
    const std::string version = std::string("mensoly-cli ") + ProgramVersion + "\n";
    const CommandLineCase cases[] = {
        {"version", {"--version"}, 0, version.c_str(), ""},
        {"data dir without a value", {"--data-dir"}, 2, "", "--data-dir needs a directory"},
        {"data dir empty", {"--data-dir", "", "cases"}, 2, "", "--data-dir needs a directory"},
        {"data dir without a command", {"--data-dir", "."}, 2, "", "usage: mensoly-cli [--data-dir DIR]"},
        {"data dir after the command", {"cases", "--data-dir", "."}, 2, "", "unknown argument '--data-dir'"},
        {"missing data dir", {"--data-dir", "/nonexistent/mensoly", "cases"}, 1, "", "/nonexistent/mensoly"},
    };
    for (const CommandLineCase& c : cases) {
        SCOPED_TRACE(c.name);
        const CliRun run = runCliWith(c.args);
        EXPECT_EQ(run.status, c.status);
        EXPECT_EQ(run.out, c.out);
        EXPECT_TRUE(run.err.contains(QLatin1String(c.err))) << run.err.toStdString();
    }
}

TEST(DataDirectoryTest, TheCommandsWorkInTheirDataDirectoryAndInitdbOnlyWhereItIsTold)
{
    KeptCurrentDirectory kept;
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    const QDir top(root.path());
    ASSERT_TRUE(top.mkpath(QStringLiteral("here")) && top.mkpath(QStringLiteral("given")));
    const QString here = top.filePath(QStringLiteral("here"));
    const QString given = top.filePath(QStringLiteral("given"));
    const QString fallback = top.filePath(QStringLiteral("share/Mensoly"));

    const CliRun created = runCliIn(here, {"--data-dir", given.toStdString(), "initdb"}, {}, fallback);
    EXPECT_EQ(created.status, 0) << created.err.toStdString();
    EXPECT_TRUE(QFile::exists(given + QLatin1Char('/') + DatabaseFile));
    EXPECT_FALSE(QFile::exists(here + QLatin1Char('/') + DatabaseFile));
    EXPECT_FALSE(QFile::exists(fallback));

    const CliRun listed = runCliIn(here, {"cases", "--first", "1"}, {}, fallback);
    EXPECT_EQ(listed.status, 0) << listed.err.toStdString();
    EXPECT_TRUE(listed.err.contains(QStringLiteral("created"))) << listed.err.toStdString();
    EXPECT_TRUE(QFile::exists(fallback + QLatin1Char('/') + DatabaseFile));
    EXPECT_EQ(QDir(here).entryList(QDir::Files), QStringList());

    // initdb never goes to the user's folder, so an empty folder gets its own file.
    const CliRun again = runCliIn(here, {"initdb"}, {}, fallback);
    EXPECT_EQ(again.status, 0) << again.err.toStdString();
    EXPECT_TRUE(QFile::exists(here + QLatin1Char('/') + DatabaseFile));
}

} // namespace
