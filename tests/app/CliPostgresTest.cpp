// mensoly-cli on PostgreSQL: initdb and migrate fill a server database in one
// transaction, and the output commands print the same bytes whether the data
// directory's database is the SQLite file or a server database migrated from it.

#include "db/Connection.h"
#include "db/ConnectionString.h"
#include "db/DatabaseCreator.h"
#include "db/DbBackend.h"
#include "support/CliRun.h"
#include "support/QtPrinters.h"
#include "support/TestDatabase.h"
#include "support/ThrowawayPostgres.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

// Stored cases over the shipped data, with the values that travel badly:
// umlauts, apostrophes, quotes, tabs, newlines and backslashes in texts,
// NULLs, doubles that need all their digits, a puppy for the growth chart.
const char* const Cases = R"(
INSERT INTO T_PAT_REZ (ID, ID_Anrede, Name_Besitzer, Name_Pat, ID_Gattung, ID_Geschlecht, ID_Fall, ID_Rasse,
    Geburtsdatum, Gewicht_akt, Gewicht_soll, Gewicht_adult, Anz_Welpen, Energie, Rippen, Rezepttitel, Datum,
    Bemerkung) VALUES
    (1, 1, 'Müller', 'Bello', 2, 1, 7, 1, '2019-03-05', 20.5, 18, 0, 0, 100, '0', 'Erhaltung',
        '2024-04-03 10:00:00', 'Zeile 1' || char(10) || 'Zeile "2"' || char(9) || 'Tab \ Backslash'),
    (2, 2, 'O''Neil', 'Minka', 3, 2, 10, NULL, NULL, 4.3999999999999995, 4, 0, 0, 90, '1', 'Minka''s Diät',
        '2024-04-04 11:30:00', NULL),
    (3, 1, 'MÜLLER', 'Rex', 2, 1, 1, 2, '2024-01-10', 10, 0, 20, 0, 100, '0', 'Wachstum',
        '2024-04-05 09:15:00', ' '),
    (7, 2, 'Schäfer', 'Luna', 3, 2, 6, NULL, '2021-06-30', 3.8, 3.5, 0, 4, 120, '2', 'Laktation',
        '2024-05-01 08:00:00', 'Ölig');
INSERT INTO T_REZ_FM (ID_Rezept, ID_Futtermittel, TagRat) VALUES (1, 1, 150), (1, 159, 200.5),
    (2, 160, 50.123456789012345), (3, 2, 100), (3, 155, 0), (7, 151, 12.5), (7, 9, 80);
)";

class CliPostgresTest : public ClusterTest
{
public:
    static QString emptyDatabase()
    {
        static int databases = 0;
        const QString name = QStringLiteral("empty%1").arg(++databases);
        QString error;
        EXPECT_TRUE(cluster->createEmptyDatabase(name, &error)) << error.toStdString();
        return name;
    }
};

QString conninfoOf(const QString& database)
{
    return QString::fromUtf8(CliPostgresTest::cluster->conninfo(database));
}

bool openServer(Connection& db, const QString& database)
{
    return db.openConnection(ConnectionString::buildPostgreSql(conninfoOf(database)), QString(), QString());
}

// Every row of a table as the program's reader gives it.
QStringList rowsOf(Connection& db, const QString& table)
{
    QStringList rows;
    const std::unique_ptr<DbCursor> cursor =
        db.backend()->query(QStringLiteral("SELECT * FROM %1 ORDER BY 1, 2").arg(table));
    if (!cursor)
        return {QStringLiteral("failed: ") + db.backend()->lastError()};
    for (; !cursor->atEnd(); cursor->next()) {
        QStringList fields;
        for (int column = 0; column < cursor->columnCount(); ++column) {
            // The server's stand-in for SQLite's hidden rowid of a keyless
            // table; the names' sort keys, which only the file has.
            if (cursor->columnName(column).compare(QLatin1String("rowid"), Qt::CaseInsensitive) == 0 ||
                cursor->columnName(column).startsWith(QLatin1String("SORT_"), Qt::CaseInsensitive))
                continue;
            DbValue v = cursor->value(column);
            // A TIMESTAMP has no form without a time: a date alone in a
            // DATETIME column of the file comes back at midnight.
            if (v.kind == DbValue::Kind::Date && v.text.size() == 10)
                v.text += QStringLiteral(" 00:00:00");
            fields << QStringLiteral("%1:%2:%3:%4")
                          .arg(int(v.kind))
                          .arg(v.integer)
                          .arg(v.real, 0, 'g', 17)
                          .arg(v.text);
        }
        rows << fields.join(QLatin1Char('|'));
    }
    return rows;
}

