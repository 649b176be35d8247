#include "db/ConnectionString.h"
#include "db/DatabaseCreator.h"
#include "db/RecordSet.h"
#include "db/SqliteBackend.h"
#include "db/TextFolding.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

#include <sqlite3.h>

namespace {

// Owners whose order differs between SQLite's built-in NOCASE ("Z" before
// "Ä") and the program's ("Ä" beside "A").
const QString Owners =
    QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 300) "
                   "INSERT INTO T_PAT_REZ (Name_Besitzer, Name_Pat) SELECT CASE i % 3 WHEN 0 THEN 'Äbel ' "
                   "WHEN 1 THEN 'Bauer ' ELSE 'Zander ' END || i, 'Tier' FROM n");
const QString CaseList =
    QStringLiteral("SELECT ID, Name_Besitzer, Name_Pat, Datum, Rezepttitel FROM T_PAT_REZ "
                   "ORDER BY Name_Besitzer, Name_Pat, Datum, ID");

// The plan of a statement as the program's connection runs it.
QString planOf(TestDatabase& db, const QString& jetSql)
{
    auto* backend = dynamic_cast<SqliteBackend*>(db.db().backend());
    const std::optional<QString> sql = backend ? backend->translate(jetSql) : std::nullopt;
    return sql ? db.rawRows(QStringLiteral("EXPLAIN QUERY PLAN ") + *sql).join('\n') : QString();
}

// A connection as any other SQLite tool has it (the sqlite3 shell, Python,
// a backup script): SQLite's own NOCASE, none of the program's functions.
class OtherTool
{
public:
    explicit OtherTool(const QString& path)
    {
        sqlite3_open_v2(path.toUtf8().constData(), &m_db, SQLITE_OPEN_READWRITE, nullptr);
    }
    ~OtherTool() { sqlite3_close_v2(m_db); }
    // The rows of sql joined by "|", or the error.
    QStringList rows(const QString& sql)
    {
        QStringList out;
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(m_db, sql.toUtf8().constData(), -1, &statement, nullptr) != SQLITE_OK)
            return {QString::fromUtf8(sqlite3_errmsg(m_db))};
        while (sqlite3_step(statement) == SQLITE_ROW) {
            QStringList fields;
            for (int i = 0; i < sqlite3_column_count(statement); ++i)
                fields << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, i)));
            out << fields.join('|');
        }
        sqlite3_finalize(statement);
        return out;
    }
    int changes(const QString& sql)
    {
        return sqlite3_exec(m_db, sql.toUtf8().constData(), nullptr, nullptr, nullptr) == SQLITE_OK
                   ? sqlite3_changes(m_db)
                   : -1;
    }

private:
    sqlite3* m_db = nullptr;
};

// The owners as the program lists them, and in the order its collation gives.
void expectGermanOrder(TestDatabase& db)
{
    QStringList listed;
    RecordSet rs;
    ASSERT_TRUE(rs.openRecordset(db.db(), CaseList));
    for (; !rs.isEof(); rs.moveNext())
        listed << rs.value(1).text;
    QStringList sorted = listed;
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const QString& a, const QString& b) { return TextFolding::compare(a, b) < 0; });
    EXPECT_EQ(listed, sorted);
    EXPECT_EQ(listed.size(), db.rawValue(QStringLiteral("SELECT count(*) FROM T_PAT_REZ")).toInt());
}

TEST(SchemaIndexTest, OpeningAnOlderFileForWritingAddsTheSchemasMissingIndexes)
{
    SKIP_ON_POSTGRESQL("indexes added to an older SQLite file");
    QStringList names;
    for (const DatabaseCreator::SchemaIndex& index : DatabaseCreator::schemaIndexes()) {
        names << index.name;
        EXPECT_TRUE(index.statement.startsWith(QStringLiteral("CREATE INDEX IF NOT EXISTS ") + index.name));
    }
    EXPECT_TRUE(names.contains(QStringLiteral("IX_PAT_REZ_LISTE"))) << names.join(' ').toStdString();

    const struct
    {
        const char* mode;
        bool created;
    } cases[] = {{"Share Deny None", true}, {"Read", false}};
    for (const auto& c : cases) {
        TestDatabase db(TestDatabase::Data::Empty);
        db.db().closeConnection();
        for (const QString& name : names)
            ASSERT_TRUE(db.rawExec(QStringLiteral("DROP INDEX ") + name));
        ASSERT_TRUE(db.rawExec(Owners));
        db.context().setConnectionString(ConnectionString::build(db.directory(), QLatin1String(c.mode)));
        ASSERT_TRUE(db.context().openDatabase()) << c.mode;
        for (const QString& name : names) {
            EXPECT_EQ(
                db.rawValue(QStringLiteral("SELECT count(*) FROM sqlite_master WHERE name = '%1'").arg(name)),
                c.created ? "1" : "0")
                << c.mode << " " << name.toStdString();
        }
        // The case list reads the index in its order instead of sorting.
        EXPECT_EQ(planOf(db, CaseList).contains(QStringLiteral("TEMP B-TREE")), !c.created) << c.mode;
    }
}

