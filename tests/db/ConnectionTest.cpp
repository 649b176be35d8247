#include "db/ConnectionString.h"
#include "db/RecordSet.h"
#include "db/SqlQuote.h"
#include "support/TestDatabase.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

class ConnectionTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(fixture.isValid()) << fixture.error().toStdString(); }

    // Opens a query and expects it to open.
    void open(RecordSet& rs, const QString& sql)
    {
        ASSERT_TRUE(rs.openRecordset(fixture.db(), sql))
            << sql.toStdString() << ": " << fixture.db().lastError().toStdString();
    }

    TestDatabase fixture;
};

TEST_F(ConnectionTest, RejectedQueryOpensNothingAndLeavesTheConnectionUsable)
{
    RecordSet rs;
    EXPECT_FALSE(fixture.db().executeSql(QStringLiteral("DELETE FROM T_ANDERS")));
    EXPECT_FALSE(rs.openRecordset(fixture.db(), QStringLiteral("SELECT * FROM T_GIBTESNICHT")));
    // The reason is this query's, not the statement's before it.
    EXPECT_TRUE(fixture.db().lastError().contains(QStringLiteral("gibtesnicht"), Qt::CaseInsensitive))
        << fixture.db().lastError().toStdString();
    EXPECT_TRUE(rs.isEof());
    QString text = QStringLiteral("old");
    EXPECT_FALSE(rs.getFieldText(QStringLiteral("ID"), text));
    EXPECT_TRUE(text.isEmpty());
    EXPECT_FALSE(rs.openRecordset(fixture.db(), QStringLiteral("SELEKT nonsense")));
    open(rs, QStringLiteral("SELECT ID FROM T_GATTUNG"));
    EXPECT_FALSE(rs.isEof());
}

// Statements are kept prepared for their next use; each open query still
// reads on its own, and a closed one no longer holds the database.
TEST_F(ConnectionTest, AStatementRunTwiceAtOnceReadsTwiceAndEndsItsReadWhenClosed)
{
    const QString sql = QStringLiteral("SELECT ID FROM T_GATTUNG ORDER BY ID");
    const QString all = fixture.rawRows(sql).join(QLatin1Char(','));
    for (int round = 0; round < 2; ++round) {
        RecordSet outer;
        open(outer, sql);
        QStringList outerKeys;
        for (; !outer.isEof(); outer.moveNext()) {
            RecordSet inner;
            open(inner, sql);
            QStringList innerKeys;
            for (QString key; !inner.isEof(); inner.moveNext()) {
                inner.getFieldText(QStringLiteral("ID"), key);
                innerKeys << key;
            }
            EXPECT_EQ(innerKeys.join(QLatin1Char(',')), all);
            outerKeys << QString();
            outer.getFieldText(QStringLiteral("ID"), outerKeys.last());
        }
        EXPECT_EQ(outerKeys.join(QLatin1Char(',')), all);
    }
    // Half read, then closed: the query no longer holds its table, which a
    // query still running would (a table in use cannot be dropped).
    ASSERT_TRUE(fixture.db().executeSql(QStringLiteral("CREATE TABLE T_SCRATCH (ID INTEGER)")));
    ASSERT_TRUE(fixture.db().executeSql(QStringLiteral("INSERT INTO T_SCRATCH VALUES (1), (2), (3)")));
    {
        RecordSet half;
        open(half, QStringLiteral("SELECT ID FROM T_SCRATCH"));
        half.moveNext();
    }
    EXPECT_TRUE(fixture.db().executeSql(QStringLiteral("DROP TABLE T_SCRATCH")))
        << fixture.db().lastError().toStdString();
}

TEST_F(ConnectionTest, AQueryStillOpenWhenTheConnectionClosesEndsCleanly)
{
    RecordSet rs;
    open(rs, QStringLiteral("SELECT ID FROM T_GATTUNG"));
    fixture.db().closeConnection();
    EXPECT_FALSE(rs.isEof());
    rs.moveNext();
    rs.closeRecordset();
    EXPECT_TRUE(rs.isEof());
}

