// The connection's readers and statements behave alike on the SQLite file
// and on a PostgreSQL server holding the same schema and fixture data.

#include "db/ConnectionString.h"
#include "db/PostgresBackend.h"
#include "db/RecordSet.h"
#include "db/SqlQuote.h"
#include "support/TestDatabase.h"
#include "support/ThrowawayPostgres.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>

namespace {

enum class Engine { Sqlite, PostgreSql };

enum class Reader { Text, Short, Long, Double, Bool };

// A value as a typed reader gives it, in one text, or nothing when the
// reader refuses.
std::optional<QString> read(const RecordSet& rs, Reader reader, const QString& column)
{
    QString text;
    int number = 0;
    double real = 0;
    bool flag = false;
    switch (reader) {
    case Reader::Text:
        return rs.getFieldText(column, text) ? std::optional(text) : std::nullopt;
    case Reader::Short:
        return rs.getFieldShort(column, number) ? std::optional(QString::number(number)) : std::nullopt;
    case Reader::Long:
        return rs.getFieldLong(column, number) ? std::optional(QString::number(number)) : std::nullopt;
    case Reader::Double:
        return rs.getFieldDouble(column, real) ? std::optional(QString::number(real)) : std::nullopt;
    case Reader::Bool:
        return rs.getFieldBool(column, flag) ? std::optional(QString::fromLatin1(flag ? "true" : "false"))
                                             : std::nullopt;
    }
    return std::nullopt;
}

class ConnectionBackendsTest : public ClusterTest, public ::testing::WithParamInterface<Engine>
{
protected:
    void SetUp() override
    {
        if (GetParam() == Engine::Sqlite) {
            sqlite = std::make_unique<TestDatabase>();
            ASSERT_TRUE(sqlite->isValid()) << sqlite->error().toStdString();
            return;
        }
        ClusterTest::SetUp();
        if (IsSkipped())
            return;
        server.setLanguageSource([this] { return language; });
        ASSERT_TRUE(open(server, fixtureDatabase(QStringLiteral("fixture"))));
    }

    Connection& db() { return sqlite ? sqlite->db() : server; }
    void setLanguage(const QString& code)
    {
        if (sqlite)
            sqlite->context().setLanguageCode(code);
        language = code;
    }

    // The first column of a query's first row, as text.
    QString value(const QString& sql)
    {
        RecordSet rs;
        QString text = QStringLiteral("(no row)");
        if (!rs.openRecordset(db(), sql))
            return QStringLiteral("(failed) ") + db().lastError();
        if (!rs.isEof())
            rs.getFieldText(0, text);
        return text;
    }

