// The program's statements, translated for PostgreSQL, against a real
// server holding the rendered schema and the fixture data: each is accepted,
// and each query gives the rows, texts and order it gives on SQLite.

#include "SqlCatalogue.h"
#include "db/JetSqlTranslator.h"
#include "db/PostgreSqlSchema.h"
#include "db/SchemaInfo.h"
#include "support/ThrowawayPostgres.h"

#include <QFile>

#include <gtest/gtest.h>
#include <libpq-fe.h>

#include <memory>

namespace {

using Connection = std::unique_ptr<PGconn, decltype(&PQfinish)>;
using Result = std::unique_ptr<PGresult, decltype(&PQclear)>;

Result exec(PGconn* db, const QString& sql)
{
    return Result(PQexec(db, sql.toUtf8().constData()), &PQclear);
}

// The error of a statement that failed, or the empty text.
QString failure(PGconn* db, const QString& sql)
{
    const Result result = exec(db, sql);
    const ExecStatusType status = PQresultStatus(result.get());
    if (status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK)
        return QString();
    return QString::fromUtf8(PQresultErrorMessage(result.get())).trimmed();
}

bool isTextType(Oid type)
{
    constexpr Oid Text = 25, Bpchar = 1042, Varchar = 1043;
    return type == Text || type == Bpchar || type == Varchar;
}

bool isIntegerType(Oid type)
{
    constexpr Oid Int8 = 20, Int2 = 21, Int4 = 23;
    return type == Int8 || type == Int2 || type == Int4;
}

// Compares a query's result with what the program read on SQLite: the row
// count, the texts of its text columns (the program shows dates and
// fractions in its own way), and the order of the first column when the
// order matters and the column is a text or an integer. That shows that
// case, umlauts, NULLs and joined texts compare and sort as on SQLite.
void expectSameRows(PGresult* result, const CatalogueStatement& statement)
{
    ASSERT_EQ(PQntuples(result), int(statement.rows.size()));
    for (int k = 0; k < statement.columns.size(); ++k) {
        int field = -1;
        for (int f = 0; f < PQnfields(result); ++f)
            if (QString::fromUtf8(PQfname(result, f))
                    .compare(statement.columns[k].trimmed(), Qt::CaseInsensitive) == 0)
                field = f;
        EXPECT_GE(field, 0) << "no column " << statement.columns[k].toStdString();
        if (field < 0)
            continue;
        const bool isText = isTextType(PQftype(result, field));
        const bool inOrder = k == 0 && statement.ordered && (isText || isIntegerType(PQftype(result, field)));
        if (!inOrder && !isText)
            continue;
        QStringList got;
        QStringList want;
        for (int row = 0; row < PQntuples(result); ++row) {
            got << QString::fromUtf8(PQgetvalue(result, row, field));
            want << statement.rows[row].value(k);
        }
        if (!inOrder) {
            got.sort();
            want.sort();
        }
        EXPECT_EQ(got.join(QLatin1Char('|')).toStdString(), want.join(QLatin1Char('|')).toStdString())
            << "column " << statement.columns[k].toStdString();
    }
}

QByteArray resource(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class PostgreSqlDialectTest : public ClusterTest
{
protected:
    void SetUp() override
    {
        ClusterTest::SetUp();
        if (IsSkipped())
            return;
        db.reset(PQconnectdb(cluster->conninfo().constData()));
        ASSERT_EQ(PQstatus(db.get()), CONNECTION_OK) << PQerrorMessage(db.get());
    }

    // The columns' kinds as the server reports them, as a backend will read them.
    SchemaInfo schemaInfo()
    {
        SchemaInfo schema;
        const Result columns = exec(db.get(), QStringLiteral("SELECT table_name, column_name, "
                                                             "coalesce(domain_name, data_type) "
                                                             "FROM information_schema.columns "
                                                             "WHERE table_schema = 'public'"));
        for (int row = 0; row < PQntuples(columns.get()); ++row) {
            auto text = [&](int column) { return QString::fromUtf8(PQgetvalue(columns.get(), row, column)); };
            schema.addColumn(text(0), text(1), SchemaInfo::kindOfDeclaredType(text(2)));
        }
        return schema;
    }

    Connection db{nullptr, &PQfinish};
};

TEST(PostgreSqlSchemaTest, RendersTypesKeysCollationAndIndexes)
{
    const QString sqlite = QStringLiteral("-- The cases' table\n"
                                          "CREATE TABLE T_PAT_REZ (\n"
                                          "    ID INTEGER PRIMARY KEY AUTOINCREMENT, -- new keys\n"
                                          "    Name VARCHAR(255) COLLATE NOCASE,\n"
                                          "    Gewicht DOUBLE, Datum DATETIME, Geburt DATE,\n"
                                          "    AKTIV BOOLEAN NOT NULL DEFAULT 0, Anzahl INTEGER\n"
                                          ");\n"
                                          "CREATE TABLE T_KEY (TYP VARCHAR(1), N INTEGER);\n"
                                          "CREATE INDEX IX ON T_PAT_REZ (Name, Datum);\n"
                                          "CREATE INDEX IX_ID ON T_PAT_REZ (Name, id);\n"
                                          "CREATE UNIQUE INDEX IX_U ON T_PAT_REZ (Name);\n"
                                          "CREATE TABLE T_X (Code INTEGER);\n"
                                          "CREATE INDEX IX_X ON T_X (Code);\n"
                                          "PRAGMA user_version = 1;\n");
    const QString rendered = PostgreSqlSchema::render(sqlite);
    const QString tables = rendered.mid(rendered.indexOf(QLatin1String("CREATE TABLE")));
    EXPECT_EQ(tables.toStdString(),
              "CREATE TABLE T_PAT_REZ (\n"
              "    ID INTEGER GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY, \n"
              "    Name VARCHAR COLLATE mensoly_nocase,\n"
              "    Gewicht DOUBLE PRECISION, Datum TIMESTAMP(0), Geburt DATE,\n"
              "    AKTIV YESNO NOT NULL DEFAULT 0, Anzahl INTEGER\n"
              ");\n"
              "CREATE TABLE T_KEY (TYP VARCHAR, N INTEGER,\n"
              "    rowid BIGINT GENERATED BY DEFAULT AS IDENTITY\n"
              ");\n"
              "CREATE INDEX IX ON T_PAT_REZ (Name NULLS FIRST, Datum NULLS FIRST, ID NULLS FIRST);\n"
              "CREATE INDEX IX_ID ON T_PAT_REZ (Name NULLS FIRST, id NULLS FIRST);\n"
              "CREATE UNIQUE INDEX IX_U ON T_PAT_REZ (Name NULLS FIRST);\n"
              "CREATE TABLE T_X (Code INTEGER,\n"
              "    rowid BIGINT GENERATED BY DEFAULT AS IDENTITY\n"
              ");\n"
              "CREATE INDEX IX_X ON T_X (Code NULLS FIRST);\n\n"
              "CREATE STATISTICS ST_T_PAT_REZ_Name ON (lower(Name COLLATE \"und-x-icu\")) FROM T_PAT_REZ;\n"
              "DO $$\nBEGIN\n    CREATE EXTENSION IF NOT EXISTS pg_trgm;\n"
              "    CREATE INDEX TX_T_PAT_REZ_Name ON T_PAT_REZ USING gin (lower(Name COLLATE \"und-x-icu\") "
              "gin_trgm_ops);\n"
              "EXCEPTION WHEN OTHERS THEN\n    NULL;\nEND $$;\n");
    EXPECT_TRUE(rendered.startsWith(QLatin1String("CREATE DOMAIN YESNO AS SMALLINT;")));
}

// The trigram indexes of a database, by name.
QString trigramIndexes(PGconn* db)
{
    const Result indexes = exec(
        db,
        QStringLiteral("SELECT indexname FROM pg_indexes WHERE indexdef LIKE '%gin_trgm_ops%' ORDER BY 1"));
    QStringList names;
    for (int row = 0; row < PQntuples(indexes.get()); ++row)
        names << QString::fromUtf8(PQgetvalue(indexes.get(), row, 0));
    return names.join(QLatin1Char(' '));
}

// The searched columns get trigram indexes, over the very expression the
// translated LIKE compares, so that the server can use them.
TEST_F(PostgreSqlDialectTest, SearchesCanUseTheTrigramIndexes)
{
    QString error;
    ASSERT_TRUE(cluster->createDatabase(QStringLiteral("trigrams"), QString(), &error))
        << error.toStdString();
    const Connection trigrams(PQconnectdb(cluster->conninfo(QStringLiteral("trigrams")).constData()),
                              &PQfinish);
    EXPECT_EQ(trigramIndexes(trigrams.get()).toStdString(),
              "tx_t_futtermittel_bez_de tx_t_futtermittel_bez_us tx_t_pat_rez_name_besitzer "
              "tx_t_pat_rez_name_pat tx_t_pat_rez_rezepttitel");

    SchemaInfo schema;
    const JetSqlTranslator translator(&schema, SqlDialect::PostgreSql);
    const std::optional<QString> search = translator.translate(QStringLiteral(
        "SELECT ID FROM T_PAT_REZ WHERE Name_Besitzer LIKE '%Müller%' ORDER BY Name_Besitzer"));
    ASSERT_TRUE(search);
    ASSERT_EQ(failure(trigrams.get(), QStringLiteral("SET enable_seqscan = off")).toStdString(), "");
    const Result plan = exec(trigrams.get(), QStringLiteral("EXPLAIN ") + *search);
    QString planText;
    for (int row = 0; row < PQntuples(plan.get()); ++row)
        planText += QString::fromUtf8(PQgetvalue(plan.get(), row, 0)) + QLatin1Char('\n');
    EXPECT_TRUE(planText.contains(QLatin1String("Bitmap Index Scan on tx_t_pat_rez_name_besitzer")))
        << planText.toStdString();
}

// Where the trigram operators cannot be had (here: the extension lives in a
// schema outside the search path), the schema is created without the
// trigram indexes.
TEST_F(PostgreSqlDialectTest, TheSchemaIsCreatedWithoutTrigrams)
{
    QString error;
    ASSERT_TRUE(cluster->createEmptyDatabase(QStringLiteral("notrigrams"), &error)) << error.toStdString();
    ASSERT_TRUE(cluster->execute(
        QStringLiteral("notrigrams"),
        QStringLiteral("CREATE SCHEMA elsewhere; CREATE EXTENSION pg_trgm SCHEMA elsewhere"), &error))
        << error.toStdString();
    const Connection db(PQconnectdb(cluster->conninfo(QStringLiteral("notrigrams")).constData()), &PQfinish);
    ASSERT_EQ(failure(db.get(), PostgreSqlSchema::renderBuiltIn()).toStdString(), "");
    EXPECT_EQ(trigramIndexes(db.get()).toStdString(), "");
    EXPECT_EQ(failure(db.get(), QStringLiteral("SELECT ID FROM T_PAT_REZ")).toStdString(), "");
}

TEST_F(PostgreSqlDialectTest, AcceptsEveryStatementOfTheProgram)
{
    const QString schemaSql = PostgreSqlSchema::renderBuiltIn();
    ASSERT_FALSE(schemaSql.isEmpty());
    ASSERT_EQ(failure(db.get(), schemaSql).toStdString(), "");
    ASSERT_EQ(failure(db.get(), QString::fromUtf8(resource(QStringLiteral(":/mensoly/tests/fixture.sql"))))
                  .toStdString(),
              "");
    // The fixture gives its keys; new rows continue after them. A rollback
    // leaves a sequence where it was, so each statement starts from here.
    const Result keyed =
        exec(db.get(), QStringLiteral("SELECT table_name, column_name FROM information_schema.columns "
                                      "WHERE table_schema = 'public' AND is_identity = 'YES'"));
    QStringList resetKeys;
    for (int row = 0; row < PQntuples(keyed.get()); ++row) {
        const QString table = QString::fromUtf8(PQgetvalue(keyed.get(), row, 0));
        const QString column = QString::fromUtf8(PQgetvalue(keyed.get(), row, 1));
        resetKeys << QStringLiteral("SELECT setval(pg_get_serial_sequence('%1', '%2'), "
                                    "coalesce(max(%2), 0) + 1, false) FROM %1")
                         .arg(table, column);
    }
    ASSERT_FALSE(resetKeys.isEmpty());

    const SchemaInfo schema = schemaInfo();
    const JetSqlTranslator translator(&schema, SqlDialect::PostgreSql);
    int run = 0;
    bool inTransaction = false;
    for (const CatalogueStatement& statement : sqlCatalogue()) {
        SCOPED_TRACE(statement.name);
        if (!statement.accepted) {
            // Refused by the translation or by SQLite; a server may take it.
            continue;
        }
        // Each statement on the fixture data as it is: what it changes is
        // rolled back after it and its read-back.
        if (!statement.afterPrevious || !inTransaction) {
            if (inTransaction) {
                ASSERT_EQ(failure(db.get(), QStringLiteral("ROLLBACK")).toStdString(), "");
            }
            ASSERT_EQ(failure(db.get(), QStringLiteral("BEGIN")).toStdString(), "");
            ASSERT_EQ(failure(db.get(), resetKeys.join(QLatin1Char(';'))).toStdString(), "");
            inTransaction = true;
            if (!statement.setup.isEmpty()) {
                EXPECT_EQ(failure(db.get(), statement.setup).toStdString(), "") << "set-up";
            }
        }
        QString error;
        const std::optional<QString> sql = translator.translate(statement.sql, &error);
        ASSERT_TRUE(sql.has_value()) << error.toStdString();
        SCOPED_TRACE(sql->toStdString());
        const Result result = exec(db.get(), *sql);
        const ExecStatusType status = PQresultStatus(result.get());
        EXPECT_TRUE(status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK)
            << PQresultErrorMessage(result.get());
        if (statement.isQuery && status == PGRES_TUPLES_OK)
            expectSameRows(result.get(), statement);
        ++run;
    }
    EXPECT_GT(run, 200);
}

} // namespace
