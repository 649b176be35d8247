// The text helpers of the database layer: case-insensitive comparison and
// LIKE, connection strings and quoting.

#include "db/ConnectionString.h"
#include "db/JetSqlTokenizer.h"
#include "db/SortKeys.h"
#include "db/SqlQuote.h"
#include "db/TextFolding.h"

#include <QCollator>
#include <QLocale>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace {

std::string s(const QString& text)
{
    return text.toStdString();
}

// ---------------------------------------------------------------------------
// TextFolding

int sign(int value)
{
    return (value > 0) - (value < 0);
}

TEST(TextFoldingTest, ComparesLikeACaseInsensitiveCollationThatKnowsUmlauts)
{
    const struct
    {
        const char* a;
        const char* b;
        int order;
    } cases[] = {
        {"Müller", "MÜLLER", 0},
        {"Öle", "öle", 0},
        {"abc", "ABC", 0},
        {"", "", 0},
        {"abc", "ABD", -1},
        {"Zebra", "apfel", 1},
        {"", "a", -1},
        {"Hund", "Hunde", -1},
        // An umlaut sorts beside its base letter, not after z.
        {"Muller", "Müller", -1},
        {"Müller", "Mullet", -1},
        {"Müller", "Muster", -1},
        {"Ärger", "Zander", -1},
        {"Ärger", "Anton", 1},
        {"a", "ä", -1},
        {"ä", "b", -1},
        // An umlaut is not its base letter.
        {"Müller", "Muller", 1},
    };
    for (const auto& c : cases) {
        const QString a = QString::fromUtf8(c.a);
        const QString b = QString::fromUtf8(c.b);
        EXPECT_EQ(sign(TextFolding::compare(a, b)), c.order) << c.a << " vs " << c.b;
        EXPECT_EQ(sign(TextFolding::compare(b, a)), -c.order) << c.b << " vs " << c.a;
    }
}

TEST(TextFoldingTest, OrdersExactlyAsTheGermanCollatorCaseIgnored)
{
    // Lists sorted in memory and rows ordered by the database must agree,
    // also where plain character codes would not: punctuation, digits,
    // symbols, "ß", accents, decomposed umlauts.
    QStringList texts = {"Müsli 2",
                         "Müsli 10",
                         "Müsli-Mix",
                         "Müsli, fein",
                         "MÜSLI 2",
                         "Müsli2",
                         "Mü",
                         "Müs",
                         "Mûsli",
                         "Äpfel (rot)",
                         "Reis-Mix",
                         "Reis, gekocht",
                         "Reis (Basmati)",
                         "reis~",
                         "Reis_2",
                         "Reis:1",
                         "Reis 10",
                         "a@b",
                         "A1",
                         "Straße",
                         "STRASSE",
                         "Straßen",
                         "Öl",
                         "Ol",
                         "o'brien",
                         "Ölsaat",
                         "Olive",
                         "Fett 5 %",
                         "Fett 10 %",
                         "Crème",
                         "Creme",
                         QString::fromUtf8("Mu\xcc\x88sli"),
                         "Müsli",
                         "MÜSLI",
                         "",
                         "Жир",
                         "жир",
                         "Zucker",
                         "zz",
                         "z{",
                         "Z|"};
    for (char16_t c = 0x20; c < 0x7F; ++c)
        texts << QString(QChar(c)) << QStringLiteral("x") + QChar(c) + QStringLiteral("y");
    QCollator german(QLocale(QLocale::German, QLocale::Germany));
    german.setCaseSensitivity(Qt::CaseInsensitive);
    int disagreements = 0;
    for (const QString& a : texts) {
        const QByteArray utf8A = a.toUtf8();
        for (const QString& b : texts) {
            const QByteArray utf8B = b.toUtf8();
            const int expected = sign(german.compare(a, b));
            // The sort keys the lists' indexes hold, compared as bytes.
            const QByteArray keyA = SortKeys::key(a), keyB = SortKeys::key(b);
            const int keys = sign(keyA.compare(keyB));
            const bool same =
                sign(TextFolding::compare(a, b)) == expected && keys == expected &&
                sign(TextFolding::compareUtf8(utf8A.constData(), int(utf8A.size()), utf8B.constData(),
                                              int(utf8B.size()))) == expected;
            if (!same && ++disagreements <= 5)
                ADD_FAILURE() << s(a) << " vs " << s(b) << ": the collator says " << expected;
        }
    }
    EXPECT_EQ(disagreements, 0);
}