    std::unique_ptr<TestDatabase> sqlite;
    Connection server;
    QString language = QStringLiteral("DE");
};

TEST_P(ConnectionBackendsTest, TypedReadersGiveTheSameValues)
{
    const QString menge =
        QStringLiteral("SELECT ID, MENGE FROM T_FM_NAEHRSTOFF WHERE ID_FM = 1 AND ID_NAEHRSTOFF = 24");
    const QString nulls =
        QStringLiteral("SELECT ID_FM_TYP, HINWEIS, DATUM, ALT_ID FROM T_FUTTERMITTEL WHERE ID = 3");
    const QString dates = QStringLiteral("SELECT Geburtsdatum, Datum FROM T_PAT_REZ WHERE ID = 1");
    const QString yesNo =
        QStringLiteral("SELECT AKTIV, FIXED FROM T_FALL_NAEHRSTOFF WHERE ID_FALL = 7 AND ID_Naehrstoff = 9");
    const QString tagRat =
        QStringLiteral("SELECT ID_Rezept, TagRat FROM T_REZ_FM WHERE ID_Rezept = 1 ORDER BY TagRat");
    const struct
    {
        const QString& sql;
        int row;
        const char* language;
        const char* column;
        Reader reader;
        std::optional<const char*> expected;
    } cases[] = {
        {menge, 0, "DE", "menge", Reader::Double, "31"},
        {menge, 0, "DE", "Menge", Reader::Text, "31"},
        {menge, 0, "DE", "NOPE", Reader::Long, std::nullopt},
        {menge, 0, "DE", "NOPE", Reader::Text, ""},
        {nulls, 0, "DE", "HINWEIS", Reader::Text, ""},
        {nulls, 0, "DE", "DATUM", Reader::Text, ""},
        {nulls, 0, "DE", "ID_FM_TYP", Reader::Long, "0"},
        {nulls, 0, "DE", "ALT_ID", Reader::Double, "0"},
        {nulls, 0, "DE", "ALT_ID", Reader::Bool, "false"},
        {dates, 0, "DE", "Geburtsdatum", Reader::Text, "05.03.2020"},
        {dates, 0, "DE", "Datum", Reader::Text, "03.04.2024"},
        {dates, 0, "US", "Geburtsdatum", Reader::Text, "03/05/2020"},
        {dates, 0, "US", "Datum", Reader::Text, "04/03/2024"},
        {dates, 0, "FR", "Datum", Reader::Text, ""},
        {yesNo, 0, "DE", "FIXED", Reader::Short, "-1"},
        {yesNo, 0, "DE", "FIXED", Reader::Long, "-1"},
        {yesNo, 0, "DE", "AKTIV", Reader::Double, "-1"},
        {yesNo, 0, "DE", "AKTIV", Reader::Bool, "true"},
        {yesNo, 0, "DE", "AKTIV", Reader::Text, "-1"},
        {tagRat, 0, "DE", "TagRat", Reader::Text, "150"},
        {tagRat, 1, "DE", "TagRat", Reader::Text, "200.5"},
        {tagRat, 1, "DE", "ID_Rezept", Reader::Long, "1"},
        {tagRat, 2, "DE", "TagRat", Reader::Text, std::nullopt},
    };
    // Any value other than 0 in a yes/no column reads as -1.
    ASSERT_TRUE(db().executeSql(
        QStringLiteral("UPDATE T_FALL_NAEHRSTOFF SET FIXED = 1 WHERE ID_FALL = 7 AND ID_Naehrstoff = 9")))
        << db().lastError().toStdString();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.sql.toStdString() + " / " + c.column + " / " + c.language);
        setLanguage(QString::fromLatin1(c.language));
        RecordSet rs;
        ASSERT_TRUE(rs.openRecordset(db(), c.sql)) << db().lastError().toStdString();
        for (int row = 0; row < c.row; ++row)
            rs.moveNext();
        const std::optional<QString> got = read(rs, c.reader, QString::fromLatin1(c.column));
        ASSERT_EQ(got.has_value(), c.expected.has_value());
        if (got) {
            EXPECT_EQ(got->toStdString(), *c.expected);
        }
    }
}

TEST_P(ConnectionBackendsTest, AnInsertGivesItsNewKeyAndReportsTheAffectedRows)
{
    const qint64 highest = value(QStringLiteral("SELECT Max(ID) FROM T_REZ_FM")).toLongLong();
    ASSERT_GT(highest, 0);
    long affected = 0;
    ASSERT_TRUE(db().executeSql(
        QStringLiteral("INSERT INTO T_REZ_FM (ID_Rezept, ID_Futtermittel, TagRat) VALUES (1, 1, 99.5)"),
        affected))
        << db().lastError().toStdString();
    EXPECT_EQ(affected, 1);
    EXPECT_GT(db().lastInsertKey(), highest);
    EXPECT_EQ(value(QStringLiteral("SELECT ID FROM T_REZ_FM WHERE TagRat = 99.5")),
              QString::number(db().lastInsertKey()));
    // A key given by the statement is the new key too.
    ASSERT_TRUE(db().executeSql(QStringLiteral("INSERT INTO T_TEXT (ID, BEZ_DE) VALUES (77, 'neu')")));
    EXPECT_EQ(db().lastInsertKey(), 77);
    ASSERT_TRUE(db().executeSql(QStringLiteral("UPDATE T_FM_NAEHRSTOFF SET AKTIV = FALSE WHERE ID_FM = 1"),
                                affected));
    EXPECT_EQ(affected, 8);
    ASSERT_TRUE(db().executeSql(QStringLiteral("SELECT ID FROM T_GATTUNG"), affected));
    EXPECT_EQ(affected, 0);
}

