#include "db/JetSqlTranslator.h"
#include "db/SchemaInfo.h"
#include "db/SqlQuote.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

namespace {

// Two small tables: CODE is a text in one and a number in the other, so a
// "+" next to it cannot be known to join texts.
SchemaInfo animalSchema()
{
    using Kind = SchemaInfo::ColumnKind;
    SchemaInfo schema;
    schema.addColumn(QStringLiteral("T_TIER"), QStringLiteral("ID"), Kind::Number);
    schema.addColumn(QStringLiteral("T_TIER"), QStringLiteral("NAME"), Kind::Text);
    schema.addColumn(QStringLiteral("T_TIER"), QStringLiteral("GEBURT"), Kind::Date);
    schema.addColumn(QStringLiteral("T_TIER"), QStringLiteral("AKTIV"), Kind::YesNo);
    schema.addColumn(QStringLiteral("T_TIER"), QStringLiteral("GEWICHT"), Kind::Number);
    schema.addColumn(QStringLiteral("T_TIER"), QStringLiteral("CODE"), Kind::Text);
    schema.addColumn(QStringLiteral("T_TIER"), QStringLiteral("SORT_NAME"), Kind::Other);
    schema.addColumn(QStringLiteral("T_NOTIZ"), QStringLiteral("ID"), Kind::Number);
    schema.addColumn(QStringLiteral("T_NOTIZ"), QStringLiteral("TEXT"), Kind::Text);
    schema.addColumn(QStringLiteral("T_NOTIZ"), QStringLiteral("CODE"), Kind::Number);
    schema.addColumn(QStringLiteral("T_NOTIZ"), QStringLiteral("STAND"), Kind::Date);
    return schema;
}

struct Translation
{
    const char* name;
    const char* jet;
    const char* sqlite;
};

void PrintTo(const Translation& t, std::ostream* os)
{
    *os << t.name << ": " << t.jet;
}

const Translation translations[] = {
    // Yes/no literals
    {"yes literal", "SELECT ID FROM T_TIER WHERE AKTIV = TRUE", "SELECT ID FROM T_TIER WHERE AKTIV = (-1)"},
    {"no literal in lower case", "UPDATE T_TIER SET AKTIV = false WHERE ID = 1",
     "UPDATE T_TIER SET AKTIV = 0 WHERE ID = 1"},
    {"negated yes literal", "SELECT ID FROM T_TIER WHERE AKTIV = -TRUE",
     "SELECT ID FROM T_TIER WHERE AKTIV = -(-1)"},
    {"negated yes literal without blanks", "SELECT ID FROM T_TIER WHERE AKTIV=-TRUE",
     "SELECT ID FROM T_TIER WHERE AKTIV=-(-1)"},
    {"yes and no as names stay names", "SELECT [TRUE], T_TIER.FALSE FROM T_TIER",
     "SELECT [TRUE], T_TIER.FALSE FROM T_TIER"},

    // Jet has no comments
    {"two minuses stay two operators", "SELECT GEWICHT--1 FROM T_TIER", "SELECT GEWICHT- -1 FROM T_TIER"},
    {"minus, blank, minus", "SELECT GEWICHT - -1 FROM T_TIER", "SELECT GEWICHT - -1 FROM T_TIER"},
    {"slash before star", "SELECT GEWICHT/*2 FROM T_TIER", "SELECT GEWICHT/ *2 FROM T_TIER"},
    {"comment marks inside text", "SELECT ID FROM T_NOTIZ WHERE TEXT = '-- /* x'",
     "SELECT ID FROM T_NOTIZ WHERE TEXT = '-- /* x'"},

    // Nothing inside a text literal is rewritten
    {"operators and literals inside text", "SELECT ID FROM T_NOTIZ WHERE TEXT = 'TRUE & FALSE + x'",
     "SELECT ID FROM T_NOTIZ WHERE TEXT = 'TRUE & FALSE + x'"},
    {"text literal alone", "SELECT 'a + b', 'Date()' FROM T_TIER", "SELECT 'a + b', 'Date()' FROM T_TIER"},
    {"doubled quote inside text", "SELECT ID FROM T_TIER WHERE NAME = 'O''Brien & TRUE'",
     "SELECT ID FROM T_TIER WHERE NAME = 'O''Brien & TRUE'"},

    // Joining texts
    {"plus after a text column", "UPDATE T_TIER SET NAME = NAME + '(ALT)' WHERE NAME NOT LIKE '%(ALT)'",
     "UPDATE T_TIER SET NAME = NAME || '(ALT)' WHERE NAME NOT LIKE '%(ALT)'"},
    {"plus around qualified text columns", "SELECT T_TIER.NAME + ', ' + T_TIER.NAME FROM T_TIER",
     "SELECT T_TIER.NAME || ', ' || T_TIER.NAME FROM T_TIER"},
    {"plus before a qualified text column", "SELECT T_TIER.CODE + T_TIER.NAME FROM T_TIER",
     "SELECT T_TIER.CODE || T_TIER.NAME FROM T_TIER"},
    {"plus after a bracketed text column", "SELECT [NAME] + 'x' FROM T_TIER",
     "SELECT [NAME] || 'x' FROM T_TIER"},
    {"plus between numbers", "SELECT GEWICHT + 1 FROM T_TIER", "SELECT GEWICHT + 1 FROM T_TIER"},
    {"plus after a column that is not a text everywhere", "SELECT CODE + 1 FROM T_TIER",
     "SELECT CODE + 1 FROM T_TIER"},
    {"ampersand", "SELECT NAME & ID FROM T_TIER",
     "SELECT (coalesce(NAME,'') || coalesce(ID,'')) FROM T_TIER"},
    {"ampersand chain with a text between", "SELECT NAME & ' / ' & T_TIER.CODE AS X FROM T_TIER",
     "SELECT (coalesce(NAME,'') || ' / ' || coalesce(T_TIER.CODE,'')) AS X FROM T_TIER"},
    {"ampersand binds less tightly than arithmetic", "SELECT -GEWICHT * 2 & 'kg' FROM T_TIER",
     "SELECT (coalesce(-GEWICHT * 2,'') || 'kg') FROM T_TIER"},
    {"ampersand binds more tightly than comparisons",
     "SELECT ID FROM T_TIER WHERE NAME & 'x' = 'ax' AND NOT ID + 1&'' <> ''",
     "SELECT ID FROM T_TIER WHERE (coalesce(NAME,'') || 'x') = 'ax' AND NOT (coalesce(ID + 1,'')||'') <> ''"},
    {"ampersand inside and around calls", "SELECT LCase(NAME & 'x') & (ID) FROM T_TIER",
     "SELECT (coalesce(LCase((coalesce(NAME,'') || 'x')),'') || coalesce((ID),'')) FROM T_TIER"},
    {"ampersand in a LIKE pattern", "SELECT ID FROM T_TIER WHERE NAME LIKE '%' & CODE & '%'",
     "SELECT ID FROM T_TIER WHERE NAME LIKE ('%' || coalesce(CODE,'') || '%')"},

    // Double-quoted texts
    {"double-quoted text with an apostrophe", "SELECT ID FROM T_TIER WHERE NAME = \"O'Brien\"",
     "SELECT ID FROM T_TIER WHERE NAME = 'O''Brien'"},
    {"double-quoted text with doubled quotes", "SELECT \"say \"\"hi\"\"\" FROM T_TIER",
     "SELECT 'say \"hi\"' FROM T_TIER"},

    // Dates
    {"date literal", "SELECT ID FROM T_TIER WHERE GEBURT = #03/05/2005#",
     "SELECT ID FROM T_TIER WHERE GEBURT = '2005-03-05'"},
    {"date literal with time", "SELECT ID FROM T_TIER WHERE GEBURT < #03/05/2005 14:30#",
     "SELECT ID FROM T_TIER WHERE GEBURT < '2005-03-05 14:30:00'"},
    {"German date text compared with a date column", "SELECT ID FROM T_TIER WHERE GEBURT >= '05.03.2005'",
     "SELECT ID FROM T_TIER WHERE GEBURT >= '2005-03-05'"},
    {"date text before a qualified date column", "SELECT ID FROM T_TIER WHERE '05.03.2005' < T_TIER.GEBURT",
     "SELECT ID FROM T_TIER WHERE '2005-03-05' < T_TIER.GEBURT"},
    {"US date text compared with a date column of another table",
     "SELECT ID FROM T_NOTIZ WHERE STAND = '03/05/2005'",
     "SELECT ID FROM T_NOTIZ WHERE STAND = '2005-03-05'"},
    {"double-quoted date text", "SELECT ID FROM T_TIER WHERE GEBURT = \"05.03.2005\"",
     "SELECT ID FROM T_TIER WHERE GEBURT = '2005-03-05'"},
    {"ISO date text", "SELECT ID FROM T_TIER WHERE GEBURT = '2005-03-05'",
     "SELECT ID FROM T_TIER WHERE GEBURT = '2005-03-05'"},
    {"empty date text set", "UPDATE T_TIER SET GEBURT = '' WHERE ID = 1",
     "UPDATE T_TIER SET GEBURT = NULL WHERE ID = 1"},
    {"date text compared with a text column", "SELECT ID FROM T_TIER WHERE NAME = '05.03.2005'",
     "SELECT ID FROM T_TIER WHERE NAME = '05.03.2005'"},
    {"insert, date text only into the date column",
     "INSERT INTO T_TIER (ID, NAME, GEBURT) VALUES (1, '05.03.2005', '05.03.2005')",
     "INSERT INTO T_TIER (ID, NAME, GEBURT) VALUES (1, '05.03.2005', '2005-03-05')"},
    {"insert, US date text first", "INSERT INTO T_TIER (GEBURT, NAME) VALUES ('03/05/2005', 'x')",
     "INSERT INTO T_TIER (GEBURT, NAME) VALUES ('2005-03-05', 'x')"},
    {"insert, date with time and no blanks", "INSERT INTO T_TIER ( ID, GEBURT )VALUES (1,'05.03.2005 08:15')",
     "INSERT INTO T_TIER ( ID, GEBURT )VALUES (1,'2005-03-05 08:15:00')"},
    {"insert, double-quoted date text", "INSERT INTO T_TIER (ID, GEBURT) VALUES (1, \"05.03.2005\")",
     "INSERT INTO T_TIER (ID, GEBURT) VALUES (1, '2005-03-05')"},
    {"insert, empty date text", "INSERT INTO T_TIER (ID, GEBURT) VALUES (1, '')",
     "INSERT INTO T_TIER (ID, GEBURT) VALUES (1, NULL)"},
    {"insert, function as date", "INSERT INTO T_TIER (GEBURT, NAME) VALUES (NOW(), 'x')",
     "INSERT INTO T_TIER (GEBURT, NAME) VALUES (NOW(), 'x')"},
    {"insert into an unknown table, known date column", "INSERT INTO T_NEU (STAND) VALUES ('05.03.2005')",
     "INSERT INTO T_NEU (STAND) VALUES ('2005-03-05')"},
    {"insert from a query", "INSERT INTO T_TIER (ID, GEBURT) SELECT ID, STAND FROM T_NOTIZ",
     "INSERT INTO T_TIER (ID, GEBURT) SELECT ID, STAND FROM T_NOTIZ"},
    {"today's date function", "SELECT Date() FROM T_TIER", "SELECT jet_date() FROM T_TIER"},

    // Statement ends
    {"trailing semicolon", "SELECT ID FROM T_TIER;", "SELECT ID FROM T_TIER"},
    {"trailing semicolon and blanks", "SELECT ID FROM T_TIER ; ", "SELECT ID FROM T_TIER"},
    {"semicolon inside text", "SELECT ';' FROM T_TIER", "SELECT ';' FROM T_TIER"},

    // Deletes
    {"delete with a star", "DELETE * FROM T_TIER WHERE ID = 1", "DELETE FROM T_TIER WHERE ID = 1"},
    {"delete with a table star and no join", "DELETE T_TIER.* FROM T_TIER WHERE ID = 1",
     "DELETE FROM T_TIER WHERE ID = 1"},
    {"delete over a join",
     "DELETE T_NOTIZ.*, T_TIER.NAME FROM T_TIER INNER JOIN T_NOTIZ ON T_TIER.ID = T_NOTIZ.ID "
     "WHERE (((T_TIER.ID)= 1) AND ((T_TIER.AKTIV)=TRUE))",
     "DELETE FROM T_NOTIZ WHERE rowid IN (SELECT T_NOTIZ.rowid FROM T_TIER INNER JOIN T_NOTIZ ON T_TIER.ID = "
     "T_NOTIZ.ID WHERE (((T_TIER.ID)= 1) AND ((T_TIER.AKTIV)=(-1))))"},
    {"delete over a comma join", "DELETE T_NOTIZ.* FROM T_TIER, T_NOTIZ WHERE T_TIER.ID = T_NOTIZ.ID",
     "DELETE FROM T_NOTIZ WHERE rowid IN (SELECT T_NOTIZ.rowid FROM T_TIER, T_NOTIZ WHERE T_TIER.ID = "
     "T_NOTIZ.ID)"},
    {"plain delete", "DELETE FROM T_TIER WHERE NAME = 'x'", "DELETE FROM T_TIER WHERE NAME = 'x'"},

    // Row locks: the transaction holds the whole file's write lock
    {"row lock", "SELECT ID FROM T_TIER WHERE ID = 4 FOR UPDATE;", "SELECT ID FROM T_TIER WHERE ID = 4"},
    {"key share lock of an insert",
     "INSERT INTO T_NOTIZ (ID, CODE) SELECT ID, 1 FROM T_TIER WHERE ID = 4  for key share",
     "INSERT INTO T_NOTIZ (ID, CODE) SELECT ID, 1 FROM T_TIER WHERE ID = 4"},
    {"a column named like a lock stays", "SELECT [FOR], SHARE FROM T_TIER ORDER BY SHARE",
     "SELECT [FOR], SHARE FROM T_TIER ORDER BY SHARE"},

    // Names sorted by their sort keys
    {"order by a sorted name", "SELECT ID, NAME FROM T_TIER ORDER BY NAME, ID",
     "SELECT ID, NAME FROM T_TIER ORDER BY SORT_NAME, ID"},
    {"qualified and descending", "SELECT T_TIER.ID FROM T_TIER ORDER BY T_TIER.Name DESC, CODE LIMIT 5",
     "SELECT T_TIER.ID FROM T_TIER ORDER BY T_TIER.SORT_NAME DESC, CODE LIMIT 5"},
    {"page after a name", "SELECT ID FROM T_TIER WHERE (T_TIER.NAME, T_TIER.ID) > ('Mü''s', 7) ORDER BY NAME",
     "SELECT ID FROM T_TIER WHERE (T_TIER.SORT_NAME, T_TIER.ID) > (sort_key('Mü''s'), 7) ORDER BY SORT_NAME"},
    {"an expression and an equal row value keep the name",
     "SELECT ID FROM T_TIER WHERE (NAME, ID) = ('a', 1) ORDER BY lcase(NAME), NAME & 'x'",
     "SELECT ID FROM T_TIER WHERE (NAME, ID) = ('a', 1) ORDER BY lcase(NAME), (coalesce(NAME,'') || 'x')"},
    {"grouped", "SELECT NAME FROM T_TIER GROUP BY NAME ORDER BY NAME",
     "SELECT NAME FROM T_TIER GROUP BY NAME ORDER BY NAME"},
    {"a column of another table", "SELECT T_NOTIZ.TEXT FROM T_TIER, T_NOTIZ ORDER BY T_NOTIZ.TEXT, NAME",
     "SELECT T_NOTIZ.TEXT FROM T_TIER, T_NOTIZ ORDER BY T_NOTIZ.TEXT, SORT_NAME"},

    // Left as they are
    {"numbers", "SELECT 1.5E+3, .5, 2e-1 FROM T_TIER", "SELECT 1.5E+3, .5, 2e-1 FROM T_TIER"},
    {"comparisons", "SELECT ID FROM T_TIER WHERE NAME <> 'a' AND GEWICHT >= 2 AND CODE != 'b'",
     "SELECT ID FROM T_TIER WHERE NAME <> 'a' AND GEWICHT >= 2 AND CODE != 'b'"},
    {"bracketed name with a slash", "SELECT NAME AS [Name/Bez] FROM [T_TIER]",
     "SELECT NAME AS [Name/Bez] FROM [T_TIER]"},
};

class JetSqlTranslation : public ::testing::TestWithParam<Translation>
{
};

TEST_P(JetSqlTranslation, GivesTheSqliteText)
{
    const SchemaInfo schema = animalSchema();
    const JetSqlTranslator translator(&schema);
    QString error;
    const std::optional<QString> sqlite = translator.toSqlite(QString::fromUtf8(GetParam().jet), &error);
    ASSERT_TRUE(sqlite.has_value()) << error.toStdString();
    EXPECT_EQ(sqlite->toStdString(), GetParam().sqlite);
}

std::string caseName(const char* name)
{
    std::string out;
    for (const char* c = name; *c; ++c)
        out += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
    return out;
}

INSTANTIATE_TEST_SUITE_P(Jet, JetSqlTranslation, ::testing::ValuesIn(translations),
                         [](const auto& info) { return caseName(info.param.name); });

// Where PostgreSQL's dialect differs; the catalogue of the program's
// statements is checked against a real server in PostgreSqlDialectTest.
const Translation postgresTranslations[] = {
    {"yes and no literals", "SELECT ID FROM T_TIER WHERE AKTIV = TRUE OR AKTIV = No OR -Yes = FALSE",
     "SELECT ID FROM T_TIER WHERE AKTIV = (-1) OR AKTIV = 0 OR -(-1) = 0"},
    {"today and now", "UPDATE T_TIER SET GEBURT = Date(), STAND = NOW( ) WHERE ID = 1",
     "UPDATE T_TIER SET GEBURT = CURRENT_DATE, STAND = LOCALTIMESTAMP(0)  WHERE ID = 1"},
    {"date literals are typed",
     "SELECT ID FROM T_TIER WHERE GEBURT < #03/05/2005# OR GEBURT > #03/05/2005 14:30#",
     "SELECT ID FROM T_TIER WHERE GEBURT < DATE '2005-03-05' OR GEBURT > TIMESTAMP '2005-03-05 14:30:00'"},
    {"date text compared with a date column", "SELECT ID FROM T_TIER WHERE GEBURT >= '05.03.2005'",
     "SELECT ID FROM T_TIER WHERE GEBURT >= '2005-03-05'"},
    {"ampersand chain", "SELECT NAME & ' / ' & -ID * 2 AS X FROM T_TIER",
     "SELECT concat(NAME , ' / ' , -ID * 2) AS X FROM T_TIER"},
    {"plus on texts", "UPDATE T_TIER SET NAME = NAME + '(ALT)'", "UPDATE T_TIER SET NAME = NAME || '(ALT)'"},
    {"case functions", "SELECT LCase(NAME), UCase([NAME] & 'x') FROM T_TIER",
     "SELECT lower(NAME COLLATE \"und-x-icu\"), upper(concat(\"name\" , 'x') COLLATE \"und-x-icu\") FROM "
     "T_TIER"},
    {"bracketed names", "SELECT [ID], NAME AS [Name/Bez], [TRUE] FROM [T_TIER]",
     "SELECT \"id\", NAME AS \"Name/Bez\", \"true\" FROM \"t_tier\""},
    {"like ignores case and knows umlauts", "SELECT ID FROM T_TIER WHERE NAME NOT LIKE '%mü\\%' AND ID > 1",
     "SELECT ID FROM T_TIER WHERE lower(NAME COLLATE \"und-x-icu\") NOT LIKE lower('%mü\\%' COLLATE "
     "\"und-x-icu\") ESCAPE '' AND ID > 1"},
    {"like after a joined text and with a qualified name",
     "SELECT ID FROM T_TIER WHERE CODE & NAME LIKE 'a%' OR T_TIER.NAME LIKE Nz(CODE, '') & '%'",
     "SELECT ID FROM T_TIER WHERE concat(CODE , NAME) ILIKE 'a%' COLLATE \"und-x-icu\" ESCAPE '' OR "
     "lower(T_TIER.NAME COLLATE \"und-x-icu\") LIKE lower(concat(Nz(CODE, '') , '%') COLLATE \"und-x-icu\") "
     "ESCAPE ''"},
    {"like with a joined pattern and an escape",
     "SELECT ID FROM T_TIER WHERE NAME LIKE '%' & CODE ESCAPE '!'",
     "SELECT ID FROM T_TIER WHERE NAME ILIKE concat('%' , CODE) COLLATE \"und-x-icu\" ESCAPE '!'"},
    {"limit and offset, NULLs first", "SELECT ID FROM T_TIER ORDER BY NAME LIMIT 50 OFFSET 100",
     "SELECT ID FROM T_TIER ORDER BY NAME NULLS FIRST LIMIT 50 OFFSET 100"},
    {"NULLs last when descending, in a subquery too",
     "SELECT ID FROM T_TIER WHERE ID IN (SELECT ID FROM T_NOTIZ ORDER BY Nz(CODE, 0) DESC, ID asc) ORDER BY 1",
     "SELECT ID FROM T_TIER WHERE ID IN (SELECT ID FROM T_NOTIZ ORDER BY Nz(CODE, 0) DESC NULLS LAST, ID asc "
     "NULLS FIRST) ORDER BY 1 NULLS FIRST"},
    {"row lock after an order, a pattern and a text",
     "SELECT ID FROM T_TIER WHERE NAME LIKE 'a' & CODE ORDER BY NAME FOR UPDATE",
     "SELECT ID FROM T_TIER WHERE lower(NAME COLLATE \"und-x-icu\") LIKE lower(concat('a' , CODE) COLLATE "
     "\"und-x-icu\") ESCAPE '' ORDER BY NAME NULLS FIRST FOR UPDATE"},
    {"delete over a join",
     "DELETE T_NOTIZ.* FROM T_TIER INNER JOIN T_NOTIZ ON T_TIER.ID = T_NOTIZ.ID WHERE T_TIER.AKTIV = TRUE",
     "DELETE FROM T_NOTIZ WHERE ctid IN (SELECT T_NOTIZ.ctid FROM T_TIER INNER JOIN T_NOTIZ ON T_TIER.ID = "
     "T_NOTIZ.ID WHERE T_TIER.AKTIV = (-1))"},
    {"a subquery in FROM gets a name unless it has one",
     "SELECT COUNT(*) AS N FROM (SELECT DISTINCT ID FROM T_TIER) WHERE N > 0 UNION "
     "SELECT X.ID FROM (SELECT ID FROM T_TIER) X LEFT JOIN (SELECT ID FROM T_NOTIZ) ON 1 = 1",
     "SELECT COUNT(*) AS N FROM (SELECT DISTINCT ID FROM T_TIER) AS derived_1 WHERE N > 0 UNION "
     "SELECT X.ID FROM (SELECT ID FROM T_TIER) X LEFT JOIN (SELECT ID FROM T_NOTIZ) AS derived_2 ON 1 = 1"},
};

class PostgresTranslation : public ::testing::TestWithParam<Translation>
{
};

TEST_P(PostgresTranslation, GivesThePostgresText)
{
    const SchemaInfo schema = animalSchema();
    const JetSqlTranslator translator(&schema, SqlDialect::PostgreSql);
    QString error;
    const std::optional<QString> sql = translator.translate(QString::fromUtf8(GetParam().jet), &error);
    ASSERT_TRUE(sql.has_value()) << error.toStdString();
    EXPECT_EQ(sql->toStdString(), GetParam().sqlite);
}

INSTANTIATE_TEST_SUITE_P(Jet, PostgresTranslation, ::testing::ValuesIn(postgresTranslations),
                         [](const auto& info) { return caseName(info.param.name); });

TEST(JetSqlTranslatorInsertKey, IsReturnedOnPostgresOnly)
{
    const QString insert = QStringLiteral("INSERT INTO T_TIER (NAME) VALUES ('x')");
    const QString update = QStringLiteral("UPDATE T_TIER SET NAME = 'x'");
    const JetSqlTranslator postgres(nullptr, SqlDialect::PostgreSql);
    EXPECT_EQ(postgres.translateInsertReturningKey(insert, QStringLiteral("ID")),
              insert + QStringLiteral(" RETURNING \"id\""));
    EXPECT_EQ(postgres.translateInsertReturningKey(update, QStringLiteral("ID")), update);
    EXPECT_EQ(JetSqlTranslator().translateInsertReturningKey(insert, QStringLiteral("ID")), insert);
}

struct Refusal
{
    const char* name;
    const char* jet;
};

void PrintTo(const Refusal& r, std::ostream* os)
{
    *os << r.name << ": " << r.jet;
}

const Refusal refusals[] = {
    {"unterminated quote", "SELECT 'abc FROM T_TIER"},
    {"unterminated double quote", "SELECT \"abc FROM T_TIER"},
    {"unterminated bracket", "SELECT [NAME FROM T_TIER"},
    {"unterminated date literal", "SELECT ID FROM T_TIER WHERE GEBURT = #03/05/2005"},
    {"two statements", "DELETE FROM T_TIER WHERE ID = 1; DELETE FROM T_NOTIZ"},
    {"two statements each with a semicolon", "SELECT 1; SELECT 2;"},
    {"insert of a word into a date column", "INSERT INTO T_TIER (GEBURT) VALUES ('gestern')"},
    {"insert of a double-quoted word into a date column", "INSERT INTO T_TIER (GEBURT) VALUES (\"gestern\")"},
    {"insert of an impossible date", "INSERT INTO T_TIER (ID, GEBURT) VALUES (1, '31.02.2024')"},
    {"update with an impossible month", "UPDATE T_TIER SET GEBURT = '13/13/2005'"},
    {"comparison with a word", "SELECT ID FROM T_TIER WHERE STAND = 'bald'"},
    {"double-quoted word compared with a date column", "SELECT ID FROM T_TIER WHERE GEBURT = \"gestern\""},
    {"date literal that is no date", "SELECT ID FROM T_TIER WHERE GEBURT = #kein Datum#"},
    {"date literal of an impossible day", "SELECT ID FROM T_TIER WHERE GEBURT = #31.02.2024#"},
};

class JetSqlRefusal : public ::testing::TestWithParam<Refusal>
{
};

TEST_P(JetSqlRefusal, GivesNothingAndAReason)
{
    const SchemaInfo schema = animalSchema();
    const JetSqlTranslator translator(&schema);
    QString error;
    const std::optional<QString> sqlite = translator.toSqlite(QString::fromUtf8(GetParam().jet), &error);
    EXPECT_FALSE(sqlite.has_value()) << sqlite.value_or(QString()).toStdString();
    EXPECT_FALSE(error.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Jet, JetSqlRefusal, ::testing::ValuesIn(refusals),
                         [](const auto& info) { return caseName(info.param.name); });

// Without a schema nothing is known of the columns: only what the literals
// themselves show is rewritten.
TEST(JetSqlTranslatorWithoutSchema, RewritesOnlyWhatTheLiteralsShow)
{
    const JetSqlTranslator translator;
    const struct
    {
        const char* jet;
        const char* sqlite;
    } cases[] = {
        {"SELECT ID FROM T_TIER WHERE GEBURT = '05.03.2005'",
         "SELECT ID FROM T_TIER WHERE GEBURT = '05.03.2005'"},
        {"SELECT NAME + 'x' FROM T_TIER", "SELECT NAME || 'x' FROM T_TIER"},
        {"SELECT NAME + GEWICHT FROM T_TIER", "SELECT NAME + GEWICHT FROM T_TIER"},
        {"SELECT ID FROM T_TIER WHERE GEBURT = #03/05/2005#",
         "SELECT ID FROM T_TIER WHERE GEBURT = '2005-03-05'"},
        {"INSERT INTO T_TIER (GEBURT) VALUES ('gestern')", "INSERT INTO T_TIER (GEBURT) VALUES ('gestern')"},
    };
    for (const auto& c : cases) {
        const std::optional<QString> sqlite = translator.toSqlite(QString::fromUtf8(c.jet));
        ASSERT_TRUE(sqlite.has_value()) << c.jet;
        EXPECT_EQ(sqlite->toStdString(), c.sqlite);
    }
}

// SQLite stops reading a statement at a NUL character, so a statement
// holding one is refused, and a text holding one is quoted with char(0).
TEST(JetSqlTranslatorNul, IsRefusedInAStatementAndJoinedInByTheQuote)
{
    const QString nul(QChar(0));
    const JetSqlTranslator translator;
    QString error;
    EXPECT_FALSE(translator.toSqlite(
        QStringLiteral("DELETE FROM T_TIER WHERE ID > 0") + nul + QStringLiteral(" AND ID = 7"), &error));
    EXPECT_EQ(error, QStringLiteral("NUL character in the statement"));
    EXPECT_FALSE(translator.toSqlite(QStringLiteral("SELECT 'a") + nul + QStringLiteral("b'")));
    EXPECT_EQ(translator.toSqlite(QStringLiteral("SELECT ") + Sql::quote(nul + QStringLiteral("O'") + nul)),
              QStringLiteral("SELECT ('' || char(0) || 'O''' || char(0) || '')"));
}

} // namespace