// What another tool does to the file, and the file after it: sound to both,
// each row found by both, listed by the program in German order, at once for
// the program's own writes and after the next opening for the other tool's.
TEST(SchemaIndexTest, AnotherSqliteToolFindsTheFileSoundAndItsWritesKeepTheProgramsOrder)
{
    SKIP_ON_POSTGRESQL("another tool on the SQLite file");
    TestDatabase db(TestDatabase::Data::Empty);
    ASSERT_TRUE(
        db.db().executeSql(QStringLiteral("INSERT INTO T_PAT_REZ (Name_Besitzer) VALUES ('Öztürk')")));
    ASSERT_TRUE(db.rawExec(Owners));
    expectGermanOrder(db);
    const struct
    {
        const char* sql;
        int changes;
    } writes[] = {
        {"SELECT 1", 0},
        {"UPDATE T_PAT_REZ SET Name_Besitzer = 'Ärmel' WHERE Name_Besitzer = 'Zander 2'", 1},
        {"INSERT INTO T_PAT_REZ (Name_Besitzer) VALUES ('Zöllner'), ('aachen'), (NULL)", 3},
        {"UPDATE T_PAT_REZ SET Name_Pat = 'Ümit' WHERE Name_Besitzer = 'Öztürk'", 1},
        {"DELETE FROM T_PAT_REZ WHERE Name_Besitzer = 'Bauer 1'", 1},
    };
    for (const auto& w : writes) {
        db.db().closeConnection();
        {
            OtherTool tool(db.path());
            EXPECT_EQ(tool.rows(QStringLiteral("PRAGMA integrity_check")), QStringList{QStringLiteral("ok")})
                << w.sql;
            EXPECT_EQ(
                tool.rows(QStringLiteral("SELECT count(*) FROM T_PAT_REZ WHERE Name_Besitzer = 'Öztürk'")),
                QStringList{QStringLiteral("1")});
            EXPECT_EQ(tool.changes(QString::fromUtf8(w.sql)), w.changes) << w.sql;
            EXPECT_EQ(tool.rows(QStringLiteral("PRAGMA integrity_check")), QStringList{QStringLiteral("ok")})
                << w.sql;
        }
        ASSERT_TRUE(db.context().openDatabase());
        expectGermanOrder(db);
    }
}

// A file of version 3 kept the lists' indexes over the names in the
// program's collation; another tool writing umlauts left them out of order.
// Opening it for writing makes it sound in one step.
TEST(SchemaIndexTest, AnOlderFileAnotherToolWroteIsSoundAfterTheProgramOpenedIt)
{
    SKIP_ON_POSTGRESQL("the version of an SQLite file");
    TestDatabase db(TestDatabase::Data::Shipped);
    ASSERT_TRUE(db.rawExec(Owners));
    db.db().closeConnection();
    ASSERT_EQ(
        OtherTool(db.path()).changes(QStringLiteral(
            "DROP TRIGGER TR_T_FUTTERMITTEL_SORT; DROP TRIGGER TR_T_PAT_REZ_SORT; DROP INDEX IX_PAT_REZ_LISTE; "
            "DROP INDEX IX_FUTTERMITTEL_BEZ_DE; DROP INDEX IX_FUTTERMITTEL_BEZ_US; "
            "DROP INDEX IX_FUTTERMITTEL_TYP_BEZ_DE; DROP INDEX IX_FUTTERMITTEL_TYP_BEZ_US; "
            "ALTER TABLE T_FUTTERMITTEL DROP COLUMN SORT_BEZ_DE; ALTER TABLE T_FUTTERMITTEL DROP COLUMN "
            "SORT_BEZ_US; ALTER TABLE T_PAT_REZ DROP COLUMN SORT_Name_Besitzer; "
            "ALTER TABLE T_PAT_REZ DROP COLUMN SORT_Name_Pat")),
        0);
    // The indexes as that version built them, in the program's collation.
    ASSERT_TRUE(db.rawExec(QStringLiteral(
        "CREATE INDEX IX_FUTTERMITTEL_BEZ_DE ON T_FUTTERMITTEL (BEZ_DE); "
        "CREATE INDEX IX_PAT_REZ_LISTE ON T_PAT_REZ (Name_Besitzer, Name_Pat, Datum); PRAGMA user_version = 3")));
    {
        OtherTool tool(db.path());
        ASSERT_EQ(
            tool.changes(QStringLiteral("INSERT INTO T_PAT_REZ (Name_Besitzer) VALUES ('Öztürk'), ('Ähre'); "
                                        "UPDATE T_FUTTERMITTEL SET BEZ_DE = 'Äpfel' WHERE ID = 1")),
            1);
        ASSERT_NE(tool.rows(QStringLiteral("PRAGMA integrity_check")), QStringList{QStringLiteral("ok")});
    }
    ASSERT_TRUE(db.context().openDatabase());
    EXPECT_EQ(db.rawValue(QStringLiteral("PRAGMA user_version")),
              QString::number(DatabaseCreator::SchemaVersion));
    EXPECT_EQ(db.rawValue(QStringLiteral("SELECT count(*) FROM T_FUTTERMITTEL WHERE SORT_BEZ_DE IS NULL")),
              "0");
    expectGermanOrder(db);
    db.db().closeConnection();
    EXPECT_EQ(OtherTool(db.path()).rows(QStringLiteral("PRAGMA integrity_check")),
              QStringList{QStringLiteral("ok")});
}

} // namespace