TEST_P(ConnectionBackendsTest, AKeyAnInsertGaveIsNeverGivenToALaterInsert)
{
    // Each insert with its own keys is followed by one without, which must
    // get a key above every key stored before it.
    const struct
    {
        const char* insert;
        long rows;
        bool inTransaction;
    } cases[] = {
        {"INSERT INTO T_TEXT (ID, BEZ_DE) VALUES (500, 'a')", 1, false},
        {"INSERT INTO T_TEXT (BEZ_DE, [ID]) VALUES ('b', 700), ('c', 600)", 2, true},
        {"INSERT INTO T_TEXT (ID, BEZ_DE) SELECT ID + 1000, BEZ_DE FROM T_TEXT WHERE ID = 700", 1, false},
        {"INSERT INTO T_TEXT (ID, BEZ_DE) VALUES (650, 'below the highest')", 1, true},
        {"INSERT INTO T_TEXT (ID, BEZ_DE) SELECT ID, BEZ_DE FROM T_TEXT WHERE ID = -1", 0, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.insert);
        std::optional<DbTransaction> transaction;
        if (c.inTransaction)
            transaction.emplace(db());
        const qint64 highest = value(QStringLiteral("SELECT Max(ID) FROM T_TEXT")).toLongLong();
        long affected = -1;
        ASSERT_TRUE(db().executeSql(QString::fromUtf8(c.insert), affected)) << db().lastError().toStdString();
        EXPECT_EQ(affected, c.rows);
        const qint64 stored = value(QStringLiteral("SELECT Max(ID) FROM T_TEXT")).toLongLong();
        ASSERT_TRUE(db().executeSql(QStringLiteral("INSERT INTO T_TEXT (BEZ_DE) VALUES ('plain')")))
            << db().lastError().toStdString();
        EXPECT_GT(db().lastInsertKey(), std::max(stored, highest));
        if (transaction) {
            ASSERT_TRUE(transaction->commit());
        }
    }
}

TEST_P(ConnectionBackendsTest, ARolledBackTransactionLeavesNothingAndAFailureInsideDoesNotEndIt)
{
    const QString count = QStringLiteral("SELECT count(*) FROM T_REZ_FM WHERE ID_Rezept = 1");
    {
        DbTransaction transaction(db());
        ASSERT_TRUE(transaction.isActive());
        EXPECT_TRUE(db().executeSql(QStringLiteral("DELETE FROM T_REZ_FM WHERE ID_Rezept = 1")));
        EXPECT_EQ(value(count), QStringLiteral("0"));
    }
    EXPECT_EQ(value(count), QStringLiteral("2"));
    {
        DbTransaction transaction(db());
        EXPECT_TRUE(db().executeSql(QStringLiteral("DELETE FROM T_REZ_FM WHERE ID_Rezept = 1")));
        EXPECT_FALSE(db().executeSql(QStringLiteral("DELETE FROM T_NICHTDA WHERE ID = 1")));
        EXPECT_TRUE(db().executeSql(QStringLiteral("DELETE FROM T_TEXT WHERE ID = 1")))
            << db().lastError().toStdString();
        EXPECT_TRUE(transaction.commit()) << db().lastError().toStdString();
    }
    EXPECT_EQ(value(count), QStringLiteral("0"));
    EXPECT_EQ(value(QStringLiteral("SELECT count(*) FROM T_TEXT")), QStringLiteral("2"));
}

TEST_P(ConnectionBackendsTest, ARefusedStatementLeavesTheConnectionUsable)
{
    const QString refused[] = {
        QStringLiteral("SELECT * FROM T_GIBTESNICHT"),
        QStringLiteral("SELEKT nonsense"),
        QStringLiteral("DELETE FROM T_TEXT WHERE ID = 1; DELETE FROM T_TEXT"),
    };
    for (const QString& sql : refused) {
        SCOPED_TRACE(sql.toStdString());
        long affected = 5;
        EXPECT_FALSE(db().executeSql(sql, affected));
        EXPECT_EQ(affected, 0);
        EXPECT_FALSE(db().lastError().isEmpty());
        RecordSet rs;
        EXPECT_FALSE(rs.openRecordset(db(), sql));
        EXPECT_TRUE(rs.isEof());
        EXPECT_EQ(value(QStringLiteral("SELECT count(*) FROM T_TEXT")), QStringLiteral("3"));
    }
}