// Jet's "&" takes NULL as the empty text and numbers as their text.
TEST_F(ConnectionTest, AmpersandJoinsTextsAndTakesNullAsEmpty)
{
    const struct
    {
        const char* expression;
        const char* text;
    } cases[] = {
        {"'x' & NULL", "x"},
        {"NULL & 'x'", "x"},
        {"NULL & NULL", ""},
        {"'a' & NULL & 'c' & T_GATTUNG.BEZ_US", "acCat"},
        {"T_GATTUNG.BEZ_DE & '/' & ID_FM_TYP", "Katze/"},
        {"12 & 'kg'", "12kg"},
        {"1 + 2 & 3 * 2", "36"},
        {"-2.5 & ''", "-2.5"},
    };
    for (const auto& c : cases) {
        RecordSet rs;
        open(rs, QStringLiteral("SELECT %1 AS V FROM T_GATTUNG, T_FUTTERMITTEL "
                                "WHERE T_GATTUNG.ID = 3 AND T_FUTTERMITTEL.ID = 3")
                     .arg(QString::fromUtf8(c.expression)));
        ASSERT_FALSE(rs.isEof()) << c.expression;
        const DbValue value = rs.value(0);
        EXPECT_EQ(value.kind, DbValue::Kind::Text) << c.expression;
        EXPECT_EQ(value.text.toStdString(), c.text) << c.expression;
    }
}

TEST_F(ConnectionTest, QueryWithoutRowsIsAtItsEndAtOnce)
{
    RecordSet rs;
    open(rs, QStringLiteral("SELECT * FROM T_GATTUNG WHERE ID = 77"));
    EXPECT_TRUE(rs.isEof());
    QString text = QStringLiteral("old");
    EXPECT_FALSE(rs.getFieldText(QStringLiteral("BEZ_DE"), text));
    EXPECT_TRUE(text.isEmpty());
    int number = 5;
    EXPECT_FALSE(rs.getFieldLong(QStringLiteral("ID"), number));
    EXPECT_EQ(number, 5);
}

TEST_F(ConnectionTest, TextReaderFindsColumnsByTrimmedCaseInsensitiveName)
{
    RecordSet rs;
    open(rs, QStringLiteral("SELECT ID AS ITEMDATA, BEZ_DE AS ITEMTEXT FROM T_GATTUNG WHERE ID = 2"));
    QString text;
    EXPECT_TRUE(rs.getFieldText(QStringLiteral(" itemtext "), text));
    EXPECT_EQ(text, QStringLiteral("Hund"));
    EXPECT_TRUE(rs.getFieldText(QStringLiteral("ItemData"), text));
    EXPECT_EQ(text, QStringLiteral("2"));
    text = QStringLiteral("old");
    EXPECT_TRUE(rs.getFieldText(QStringLiteral("NOSUCHCOLUMN"), text));
    EXPECT_TRUE(text.isEmpty());
}

TEST_F(ConnectionTest, TypedReadersRefuseUnknownColumnsAndKeepTheirValue)
{
    RecordSet rs;
    open(rs, QStringLiteral("SELECT ID, MENGE FROM T_FM_NAEHRSTOFF WHERE ID_FM = 1 AND ID_NAEHRSTOFF = 24"));
    int number = 42;
    double real = 4.2;
    bool flag = true;
    qint32 raw = 7;
    EXPECT_FALSE(rs.getFieldShort(QStringLiteral("NOPE"), number));
    EXPECT_FALSE(rs.getFieldLong(QStringLiteral("NOPE"), number));
    EXPECT_FALSE(rs.getFieldDouble(QStringLiteral("NOPE"), real));
    EXPECT_FALSE(rs.getFieldBool(QStringLiteral("NOPE"), flag));
    EXPECT_FALSE(rs.getFieldLongRaw(QStringLiteral("NOPE"), raw));
    EXPECT_EQ(number, 42);
    EXPECT_EQ(real, 4.2);
    EXPECT_TRUE(flag);
    EXPECT_EQ(raw, 7);
    EXPECT_TRUE(rs.getFieldDouble(QStringLiteral("menge"), real));
    EXPECT_DOUBLE_EQ(real, 31.0);
}