// A data directory whose Mensoly.ini names the server database.
void pointAtServer(const QString& directory, const QString& database)
{
    QFile ini(QDir(directory).filePath(QStringLiteral("Mensoly.ini")));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("[Database]\nBackend=postgresql\nConnection=" + conninfoOf(database).toUtf8() + "\n");
}

TEST_F(CliPostgresTest, TheOutputCommandsPrintTheSameBytesOnBothEngines)
{
    TestDatabase sqlite(TestDatabase::Data::Shipped);
    ASSERT_TRUE(sqlite.isValid()) << sqlite.error().toStdString();
    ASSERT_TRUE(sqlite.rawExec(QString::fromUtf8(Cases)));
    // The tables exist and are empty: migrate fills them.
    QString error;
    ASSERT_TRUE(cluster->createDatabase(QStringLiteral("same_output"), QString(), &error))
        << error.toStdString();
    const QString conninfo = conninfoOf(QStringLiteral("same_output"));
    const CliRun migrated = runCliIn(sqlite.directory(), {"migrate", "--to", conninfo.toStdString()});
    ASSERT_EQ(migrated.status, 0) << migrated.err.toStdString();
    EXPECT_EQ(migrated.linesOf(QStringLiteral("T_PAT_REZ")), QStringList{"T_PAT_REZ\t4"});
    EXPECT_EQ(migrated.linesOf(QStringLiteral("T_REZ_FM")), QStringList{"T_REZ_FM\t7"});
    ASSERT_EQ(migrated.lines.size(), DatabaseCreator::schemaTables().size() + 1);
    qint64 rows = 0;
    for (qsizetype i = 0; i + 1 < migrated.lines.size(); ++i)
        rows += migrated.lines[i].section('\t', 1).toLongLong();
    EXPECT_EQ(
        migrated.lines.last(),
        QStringLiteral("migrated\t%1 tables\t%2 rows").arg(DatabaseCreator::schemaTables().size()).arg(rows));

    // Every value arrives as it was: the reader gives the same on both.
    Connection server;
    ASSERT_TRUE(openServer(server, QStringLiteral("same_output"))) << server.lastError().toStdString();
    for (const QString& table : DatabaseCreator::schemaTables())
        EXPECT_EQ(rowsOf(server, table), rowsOf(sqlite.db(), table)) << table.toStdString();

    QTemporaryDir serverDir;
    pointAtServer(serverDir.path(), QStringLiteral("same_output"));

    std::vector<CliArgs> commands = {
        {"cases"},
        {"cases", "--owner", "müller"},
        {"cases", "--owner", "MÜLLER"},
        {"cases", "--owner", "o'n"},
        {"cases", "--owner", "schä"},
        {"cases", "--patient", "LUNA"},
        {"cases", "--title", "diät"},
        {"cases", "--species", "3", "--sex", "2"},
        {"cases", "--first", "2"},
        {"feeds", "--case-type", "7"},
        {"feeds", "--case-type", "7", "--category", "4"},
        {"feeds", "--case-type", "9", "--type", "1"},
        {"feeds", "--case-type", "7", "--search", "hähnchen"},
        {"feeds", "--case-type", "10", "--search", "RIND"},
        {"feeds", "--case-type", "7", "--category", "1", "--type", "9", "--search", "öl"},
        {"feed", "show", "159"},
    };
    for (const char* id : {"1", "2", "3", "7"}) {
        commands.push_back({"case", id});
        commands.push_back({"recipe", id});
        for (const char* chart : {"coverage", "growth", "weight"})
            commands.push_back({"chart", id, chart});
        commands.push_back({"chart", id, "weight", "--rate", "2"});
    }
    for (const CliArgs& args : commands) {
        QStringList shown;
        for (const std::string& arg : args)
            shown << QString::fromStdString(arg);
        const CliRun onFile = runCliIn(sqlite.directory(), args);
        const CliRun onServer = runCliIn(serverDir.path(), args);
        EXPECT_EQ(onFile.status, 0) << shown.join(' ').toStdString() << ": " << onFile.err.toStdString();
        EXPECT_FALSE(onFile.lines.isEmpty()) << shown.join(' ').toStdString();
        EXPECT_EQ(onServer.status, onFile.status) << shown.join(' ').toStdString();
        EXPECT_EQ(onServer.err, onFile.err) << shown.join(' ').toStdString();
        EXPECT_EQ(onServer.out, onFile.out) << shown.join(' ').toStdString();
    }
}