TEST_P(ConnectionBackendsTest, QuotedUserTextIsStoredIntactAndInjectsNothing)
{
    const QString texts[] = {QStringLiteral("O'Brien"), QStringLiteral("'); DELETE FROM T_TEXT; --"),
                             QStringLiteral("Straße \"Nord\" [1] \\n"), QStringLiteral("''")};
    for (const QString& text : texts) {
        ASSERT_TRUE(db().executeSql(
            QStringLiteral("UPDATE T_TEXT SET BEZ_DE = %1 WHERE ID = 1").arg(Sql::quote(text))));
        EXPECT_EQ(value(QStringLiteral("SELECT BEZ_DE FROM T_TEXT WHERE BEZ_DE = ") + Sql::quote(text)),
                  text);
    }
    EXPECT_EQ(value(QStringLiteral("SELECT count(*) FROM T_TEXT")), QStringLiteral("3"));
}

// PostgreSQL's texts cannot hold NUL: a NUL in the statement, or one that
// Sql::quote() joined in, is refused before it reaches the server.
TEST_P(ConnectionBackendsTest, ANulCharacterIsRefusedOnAServer)
{
    if (GetParam() != Engine::PostgreSql)
        GTEST_SKIP() << "SQLite stores NUL in texts";
    const QString nul = QStringLiteral("a") + QChar(0) + QStringLiteral("b");
    EXPECT_FALSE(db().executeSql(QStringLiteral("UPDATE T_TEXT SET BEZ_DE = '%1' WHERE ID = 1").arg(nul)));
    EXPECT_EQ(db().lastError(), QStringLiteral("a statement holds a NUL character"));
    EXPECT_FALSE(
        db().executeSql(QStringLiteral("UPDATE T_TEXT SET BEZ_DE = %1 WHERE ID = 1").arg(Sql::quote(nul))));
    EXPECT_EQ(db().lastError(),
              QStringLiteral("a text holds a NUL character, which PostgreSQL cannot store"));
    EXPECT_EQ(value(QStringLiteral("SELECT BEZ_DE FROM T_TEXT WHERE ID = 1")),
              QStringLiteral("Füttern Sie zweimal täglich."));
}

INSTANTIATE_TEST_SUITE_P(Engines, ConnectionBackendsTest,
                         ::testing::Values(Engine::Sqlite, Engine::PostgreSql),
                         [](const ::testing::TestParamInfo<Engine>& info) {
                             return info.param == Engine::Sqlite ? "Sqlite" : "PostgreSql";
                         });

using PostgresBackendTest = ClusterTest;

TEST_F(PostgresBackendTest, KeepsNoFileAndRefusesABackupAndABadServer)
{
    QString error;
    ASSERT_TRUE(cluster->createDatabase(QStringLiteral("empty"), QString(), &error)) << error.toStdString();
    std::unique_ptr<PostgresBackend> backend =
        PostgresBackend::open(QString::fromUtf8(cluster->conninfo(QStringLiteral("empty"))), {}, &error);
    ASSERT_TRUE(backend) << error.toStdString();
    EXPECT_TRUE(backend->databaseFile().isEmpty());
    EXPECT_FALSE(backend->backupTo(QStringLiteral("/tmp/never"), {}));
    EXPECT_EQ(backend->lastError(), QStringLiteral("a server database is backed up on the server"));
    EXPECT_EQ(backend->schema().kind(QStringLiteral("T_PAT_REZ"), QStringLiteral("Datum")),
              SchemaInfo::ColumnKind::Date);

    Connection db;
    EXPECT_FALSE(db.openConnection(ConnectionString::buildPostgreSql(
                                       QString::fromUtf8(cluster->conninfo(QStringLiteral("gibtesnicht")))),
                                   QString(), QString()));
    EXPECT_FALSE(db.isOpen());
    EXPECT_TRUE(db.lastError().contains(QLatin1String("gibtesnicht"))) << db.lastError().toStdString();
}

} // namespace