TEST_F(ConnectionTest, NullReadsAsEmptyZeroAndFalse)
{
    RecordSet rs;
    open(rs, QStringLiteral("SELECT ID_FM_TYP, HINWEIS, DATUM, ALT_ID FROM T_FUTTERMITTEL WHERE ID = 3"));
    QString text = QStringLiteral("old");
    int number = 9;
    double real = 9.0;
    bool flag = true;
    EXPECT_TRUE(rs.getFieldText(QStringLiteral("HINWEIS"), text));
    EXPECT_TRUE(text.isEmpty());
    EXPECT_TRUE(rs.getFieldText(QStringLiteral("DATUM"), text));
    EXPECT_TRUE(text.isEmpty());
    EXPECT_TRUE(rs.getFieldLong(QStringLiteral("ID_FM_TYP"), number));
    EXPECT_EQ(number, 0);
    EXPECT_TRUE(rs.getFieldDouble(QStringLiteral("ALT_ID"), real));
    EXPECT_EQ(real, 0.0);
    EXPECT_TRUE(rs.getFieldBool(QStringLiteral("ALT_ID"), flag));
    EXPECT_FALSE(flag);
}

TEST_F(ConnectionTest, DatesRenderByTheLanguageCodeReadAtEachCall)
{
    RecordSet rs;
    open(rs, QStringLiteral("SELECT Geburtsdatum, Datum FROM T_PAT_REZ WHERE ID = 1"));
    const struct
    {
        const char* code;
        const char* birth;
        const char* stamp;
    } cases[] = {
        {"DE", "05.03.2020", "03.04.2024"}, {"US", "03/05/2020", "04/03/2024"}, {"FR", "", ""}, {"", "", ""}};
    for (const auto& c : cases) {
        fixture.context().setLanguageCode(QString::fromLatin1(c.code));
        QString text;
        EXPECT_TRUE(rs.getFieldText(QStringLiteral("Geburtsdatum"), text));
        EXPECT_EQ(text, QString::fromLatin1(c.birth)) << c.code;
        EXPECT_TRUE(rs.getFieldText(QStringLiteral("Datum"), text));
        EXPECT_EQ(text, QString::fromLatin1(c.stamp)) << c.code;
    }
}

TEST_F(ConnectionTest, ATextInADateColumnThatIsNoDateReadsAsInvalid)
{
    SKIP_ON_POSTGRESQL("a date column on the server holds dates only");
    ASSERT_TRUE(fixture.rawExec(QStringLiteral("UPDATE T_PAT_REZ SET Geburtsdatum = 'kaputt' WHERE ID = 1")));
    RecordSet rs;
    open(rs, QStringLiteral("SELECT Geburtsdatum FROM T_PAT_REZ WHERE ID = 1"));
    QString text;
    EXPECT_TRUE(rs.getFieldText(QStringLiteral("Geburtsdatum"), text));
    EXPECT_EQ(text, QStringLiteral("Invalid DateTime"));
}

TEST_F(ConnectionTest, YesNoReadsAsMinusOneAndTrue)
{
    RecordSet rs;
    open(rs, QStringLiteral(
                 "SELECT AKTIV, FIXED FROM T_FALL_NAEHRSTOFF WHERE ID_FALL = 7 AND ID_Naehrstoff = 9"));
    int shortValue = 0, longValue = 0;
    double real = 0;
    bool flag = false;
    EXPECT_TRUE(rs.getFieldShort(QStringLiteral("FIXED"), shortValue));
    EXPECT_TRUE(rs.getFieldLong(QStringLiteral("FIXED"), longValue));
    EXPECT_TRUE(rs.getFieldDouble(QStringLiteral("AKTIV"), real));
    EXPECT_TRUE(rs.getFieldBool(QStringLiteral("AKTIV"), flag));
    EXPECT_EQ(shortValue, -1);
    EXPECT_EQ(longValue, -1);
    EXPECT_EQ(real, -1.0);
    EXPECT_TRUE(flag);
}