TEST_F(CliPostgresTest, InitdbLoadsTheShippedDataOnceAndNewKeysFollowTheLoadedOnes)
{
    const QString database = emptyDatabase();
    const CliRun created = runCliWith({"initdb", "--postgresql", conninfoOf(database).toStdString()});
    ASSERT_EQ(created.status, 0) << created.err.toStdString();
    EXPECT_EQ(created.lines,
              QStringList{QStringLiteral("created %1/%2").arg(cluster->socketDirectory(), database)});

    TestDatabase shipped(TestDatabase::Data::Shipped);
    Connection server;
    ASSERT_TRUE(openServer(server, database)) << server.lastError().toStdString();
    for (const QString& table : DatabaseCreator::schemaTables())
        EXPECT_EQ(rowsOf(server, table), rowsOf(shipped.db(), table)) << table.toStdString();
    ASSERT_TRUE(server.executeSql(QStringLiteral("INSERT INTO T_FM_NAEHRSTOFF (ID_FM, ID_NAEHRSTOFF, MENGE) "
                                                 "VALUES (1, 1, 0.5)")));
    EXPECT_EQ(server.lastInsertKey(),
              shipped.rawValue(QStringLiteral("SELECT max(ID) + 1 FROM T_FM_NAEHRSTOFF")).toLongLong());

    const CliRun again = runCliWith({"initdb", "--postgresql", conninfoOf(database).toStdString()});
    EXPECT_EQ(again.status, 1);
    EXPECT_TRUE(again.lines.isEmpty());
    EXPECT_TRUE(again.err.startsWith(
        QStringLiteral("mensoly-cli initdb: the database holds the program's tables already (T_MSYV3SEC, ")))
        << again.err.toStdString();
}

TEST_F(CliPostgresTest, AMigrationThatFailsLeavesNothingOnTheServer)
{
    const struct
    {
        const char* change; // SQL on the file before the migration
        const char* error;
    } cases[] = {
        // The last table but two fails, after the schema and most rows went over.
        {"INSERT INTO T_REZ_FM (ID_Rezept, ID_Futtermittel, TagRat) VALUES (1, 1, 'viel')",
         "invalid input syntax for type double precision: \"viel\""},
        {"CREATE TABLE Notizen (ID INTEGER PRIMARY KEY, Text TEXT)",
         "the table NOTIZEN is not one of the program's; it would be lost"},
        {"ALTER TABLE T_PAT_REZ ADD COLUMN Farbe TEXT", "the columns of T_PAT_REZ differ"},
        {"INSERT INTO T_PAT_REZ (Bemerkung) VALUES (x'00ff')", "holds binary data"},
    };
    for (const auto& c : cases) {
        TestDatabase file;
        ASSERT_TRUE(file.rawExec(QString::fromUtf8(c.change)));
        const QString database = emptyDatabase();
        const CliRun run =
            runCliIn(file.directory(), {"migrate", "--to", conninfoOf(database).toStdString()});
        EXPECT_EQ(run.status, 1) << c.change;
        EXPECT_TRUE(run.lines.isEmpty()) << c.change;
        EXPECT_TRUE(run.err.startsWith(QStringLiteral("mensoly-cli migrate: ")) &&
                    run.err.contains(c.error) && run.err.endsWith(QStringLiteral("; nothing was copied\n")))
            << run.err.toStdString();
        Connection server;
        ASSERT_TRUE(openServer(server, database)) << server.lastError().toStdString();
        EXPECT_FALSE(server.executeSql(QStringLiteral("SELECT COUNT(*) FROM T_MSYV3SEC"))) << c.change;
    }
}