TEST(TextFoldingTest, LikeMatchesCaseInsensitivelyWithWildcardsAndEscape)
{
    const struct
    {
        const char* pattern;
        const char* text;
        char escape; // 0: none
        bool matches;
    } cases[] = {
        {"%mü%", "Müller", 0, true},
        {"%mü%", "MÜLLER", 0, true},
        {"%MÜ%", "müller", 0, true},
        {"%mü%", "Hühnerbrust", 0, false},
        {"%hü%", "Hühnerbrust, gekocht", 0, true},
        {"%mü%", "Mueller", 0, false},
        {"m_ller", "Müller", 0, true},
        {"m_ller", "Mueller", 0, false},
        {"%(alt)", "Reis(ALT)", 0, true},
        {"%(ALT)", "Reis(ALT) neu", 0, false},
        {"abc", "ABC", 0, true},
        {"abc", "abcd", 0, false},
        {"abc", "ab", 0, false},
        {"%", "", 0, true},
        {"", "", 0, true},
        {"", "a", 0, false},
        {"_", "", 0, false},
        {"_", "ü", 0, true},
        {"a%c", "abbbc", 0, true},
        {"a%c", "abbbd", 0, false},
        {"%a%b%", "xxaxxbxx", 0, true},
        {"%a%b", "abab x", 0, false},
        {"%aab", "aaab", 0, true},
        {"%%", "x", 0, true},
        {"100%", "1000", 0, true},
        {"100\\%", "100%", '\\', true},
        {"100\\%", "1000", '\\', false},
        {"a\\_c", "a_c", '\\', true},
        {"a\\_c", "abc", '\\', false},
        {"%\\%", "5%", '\\', true},
        {"%\\%", "50", '\\', false},
        {"ü\\%%", "Ü%x", '\\', true},
        {"ü\\%%", "Üx", '\\', false},
        {"a!%", "A%", '!', true},
        // Beyond the Latin letters; a byte that is no UTF-8 is one unknown character.
        {"%ЖИР%", "Рыбий жир", 0, true},
        {"%ß%", "STRAẞE", 0, true},
        {"a_c",
         "a\xff"
         "c",
         0, true},
        {"%\xf0\x9f\x90\x9f%", "Futter \xf0\x9f\x90\x9f", 0, true},
        // Searches for a plain text, settled on the bytes: the Kelvin sign and
        // the long s are the two characters that fold into ASCII.
        {"%o'B%", "Hühner O'b", 0, true},
        {"%eis%", "Reis, gekocht", 0, true},
        {"%eis%", "Re is", 0, false},
        {"%ok%", "O\xe2\x84\xaa", 0, true},
        {"%ss%", "Stra\xc5\xbfse", 0, true},
        {"%xyz%", "H\xc3\xbchner \xff", 0, false},
    };
    for (const auto& c : cases) {
        const QChar escape = c.escape ? QChar(QLatin1Char(c.escape)) : QChar();
        EXPECT_EQ(TextFolding::like(QString::fromUtf8(c.pattern), QString::fromUtf8(c.text), escape),
                  c.matches)
            << "'" << c.text << "' LIKE '" << c.pattern << "'";
        // As SQLite hands the text over: UTF-8, folded without a QString.
        const QChar foldedEscape = escape.isNull() ? escape : escape.toCaseFolded();
        EXPECT_EQ(TextFolding::likeFoldedPatternUtf8(TextFolding::fold(QString::fromUtf8(c.pattern)), c.text,
                                                     qsizetype(std::strlen(c.text)), foldedEscape),
                  c.matches)
            << "UTF-8: '" << c.text << "' LIKE '" << c.pattern << "'";
        const QByteArray infix =
            TextFolding::asciiInfix(TextFolding::fold(QString::fromUtf8(c.pattern)), foldedEscape);
        if (!infix.isEmpty()) {
            const std::optional<bool> found =
                TextFolding::containsAsciiInfixUtf8(infix, c.text, qsizetype(std::strlen(c.text)));
            if (found) {
                EXPECT_EQ(*found, c.matches) << "bytes: '" << c.text << "' LIKE '" << c.pattern << "'";
            }
        }
    }
}

// The byte search relies on these two being the only characters outside
// ASCII that fold into it.
TEST(TextFoldingTest, OnlyTheKelvinSignAndTheLongSFoldIntoAscii)
{
    QList<uint> found;
    for (uint code = 0x80; code <= 0x10FFFF; ++code) {
        if (code >= 0xD800 && code <= 0xDFFF)
            continue;
        const QString folded = QString::fromUcs4(reinterpret_cast<const char32_t*>(&code), 1).toCaseFolded();
        if (std::any_of(folded.cbegin(), folded.cend(), [](QChar c) { return c.unicode() < 0x80; }))
            found << code;
    }
    EXPECT_EQ(found, (QList<uint>{0x17F, 0x212A}));
}