TEST_F(ConnectionTest, NumbersReadAsTextWithADecimalPointAndShortKeepsTheLow16Bits)
{
    ASSERT_TRUE(fixture.rawExec(QStringLiteral("UPDATE T_REZ_FM SET TagRat = 70000 WHERE ID_Rezept = 2")));
    RecordSet rs;
    open(rs, QStringLiteral("SELECT ID_Rezept, TagRat FROM T_REZ_FM WHERE ID_Rezept = 1 ORDER BY TagRat"));
    QString text;
    ASSERT_TRUE(rs.getFieldText(QStringLiteral("TagRat"), text));
    EXPECT_EQ(text, QStringLiteral("150"));
    rs.moveNext();
    ASSERT_TRUE(rs.getFieldText(QStringLiteral("TagRat"), text));
    EXPECT_EQ(text, QStringLiteral("200.5"));
    rs.moveNext();
    EXPECT_TRUE(rs.isEof());
    EXPECT_FALSE(rs.getFieldText(QStringLiteral("TagRat"), text));

    open(rs, QStringLiteral("SELECT CAST(TagRat AS INTEGER) AS BIG FROM T_REZ_FM WHERE ID_Rezept = 2"));
    int value = 0;
    ASSERT_TRUE(rs.getFieldShort(QStringLiteral("BIG"), value));
    EXPECT_EQ(value, 70000 - 65536);
    ASSERT_TRUE(rs.getFieldLong(QStringLiteral("BIG"), value));
    EXPECT_EQ(value, 70000);
}

TEST_F(ConnectionTest, LongRawGivesTheBitsOfASingleFloat)
{
    RecordSet rs;
    open(rs, QStringLiteral("SELECT MENGE FROM T_FM_NAEHRSTOFF WHERE ID_FM = 2 AND ID_NAEHRSTOFF = 24"));
    qint32 bits = 0;
    ASSERT_TRUE(rs.getFieldLongRaw(QStringLiteral("MENGE"), bits));
    float single = 0;
    std::memcpy(&single, &bits, sizeof single);
    EXPECT_FLOAT_EQ(single, 2.7f);
}

TEST_F(ConnectionTest, ExecuteSqlReportsTheAffectedRows)
{
    long affected = -1;
    EXPECT_TRUE(
        fixture.db().executeSql(QStringLiteral("UPDATE T_GATTUNG SET AKTIV = TRUE WHERE ID = 99"), affected));
    EXPECT_EQ(affected, 0);
    EXPECT_TRUE(fixture.db().executeSql(
        QStringLiteral("UPDATE T_FM_NAEHRSTOFF SET AKTIV = FALSE WHERE ID_FM = 1"), affected));
    EXPECT_EQ(affected, 8);
    affected = 5;
    EXPECT_FALSE(fixture.db().executeSql(QStringLiteral("UPDATE T_NOTHING SET A = 1"), affected));
    EXPECT_EQ(affected, 0);
}

TEST_F(ConnectionTest, OnlyOneStatementRunsAtATime)
{
    long affected = 0;
    EXPECT_FALSE(fixture.db().executeSql(
        QStringLiteral("DELETE FROM T_TEXT WHERE ID = 1; DELETE FROM T_TEXT"), affected));
    EXPECT_EQ(fixture.rawValue(QStringLiteral("SELECT count(*) FROM T_TEXT")), QStringLiteral("3"));
    EXPECT_TRUE(fixture.db().executeSql(QStringLiteral("DELETE FROM T_TEXT WHERE ID = 3;"), affected));
    EXPECT_EQ(affected, 1);
}

TEST_F(ConnectionTest, QuotedUserTextIsStoredIntactAndInjectsNothing)
{
    const QStringList texts = {QStringLiteral("O'Brien"), QStringLiteral("'); DELETE FROM T_TEXT; --"),
                               QStringLiteral("Straße \"Nord\" [1]"), QStringLiteral("''")};
    for (const QString& text : texts) {
        long affected = 0;
        ASSERT_TRUE(fixture.db().executeSql(
            QStringLiteral("UPDATE T_TEXT SET BEZ_DE = %1 WHERE ID = 1").arg(Sql::quote(text)), affected));
        EXPECT_EQ(affected, 1);
        RecordSet rs;
        open(rs, QStringLiteral("SELECT BEZ_DE FROM T_TEXT WHERE BEZ_DE = ") + Sql::quote(text));
        QString back;
        EXPECT_TRUE(rs.getFieldText(QStringLiteral("BEZ_DE"), back));
        EXPECT_EQ(back, text);
    }
    EXPECT_EQ(fixture.rawValue(QStringLiteral("SELECT count(*) FROM T_TEXT")), QStringLiteral("3"));
}