TEST_F(CliPostgresTest, MigrateRefusesADatabaseWithRowsAndBadArguments)
{
    TestDatabase file;
    const QString database = emptyDatabase();
    ASSERT_EQ(runCliWith({"initdb", "--postgresql", conninfoOf(database).toStdString()}).status, 0);
    const CliRun run = runCliIn(file.directory(), {"migrate", "--to", conninfoOf(database).toStdString()});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, QStringLiteral("mensoly-cli migrate: the table T_MSYV3SEC on the server is not empty "
                                      "(1 rows); nothing was copied\n"));
    EXPECT_EQ(runCliIn(file.directory(), {"migrate"}).status, 2);
    EXPECT_EQ(runCliIn(file.directory(), {"migrate", "--into", "x"}).status, 2);
    QTemporaryDir noDatabase;
    const CliRun noFile =
        runCliIn(noDatabase.path(), {"migrate", "--to", conninfoOf(database).toStdString()});
    EXPECT_EQ(noFile.status, 1);
    EXPECT_TRUE(noFile.err.startsWith(QStringLiteral("mensoly-cli migrate: there is no database ")))
        << noFile.err.toStdString();
}

TEST_F(CliPostgresTest, AnOlderServerDatabaseIsRefusedUntilUpgradeBringsItToTheCurrentVersion)
{
    const QString database = emptyDatabase();
    ASSERT_EQ(runCliWith({"initdb", "--postgresql", conninfoOf(database).toStdString()}).status, 0);
    TestDatabase shipped(TestDatabase::Data::Shipped);
    const QString lastFeed = shipped.rawValue(QStringLiteral("SELECT max(ID) FROM T_FUTTERMITTEL"));
    // As the second version made it: no version table, no source column,
    // without the last shipped feedstuff and with one content otherwise.
    QString error;
    ASSERT_TRUE(cluster->execute(
        database,
        QStringLiteral(
            "DROP TABLE mensoly_schema_version; ALTER TABLE T_FM_NAEHRSTOFF DROP COLUMN QUELLE; "
            "DELETE FROM T_FUTTERMITTEL WHERE ID = %1; DELETE FROM T_FM_NAEHRSTOFF WHERE ID_FM = %1; "
            "UPDATE T_FM_NAEHRSTOFF SET MENGE = MENGE + 1 WHERE ID_FM = 1 AND ID_NAEHRSTOFF = 24")
            .arg(lastFeed),
        &error))
        << error.toStdString();
    QTemporaryDir dir;
    pointAtServer(dir.path(), database);
    // A file there would be used by nothing.
    const CliRun noFile = runCliIn(dir.path(), {"initdb"});
    EXPECT_EQ(noFile.status, 1);
    EXPECT_TRUE(noFile.err.contains(QStringLiteral("'mensoly-cli initdb --postgresql CONNINFO'")))
        << noFile.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(ConnectionString::databasePath(dir.path())));

    const CliRun refused = runCliIn(dir.path(), {"cases"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_TRUE(refused.err.contains(QStringLiteral("Schemaversion 2, dieses Programm braucht Version %1")
                                         .arg(DatabaseCreator::SchemaVersion)) &&
                refused.err.contains(QStringLiteral("„mensoly-cli upgrade“")))
        << refused.err.toStdString();

    const CliRun upgraded = runCliIn(dir.path(), {"upgrade"});
    ASSERT_EQ(upgraded.status, 0) << upgraded.err.toStdString();
    EXPECT_EQ(upgraded.linesOf(QStringLiteral("upgraded")),
              QStringList{QStringLiteral("upgraded\t2\t%1").arg(DatabaseCreator::SchemaVersion)});
    const QStringList counts = upgraded.linesOf(QStringLiteral("shipped")).value(0).split('\t');
    ASSERT_EQ(counts.size(), 7);
    EXPECT_EQ(counts[1], "1");
    EXPECT_EQ(counts[4], "1");
    for (const QString& sql :
         {QStringLiteral("SELECT count(*) FROM T_FM_NAEHRSTOFF"),
          QStringLiteral("SELECT MENGE FROM T_FM_NAEHRSTOFF WHERE ID_FM = 1 AND ID_NAEHRSTOFF = 24"),
          QStringLiteral("SELECT count(*) FROM T_FM_NAEHRSTOFF WHERE QUELLE IS NOT NULL")}) {
        QString value;
        ASSERT_TRUE(cluster->execute(database, sql, &error, &value)) << error.toStdString();
        EXPECT_EQ(value, shipped.rawValue(sql)) << sql.toStdString();
    }
    Connection server;
    ASSERT_TRUE(openServer(server, database)) << server.lastError().toStdString();
    EXPECT_EQ(rowsOf(server, QStringLiteral("T_FUTTERMITTEL")),
              rowsOf(shipped.db(), QStringLiteral("T_FUTTERMITTEL")));
    EXPECT_EQ(runCliIn(dir.path(), {"cases"}).status, 0);
    EXPECT_EQ(runCliIn(dir.path(), {"upgrade"}).lines,
              QStringList{QStringLiteral("current\t%1").arg(DatabaseCreator::SchemaVersion)});

    // As the third version left it: the case list's index without the key,
    // and a shipped content the practice changed since, which stays.
    const QString changed =
        QStringLiteral("SELECT MENGE FROM T_FM_NAEHRSTOFF WHERE ID_FM = 2 AND ID_NAEHRSTOFF = 24");
    ASSERT_TRUE(cluster->execute(
        database,
        QStringLiteral("UPDATE mensoly_schema_version SET version = 3; DROP INDEX ix_pat_rez_liste; "
                       "CREATE INDEX ix_pat_rez_liste ON T_PAT_REZ (Name_Besitzer, Name_Pat, Datum); "
                       "UPDATE T_FM_NAEHRSTOFF SET MENGE = 77 WHERE ID_FM = 2 AND ID_NAEHRSTOFF = 24"),
        &error))
        << error.toStdString();
    EXPECT_EQ(runCliIn(dir.path(), {"upgrade"}).linesOf(QStringLiteral("upgraded")),
              QStringList{QStringLiteral("upgraded\t3\t%1").arg(DatabaseCreator::SchemaVersion)});
    QString value;
    ASSERT_TRUE(cluster->execute(database, changed, &error, &value)) << error.toStdString();
    EXPECT_EQ(value, "77");
    ASSERT_TRUE(cluster->execute(
        database, QStringLiteral("SELECT indexdef FROM pg_indexes WHERE indexname = 'ix_pat_rez_liste'"),
        &error, &value));
    EXPECT_TRUE(value.contains(QStringLiteral("datum NULLS FIRST, id NULLS FIRST"), Qt::CaseInsensitive))
        << value.toStdString();

    // As the fourth version left it: no handout columns, text blocks or
    // letterhead; a stored case keeps its row and gets no choices.
    ASSERT_TRUE(cluster->execute(
        database,
        QStringLiteral(
            "UPDATE mensoly_schema_version SET version = 4; DROP TABLE T_REZ_TEXT; DROP TABLE T_PRAXIS; "
            "ALTER TABLE T_PAT_REZ DROP COLUMN Mahlzeiten, DROP COLUMN Vorrat_Tage, "
            "DROP COLUMN Rezept_Sprache"),
        &error))
        << error.toStdString();
    EXPECT_EQ(runCliIn(dir.path(), {"upgrade"}).linesOf(QStringLiteral("upgraded")),
              QStringList{QStringLiteral("upgraded\t4\t%1").arg(DatabaseCreator::SchemaVersion)});
    ASSERT_TRUE(
        cluster->execute(database,
                         QStringLiteral("SELECT count(Mahlzeiten) + (SELECT count(*) FROM T_REZ_TEXT) + "
                                        "(SELECT count(*) FROM T_PRAXIS) FROM T_PAT_REZ"),
                         &error, &value))
        << error.toStdString();
    EXPECT_EQ(value, "0");

    // A database of a newer program is left alone by both.
    ASSERT_TRUE(
        cluster->execute(database, QStringLiteral("UPDATE mensoly_schema_version SET version = 99"), &error));
    const CliRun newer = runCliIn(dir.path(), {"cases"});
    EXPECT_EQ(newer.status, 1);
    EXPECT_TRUE(newer.err.contains(QStringLiteral("von einer neueren Programmversion (Schemaversion 99")))
        << newer.err.toStdString();
    const CliRun notDowngraded = runCliIn(dir.path(), {"upgrade"});
    EXPECT_EQ(notDowngraded.status, 1);
    EXPECT_TRUE(notDowngraded.err.contains(QStringLiteral("schema version 99, newer than this program's")))
        << notDowngraded.err.toStdString();
}

TEST_F(CliPostgresTest, ADatabaseWithoutTheProgramsTablesIsRefusedAndOneNotInUtf8GetsNoTables)
{
    QTemporaryDir dir;
    pointAtServer(dir.path(), QStringLiteral("postgres"));
    const CliRun refused = runCliIn(dir.path(), {"cases"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_TRUE(refused.err.contains(QStringLiteral("mensoly-cli initdb --postgresql")))
        << refused.err.toStdString();

    QString error;
    ASSERT_TRUE(cluster->execute(QStringLiteral("postgres"),
                                 QStringLiteral("CREATE DATABASE latin ENCODING 'LATIN1' TEMPLATE template0 "
                                                "LC_COLLATE 'C' LC_CTYPE 'C'"),
                                 &error))
        << error.toStdString();
    const CliRun initdb =
        runCliWith({"initdb", "--postgresql", conninfoOf(QStringLiteral("latin")).toStdString()});
    EXPECT_EQ(initdb.status, 1);
    EXPECT_TRUE(initdb.err.contains(QStringLiteral("encoding LATIN1; create it with \"CREATE DATABASE ... "
                                                   "ENCODING 'UTF8'\"")))
        << initdb.err.toStdString();
}

// Made before the maxima existed: the upgrade adds their tables, rows and
// the system data editor's rows for them, the file's other steps with them.
TEST_F(CliPostgresTest, AFirstVersionServerDatabaseGetsTheMaximaTablesToo)
{
    const QString database = emptyDatabase();
    ASSERT_EQ(runCliWith({"initdb", "--postgresql", conninfoOf(database).toStdString()}).status, 0);
    QString error;
    ASSERT_TRUE(cluster->execute(
        database,
        QStringLiteral(
            "DROP TABLE mensoly_schema_version; DROP TABLE T_HOECHSTWERT; DROP TABLE T_FALL_LEBENSPHASE; "
            "DELETE FROM T_GRUNDDATEN WHERE TABELLE IN ('T_HOECHSTWERT', 'T_FALL_LEBENSPHASE')"),
        &error))
        << error.toStdString();
    QTemporaryDir dir;
    pointAtServer(dir.path(), database);
    const CliRun upgraded = runCliIn(dir.path(), {"upgrade"});
    ASSERT_EQ(upgraded.status, 0) << upgraded.err.toStdString();
    EXPECT_EQ(upgraded.linesOf(QStringLiteral("upgraded")),
              QStringList{QStringLiteral("upgraded\t1\t%1").arg(DatabaseCreator::SchemaVersion)});

    TestDatabase shipped(TestDatabase::Data::Shipped);
    Connection server;
    ASSERT_TRUE(openServer(server, database)) << server.lastError().toStdString();
    for (const QString& table : {QStringLiteral("T_HOECHSTWERT"), QStringLiteral("T_FALL_LEBENSPHASE"),
                                 QStringLiteral("T_GRUNDDATEN")})
        EXPECT_EQ(rowsOf(server, table), rowsOf(shipped.db(), table)) << table.toStdString();
}

} // namespace