TEST(TextFoldingTest, ChangesTheCaseOfUmlauts)
{
    EXPECT_EQ(s(TextFolding::lower(QStringLiteral("MÖHREN, Roh"))), "möhren, roh");
    EXPECT_EQ(s(TextFolding::upper(QStringLiteral("Müsli spezial"))), "MÜSLI SPEZIAL");
    EXPECT_EQ(s(TextFolding::lower(QString())), "");
}

// ---------------------------------------------------------------------------
// ConnectionString

using Pairs = std::vector<std::pair<const char*, const char*>>;

TEST(ConnectionStringTest, SplitsKeyValuePairs)
{
    const struct
    {
        const char* name;
        const char* text;
        Pairs pairs; // sorted by key
    } cases[] = {
        {"plain",
         "Data Source=C:\\Daten\\MensolyVers3.mdb;Mode=Read",
         {{"data source", "C:\\Daten\\MensolyVers3.mdb"}, {"mode", "Read"}}},
        {"blanks around keys and values",
         " Data Source = /tmp/a b/x.mdb ; MODE=ReadWrite",
         {{"data source", "/tmp/a b/x.mdb"}, {"mode", "ReadWrite"}}},
        {"quoted value with semicolon and equals",
         "Extended Properties=\"a;b=c\";Mode=Read",
         {{"extended properties", "a;b=c"}, {"mode", "Read"}}},
        {"empty quoted value",
         "Jet OLEDB:System database=\"\";Mode=Share Deny None",
         {{"jet oledb:system database", ""}, {"mode", "Share Deny None"}}},
        {"equals sign in a value", "Password=a=b", {{"password", "a=b"}}},
        {"doubled quotes in a quoted value",
         "Backend=postgresql;Connection=\"host=/srv/a;b application_name='Praxis \"\"Nord\"\"'\";Mode=Read",
         {{"backend", "postgresql"},
          {"connection", "host=/srv/a;b application_name='Praxis \"Nord\"'"},
          {"mode", "Read"}}},
        {"a quoted value of one quote", "Password=\"\"\"\"", {{"password", "\""}}},
        {"pieces without a key", "Provider=X;;junk;=novalue;Mode=", {{"mode", ""}, {"provider", "X"}}},
        {"later key wins", "Mode=Read;mode=Write", {{"mode", "Write"}}},
        {"nothing", "", {}},
        {"previous version's database",
         "Provider=Microsoft.Jet.OLEDB.4.0;User ID=KBÖ;Data Source=/alt/Darire32.mdb;Mode=ReadWrite;Extended "
         "Properties=;Jet OLEDB:System database=/alt/Mensoly32.mdw;Jet OLEDB:Engine Type=4",
         {{"data source", "/alt/Darire32.mdb"},
          {"extended properties", ""},
          {"jet oledb:engine type", "4"},
          {"jet oledb:system database", "/alt/Mensoly32.mdw"},
          {"mode", "ReadWrite"},
          {"provider", "Microsoft.Jet.OLEDB.4.0"},
          {"user id", "KBÖ"}}},
    };
    for (const auto& c : cases) {
        const QMap<QString, QString> parsed = ConnectionString::parse(QString::fromUtf8(c.text));
        std::vector<std::pair<std::string, std::string>> got, want;
        for (auto it = parsed.cbegin(); it != parsed.cend(); ++it)
            got.emplace_back(s(it.key()), s(it.value()));
        for (const auto& [key, value] : c.pairs)
            want.emplace_back(key, value);
        EXPECT_EQ(got, want) << c.name;
    }
}

TEST(ConnectionStringTest, ReadsBackWhatTheProgramBuilds)
{
    const QString directory = QStringLiteral("/home/praxis/Mensoly Daten");
    const QMap<QString, QString> parsed =
        ConnectionString::parse(ConnectionString::build(directory, QStringLiteral("Share Deny None")));
    EXPECT_EQ(s(parsed.value(QStringLiteral("data source"))), s(ConnectionString::databasePath(directory)));
    EXPECT_EQ(s(ConnectionString::databasePath(directory)), "/home/praxis/Mensoly Daten/MensolyVers3.mdb");
    EXPECT_EQ(s(parsed.value(QStringLiteral("mode"))), "Share Deny None");
    EXPECT_EQ(s(parsed.value(QStringLiteral("provider"))), "Microsoft.Jet.OLEDB.4.0");
    EXPECT_EQ(s(parsed.value(QStringLiteral("user id"))), "Admin");
    EXPECT_EQ(s(parsed.value(QStringLiteral("jet oledb:database password"))), "QRT_K4");
    EXPECT_EQ(s(parsed.value(QStringLiteral("jet oledb:don't copy locale on compact"))), "False");
    EXPECT_TRUE(parsed.contains(QStringLiteral("extended properties")));
    EXPECT_EQ(s(parsed.value(QStringLiteral("extended properties"), QStringLiteral("missing"))), "");
    EXPECT_EQ(parsed.size(), 17);
}