TEST_F(ConnectionTest, TransactionRollsBackEverythingWhenNotCommitted)
{
    {
        DbTransaction transaction(fixture.db());
        ASSERT_TRUE(transaction.isActive());
        EXPECT_TRUE(fixture.db().executeSql(QStringLiteral("DELETE FROM T_REZ_FM WHERE ID_Rezept = 1")));
        EXPECT_FALSE(fixture.db().executeSql(QStringLiteral("DELETE FROM T_NICHTDA WHERE ID = 1")));
    }
    EXPECT_EQ(fixture.rawValue(QStringLiteral("SELECT count(*) FROM T_REZ_FM WHERE ID_Rezept = 1")),
              QStringLiteral("2"));
    {
        DbTransaction transaction(fixture.db());
        EXPECT_TRUE(fixture.db().executeSql(QStringLiteral("DELETE FROM T_REZ_FM WHERE ID_Rezept = 1")));
        EXPECT_TRUE(transaction.commit());
    }
    EXPECT_EQ(fixture.rawValue(QStringLiteral("SELECT count(*) FROM T_REZ_FM WHERE ID_Rezept = 1")),
              QStringLiteral("0"));
}

TEST_F(ConnectionTest, ASecondConnectionToTheSameFileWaitsForAWriterInsteadOfFailing)
{
    AppContext second;
    second.setConnectionString(fixture.context().connectionString());
    ASSERT_TRUE(second.openDatabase());
    DbTransaction transaction(fixture.db());
    ASSERT_TRUE(
        fixture.db().executeSql(QStringLiteral("UPDATE T_GATTUNG SET BEZ_DE = 'Hund2' WHERE ID = 2")));
    // Reading goes on while the first copy writes.
    RecordSet rs;
    ASSERT_TRUE(rs.openRecordset(second.db(), QStringLiteral("SELECT BEZ_DE FROM T_GATTUNG WHERE ID = 2")));
    QString text;
    rs.getFieldText(QStringLiteral("BEZ_DE"), text);
    EXPECT_EQ(text, QStringLiteral("Hund"));
    rs.closeRecordset();
    ASSERT_TRUE(transaction.commit());
    EXPECT_TRUE(second.db().executeSql(QStringLiteral("UPDATE T_GATTUNG SET BEZ_DE = 'Hund3' WHERE ID = 2")));
    EXPECT_EQ(fixture.rawValue(QStringLiteral("SELECT BEZ_DE FROM T_GATTUNG WHERE ID = 2")),
              QStringLiteral("Hund3"));
}

TEST(ConnectionOpenTest, MissingOrForeignFilesDoNotOpen)
{
    QTemporaryDir dir;
    Connection db;
    ASSERT_TRUE(db.createConnection());
    const QString connection = ConnectionString::build(dir.path(), QStringLiteral("Share Deny None"));
    EXPECT_FALSE(db.openConnection(connection, QString(), QString()));
    EXPECT_FALSE(QFile::exists(ConnectionString::databasePath(dir.path())));

    QFile junk(ConnectionString::databasePath(dir.path()));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write(QByteArray(4096, 'x'));
    junk.close();
    EXPECT_FALSE(db.openConnection(connection, QString(), QString()));
    EXPECT_FALSE(db.isOpen());
    long affected = 3;
    EXPECT_FALSE(db.executeSql(QStringLiteral("DELETE FROM T_TEXT"), affected));
    RecordSet rs;
    EXPECT_FALSE(rs.openRecordset(db, QStringLiteral("SELECT 1")));
}

} // namespace