TEST(ConnectionStringTest, APostgreSqlConnectionStringGivesItsConninfoBack)
{
    const char* const conninfos[] = {
        "host=/var/run/postgresql dbname=mensoly",
        "host='/srv/pg;1' dbname=praxis",
        "dbname=mensoly application_name='Praxis \"Nord\"'",
        "application_name=\"\"\"",
        "\"",
        "",
    };
    for (const char* conninfo : conninfos) {
        const QString built = ConnectionString::buildPostgreSql(QString::fromUtf8(conninfo));
        const QMap<QString, QString> parsed = ConnectionString::parse(built);
        EXPECT_TRUE(ConnectionString::isPostgreSql(parsed)) << s(built);
        EXPECT_EQ(s(parsed.value(QStringLiteral("connection"))), conninfo) << s(built);
        EXPECT_EQ(parsed.size(), 2) << s(built);
    }
}

// ---------------------------------------------------------------------------
// Sql quoting

TEST(SqlQuoteTest, QuotesTextsAndNames)
{
    const struct
    {
        const char* text;
        const char* quoted;
        const char* quotedOrNull;
        const char* name;
    } cases[] = {
        {"", "''", "NULL", "[]"},
        {" ", "' '", "' '", "[ ]"},
        {"Müller", "'Müller'", "'Müller'", "[Müller]"},
        {"O'Brien", "'O''Brien'", "'O''Brien'", "[O'Brien]"},
        {"''", "''''''", "''''''", "['']"},
        {"a\"b", "'a\"b'", "'a\"b'", "[a\"b]"},
        {"'); DELETE FROM T_TEXT; --", "'''); DELETE FROM T_TEXT; --'", "'''); DELETE FROM T_TEXT; --'",
         "['); DELETE FROM T_TEXT; --]"},
        {"Name/Bez", "'Name/Bez'", "'Name/Bez'", "[Name/Bez]"},
        {"a]b", "'a]b'", "'a]b'", "[ab]"},
        {"x]; DROP TABLE T", "'x]; DROP TABLE T'", "'x]; DROP TABLE T'", "[x; DROP TABLE T]"},
    };
    for (const auto& c : cases) {
        const QString text = QString::fromUtf8(c.text);
        EXPECT_EQ(s(Sql::quote(text)), c.quoted) << c.text;
        EXPECT_EQ(s(Sql::quoteOrNull(text)), c.quotedOrNull) << c.text;
        EXPECT_EQ(s(Sql::name(text)), c.name) << c.text;
    }
}

TEST(SqlQuoteTest, AQuotedTextIsOneLiteralThatGivesTheTextBack)
{
    for (const char* raw :
         {"", "O'Brien", "''", "'; DELETE FROM T; --", "TRUE & FALSE + x", "a\"b'c", "Müller's \"Hof\""}) {
        const QString text = QString::fromUtf8(raw);
        const std::vector<SqlToken> tokens = tokenizeJetSql(Sql::quote(text));
        ASSERT_EQ(tokens.size(), 1u) << raw;
        EXPECT_EQ(tokens.front().kind, SqlToken::Kind::String) << raw;
        EXPECT_EQ(s(tokens.front().stringValue()), raw);
    }
}

TEST(SqlQuoteTest, ABracketedNameIsOneName)
{
    for (const char* raw : {"T_GATTUNG", "Name/Bez", "a]b", "]]", "x]; DROP TABLE T"}) {
        const std::vector<SqlToken> tokens = tokenizeJetSql(Sql::name(QString::fromUtf8(raw)));
        ASSERT_EQ(tokens.size(), 1u) << raw;
        EXPECT_EQ(tokens.front().kind, SqlToken::Kind::QuotedName) << raw;
        EXPECT_EQ(s(tokens.front().name()), s(QString::fromUtf8(raw).remove(QLatin1Char(']'))));
    }
}

} // namespace
